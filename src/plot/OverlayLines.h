// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of the plot: connecting lines, drop lines and floor shadows of
// the main points and of every compared group, as the display toggles say,
// and the floor cross, all in the plot's own space.

#include <vector>

#include "scene/SceneDescription.h"

namespace rp {

struct ViewState;

// The orange of the main points' connecting lines (the legend's swatch too).
inline constexpr Argb32 kConnectColour = 0xFFFFB000;

// Appends the lines: per drawn point its connecting line and shadow from the
// drawn point before it (none across a break of the path or a placeholder)
// and its drop line, main points first, then each compared group in its own
// colour; then the two lines of the floor cross.
void AppendOverlayLines(const ViewState& state, std::vector<LineSegment>& lines);

}  // namespace rp
