// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plot view for control-panel tests: writes down every rebuild it is asked
// for (a tail rebuild with the current event it saw) and its border state.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "frontend/PlotViewLink.h"
#include "model/ReplayPosition.h"

namespace rp::test {

class FakePlotView final : public PlotViewLink {
 public:
  explicit FakePlotView(const ReplayPosition& position) : position_(position) {}
  void ShowFirstEvents() override { calls.push_back("all"); }
  void ShowTail() override {
    const std::optional<std::int32_t> current = position_.currentEvent;
    calls.push_back("tail " + (current ? std::to_string(*current) : std::string("none")));
  }
  void SetBorderFixed(bool fixed) override { borderFixed = fixed; }
  std::vector<std::string> calls;
  bool borderFixed = false;

 private:
  const ReplayPosition& position_;
};

}  // namespace rp::test
