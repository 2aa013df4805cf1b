// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The points of one compared performance: drawn as spheres of one colour
// with connecting lines in that colour, and named in the legend by its file.

#include <cstdint>
#include <string>
#include <vector>

#include "plot/PointCollection.h"

namespace rp {

// A compared point's place: the main performance's event it stands beside
// and the compared performance's own event it shows (indices from 0).
struct AlignedPoint {
  std::int32_t mainEvent = 0;
  std::int32_t ownEvent = 0;
};

struct PointGroup {
  std::string name;         // the file's name, for the legend
  std::int32_t colour = 0;  // packed 0xAARRGGBB of its spheres, lines and legend line
  PointCollection points;
  // The point at position p is pointEvents[p].
  std::vector<AlignedPoint> pointEvents;
};

}  // namespace rp
