// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "scene/SceneDefaults.h"
#include "scene/SceneMath.h"
#include "scene/ScenePick.h"

namespace rp {
namespace {

// The plot's camera looking along +z at spheres of radius 0.1.
SceneDescription Scene(std::initializer_list<glm::vec3> centres) {
  SceneDescription s;
  s.camera.view = LookAtLH({0, 0, -20}, {0, 0, 0}, {0, 1, 0});
  s.camera.projection = PlotProjection(606, 443);
  s.camera.viewport = {0, 0, 606, 443, 0, 1};
  std::size_t n = 1;
  for (const glm::vec3& c : centres) s.spheres.push_back({c, 0.1f, {0, 0, 1, 1}, {0, n++}});
  return s;
}

TEST(ScenePick, TheNearestTrueSphereUnderThePointWins) {
  SceneDescription s = Scene({{0, 0, 5}, {0, 0, 0}, {0, 0, 3}, {2, 1, 0}});
  const glm::vec3 at = WindowPosition(s, {0, 0, 0});
  EXPECT_EQ(PickSphere(s, at.x, at.y), std::optional<std::size_t>(1)) << "in front of the other two";
  // The plot turned: the sphere is found where it shows now.
  s.orientation = RotationMatrix({0, 1, 0}, 0.3f);
  const glm::vec3 aside = WindowPosition(s, {2, 1, 0});
  EXPECT_EQ(PickSphere(s, aside.x, aside.y), std::optional<std::size_t>(3));
  EXPECT_FALSE(PickSphere(s, 5, 5));

  // The outline of the drawn sphere: just inside its radius hits, just
  // outside does not (where a 16-sided mesh would already miss or still hit).
  const glm::vec3 centre = TransformPoint({2, 1, 0}, s.orientation);
  const Camera& c = s.camera;
  const float pixelsPerUnit =
      ProjectToWindow(centre + glm::vec3(1, 0, 0), c.viewport, c.projection, c.view, glm::mat4(1.0f)).x - aside.x;
  EXPECT_TRUE(PickSphere(s, aside.x + 0.09f * pixelsPerUnit, aside.y));
  EXPECT_FALSE(PickSphere(s, aside.x + 0.12f * pixelsPerUnit, aside.y));

  // Nothing of radius 0 (a placeholder) is hit; an equal distance keeps the
  // earlier sphere.
  s.orientation = glm::mat4(1.0f);
  s.spheres[1].radius = 0.0f;
  EXPECT_EQ(PickSphere(s, at.x, at.y), std::optional<std::size_t>(2));
  s.spheres.push_back(s.spheres[2]);
  EXPECT_EQ(PickSphere(s, at.x, at.y), std::optional<std::size_t>(2));
  // A camera that sees nothing picks nothing.
  s.camera.projection = glm::mat4(0.0f);
  EXPECT_FALSE(PickSphere(s, at.x, at.y));
}

}  // namespace
}  // namespace rp
