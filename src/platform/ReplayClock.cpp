#include "platform/ReplayClock.h"

#include <thread>

#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace rp {

ReplayClock::Time SteadyReplayClock::Now() const {
  return std::chrono::duration_cast<Time>(std::chrono::steady_clock::now().time_since_epoch());
}

void SteadyReplayClock::WaitUntil(Time target) {
  {
    std::unique_lock lock(mutex_);
    auto woken = [this] { return wakePending_.load(); };
    if (target == kForever) {
      cv_.wait(lock, woken);
    } else if (target - Now() > spinWindow_) {
      const std::chrono::steady_clock::time_point wakeAt(target - spinWindow_);
      cv_.wait_until(lock, wakeAt, woken);
    }
    if (wakePending_.exchange(false)) return;
  }
  // The last stretch: poll, giving the core away between polls, so that a
  // busy machine still runs other threads.
  while (Now() < target) {
    if (wakePending_.exchange(false)) return;
    std::this_thread::yield();
  }
}

void SteadyReplayClock::Wake() {
  {
    std::lock_guard lock(mutex_);
    wakePending_ = true;
  }
  cv_.notify_all();
}

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
  return cv_.wait_for(lock, timeout,
                      [&] { return sleeping_ && !wakePending_ && sleepTarget_ > now_; });
}

void TuneTimingThread() {
#ifdef __linux__
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
}

}  // namespace rp
