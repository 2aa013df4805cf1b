// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "plot/DrawAxisNameSquare.h"
#include "plot/DrawOverlays.h"
#include "plot/PlotScaling.h"
#include "support/InteractionScene.h"

namespace rp {
namespace {

using testing::MakePoint;

struct Line {
  glm::vec3 a, b;
  ColourF colour;
};

std::vector<Line> RecordedLines(const RecordingDevice& dev) {
  std::vector<Line> lines;
  for (const DeviceCall* c : dev.Calls("DrawVertices")) {
    EXPECT_EQ(c->args[0], static_cast<std::uint32_t>(Primitive::Lines));
    const auto& v = c->vertices;
    EXPECT_EQ(v.size(), 2u);
    for (const auto& x : v) EXPECT_TRUE(x.normal == glm::vec3(0.0f) && x.texCoord == glm::vec2(0.0f));
    EXPECT_EQ(std::memcmp(&c->state.material.diffuse, &c->state.material.ambient, sizeof(ColourF)), 0);
    lines.push_back({v[0].position, v[1].position, c->state.material.diffuse});
  }
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

std::size_t CountIf(const std::vector<Line>& lines, bool (*pred)(const Line&)) {
  return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), pred));
}

class OverlaysTest : public ::testing::Test {
 protected:
  void Build() { testing::BuildTestScene(s_, dev_); }
  void AllOn() { s_.showConnectLines = s_.showDropLines = s_.showFloorShadows = true; }
  ViewState s_;
  RecordingDevice dev_;
};

TEST_F(OverlaysTest, TogglesOffDrawOnlyTheFloorCrossInTheRootTransform) {
  s_.points.Add(MakePoint("a", 1, 2, 3));
  s_.points.Add(MakePoint("b", -1, 5, 2));
  Build();
  s_.rootNode->AddRotation(SceneNode::Combine::Before, 0, 1, 0, 0.5f);
  DrawOverlays(s_, dev_);
  const auto lines = RecordedLines(dev_);
  ASSERT_EQ(lines.size(), 2u);
  for (const Line& l : lines) EXPECT_TRUE(IsCross(l));
  EXPECT_TRUE(Same(lines[0].a, {-5, 0.1f, 0}) && Same(lines[0].b, {5, 0.1f, 0}));
  EXPECT_TRUE(Same(lines[1].a, {0, 0.1f, -5}) && Same(lines[1].b, {0, 0.1f, 5}));
  // The lines turn with the plot.
  const DeviceCall* draw = dev_.Calls("DrawVertices")[0];
  EXPECT_EQ(std::memcmp(&draw->state.world, &s_.rootNode->GetMatrix(), sizeof(glm::mat4)), 0);

  // No points at all (a performance without notes): still the cross, no fault.
  ViewState empty;
  RecordingDevice dev2;
  empty.showConnectLines = empty.showDropLines = empty.showFloorShadows = true;
  DrawOverlays(empty, dev2);
  EXPECT_EQ(dev2.Count("DrawVertices"), 2u);
}

TEST_F(OverlaysTest, PathDropLinesAndShadowsWithTheLowCornerRule) {
  s_.points.Add(MakePoint("p1", 1, 2, 3));
  s_.points.Add(MakePoint("p2", 2, 3, 1));
  s_.points.Add(MakePoint("low", -4, 0, -4));  // all three values at their minimum
  s_.points.Add(MakePoint("p4", 0, 1, 0));
  s_.points.Add(MakePoint("under", -4, -4, -4));  // y is not 0: not the low corner
  Build();
  AllOn();
  DrawOverlays(s_, dev_);
  const auto lines = RecordedLines(dev_);

  // Connecting lines only between p1-p2 and p4-under; the low point has none.
  std::vector<Line> connect, drop, shadow;
  for (const Line& l : lines) {
    if (IsConnect(l)) connect.push_back(l);
    if (IsDrop(l)) drop.push_back(l);
    if (IsShadow(l)) shadow.push_back(l);
  }
  ASSERT_EQ(connect.size(), 2u);
  EXPECT_TRUE(Same(connect[0].a, {1, 2, 3}) && Same(connect[0].b, {2, 3, 1}));
  EXPECT_TRUE(Same(connect[1].a, {0, 1, 0}) && Same(connect[1].b, {-4, -4, -4}));
  // Shadows: 0.1 above the floor, from the current point back to the previous.
  ASSERT_EQ(shadow.size(), 2u);
  EXPECT_TRUE(Same(shadow[0].a, {2, 0.1f, 1}) && Same(shadow[0].b, {1, 0.1f, 3}));
  EXPECT_TRUE(Same(shadow[1].a, {-4, 0.1f, -4}) && Same(shadow[1].b, {0, 0.1f, 0}));
  // Drop lines for points 2 to 5, the low point included; point 1 has none.
  ASSERT_EQ(drop.size(), 4u);
  EXPECT_TRUE(Same(drop[0].a, {2, 0, 1}) && Same(drop[0].b, {2, 3, 1}));
  EXPECT_TRUE(Same(drop[1].a, {-4, 0, -4}) && Same(drop[1].b, {-4, 0, -4}));
  EXPECT_TRUE(Same(drop[3].a, {-4, 0, -4}) && Same(drop[3].b, {-4, -4, -4}));
  // Per point: connect, drop, shadow; then the cross last.
  EXPECT_EQ(lines.size(), 2u + 4u + 2u + 2u);
  EXPECT_TRUE(IsConnect(lines[0]) && IsDrop(lines[1]) && IsShadow(lines[2]));
  EXPECT_TRUE(IsCross(lines[lines.size() - 2]) && IsCross(lines.back()));

  // One point: nothing but the cross, even with every toggle on.
  ViewState one;
  RecordingDevice dev2;
  one.points.Add(MakePoint("only", 1, 1, 1));
  one.showConnectLines = one.showDropLines = one.showFloorShadows = true;
  DrawOverlays(one, dev2);
  EXPECT_EQ(CountIf(RecordedLines(dev2), IsCross), 2u);
  EXPECT_EQ(dev2.Count("DrawVertices"), 2u);
}

