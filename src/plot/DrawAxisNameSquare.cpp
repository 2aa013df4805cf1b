// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/DrawAxisNameSquare.h"

#include "plot/ViewState.h"
#include "scene/GraphicsDevice.h"
#include "scene/SceneNode.h"

namespace rp {

namespace {

constexpr float kTextureRows = 256.0f;
constexpr float kHalfWidth = 2.0f;
constexpr float kHalfHeight = 0.25f;
constexpr float kBackOffset = 0.01f;

}  // namespace

std::array<Vertex, 8> AxisNamePlate(std::int32_t axis, std::int32_t lineHeight) {
  const float vTop = static_cast<float>(axis) * static_cast<float>(lineHeight) / kTextureRows;
  const float vBottom = static_cast<float>(axis + 1) * static_cast<float>(lineHeight) / kTextureRows;
  const float w = kHalfWidth, h = kHalfHeight, b = kBackOffset;
  return {{
      {{-w, -h, 0}, {0, 0, -1}, {0, vBottom}},
      {{w, -h, 0}, {0, 0, -1}, {1, vBottom}},
      {{w, h, 0}, {0, 0, -1}, {1, vTop}},
      {{-w, h, 0}, {0, 0, -1}, {0, vTop}},
      {{w, -h, b}, {0, 0, 1}, {0, vBottom}},
      {{-w, -h, b}, {0, 0, 1}, {1, vBottom}},
      {{-w, h, b}, {0, 0, 1}, {1, vTop}},
      {{w, h, b}, {0, 0, 1}, {0, vTop}},
  }};
}

void DrawAxisNameSquare(ViewState& state, GraphicsDevice& dev, std::int32_t axis) {
  Material white{};
  white.diffuse = {1, 1, 1, 1};
  white.ambient = {1, 1, 1, 1};

  // The vertical axis is named by the caption, not by a plate. Other indices
  // keep whatever world transform is current.
  if (axis == 1) return;
  const std::shared_ptr<SceneNode>& anchor = axis == 0 ? state.xNameAnchor : state.depthNameAnchor;
  if (axis == 0 || axis == 2) {
    if (!anchor) return;  // no scene built yet
    dev.SetTransform(Transform::World, anchor->WorldMatrix());
  }

  dev.SetTexture(state.axisNameTexture);
  dev.SetMaterial(white);
  const std::array<Vertex, 8> plate = AxisNamePlate(axis, state.titleLineHeight);
  dev.DrawVertices(Primitive::TriangleFan, std::span(plate).first<4>());
  dev.DrawVertices(Primitive::TriangleFan, std::span(plate).last<4>());
}

}  // namespace rp
