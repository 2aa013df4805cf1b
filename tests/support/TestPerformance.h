#pragma once
// A made-up analysed performance for view tests.

#include <cstddef>
#include <cstdint>

#include "model/Performance.h"

namespace rp::testing {

// `count` events (arrays up to count + 10); event k has intervals 10k,
// 10k+1, 10k+2 and velocities k, k+1, k+2 (bytes).
inline Performance MakePerformance(std::int32_t count) {
  Performance performance;
  performance.plotEvents.assign(static_cast<std::size_t>(count) + 11, PlotEvent{});
  performance.plotEventCount = count;
  for (std::int32_t k = 1; k <= count; ++k) {
    PlotEvent& e = performance.plotEvents[static_cast<std::size_t>(k)];
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
