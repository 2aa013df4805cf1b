// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small values the scene is described with: colours, pixel rectangles,
// the viewport and the description of a window font.
//
// Matrices are glm::mat4 used with column vectors (p' = M * p), translation
// in column 3, and uploaded to OpenGL as they are; scene/SceneMath.h says
// how the scene builds them.

#include <cstdint>
#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <string>

namespace rp {

// A colour with float channels, nominally 0..1.
struct ColourF {
  float r, g, b, a;
};

// Packed colour 0xAARRGGBB.
using Argb32 = std::uint32_t;

// Pixel rectangle; right and bottom lie just outside it.
struct Rect {
  std::int32_t left, top, right, bottom;
};

// Pixel rectangle from the window's top-left corner and the depth range.
struct Viewport {
  std::uint32_t x, y, width, height;
  float minDepth, maxDepth;
};

// Description of a window font from which drawn text is made.
struct FontDesc {
  std::string faceName;  // e.g. "DejaVu Sans"
  float pointSize = 12.0f;
  std::int32_t weight = 400;  // 400 normal, 700 bold
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  // From a line's top to its baseline and from one line's top to the next,
  // in pixels, as the window measures the font; 0: not measured (the plain
  // code's estimate stands in, scene/TextLayout.h).
  float ascentPixels = 0.0f;
  float lineHeightPixels = 0.0f;
};

}  // namespace rp
