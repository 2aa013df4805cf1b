// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The points of one compared performance: drawn as spheres of one colour
// with connecting lines in that colour, and named in the legend by its file.

#include <cstdint>
#include <string>

#include "plot/PointCollection.h"

namespace rp {

struct PointGroup {
  std::string name;         // the file's name, for the legend
  std::int32_t colour = 0;  // packed 0xAARRGGBB of its spheres, lines and legend line
  PointCollection points;
};

}  // namespace rp
