// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A progress display for tests: keeps the state a user would see, and how
// often each thing was repainted.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/ProgressSink.h"

namespace rp {

class RecordingProgressSink final : public ProgressSink {
 public:
  void ShowWindow() override;
  void HideWindow() override;
  void SetCaption(std::string_view caption) override;
  void SetMinimum(std::int64_t value) override;
  void SetMaximum(std::int64_t value) override;
  void SetValue(std::int64_t value) override;
  bool CancelRequested() override { return cancelFrom >= 0 && value >= cancelFrom; }

  bool visible = false;
  int showCount = 0;
  std::vector<std::string> captions;  // every caption set, in order
  std::int64_t minimum = 0;
  std::int64_t maximum = 100;
  std::int64_t value = 0;
  int updates = 0;               // calls that change the bar or a label
  std::int64_t cancelFrom = -1;  // the user cancels once the bar reaches this value
};

}  // namespace rp
