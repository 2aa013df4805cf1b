// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/ProgressThrottle.h"

#include <chrono>

namespace rp {

double ProgressThrottle::SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void ProgressThrottle::ShowWindow() {
  Flush();
  sink_.ShowWindow();
}

void ProgressThrottle::HideWindow() {
  Flush();
  sink_.HideWindow();
}

void ProgressThrottle::SetCaption(std::string_view caption) {
  Flush();
  sink_.SetCaption(caption);
}

void ProgressThrottle::SetMinimum(std::int64_t value) {
  Flush();
  sink_.SetMinimum(value);
}

void ProgressThrottle::SetMaximum(std::int64_t value) {
  Flush();
  sink_.SetMaximum(value);
}

void ProgressThrottle::SetRange(std::int64_t minimum, std::int64_t maximum) {
  Flush();
  // The first maximum is refused only when it is at or below the old
  // minimum, and then the old maximum is above the new minimum: either way
  // the minimum is taken, and then the maximum.
  sink_.SetMaximum(maximum);
  sink_.SetMinimum(minimum);
  sink_.SetMaximum(maximum);
}

void ProgressThrottle::Poll() {
  if (sink_.CancelRequested()) throw WorkCancelled();
  if (dirty_ == 0) return;
  const double now = clock_();
  if (now - lastPass_ < minInterval_) return;
  lastPass_ = now;
  Flush();
}

void ProgressThrottle::Flush() {
  if (dirty_ & kValue) sink_.SetValue(value_);
  dirty_ = 0;
}

}  // namespace rp
