// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/WaitFor.h"

#include <algorithm>
#include <thread>

namespace rp::test {

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline,
             std::chrono::milliseconds poll) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  for (;;) {
    if (condition()) return true;
    const auto now = std::chrono::steady_clock::now();
    if (now >= end) return false;
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(poll, end - now));
  }
}

void LetTimePass(std::chrono::microseconds span) { std::this_thread::sleep_for(span); }

}  // namespace rp::test
