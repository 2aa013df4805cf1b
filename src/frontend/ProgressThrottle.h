// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps a long load's progress display cheap: the bar value and the two count
// labels are only stored when set, and reach the sink at most `minInterval`
// apart (about 30 times a second) and once more at `Flush`. The window,
// caption and range go through at once: a load sets them only a few times.

#include <cstdint>
#include <string_view>

#include "frontend/ProgressSink.h"

namespace rp {

class ProgressThrottle {
 public:
  using Clock = double (*)();  // seconds, monotonic
  static double SteadySeconds();

  explicit ProgressThrottle(ProgressSink& sink, Clock clock = &SteadySeconds, double minInterval = 1.0 / 30.0)
      : sink_(sink), clock_(clock), minInterval_(minInterval) {}
  ~ProgressThrottle() { Flush(); }
  ProgressThrottle(const ProgressThrottle&) = delete;
  ProgressThrottle& operator=(const ProgressThrottle&) = delete;

  void ShowWindow();
  void HideWindow();
  void SetCaption(std::string_view caption);
  void SetMinimum(std::int64_t value);
  void SetMaximum(std::int64_t value);
  // Both ends (minimum < maximum), whatever range the bar had: a bar refuses
  // a minimum at or above its maximum and a maximum at or below its minimum,
  // so the ends go in an order that every earlier range takes.
  void SetRange(std::int64_t minimum, std::int64_t maximum);

  void SetValue(std::int64_t value) {
    value_ = value;
    dirty_ |= kValue;
  }

  // Passes on what changed when the interval since the last pass has run
  // out; throws WorkCancelled once the sink's user asked to cancel.
  void Poll();
  // Passes on what changed now.
  void Flush();

 private:
  enum : unsigned { kValue = 1 };
  ProgressSink& sink_;
  Clock clock_;
  double minInterval_;
  double lastPass_ = -1e300;
  unsigned dirty_ = 0;
  std::int64_t value_ = 0;
};

}  // namespace rp
