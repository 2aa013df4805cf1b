// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "plot/OverlayLines.h"
#include "scene/SceneMath.h"
#include "support/InteractionScene.h"

namespace rp {
namespace {

using testing::MakePoint;

using Line = LineSegment;

std::vector<Line> Lines(const ViewState& s) {
  std::vector<Line> lines;
  AppendOverlayLines(s, lines);
  return lines;
}

bool IsColour(const ColourF& c, float r, float g, float b, float a) {
  return std::abs(c.r - r) < 1e-6f && std::abs(c.g - g) < 1e-6f && std::abs(c.b - b) < 1e-6f &&
         std::abs(c.a - a) < 1e-6f;
}
bool IsConnect(const Line& l) { return IsColour(l.colour, 1, 176 / 255.0f, 0, 1); }
bool IsDrop(const Line& l) { return IsColour(l.colour, 1, 0, 0, 1); }
bool IsShadow(const Line& l) { return IsColour(l.colour, 170 / 255.0f, 204 / 255.0f, 1, 1); }
bool IsCross(const Line& l) { return IsColour(l.colour, 0, 15 / 255.0f, 240 / 255.0f, 0); }
bool Same(const glm::vec3& a, const glm::vec3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

class OverlaysTest : public ::testing::Test {
 protected:
  void AllOn() { s_.showConnectLines = s_.showDropLines = s_.showFloorShadows = true; }
  ViewState s_;
};

TEST_F(OverlaysTest, TogglesOffGiveOnlyTheFloorCrossInThePlotsSpace) {
  s_.showConnectLines = s_.showDropLines = s_.showFloorShadows = false;
  s_.points.Add(MakePoint("a", 1, 2, 3));
  s_.points.Add(MakePoint("b", -1, 5, 2));
  s_.camera.orientation = QuatFromAxisAngle({0, 1, 0}, 0.5f);
  const auto lines = Lines(s_);
  ASSERT_EQ(lines.size(), 2u);
  for (const Line& l : lines) EXPECT_TRUE(IsCross(l));
  EXPECT_TRUE(Same(lines[0].from, {-5, 0.1f, 0}) && Same(lines[0].to, {5, 0.1f, 0}));
  EXPECT_TRUE(Same(lines[1].from, {0, 0.1f, -5}) && Same(lines[1].to, {0, 0.1f, 5}));

  // No points at all (a performance without notes): still the cross, no fault.
  ViewState empty;
  empty.showConnectLines = empty.showDropLines = empty.showFloorShadows = true;
  EXPECT_EQ(Lines(empty).size(), 2u);
}

TEST_F(OverlaysTest, EveryDrawnPointHasItsLinesAndThePathBreaksWhereAnEventHasNone) {
  s_.points.Add(MakePoint("hidden", 3, 3, 3, 0.0));  // a placeholder: not drawn, no lines
  s_.points.Add(MakePoint("p1", 1, 2, 3));
  s_.points.Add(MakePoint("low", -4, 0, -4));  // all three values at their minimum: a point like any other
  s_.points.Break();                           // an event without a point
  s_.points.Add(MakePoint("p3", 0, 1, 0));
  s_.points.Add(MakePoint("p4", -4, 5, -4));
  AllOn();
  const auto lines = Lines(s_);

  std::vector<Line> connect, drop, shadow;
  for (const Line& l : lines) {
    if (IsConnect(l)) connect.push_back(l);
    if (IsDrop(l)) drop.push_back(l);
    if (IsShadow(l)) shadow.push_back(l);
  }
  // Joined: p1-low and p3-p4; not across the break, not from the placeholder.
  ASSERT_EQ(connect.size(), 2u);
  EXPECT_TRUE(Same(connect[0].from, {1, 2, 3}) && Same(connect[0].to, {-4, 0, -4}));
  EXPECT_TRUE(Same(connect[1].from, {0, 1, 0}) && Same(connect[1].to, {-4, 5, -4}));
  // Shadows: 0.1 above the floor, from the current point back to the previous.
  ASSERT_EQ(shadow.size(), 2u);
  EXPECT_TRUE(Same(shadow[0].from, {-4, 0.1f, -4}) && Same(shadow[0].to, {1, 0.1f, 3}));
  // A drop line for every drawn point, the first and the low one included.
  ASSERT_EQ(drop.size(), 4u);
  EXPECT_TRUE(Same(drop[0].from, {1, 0, 3}) && Same(drop[0].to, {1, 2, 3}));
  EXPECT_TRUE(Same(drop[1].from, {-4, 0, -4}) && Same(drop[1].to, {-4, 0, -4}));
  EXPECT_TRUE(Same(drop[2].from, {0, 0, 0}) && Same(drop[2].to, {0, 1, 0}));
  // Per point: connect, shadow, drop; then the cross last.
  EXPECT_EQ(lines.size(), 2u + 4u + 2u + 2u);
  EXPECT_TRUE(IsDrop(lines[0]) && IsConnect(lines[1]) && IsShadow(lines[2]) && IsDrop(lines[3]));
  EXPECT_TRUE(IsCross(lines[lines.size() - 2]) && IsCross(lines.back()));
}

}  // namespace
}  // namespace rp
