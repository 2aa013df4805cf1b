// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plot/DescribeFrame.h"
#include "scene/SceneMath.h"
#include "support/InteractionScene.h"

namespace rp {
namespace {

using testing::MakePoint;

glm::vec3 Centre(const Quad& q) { return (q.corners[0] + q.corners[1] + q.corners[2] + q.corners[3]) / 4.0f; }

TEST(DescribeFrame, PlatesGlassTextureAndCaptionWithoutPoints) {
  ViewState s;
  testing::StartedView(s);
  s.xAxisName = "event n";
  s.verticalAxisName = "event n+2d";
  s.depthAxisName = "event n+d";
  s.showGlass = true;
  const SceneDescription scene = DescribeFrame(s);
  EXPECT_TRUE(scene.spheres.empty());
  EXPECT_EQ(scene.background, 0xFF303030u);
  EXPECT_EQ(scene.axisNames.lines, (std::vector<std::string>{"event n", "event n+2d", "event n+d"}));
  ASSERT_EQ(scene.texts.size(), 1u);
  EXPECT_EQ(scene.texts[0].lines[0].text, "z axis = event n+2d");
  EXPECT_EQ(scene.texts[0].x, 10);
  EXPECT_EQ(scene.texts[0].y, 20);

  // The x plate at (0, 0, -6) facing the camera, the depth plate at (6, 0, 0)
  // turned to face +x; each has a front and a mirrored back face on its line.
  ASSERT_EQ(scene.quads.size(), 4u + 6u);
  const Quad& x = scene.quads[0];
  EXPECT_NEAR(glm::length(Centre(x) - glm::vec3(0, 0, -6)), 0, 1e-5);
  EXPECT_EQ(x.normal, glm::vec3(0, 0, -1));
  EXPECT_EQ(x.texture, QuadTexture::AxisNames);
  EXPECT_EQ(x.textureLine, 0);
  EXPECT_EQ(x.corners[0], glm::vec3(-2, -0.25f, -6));
  EXPECT_EQ(x.texCoords[0], glm::vec2(0, 1)) << "bottom left shows the line's left end, bottom row";
  EXPECT_EQ(scene.quads[1].corners[0].x, 2) << "the back face runs the other way";
  EXPECT_EQ(scene.quads[1].texCoords[0], glm::vec2(0, 1));
  const Quad& depth = scene.quads[2];
  EXPECT_EQ(depth.textureLine, 2);
  EXPECT_NEAR(glm::length(Centre(depth) - glm::vec3(6, 0, 0)), 0, 1e-4);
  EXPECT_NEAR(depth.normal.x, 1, 1e-3);
  EXPECT_NEAR(scene.quads[3].normal.x, -1, 1e-3);

  // The glass: a 10 x 10 plate 0.1 thick lying on the floor, light grey at
  // alpha 0.2, its big faces flat.
  float low = 1, high = -1;
  for (std::size_t i = 4; i < 10; ++i) {
    const Quad& g = scene.quads[i];
    EXPECT_EQ(g.texture, QuadTexture::None);
    EXPECT_FLOAT_EQ(g.colour.a, 0x33 / 255.0f);
    EXPECT_FLOAT_EQ(g.colour.r, 0xC0 / 255.0f);
    for (const glm::vec3& c : g.corners) {
      EXPECT_NEAR(std::abs(c.x), 5, 1e-3);
      low = std::min(low, c.y);
      high = std::max(high, c.y);
    }
  }
  EXPECT_NEAR(low, -0.05f, 1e-3);
  EXPECT_NEAR(high, 0.05f, 1e-3);
  s.showGlass = false;
  EXPECT_EQ(DescribeFrame(s).quads.size(), 4u);
}

TEST(DescribeFrame, OneSpherePerPointInItsPlaceSizeAndColourUnderThePlotsTurn) {
  ViewState s;
  testing::StartedView(s);
  s.points.Add(MakePoint("a", 1, 2, 3));
  DataEntry half = MakePoint("b", 0, -0.001f, 0, 2.0);
  half.colour = static_cast<std::int32_t>(0x80FF0000u);
  s.points.Add(half);
  s.points.Add(MakePoint("placeholder", -1, 0, 1, 0.0));
  s.points.Add(MakePoint("nan", 0, std::numeric_limits<float>::quiet_NaN(), 0));
  s.compared.push_back({"other", static_cast<std::int32_t>(0xFF00AA00u), {}});
  s.compared[0].points.Add(MakePoint("c", 4, 5, 6));
  s.compared[0].points.Item(0).colour = s.compared[0].colour;
  s.points.Item(0).colour = static_cast<std::int32_t>(0xFF0000FFu);
  s.camera.orientation = QuatFromAxisAngle({0, 1, 0}, 0.5f);

  const SceneDescription scene = DescribeFrame(s);
  ASSERT_EQ(scene.spheres.size(), 5u);
  EXPECT_EQ(scene.spheres[0].centre, glm::vec3(1, 2, 3));
  EXPECT_FLOAT_EQ(scene.spheres[0].radius, 0.1f);
  EXPECT_EQ(scene.spheres[0].colour.b, 1.0f);
  EXPECT_EQ(scene.spheres[0].point, (PointRef{0, 0}));
  EXPECT_FLOAT_EQ(scene.spheres[1].radius, 0.2f);
  EXPECT_FLOAT_EQ(scene.spheres[1].colour.a, 128 / 255.0f);
  EXPECT_EQ(scene.spheres[2].radius, 0.0f) << "drawn as nothing";
  EXPECT_EQ(scene.spheres[4].point, (PointRef{1, 0}));
  EXPECT_FLOAT_EQ(scene.spheres[4].colour.g, 170 / 255.0f);
  EXPECT_EQ(scene.orientation, RotationMatrix(s.camera.orientation)) << "the plot's turn, not baked into the points";
  EXPECT_EQ(scene.camera.viewport.width, 606u);
}

}  // namespace
}  // namespace rp
