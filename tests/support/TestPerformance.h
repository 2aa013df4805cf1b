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
  performance.PlotEvents.assign(static_cast<std::size_t>(count) + 11, PlotEvent{});
  performance.PlotEventCount = count;
  for (std::int32_t k = 1; k <= count; ++k) {
    PlotEvent& e = performance.PlotEvents[static_cast<std::size_t>(k)];
    e.Interval0 = 10.0 * k;
    e.Interval1 = 10.0 * k + 1;
    e.Interval2 = 10.0 * k + 2;
    e.Velocity0 = static_cast<std::uint8_t>(k);
    e.Velocity1 = static_cast<std::uint8_t>(k + 1);
    e.Velocity2 = static_cast<std::uint8_t>(k + 2);
  }
  return performance;
}

}  // namespace rp::testing