TEST_F(OverlaysTest, AxisNamePlatesSitOnTheirAnchorsWithTheirTextureRows) {
  Build();
  s_.titleLineHeight = 20;
  s_.axisNameTexture = dev_.CreateTexture(256, 256, 0, TextureFormat::Rgb);
  s_.rootNode->AddRotation(SceneNode::Combine::Before, 1, 0, 0, 0.3f);
  s_.rootNode->UpdateWorldMatrices();

  DrawAxisNameSquare(s_, dev_, 1);  // the vertical axis has no plate
  EXPECT_EQ(dev_.Count("DrawVertices"), 0u);

  DrawAxisNameSquare(s_, dev_, 2);
  const auto draws = dev_.Calls("DrawVertices");
  ASSERT_EQ(draws.size(), 2u);
  for (const DeviceCall* c : draws) {
    EXPECT_EQ(c->args[0], static_cast<std::uint32_t>(Primitive::TriangleFan));
    EXPECT_EQ(c->state.texture, s_.axisNameTexture);
    EXPECT_TRUE(IsColour(c->state.material.diffuse, 1, 1, 1, 1));
    EXPECT_TRUE(IsColour(c->state.material.ambient, 1, 1, 1, 1));
    EXPECT_EQ(std::memcmp(&c->state.world, &s_.depthNameAnchor->WorldMatrix(), sizeof(glm::mat4)), 0);
  }
  const auto& front = draws[0]->vertices;
  const auto& back = draws[1]->vertices;
  ASSERT_EQ(front.size(), 4u);
  ASSERT_EQ(back.size(), 4u);
  // Line 2 of the texture: rows 40 to 60 of 256.
  EXPECT_FLOAT_EQ(front[0].texCoord.y, 60.0f / 256);
  EXPECT_FLOAT_EQ(front[2].texCoord.y, 40.0f / 256);
  // A 4 x 0.5 face; the back one 0.01 behind, its u mirrored so the name reads
  // left to right from behind too.
  EXPECT_EQ(front[0].position, glm::vec3(-2, -0.25f, 0));
  EXPECT_EQ(front[0].normal.z, -1.0f);
  EXPECT_EQ(front[2].position, glm::vec3(2, 0.25f, 0));
  EXPECT_EQ(front[2].texCoord.x, 1.0f);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(back[i].position.x, -front[i].position.x);
    EXPECT_EQ(back[i].position.y, front[i].position.y);
    EXPECT_FLOAT_EQ(back[i].position.z, 0.01f);
    EXPECT_EQ(back[i].normal.z, 1.0f);
    EXPECT_EQ(back[i].texCoord.x, front[i].texCoord.x);  // same u at the mirrored corner
    EXPECT_EQ(back[i].texCoord.y, front[i].texCoord.y);
  }

  // Axis 0 on its own anchor, rows 0 to 20; a tall font can push vBottom past 1.
  DrawAxisNameSquare(s_, dev_, 0);
  EXPECT_EQ(std::memcmp(&dev_.Calls("DrawVertices")[2]->state.world, &s_.xNameAnchor->WorldMatrix(), sizeof(glm::mat4)),
            0);
  EXPECT_FLOAT_EQ(AxisNamePlate(0, 20)[3].texCoord.y, 0.0f);
  EXPECT_FLOAT_EQ(AxisNamePlate(2, 100)[0].texCoord.y, 300.0f / 256);
}

}  // namespace
}  // namespace rp
