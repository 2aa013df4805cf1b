// SPDX-License-Identifier: GPL-3.0-or-later
#include "midi/ReplayClock.h"

#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>
#endif

namespace rp {

ReplayClock::Time SteadyNow() {
  return std::chrono::duration_cast<ReplayClock::Time>(std::chrono::steady_clock::now().time_since_epoch());
}

ReplayClock::Time SteadyReplayClock::Now() const { return SteadyNow(); }

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
  // The last stretch: poll. Yielding here would hand the core to a busy
  // thread for a whole time slice, milliseconds, so the poll keeps it.
  while (Now() < target) {
    if (wakePending_.exchange(false)) return;
  }
}

void SteadyReplayClock::Wake() {
  {
    std::lock_guard lock(mutex_);
    wakePending_ = true;
  }
  cv_.notify_all();
}

bool TuneTimingThread() {
#ifdef __linux__
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  // A low real-time priority, as MIDI and audio programs take it: a waking
  // timing thread then runs at once instead of waiting for a busy thread's
  // time slice to end. Allowed for root and for users with an rtprio limit
  // (e.g. the audio group); otherwise the thread stays as it is.
  sched_param param{};
  param.sched_priority = sched_get_priority_min(SCHED_FIFO) + 9;
  return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
#else
  return false;
#endif
}

}  // namespace rp
