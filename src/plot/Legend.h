// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The legend in the plot's top-right corner while performances are
// compared: each file's name in its colour, the main one first in the blue
// of its points. A single performance has no legend.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scene/SceneDescription.h"

namespace rp {

struct PlotPoints;

struct LegendLine {
  std::string text;
  Argb32 colour = 0;
};

// The lines top to bottom; none when nothing is compared. A main
// performance without a file name (none loaded yet) has no line.
std::vector<LegendLine> LegendLines(const PlotPoints& points);

// The lines as text right-aligned 10 pixels from the right edge of a client
// `clientWidth` wide, the first at the caption's height; nothing without
// lines.
std::optional<TextItem> LegendText(const PlotPoints& points, std::int32_t clientWidth);

}  // namespace rp
