// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "scene/LitColour.h"
#include "scene/SceneDefaults.h"
#include "scene/SceneMath.h"

namespace rp {
namespace {

TEST(SceneDefaults, UndistortedProjectionAndTheLight) {
  EXPECT_FLOAT_EQ(AspectRatio(0, 300), 1.0f);
  EXPECT_FLOAT_EQ(AspectRatio(400, 0), 1.0f);
  EXPECT_FLOAT_EQ(AspectRatio(400, 300), 0.75f);
  EXPECT_FLOAT_EQ(kFieldOfView, 0.78539816f) << "45 degrees";

  // A unit step right and a unit step up cover the same number of pixels on
  // a 400 x 300 client: circles stay round.
  const Viewport vp{0, 0, 400, 300, 0, 1};
  const glm::mat4 view = LookAtLH({0, 0, -20}, {0, 0, 0}, {0, 1, 0});
  auto offset = [&](glm::vec3 p) {
    return ProjectToWindow(p, vp, PlotProjection(400, 300), view, glm::mat4(1.0f)) - glm::vec3(200, 150, 0);
  };
  const glm::vec3 right = offset({1, 0, 0}), up = offset({0, 1, 0});
  EXPECT_NEAR(right.x, -up.y, 1e-3);
  EXPECT_GT(right.x, 0);
  // The camera 20 in front of the origin: the vertical field of view spans
  // 2 x 20 x tan(fov / 2) units over the 300 rows.
  EXPECT_NEAR(-up.y, 300 / (2 * 20 * std::tan(0.78539816 / 2)), 1e-2);

  // Lines (no normal) show their colour times the whole ambient light, 0xC0
  // grey plus the light's 0.1; a surface facing the light gets the white
  // light on top, clamped.
  const Lighting light = PlotLighting();
  const ColourF orange{1, 176 / 255.0f, 0, 1};
  const ColourF line = LitColour(orange, glm::vec3(0.0f), light);
  EXPECT_NEAR(line.g, 176 / 255.0f * (192 / 255.0f + 0.1f), 1e-6);
  EXPECT_EQ(line.b, 0.0f);
  const ColourF lit = LitColour({0, 0, 0.5f, 0.2f}, light.towardsLight, light);
  EXPECT_NEAR(lit.b, 0.5f * (192 / 255.0f + 0.1f) + 0.5f, 1e-6);
  EXPECT_EQ(lit.a, 0.2f);
  EXPECT_EQ(LitColour({1, 1, 1, 1}, light.towardsLight, light).r, 1.0f);
  EXPECT_NEAR(LitColour({0, 0, 1, 1}, -light.towardsLight, light).b, 192 / 255.0f + 0.1f, 1e-6) << "lit from behind";
  EXPECT_NEAR(light.towardsLight.y, 0.57735f, 1e-5) << "the light shines from above";
}

}  // namespace
}  // namespace rp
