// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours of the compared performances, in the order they were added:
// green, magenta, cyan, yellow, red, white, brown. The main performance keeps
// its blue points and orange current event.

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/ComparedPerformances.h"

namespace rp {

inline constexpr std::array<std::uint32_t, kMaxComparedPerformances> kComparedColours = {
    0xFF00AA00u,  // green (0, 170, 0)
    0xFFC800C8u,  // magenta (200, 0, 200)
    0xFF00AAC8u,  // cyan (0, 170, 200)
    0xFFC8C800u,  // yellow (200, 200, 0)
    0xFFC82828u,  // red (200, 40, 40)
    0xFFE6E6E6u,  // white (230, 230, 230)
    0xFF965A1Eu,  // brown (150, 90, 30)
};

// The colour of the compared performance at 0-based `index`; beyond the
// seven the colours repeat.
inline std::int32_t ComparedColour(std::size_t index) {
  return static_cast<std::int32_t>(kComparedColours[index % kComparedColours.size()]);
}

}  // namespace rp
