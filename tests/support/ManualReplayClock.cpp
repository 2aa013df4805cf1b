// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ManualReplayClock.h"

namespace rp {

ReplayClock::Time ManualReplayClock::Now() const {
  std::lock_guard lock(mutex_);
  return now_;
}

void ManualReplayClock::WaitUntil(Time target) {
  std::unique_lock lock(mutex_);
  sleeping_ = true;
  sleepTarget_ = target;
  cv_.notify_all();
  cv_.wait(lock, [&] { return wakePending_ || now_ >= target; });
  wakePending_ = false;
  sleeping_ = false;
}

void ManualReplayClock::Wake() {
  {
    std::lock_guard lock(mutex_);
    wakePending_ = true;
  }
  cv_.notify_all();
}

void ManualReplayClock::Advance(Time by) {
  {
    std::lock_guard lock(mutex_);
    now_ += by;
  }
  cv_.notify_all();
}

bool ManualReplayClock::AwaitSleeper(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return cv_.wait_for(lock, timeout, [&] { return sleeping_ && !wakePending_ && sleepTarget_ > now_; });
}

}  // namespace rp
