// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ordered set of plotted points. Positions are indices from 0 in the
// order of insertion; iteration visits the points in that order.

#include <cstddef>
#include <utility>
#include <vector>

#include "plot/DataEntry.h"

namespace rp {

class PointCollection {
 public:
  std::size_t Count() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }

  // The point at `position`; throws std::out_of_range from Count on.
  const DataEntry& Item(std::size_t position) const { return entries_.at(position); }
  DataEntry& Item(std::size_t position) { return entries_.at(position); }

  // Appends `entry`; after a Break it starts a new piece of the path.
  void Add(DataEntry entry) {
    entry.breaksPath = entry.breaksPath || breakPending_;
    breakPending_ = false;
    entries_.push_back(std::move(entry));
  }
  // The next point added is not joined to the one before: something between
  // them has no point.
  void Break() { breakPending_ = !entries_.empty(); }

  auto begin() { return entries_.begin(); }
  auto end() { return entries_.end(); }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

 private:
  std::vector<DataEntry> entries_;
  bool breakPending_ = false;
};

}  // namespace rp
