// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/FrameClock.h"

#include <chrono>

namespace rp {

namespace {

// Seconds since the first frame clock looked at the steady clock. Kept in
// double: single precision would lose milliseconds after a few hours of
// uptime.
double SteadySeconds() {
  using Clock = std::chrono::steady_clock;
  static const Clock::time_point kOrigin = Clock::now();
  return std::chrono::duration<double>(Clock::now() - kOrigin).count();
}

}  // namespace

double FrameClock::Now() const { return now_ != nullptr ? now_() : SteadySeconds(); }

bool FrameClock::CheckedBack() {
  wentBack_ = Now() < lastTime_;
  if (wentBack_) Reset();
  return wentBack_;
}

float FrameClock::Reset() {
  stopTime_ = 0.0;
  lastTime_ = 0.0;
  running_ = false;
  return 0.0f;
}

float FrameClock::Start() {
  if (CheckedBack()) return 0.0f;
  const double t = Now();
  // A second start while running would shift the base by the whole clock
  // reading; it is ignored, as is a second stop.
  if (!running_) {
    lastTime_ = t + lastTime_ - stopTime_;
    stopTime_ = 0.0;
    running_ = true;
  }
  return static_cast<float>(t);
}

float FrameClock::Stop() {
  if (CheckedBack()) return 0.0f;
  const double t = Now();
  if (running_) {
    stopTime_ = t;
    running_ = false;
  }
  return static_cast<float>(t);
}

float FrameClock::Elapsed() {
  if (CheckedBack()) return 0.0f;
  const double t = Now();
  const double elapsed = t - lastTime_;
  lastTime_ = t;
  return elapsed < 0.0 ? 0.0f : static_cast<float>(elapsed);
}

}  // namespace rp
