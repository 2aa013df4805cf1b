// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A made-up analysed performance for view tests.

#include <cstddef>
#include <cstdint>

#include "model/Performance.h"

namespace rp::testing {

// `count` events; event number k (from 1) has intervals 10k, 10k+1, 10k+2
// and velocities k, k+1, k+2 (bytes).
inline Performance MakePerformance(std::int32_t count) {
  Performance performance;
  performance.events.assign(static_cast<std::size_t>(count), OnsetEvent{});
  for (std::int32_t k = 1; k <= count; ++k) {
    OnsetEvent& e = performance.events[static_cast<std::size_t>(k) - 1];
    e.interval0 = 10.0 * k;
    e.interval1 = 10.0 * k + 1;
    e.interval2 = 10.0 * k + 2;
    e.velocity0 = static_cast<std::uint8_t>(k);
    e.velocity1 = static_cast<std::uint8_t>(k + 1);
    e.velocity2 = static_cast<std::uint8_t>(k + 2);
  }
  return performance;
}

}  // namespace rp::testing
