// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The legend in the plot's top-right corner while performances are
// compared: each file's name, the main one first, after a swatch of its
// line and its point as drawn (for the main one an orange line and a blue
// point). The names are written in a light tint of the point colour that
// stands out from the plot's background by a contrast ratio of at least
// 4.5:1. A single performance has a legend only when asked for (a picture
// whose title is not its name).

#include <cstdint>
#include <string>
#include <vector>

#include "scene/SceneDescription.h"

namespace rp {

struct PlotPoints;

struct LegendLine {
  std::string text;
  Argb32 pointColour = 0;  // the swatch's point
  Argb32 lineColour = 0;   // the swatch's line
  Argb32 textColour = 0;   // the name
};

// The colour the name of a performance drawn in `pointColour` is written in.
Argb32 LegendTextColour(Argb32 pointColour);

// The lines top to bottom; none when nothing is compared, unless `alone`
// asks for the main performance's line by itself. A main performance
// without a file name (none loaded yet) has no line.
std::vector<LegendLine> LegendLines(const PlotPoints& points, bool alone = false);

// The legend as three columns of text right-aligned towards the right edge
// of a client `clientWidth` wide (the points 10 pixels from it, the lines
// before them, the names before those), the first line at the caption's
// height; `font` is the one the texts are drawn in. Nothing without lines.
std::vector<TextItem> LegendTexts(const PlotPoints& points, std::int32_t clientWidth, const FontDesc& font,
                                  bool alone = false);

}  // namespace rp
