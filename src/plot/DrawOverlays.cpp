// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/DrawOverlays.h"

#include "plot/DrawLine.h"
#include "plot/PlotScaling.h"
#include "plot/ViewState.h"
#include "scene/GraphicsDevice.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"

namespace rp {

namespace {

constexpr std::uint32_t kConnectColour = 0xFFFFB000;  // orange
constexpr std::uint32_t kDropColour = 0xFFFF0000;     // red
constexpr std::uint32_t kShadowColour = 0xFFAACCFF;   // light blue
constexpr std::uint32_t kCrossColour = 0x00000FF0;    // blue
constexpr float kShadowHeight = 0.1f;                 // shadows and cross float just above the floor
constexpr float kCrossHalfLength = 5.0f;

// Where the scaling puts a point whose three values are all at their
// minimum. Such points are left out of the path: exact comparison on purpose.
bool AtLowCorner(const glm::vec3& p) { return p.x == -kAxisExtent && p.y == 0.0f && p.z == -kAxisExtent; }

glm::vec3 PositionOf(const DataEntry& e) { return {e.x, e.y, e.z}; }

// The path from point to point with its drop lines and floor shadow, as the
// display toggles say.
void DrawPath(const ViewState& state, GraphicsDevice& dev, const PointCollection& points, std::uint32_t connect,
              std::uint32_t shadow) {
  if (points.Empty()) return;
  glm::vec3 prev = PositionOf(points.Item(1));
  for (std::size_t i = 2; i <= points.Count(); ++i) {
    const glm::vec3 cur = PositionOf(points.Item(i));
    const bool onPath = !AtLowCorner(prev) && !AtLowCorner(cur);
    if (state.showConnectLines && onPath) DrawLine(dev, prev, cur, connect);
    if (state.showDropLines) DrawLine(dev, {cur.x, 0.0f, cur.z}, cur, kDropColour);
    if (state.showFloorShadows && onPath)
      DrawLine(dev, {cur.x, kShadowHeight, cur.z}, {prev.x, kShadowHeight, prev.z}, shadow);
    prev = cur;
  }
}

}  // namespace

void DrawOverlays(ViewState& state, GraphicsDevice& dev) {
  dev.SetTransform(Transform::World, state.rootNode ? state.rootNode->GetMatrix() : glm::mat4(1.0f));

  // An empty collection draws only the cross. A compared path and its
  // shadow are in the performance's own colour, so each can be told apart.
  DrawPath(state, dev, state.points, kConnectColour, kShadowColour);
  for (const PointGroup& group : state.compared) {
    const auto colour = static_cast<std::uint32_t>(group.colour);
    DrawPath(state, dev, group.points, colour, colour);
  }

  DrawLine(dev, {-kCrossHalfLength, kShadowHeight, 0.0f}, {kCrossHalfLength, kShadowHeight, 0.0f}, kCrossColour);
  DrawLine(dev, {0.0f, kShadowHeight, -kCrossHalfLength}, {0.0f, kShadowHeight, kCrossHalfLength}, kCrossColour);
}

}  // namespace rp
