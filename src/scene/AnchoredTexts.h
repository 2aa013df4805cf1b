// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The anchored texts of a scene as the text items they are drawn as, for
// every renderer alike.

#include <vector>

#include "scene/SceneDescription.h"

namespace rp {

// Pixels of a font as the renderers make it (points at 96 dots per inch).
float FontPixels(const FontDesc& font);

// One text item per anchored text whose anchor lies within the camera's
// depth range and inside the viewport, placed where the anchor falls in the
// window, moved by as little as needed to stand whole inside the picture,
// and left out where its box would cover the box of a text item of the
// scene (overlays apart) or of an anchored text placed before it: crowded
// tick labels are thinned in their order.
std::vector<TextItem> PlacedAnchoredTexts(const SceneDescription& scene);

}  // namespace rp
