// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A replay clock for tests: time stands still until Advance(); AwaitSleeper()
// lets the test wait until the timing thread has done everything that is due
// and sleeps again.

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "midi/ReplayClock.h"

namespace rp {

class ManualReplayClock final : public ReplayClock {
 public:
  Time Now() const override;
  void WaitUntil(Time target) override;
  void Wake() override;

  void Advance(Time by);
  // True once a thread waits for a time still ahead (or forever) with no wake
  // pending; false after the timeout.
  bool AwaitSleeper(std::chrono::milliseconds timeout = std::chrono::seconds(5));

 private:
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  Time now_{0};
  bool wakePending_ = false;
  bool sleeping_ = false;
  Time sleepTarget_{0};
};

}  // namespace rp
