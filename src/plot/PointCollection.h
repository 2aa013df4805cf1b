// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ordered set of plotted points. Positions count from 1 and follow the
// order of insertion; iteration visits the points in that order.

#include <cstddef>
#include <stdexcept>
#include <utility>
#include <vector>

#include "plot/DataEntry.h"

namespace rp {

class PointCollection {
 public:
  std::size_t Count() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }

  // The point at 1-based `position`; throws std::out_of_range outside 1..Count.
  const DataEntry& Item(std::size_t position) const { return entries_.at(Index(position)); }
  DataEntry& Item(std::size_t position) { return entries_.at(Index(position)); }

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
  static std::size_t Index(std::size_t position) {
    if (position == 0) throw std::out_of_range("point positions start at 1");
    return position - 1;
  }
  std::vector<DataEntry> entries_;
  bool breakPending_ = false;
};

}  // namespace rp
