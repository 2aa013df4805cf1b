// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values the graphics device takes: matrices and vectors (glm), colours,
// rectangles, the vertex of the plot's lines and plates, and the few states
// the device offers.
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

// Window the device presents into (the toolkit's own window object).
using WindowHandle = void*;

// Pixel rectangle; right and bottom lie just outside it.
struct Rect {
  std::int32_t left, top, right, bottom;
};

// Which of the device's three matrices a transform call means.
enum class Transform { World, View, Projection };

enum class Shading { Flat, Gouraud };

// Which faces are culled: those wound clockwise or counter-clockwise on the
// screen, or none.
enum class Culling { None, Clockwise, CounterClockwise };

enum class BlendFactor { Zero, One, SrcColour, InvSrcColour, SrcAlpha, InvSrcAlpha };

enum class TextureFilter { Point, Linear };

enum class Primitive { Points, Lines, LineStrip, Triangles, TriangleStrip, TriangleFan };

// One vertex of the drawn lines and plates: position, normal, texture
// coordinates (32 bytes).
struct Vertex {
  glm::vec3 position;
  glm::vec3 normal;
  glm::vec2 texCoord;
};
static_assert(sizeof(Vertex) == 32);

enum class LightType { Point, Spot, Directional };

// Texture storage: Rgb textures read alpha as 1 whatever is drawn into them.
enum class TextureFormat { Rgb, Rgba };

// Whether the device can draw now (see GraphicsDevice::Status).
enum class DeviceStatus {
  Ready,       // draw as usual
  Lost,        // lost and not yet resettable: skip the frame
  NeedsReset,  // lost but resettable: ResetBackBuffer, then draw
};

// A device on a hardware renderer, or on a software rasteriser.
enum class DeviceKind { Hardware, Software };

struct Material {
  ColourF diffuse;
  ColourF ambient;
  ColourF specular;
  ColourF emissive;
  float power;
};
static_assert(sizeof(Material) == 68);

struct Light {
  LightType type;
  ColourF diffuse;
  ColourF specular;
  ColourF ambient;
  glm::vec3 position;
  glm::vec3 direction;
  float range;
  float attenuation0;
  float attenuation1;
  float attenuation2;
};

// Pixel rectangle from the target's top-left corner and the depth range.
struct Viewport {
  std::uint32_t x, y, width, height;
  float minDepth, maxDepth;
};

// Description of a window font from which a device font is made.
struct FontDesc {
  std::string faceName;  // e.g. "DejaVu Sans"
  float pointSize = 12.0f;
  std::int32_t weight = 400;  // 400 normal, 700 bold
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
};

}  // namespace rp
