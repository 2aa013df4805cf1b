// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "MatrixTestUtil.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"
#include "support/RecordingDevice.h"

namespace rp {
namespace {

using testing_util::MatrixNear;
using testing_util::VectorNear;

constexpr float kPi = 3.14159265358979f;
using Combine = SceneNode::Combine;

TEST(SceneNode, LocalMatrixFromComponentsAndRotations) {
  auto f = NewSceneNode(nullptr);
  EXPECT_EQ(f->GetMatrix(), glm::mat4(1.0f));
  EXPECT_TRUE(MatrixNear(f->WorldMatrix(), glm::mat4(0.0f), 0));
  EXPECT_TRUE(f->enabled);
  EXPECT_EQ(f->name, "");

  f->SetPosition({1, 2, 3});
  EXPECT_TRUE(MatrixNear(f->GetMatrix(), TranslationMatrix({1, 2, 3})));
  EXPECT_TRUE(VectorNear(f->GetPosition(), {1, 2, 3}));

  // Orientation about a centre: (1, 0, 0) stays, the origin moves to (2, 0, 0).
  auto g = NewSceneNode(nullptr);
  g->SetOrientationCenter({1, 0, 0});
  g->SetOrientation(QuatFromAxisAngle({0, 1, 0}, kPi));
  EXPECT_TRUE(VectorNear(TransformPoint({1, 0, 0}, g->GetMatrix()), {1, 0, 0}));
  EXPECT_TRUE(VectorNear(TransformPoint({0, 0, 0}, g->GetMatrix()), {2, 0, 0}));
  EXPECT_TRUE(VectorNear(g->GetPosition(), {2, 0, 0}));
  // Scale acts about the origin, before the turn.
  g->SetScale(3);
  EXPECT_TRUE(VectorNear(TransformPoint({1, 0, 0}, g->GetMatrix()), {-1, 0, 0}));
  EXPECT_EQ(g->GetScale(), 3.0f);

  // A composed rotation is lost when a component is set again.
  auto h = NewSceneNode(nullptr);
  h->AddRotation(Combine::Before, 0, 1, 0, 0.7f);
  EXPECT_NE(h->GetMatrix(), glm::mat4(1.0f));
  h->SetScale(2);
  EXPECT_TRUE(MatrixNear(h->GetMatrix(), ScalingMatrix(2, 2, 2)));

  // Before turns the node about its own origin; After turns its position
  // about the parent's; Replace drops what was there.
  auto before = NewSceneNode(nullptr), after = NewSceneNode(nullptr);
  before->SetPosition({0, 0, 5});
  after->SetPosition({0, 0, 5});
  before->AddRotation(Combine::Before, 0, 2, 0, kPi / 2);
  after->AddRotation(Combine::After, 0, 2, 0, kPi / 2);
  EXPECT_TRUE(VectorNear(TransformPoint({1, 0, 0}, before->GetMatrix()), {0, 0, 4}));
  EXPECT_TRUE(VectorNear(after->GetPosition(), {5, 0, 0}));
  after->AddRotation(Combine::Replace, 1, 0, 0, kPi);
  EXPECT_TRUE(MatrixNear(after->GetMatrix(), RotationMatrix({1, 0, 0}, kPi)));
}

TEST(SceneNode, WorldMatricesComposeDownTheTreeAndIgnoreEnabled) {
  auto root = NewSceneNode(nullptr);
  auto mid = NewSceneNode(root);
  auto leaf = NewSceneNode(mid);
  root->AddRotation(Combine::Replace, 0, 1, 0, kPi / 2);
  mid->SetPosition({1, 0, 0});
  leaf->SetScale(2);
  mid->enabled = false;
  root->UpdateWorldMatrices();
  // leaf: scale 2, then +1 along x, then a quarter turn about y.
  EXPECT_TRUE(VectorNear(TransformPoint({1, 0, 0}, leaf->WorldMatrix()), {0, 0, -3}));
  EXPECT_TRUE(VectorNear(leaf->FromWorld({0, 0, -3}), {1, 0, 0}));
  // An update of a subtree takes the identity as its parent.
  mid->UpdateWorldMatrices();
  EXPECT_TRUE(VectorNear(TransformPoint({1, 0, 0}, leaf->WorldMatrix()), {3, 0, 0}));
  // Local changes leave the world matrices stale until the next update.
  mid->SetPosition({5, 0, 0});
  EXPECT_TRUE(VectorNear(TransformPoint({1, 0, 0}, leaf->WorldMatrix()), {3, 0, 0}));

  EXPECT_EQ(root->GetChild(0), mid);
  EXPECT_THROW(root->GetChild(1), std::out_of_range);
  EXPECT_THROW(root->GetMesh(0), std::out_of_range);
}

TEST(SceneNode, RenderDrawsTwoPassesWithAccumulatedWorldAndSkipsDisabled) {
  RecordingDevice dev;
  auto sphere = CreateSphere(dev, 0.1f, 8, 8);
  Material opaque{}, glass{};
  opaque.diffuse.a = 1.0f;
  glass.diffuse.a = 0.2f;

  auto root = NewSceneNode(nullptr);
  root->SetPosition({0, 1, 0});
  auto a = NewSceneNode(root);
  a->SetPosition({2, 0, 0});
  a->AddMesh(sphere)->SetMaterial(opaque);
  auto b = NewSceneNode(root);
  b->SetScale(3);
  b->AddMesh(sphere)->SetMaterial(glass);
  auto off = NewSceneNode(root);
  off->enabled = false;
  off->AddMesh(sphere)->SetMaterial(opaque);
  NewSceneNode(off)->AddMesh(sphere)->SetMaterial(opaque);

  dev.SetTransform(Transform::World, TranslationMatrix({9, 9, 9}));
  root->Render(dev);

  const auto draws = dev.Calls("DrawSubset");
  ASSERT_EQ(draws.size(), 2u);
  // Opaque first, without blending, at root then a...
  EXPECT_FALSE(draws[0]->state.alphaBlend);
  EXPECT_TRUE(MatrixNear(draws[0]->state.world, TranslationMatrix({2, 1, 0})));
  // ...then the see-through one with source-alpha blending, at root then b.
  EXPECT_TRUE(draws[1]->state.alphaBlend);
  EXPECT_EQ(draws[1]->state.srcBlend, BlendFactor::SrcAlpha);
  EXPECT_EQ(draws[1]->state.destBlend, BlendFactor::InvSrcAlpha);
  EXPECT_TRUE(MatrixNear(draws[1]->state.world, TranslationMatrix({0, 1, 0}) * ScalingMatrix(3, 3, 3)));
  // Blending ends off, the world transform back at the identity.
  EXPECT_FALSE(dev.CurrentDrawState().alphaBlend);
  EXPECT_EQ(dev.CurrentDrawState().world, glm::mat4(1.0f));

  // The render walk uses local matrices only, never stale world ones.
  EXPECT_TRUE(MatrixNear(a->WorldMatrix(), glm::mat4(0.0f), 0));
}

TEST(SceneNode, RenderBatchesRunsOfOneMeshAndKeepsTheOrderAndTheCurrentMaterial) {
  RecordingDevice dev;
  auto sphere = CreateSphere(dev, 0.1f, 8, 8);
  auto box = CreateBox(dev, 1, 1, 1);
  auto colour = [](float red) {
    Material m{};
    m.diffuse = {red, 0, 0, 1};
    return m;
  };
  auto root = NewSceneNode(nullptr);
  root->SetPosition({0, 1, 0});
  std::vector<std::shared_ptr<SceneNode>> nodes;
  for (int i = 0; i < 5; ++i) {
    nodes.push_back(NewSceneNode(root));
    nodes.back()->SetPosition({float(i), 0, 0});
  }
  nodes[0]->AddMesh(sphere)->SetMaterial(colour(0.1f));
  nodes[1]->AddMesh(sphere)->SetMaterial(colour(0.2f));
  nodes[2]->AddMesh(box)->SetMaterial(colour(0.3f));
  nodes[3]->AddMesh(sphere)->SetMaterial(colour(0.4f));
  nodes[4]->AddMesh(sphere);  // no material of its own: the device's current one

  root->Render(dev);

  // Two spheres, the box, one sphere: the run is cut wherever another mesh
  // comes, and before the mesh without a material.
  const auto batches = dev.Calls("DrawMeshInstances");
  ASSERT_EQ(batches.size(), 3u);
  EXPECT_EQ(batches[0]->object, sphere.get());
  EXPECT_EQ(batches[0]->args, std::vector<std::uint32_t>{2});
  EXPECT_EQ(batches[1]->object, box.get());
  EXPECT_EQ(batches[2]->args, std::vector<std::uint32_t>{1});
  const auto draws = dev.Calls("DrawSubset");
  ASSERT_EQ(draws.size(), 5u);
  for (int i = 0; i < 5; ++i)
    EXPECT_TRUE(MatrixNear(draws[std::size_t(i)]->state.world, TranslationMatrix({float(i), 1, 0}))) << i;
  EXPECT_FLOAT_EQ(draws[3]->state.material.diffuse.r, 0.4f);
  EXPECT_FLOAT_EQ(draws[4]->state.material.diffuse.r, 0.4f);
  EXPECT_EQ(dev.CurrentDrawState().world, glm::mat4(1.0f));
}

}  // namespace
}  // namespace rp
