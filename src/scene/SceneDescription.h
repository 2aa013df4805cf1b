// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One frame of the plot as plain data: what a renderer draws and what the
// hover pick and the tests look at. The plot makes a new one for every frame
// it shows; nothing in it refers to a drawing device.
//
// Spaces: spheres, lines and quads stand in the plot's own space (the cube
// of PlotScaling, y up); `orientation` turns that space into the world, the
// camera's view and projection take the world to the window, and text items
// are placed in window pixels (the window's own units, from its top-left
// corner). Depth runs 0 at the near plane to 1 at the far plane.
//
// How it is drawn, in this order: the background; the spheres, lines and
// opaque quads with the depth test; the see-through quads (colour alpha
// below 1), in their order, blended by their alpha over what is there and
// with the depth test; then the screen rectangles and last the text items
// and anchored texts over everything. Every surface is
// lit by `lighting` (LitColour.h); lines have no normal, so only its ambient
// part reaches them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/GraphicsTypes.h"

namespace rp {

// Which point of the plot a sphere stands for: `group` 0 for the main
// points, g for the g-th compared group (from 1); `position` the point's
// index in its collection, from 0.
struct PointRef {
  std::size_t group = 0;
  std::size_t position = 0;
  bool operator==(const PointRef&) const = default;
};

struct SphereInstance {
  glm::vec3 centre{0.0f};
  float radius = 0.0f;  // 0: nothing is drawn or picked
  ColourF colour{0, 0, 0, 1};
  PointRef point;
  bool clipped = false;  // stands on the cube's face for a value beyond the scale
};

struct LineSegment {
  glm::vec3 from{0.0f}, to{0.0f};
  ColourF colour{0, 0, 0, 1};
};

// The textures a quad can show.
enum class QuadTexture {
  None,       // the quad's colour alone
  AxisNames,  // one line of the axis-name texture, modulated by the lit colour
};

// A flat four-cornered face, drawn as the triangles (0, 1, 2) and (0, 2, 3),
// from both sides. With the axis-name texture, `texCoords` give u across
// the line (0 left, 1 right) and v down it (0 its top row, 1 the row below
// its last), on line `textureLine` of AxisNameTexture.
struct Quad {
  std::array<glm::vec3, 4> corners{};
  glm::vec3 normal{0.0f};
  ColourF colour{1, 1, 1, 1};
  QuadTexture texture = QuadTexture::None;
  std::int32_t textureLine = 0;
  std::array<glm::vec2, 4> texCoords{};
};

// The texture of the axis-name plates: `lines` in the title font, black on
// light grey, each starting 10 pixels from the left and one line height
// below the one before, from the top of a 256 x 256 square.
struct AxisNameTexture {
  static constexpr std::int32_t kSize = 256;
  static constexpr std::int32_t kLeft = 10;
  static constexpr Argb32 kBackground = 0xFFC0C0C0;
  static constexpr Argb32 kInk = 0xFF000000;
  std::vector<std::string> lines;
};

enum class FontRole { Label, Title };
enum class TextAlign { Left, Right };

struct TextLine {
  std::string text;
  Argb32 colour = 0xFFFFFFFF;
};

// Lines of text one line height of their font apart, the first with its top
// at y (its baseline the font's ascent below). Left-aligned lines start at
// x; right-aligned ones each end at x. An overlay (the hover label) stands
// over everything, and the other texts are not kept clear of it.
struct TextItem {
  std::vector<TextLine> lines;
  std::int32_t x = 0, y = 0;
  TextAlign align = TextAlign::Left;
  FontRole font = FontRole::Label;
  bool overlay = false;
};

// One line of text standing at a point of the plot's own space (a tick's
// value): it turns with the plot but is drawn like a text item, upright and
// over everything, its line vertically centred on where `anchor` falls in
// the window, starting there (Left) or ending there (Right). Not drawn when
// the anchor lies outside the camera's depth range.
struct AnchoredText {
  glm::vec3 anchor{0.0f};
  std::string text;
  Argb32 colour = 0xFFFFFFFF;
  TextAlign align = TextAlign::Left;
};

// A filled rectangle in window pixels (a colour bar's step).
struct ScreenRect {
  std::int32_t x = 0, y = 0, width = 0, height = 0;
  Argb32 colour = 0xFFFFFFFF;
};

// A directional light and the ambient light every surface gets besides.
struct Lighting {
  glm::vec3 towardsLight{0.0f, 0.0f, -1.0f};  // unit vector from a surface towards the light, world space
  ColourF diffuse{1, 1, 1, 1};                // the light's colour
  ColourF ambient{0, 0, 0, 1};                // the whole ambient light, added over every light's
};

struct Camera {
  glm::mat4 view{1.0f};        // world to camera
  glm::mat4 projection{1.0f};  // camera to clip space, depth 0..1
  Viewport viewport{0, 0, 1, 1, 0.0f, 1.0f};
};

struct SceneDescription {
  Argb32 background = 0xFF303030;
  Camera camera;
  Lighting lighting;
  glm::mat4 orientation{1.0f};  // plot space to world: the plot's turn
  std::vector<SphereInstance> spheres;
  std::vector<LineSegment> lines;
  std::vector<Quad> quads;
  std::vector<TextItem> texts;
  std::vector<AnchoredText> anchoredTexts;  // in the label font
  std::vector<ScreenRect> rects;
  FontDesc labelFont;  // FontRole::Label
  FontDesc titleFont;  // FontRole::Title, also of the axis-name texture
  AxisNameTexture axisNames;
};

}  // namespace rp
