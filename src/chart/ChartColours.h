// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours of a chart's theme: background, text, grid, and the
// performances' colours, the Okabe–Ito palette, which readers with any of
// the common colour-vision deficiencies tell apart (its black and, on white
// paper, its yellow left out; on the dark screen its dark blue).

#include <cstddef>
#include <cstdint>
#include <string>

#include "chart/ChartDescription.h"

namespace rp {

struct ChartRgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const ChartRgb&) const = default;
};

// "#rrggbb".
std::string HexColour(ChartRgb colour);

struct ChartColours {
  ChartRgb background;
  ChartRgb text;
  ChartRgb grid;
  ChartRgb frame;
  ChartRgb identity;
  ChartRgb cursor;
};

ChartColours ColoursOf(ChartTheme theme);

// The colour of the performance at `index` (the legend's order); the
// palette repeats after its last colour.
ChartRgb PerformanceColour(ChartTheme theme, std::size_t index);

}  // namespace rp
