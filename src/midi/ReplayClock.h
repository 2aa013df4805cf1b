// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clock of the replay timing thread: a monotonic time and a wait that the
// port can cut short. The program uses the steady clock; tests use one whose
// time moves only when the test says so.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace rp {

class ReplayClock {
 public:
  // Time since the clock's own epoch.
  using Time = std::chrono::nanoseconds;
  static constexpr Time kForever = Time::max();

  virtual ~ReplayClock() = default;
  virtual Time Now() const = 0;
  // Blocks the calling thread until Now() >= target or Wake() is called. A
  // Wake() that came while nobody waited ends the next wait at once, so a
  // caller may check its state, release its lock and then wait without losing
  // a wake-up. May return early; callers check their state again.
  virtual void WaitUntil(Time target) = 0;
  virtual void Wake() = 0;
};

// std::chrono::steady_clock's time, as SteadyReplayClock tells it; the audio
// outputs stamp their periods with it.
ReplayClock::Time SteadyNow();

// std::chrono::steady_clock. The wait sleeps until shortly before the target
// and then polls the clock for the last stretch (spinWindow), because a
// sleeping thread wakes late: tens of microseconds on a busy core, hundreds
// when the (virtual) core was idle. The poll costs at most spinWindow of CPU
// per message.
class SteadyReplayClock final : public ReplayClock {
 public:
  explicit SteadyReplayClock(Time spinWindow = std::chrono::microseconds(500)) : spinWindow_(spinWindow) {}
  Time Now() const override;
  void WaitUntil(Time target) override;
  void Wake() override;

 private:
  Time spinWindow_;
  std::mutex mutex_;
  std::condition_variable cv_;
  std::atomic<bool> wakePending_{false};
};

// Readies the calling thread for timing (Linux): lowers its timer slack so
// that timed waits end close to their target, and asks for a low real-time
// priority. True when the real-time priority was granted.
bool TuneTimingThread();

}  // namespace rp
