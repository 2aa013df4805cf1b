// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "scene/SceneDefaults.h"
#include "scene/SceneMath.h"
#include "support/RecordingDevice.h"

namespace rp {
namespace {

// Pixel offset from the viewport centre of a point, through the device's
// view and projection.
glm::vec3 ToPixels(RecordingDevice& dev, const glm::vec3& p, float width, float height) {
  const Viewport vp{0, 0, std::uint32_t(width), std::uint32_t(height), 0, 1};
  const glm::vec3 s = ProjectToWindow(p, vp, dev.GetTransform(Transform::Projection), dev.GetTransform(Transform::View),
                                      glm::mat4(1.0f));
  return {s.x - width / 2, s.y - height / 2, s.z};
}

TEST(SceneDefaults, UndistortedProjectionTheLightMaterialAndStates) {
  EXPECT_FLOAT_EQ(AspectRatio(0, 300), 1.0f);
  EXPECT_FLOAT_EQ(AspectRatio(400, 0), 1.0f);
  EXPECT_FLOAT_EQ(AspectRatio(400, 300), 0.75f);
  EXPECT_FLOAT_EQ(kFieldOfView, 0.785375f);

  RecordingDevice dev;
  ApplySceneDefaults(dev, 400, 300);
  // A unit step right and a unit step up cover the same number of pixels on
  // a 400 x 300 client: circles stay round.
  const glm::vec3 right = ToPixels(dev, {1, 0, 0}, 400, 300), up = ToPixels(dev, {0, 1, 0}, 400, 300);
  EXPECT_NEAR(right.x, -up.y, 1e-3);
  EXPECT_GT(right.x, 0);
  // The camera 20 in front of the origin: the vertical field of view spans
  // 2 x 20 x tan(fov / 2) units over the 300 rows.
  EXPECT_NEAR(-up.y, 300 / (2 * 20 * std::tan(0.785375 / 2)), 1e-2);
  EXPECT_EQ(dev.Calls("SetTransform").front()->args[0], std::uint32_t(Transform::Projection));
  EXPECT_EQ(dev.GetTransform(Transform::World), glm::mat4(1.0f));

  ASSERT_TRUE(dev.LightEnabled(0));
  const Light& l = *dev.Light(0);
  EXPECT_EQ(l.type, LightType::Directional);
  EXPECT_NEAR(l.direction.x, -0.57735f, 1e-5);
  EXPECT_NEAR(l.direction.z, -0.57735f, 1e-5);
  EXPECT_FLOAT_EQ(l.diffuse.g, 1.0f);
  EXPECT_FLOAT_EQ(l.ambient.r, 0.1f);
  EXPECT_FLOAT_EQ(l.specular.r, 0.0f);
  EXPECT_FLOAT_EQ(l.range, 10000.0f);
  const Material m = dev.GetMaterial();
  EXPECT_FLOAT_EQ(m.diffuse.r, 0.5f);
  EXPECT_FLOAT_EQ(m.ambient.b, 0.2f);
  EXPECT_FLOAT_EQ(m.power, 10.0f);
  EXPECT_EQ(dev.States().ambientLight, 0x10101010u);
  EXPECT_TRUE(dev.States().lighting);
  EXPECT_TRUE(dev.States().depthTest);
  EXPECT_EQ(dev.States().shading, Shading::Gouraud);
}

}  // namespace
}  // namespace rp
