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

glm::vec3 PositionOf(const DataEntry& e) { return {e.x, e.y, e.z}; }

// A point of size 0 (a placeholder) is not drawn and gets no lines.
bool Drawn(const DataEntry& e) { return e.size != 0.0; }

void Add(std::vector<LineSegment>& lines, const glm::vec3& from, const glm::vec3& to, std::uint32_t argb) {
  lines.push_back({from, to, ColourFromArgb(static_cast<std::int32_t>(argb))});
}

// The path from point to point with its drop lines and floor shadow, as the
// display toggles say: every drawn point gets its drop line, and two drawn
// points are joined unless the second breaks the path.
void AddPath(const ViewState& state, std::vector<LineSegment>& lines, const PointCollection& points,
             std::uint32_t connect, std::uint32_t shadow) {
  const DataEntry* prev = nullptr;
  for (const DataEntry& p : points) {
    if (!Drawn(p)) {
      prev = nullptr;
      continue;
    }
    const glm::vec3 cur = PositionOf(p);
    if (prev != nullptr && !p.breaksPath) {
      const glm::vec3 from = PositionOf(*prev);
      if (state.showConnectLines) Add(lines, from, cur, connect);
      if (state.showFloorShadows) Add(lines, {cur.x, kShadowHeight, cur.z}, {from.x, kShadowHeight, from.z}, shadow);
    }
    if (state.showDropLines) Add(lines, {cur.x, 0.0f, cur.z}, cur, kDropColour);
    prev = &p;
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
