// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/OverlayLines.h"

#include "plot/PlotScaling.h"
#include "plot/ViewState.h"
#include "scene/ArgbColour.h"

namespace rp {

namespace {

constexpr std::uint32_t kDropColour = 0xFFFF0000;    // red
constexpr std::uint32_t kShadowColour = 0xFFAACCFF;  // light blue
constexpr std::uint32_t kCrossColour = 0x00000FF0;   // blue
constexpr float kShadowHeight = 0.1f;                // shadows and cross float just above the floor
constexpr float kCrossHalfLength = 5.0f;

// Where the scaling puts a point whose three values are all at their
// minimum. Such points are left out of the path: exact comparison on purpose.
bool AtLowCorner(const glm::vec3& p) { return p.x == -kAxisExtent && p.y == 0.0f && p.z == -kAxisExtent; }

glm::vec3 PositionOf(const DataEntry& e) { return {e.x, e.y, e.z}; }

void Add(std::vector<LineSegment>& lines, const glm::vec3& from, const glm::vec3& to, std::uint32_t argb) {
  lines.push_back({from, to, ColourFromArgb(static_cast<std::int32_t>(argb))});
}

// The path from point to point with its drop lines and floor shadow, as the
// display toggles say.
void AddPath(const ViewState& state, std::vector<LineSegment>& lines, const PointCollection& points,
             std::uint32_t connect, std::uint32_t shadow) {
  if (points.Empty()) return;
  glm::vec3 prev = PositionOf(points.Item(1));
  for (std::size_t i = 2; i <= points.Count(); ++i) {
    const glm::vec3 cur = PositionOf(points.Item(i));
    const bool onPath = !AtLowCorner(prev) && !AtLowCorner(cur);
    if (state.showConnectLines && onPath) Add(lines, prev, cur, connect);
    if (state.showDropLines) Add(lines, {cur.x, 0.0f, cur.z}, cur, kDropColour);
    if (state.showFloorShadows && onPath)
      Add(lines, {cur.x, kShadowHeight, cur.z}, {prev.x, kShadowHeight, prev.z}, shadow);
    prev = cur;
  }
}

}  // namespace

void AppendOverlayLines(const ViewState& state, std::vector<LineSegment>& lines) {
  // A compared path and its shadow are in the performance's own colour, so
  // each can be told apart.
  AddPath(state, lines, state.points, kConnectColour, kShadowColour);
  for (const PointGroup& group : state.compared) {
    const auto colour = static_cast<std::uint32_t>(group.colour);
    AddPath(state, lines, group.points, colour, colour);
  }
  Add(lines, {-kCrossHalfLength, kShadowHeight, 0.0f}, {kCrossHalfLength, kShadowHeight, 0.0f}, kCrossColour);
  Add(lines, {0.0f, kShadowHeight, -kCrossHalfLength}, {0.0f, kShadowHeight, kCrossHalfLength}, kCrossColour);
}

}  // namespace rp
