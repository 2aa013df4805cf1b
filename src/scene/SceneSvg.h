// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A frame of the plot as an SVG drawing, for figures in papers: every sphere
// a circle, every line a line, every quad a polygon (an axis-name plate with
// its name written on it), drawn back to front by their depth, then the text
// items over everything, each once: a plate by its face towards the eye,
// its name laid onto it as the renderer lays its texture, every text by an
// explicit baseline (the font's ascent below the line's top), so that any
// SVG renderer places it as the picture does. Colours are lit as the
// renderer lights them, a sphere by the light on its side facing the camera
// (so it is one flat disc, not shaded). The drawing has the viewport's size
// in pixels, shown at `width` x `height` (0: the same; another shape is
// stretched to it, as the picture is).

#include <cstdint>
#include <ostream>

#include "scene/SceneDescription.h"

namespace rp {

void WriteSceneSvg(const SceneDescription& scene, std::ostream& out, std::int32_t width = 0, std::int32_t height = 0);

}  // namespace rp
