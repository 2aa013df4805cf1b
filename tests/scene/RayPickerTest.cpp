// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "scene/RayPicker.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"
#include "support/RecordingDevice.h"

namespace rp {
namespace {

// A device set up like the plot view's camera, with helpers to place point
// spheres and to find the pixel of a world point.
class PickScene : public ::testing::Test {
 protected:
  void SetUp() override {
    dev_.SetTransform(Transform::View, LookAtLH({0, 0, -20}, {0, 0, 0}, {0, 1, 0}));
    dev_.SetTransform(Transform::Projection, PerspectiveFovLH(3.1415f / 4, 606.0f / 443, 1, 3000));
    sphere_ = CreateSphere(dev_, 0.1f, 16, 16);
    root_ = NewSceneNode(nullptr);
  }
  std::shared_ptr<SceneNode> Point(const std::shared_ptr<SceneNode>& parent, glm::vec3 pos, float scale = 1.0f) {
    auto f = NewSceneNode(parent);
    f->SetScale(scale);
    f->SetPosition(pos);
    f->AddMesh(sphere_);
    return f;
  }
  glm::vec3 Pixel(glm::vec3 world) {
    return ProjectToWindow(world, dev_.GetViewport(), dev_.GetTransform(Transform::Projection),
                           dev_.GetTransform(Transform::View), glm::mat4(1.0f));
  }
  // World z of a hit on the ray through pixel (x, y).
  float HitZ(const RayPicker& pick, std::int32_t i, glm::vec3 px) {
    const glm::mat4 unproject = UnprojectMatrix(dev_.GetViewport(), dev_.GetTransform(Transform::Projection),
                                                dev_.GetTransform(Transform::View), glm::mat4(1.0f));
    const glm::vec3 n = TransformPoint({px.x, px.y, 0}, unproject);
    const glm::vec3 f = TransformPoint({px.x, px.y, 1}, unproject);
    return n.z + pick.Get(i).dist * (f.z - n.z);
  }

  RecordingDevice dev_;
  std::shared_ptr<Mesh> sphere_;
  std::shared_ptr<SceneNode> root_;
};

TEST_F(PickScene, NearestWinsWhateverTheOrderAndPreorderIsKept) {
  auto far = Point(root_, {0, 0, 5});
  auto near = Point(root_, {0, 0, 0});
  auto nested = Point(far, {0, 0, 3});  // world (0, 0, 8), found right after `far`
  RayPicker pick;
  const glm::vec3 px = Pixel({0, 0, 0});
  EXPECT_TRUE(pick.PickAt(dev_, root_, px.x, px.y));
  ASSERT_EQ(pick.Count(), 3);
  EXPECT_EQ(pick.GetNode(0), far);
  EXPECT_EQ(pick.GetNode(1), nested);
  EXPECT_EQ(pick.GetNode(2), near);
  EXPECT_EQ(pick.FindNearest(), 2);
  EXPECT_NEAR(HitZ(pick, 2, px), -0.1f, 1e-3f);
  EXPECT_NEAR(HitZ(pick, 0, px), 4.9f, 1e-3f);
  EXPECT_NEAR(HitZ(pick, 1, px), 7.9f, 1e-3f);
  EXPECT_EQ(pick.Get(2).mesh->mesh, sphere_);
  EXPECT_GE(pick.Get(2).faceIndex, 0);
  EXPECT_LT(pick.Get(2).faceIndex, 480);
  EXPECT_THROW(pick.Get(3), std::out_of_range);

  // A miss empties the list: no nearest.
  EXPECT_FALSE(pick.PickAt(dev_, NewSceneNode(nullptr), px.x, px.y));
  EXPECT_TRUE(pick.PickAt(dev_, root_, 5, 5));
  EXPECT_EQ(pick.Count(), 0);
  EXPECT_EQ(pick.FindNearest(), -1);
}

TEST_F(PickScene, DisabledSubtreesScaledNodesAndEqualDistances) {
  auto hidden = NewSceneNode(root_);
  hidden->enabled = false;
  Point(hidden, {0, 0, -1});
  // Scaled nodes: the big sphere's surface (z 4.8) is nearer than the small
  // one's (4.85), though the small sphere's centre is nearer.
  auto big = Point(root_, {0, 0, 5}, 2.0f);
  auto small = Point(root_, {0, 0, 4.9f}, 0.5f);
  // A size-0 point is never hit.
  Point(root_, {0, 0, -2}, 0.0f);
  RayPicker pick;
  const glm::vec3 px = Pixel({0, 0, 0});
  pick.PickAt(dev_, root_, px.x, px.y);
  ASSERT_EQ(pick.Count(), 2);
  EXPECT_EQ(pick.GetNode(pick.FindNearest()), big);
  EXPECT_NEAR(HitZ(pick, 0, px), 4.8f, 1e-3f);
  EXPECT_NEAR(HitZ(pick, 1, px), 4.85f, 1e-3f);

  // The same node under two parents gives two hits of equal dist: the
  // nearest is the first.
  auto twice = NewSceneNode(nullptr);
  auto p = Point(twice, {1, 1, 1});
  twice->AddChild(p);
  const glm::vec3 px2 = Pixel({1, 1, 1});
  pick.PickAt(dev_, twice, px2.x, px2.y);
  ASSERT_EQ(pick.Count(), 2);
  EXPECT_EQ(pick.Get(0).dist, pick.Get(1).dist);
  EXPECT_EQ(pick.FindNearest(), 0);

  // The walk with explicit matrices appends.
  pick.PickAt(root_, dev_.GetViewport(), dev_.GetTransform(Transform::Projection), dev_.GetTransform(Transform::View),
              glm::mat4(1.0f), px.x, px.y);
  EXPECT_EQ(pick.Count(), 4);
}

}  // namespace
}  // namespace rp
