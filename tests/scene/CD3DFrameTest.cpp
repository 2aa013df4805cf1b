#include <gtest/gtest.h>

#include <cmath>

#include "MatrixTestUtil.h"
#include "platform/RecordingDevice.h"
#include "scene/CD3DFrame.h"

namespace rp {
namespace {

using testing_util::MatrixNear;
using testing_util::VectorNear;

constexpr float kPi = 3.14159265358979f;

TEST(CD3DFrame, LocalMatrixFromComponentsAndCompositions) {
  auto f = D3DUtil_NewFrame(nullptr);
  EXPECT_TRUE(D3DXMatrixIsIdentity(f->GetMatrix()));
  EXPECT_TRUE(MatrixNear(f->GetUpdatedMatrix(), D3DMATRIX{}, 0));
  EXPECT_TRUE(f->Enabled);
  EXPECT_EQ(f->ObjectName, "");

  f->SetPosition({1, 2, 3});
  EXPECT_TRUE(MatrixNear(f->GetMatrix(), D3DXMatrixTranslation(1, 2, 3)));
  EXPECT_TRUE(VectorNear(f->GetPosition(), {1, 2, 3}));

  // Orientation about a centre: (1, 0, 0) stays, the origin moves to (2, 0, 0).
  auto g = D3DUtil_NewFrame(nullptr);
  g->SetOrientationCenter({1, 0, 0});
  g->SetOrientation(D3DXQuaternionRotationAxis({0, 1, 0}, kPi));
  EXPECT_TRUE(VectorNear(D3DXVec3TransformCoord({1, 0, 0}, g->GetMatrix()), {1, 0, 0}));
  EXPECT_TRUE(VectorNear(D3DXVec3TransformCoord({0, 0, 0}, g->GetMatrix()), {2, 0, 0}));
  EXPECT_TRUE(VectorNear(g->GetPosition(), {2, 0, 0}));
  // Scale acts about the origin, before the turn.
  g->SetScale(3);
  EXPECT_TRUE(VectorNear(D3DXVec3TransformCoord({1, 0, 0}, g->GetMatrix()), {-1, 0, 0}));
  EXPECT_EQ(g->GetScale(), 3.0f);

  // A composed rotation is lost when a component is set again.
  auto h = D3DUtil_NewFrame(nullptr);
  h->AddRotation(0, 0, 1, 0, 0.7f);
  EXPECT_FALSE(D3DXMatrixIsIdentity(h->GetMatrix()));
  h->SetScale(2);
  EXPECT_TRUE(MatrixNear(h->GetMatrix(), D3DXMatrixScaling(2, 2, 2)));

  // Combine 0 moves along the frame's own turned axes, 1 along the parent's.
  auto own = D3DUtil_NewFrame(nullptr), parent = D3DUtil_NewFrame(nullptr);
  own->SetOrientation(D3DXQuaternionRotationAxis({0, 1, 0}, kPi / 2));
  parent->SetOrientation(D3DXQuaternionRotationAxis({0, 1, 0}, kPi / 2));
  own->AddTranslation(0, 1, 0, 0);
  parent->AddTranslation(1, 1, 0, 0);
  EXPECT_TRUE(VectorNear(own->GetPosition(), {0, 0, -1}));
  EXPECT_TRUE(VectorNear(parent->GetPosition(), {1, 0, 0}));
  // Combine 2 replaces; unknown combine types change nothing.
  const D3DMATRIX before = parent->GetMatrix();
  parent->AddScale(5, 2, 2, 2);
  EXPECT_TRUE(MatrixNear(parent->GetMatrix(), before, 0));
  parent->AddScale(2, 1, 2, 3);
  EXPECT_TRUE(MatrixNear(parent->GetMatrix(), D3DXMatrixScaling(1, 2, 3)));
  // Rotation with combine 0 comes before the existing transform.
  auto r = D3DUtil_NewFrame(nullptr);
  r->SetPosition({0, 0, 5});
  r->AddRotation(0, 0, 2, 0, kPi / 2);
  EXPECT_TRUE(VectorNear(D3DXVec3TransformCoord({1, 0, 0}, r->GetMatrix()), {0, 0, 4}));
}

TEST(CD3DFrame, UpdateFramesComposesDownTheTreeAndIgnoresEnabled) {
  auto root = D3DUtil_NewFrame(nullptr);
  auto mid = D3DUtil_NewFrame(root);
  auto leaf = D3DUtil_NewFrame(mid);
  root->AddRotation(2, 0, 1, 0, kPi / 2);
  mid->SetPosition({1, 0, 0});
  leaf->SetScale(2);
  mid->Enabled = false;
  root->UpdateFrames();
  // leaf: scale 2, then +1 along x, then a quarter turn about y.
  EXPECT_TRUE(VectorNear(leaf->TransformCoord({1, 0, 0}), {0, 0, -3}));
  EXPECT_TRUE(VectorNear(leaf->TransformNormal({1, 0, 0}), {0, 0, -2}));
  EXPECT_TRUE(VectorNear(leaf->InverseTransformCoord({0, 0, -3}), {1, 0, 0}));
  EXPECT_TRUE(VectorNear(leaf->InverseTransformNormal({0, 0, -2}), {1, 0, 0}));
  EXPECT_TRUE(MatrixNear(D3DXMatrixMultiply(leaf->GetUpdatedMatrix(), leaf->GetInverseUpdatedMatrix()),
                         D3DXMatrixIdentity()));
  // UpdateFrames on a subtree takes the identity as its parent.
  mid->UpdateFrames();
  EXPECT_TRUE(VectorNear(leaf->TransformCoord({1, 0, 0}), {3, 0, 0}));
  // Local changes leave the updated matrices stale until the next update.
  mid->SetPosition({5, 0, 0});
  EXPECT_TRUE(VectorNear(leaf->TransformCoord({1, 0, 0}), {3, 0, 0}));
}

TEST(CD3DFrame, RenderDrawsTwoPassesWithAccumulatedWorldAndSkipsDisabled) {
  RecordingDevice dev;
  auto sphere = CreateSphere(dev, 0.1f, 8, 8);
  D3DMATERIAL opaque{}, glass{};
  opaque.Diffuse.a = 1.0f;
  glass.Diffuse.a = 0.2f;

  auto root = D3DUtil_NewFrame(nullptr);
  root->SetPosition({0, 1, 0});
  auto a = D3DUtil_NewFrame(root);
  a->SetPosition({2, 0, 0});
  a->AddD3DXMesh(sphere)->SetMaterialOverride(opaque);
  auto b = D3DUtil_NewFrame(root);
  b->SetScale(3);
  b->AddD3DXMesh(sphere)->SetMaterialOverride(glass);
  auto off = D3DUtil_NewFrame(root);
  off->Enabled = false;
  off->AddD3DXMesh(sphere)->SetMaterialOverride(opaque);
  auto offChild = D3DUtil_NewFrame(off);
  offChild->AddD3DXMesh(sphere)->SetMaterialOverride(opaque);

  std::vector<std::string> events;
  a->SetPreRenderCallback([&](std::int32_t id) { events.push_back("pre" + std::to_string(id)); }, 7);
  a->SetPostRenderCallback([&](std::int32_t id) { events.push_back("post" + std::to_string(id)); }, 8);
  off->SetPreRenderCallback([&](std::int32_t) { events.push_back("off"); }, 0);

  dev.SetTransform(D3DTS_WORLD, D3DXMatrixTranslation(9, 9, 9));
  root->Render(dev);

  const auto draws = dev.Calls("DrawSubset");
  ASSERT_EQ(draws.size(), 2u);
  // Opaque first, without blending, at root x a...
  EXPECT_FALSE(draws[0]->state.alphaBlend);
  EXPECT_TRUE(MatrixNear(draws[0]->state.world, D3DXMatrixTranslation(2, 1, 0)));
  // ...then the see-through one with source-alpha blending, at root x b.
  EXPECT_TRUE(draws[1]->state.alphaBlend);
  EXPECT_EQ(draws[1]->state.srcBlend, D3DBLEND_SRCALPHA);
  EXPECT_EQ(draws[1]->state.destBlend, D3DBLEND_INVSRCALPHA);
  EXPECT_TRUE(MatrixNear(draws[1]->state.world,
                         D3DXMatrixMultiply(D3DXMatrixScaling(3, 3, 3), D3DXMatrixTranslation(0, 1, 0))));
  // Blending ends off, the world transform back at the identity; callbacks
  // run once per pass, never for the disabled frame.
  EXPECT_FALSE(dev.CurrentDrawState().alphaBlend);
  EXPECT_TRUE(D3DXMatrixIsIdentity(dev.CurrentDrawState().world));
  EXPECT_EQ(events, (std::vector<std::string>{"pre7", "post8", "pre7", "post8"}));

  // The render walk uses local matrices only, never stale updated ones.
  EXPECT_TRUE(MatrixNear(a->GetUpdatedMatrix(), D3DMATRIX{}, 0));
}

TEST(CD3DFrame, SearchesListsAndDestroy) {
  auto root = D3DUtil_NewFrame(nullptr);
  EXPECT_EQ(std::get<std::shared_ptr<CD3DFrame>>(root->FindChildObject("")), root);
  root->ObjectName = "root";
  auto child = D3DUtil_NewFrame(root);
  child->ObjectName = "x";
  auto grandchild = D3DUtil_NewFrame(child);
  grandchild->ObjectName = "g";
  auto mesh = std::make_shared<CD3DMesh>();
  mesh->ObjectName = "x";
  root->AddMesh(mesh);
  EXPECT_EQ(mesh->ClassName(), "CD3DMesh");

  // A frame's own meshes come before its children.
  EXPECT_EQ(std::get<std::shared_ptr<CD3DMesh>>(root->FindChildObject("x")), mesh);
  EXPECT_EQ(std::get<std::shared_ptr<CD3DFrame>>(root->FindChildObject("g")), grandchild);
  EXPECT_EQ(std::get<std::shared_ptr<CD3DFrame>>(root->FindChildObject("root", 123)), root);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(root->FindChildObject("none")));
  EXPECT_EQ(root->FindChildParent("g"), child);
  EXPECT_EQ(root->FindChildParent("x"), root);
  EXPECT_EQ(root->FindChildParent("root"), nullptr);  // never the frame itself

  EXPECT_EQ(root->GetChildMesh(0), mesh);
  EXPECT_THROW(root->GetChildMesh(1), std::out_of_range);
  EXPECT_THROW(root->GetChildFrame(-1), std::out_of_range);

  root->SetPosition({1, 1, 1});
  root->Destroy();
  EXPECT_EQ(root->GetChildFrameCount(), 0);
  EXPECT_EQ(root->GetChildMeshCount(), 0);
  EXPECT_EQ(root->ObjectName, "root");
  EXPECT_TRUE(VectorNear(root->GetPosition(), {1, 1, 1}));
  for (int i = 0; i < 7; ++i) D3DUtil_NewFrame(root);
  EXPECT_EQ(root->GetChildFrameCount(), 7);
  EXPECT_EQ(CD3DFrame::ClassName(), "CD3DFrame");
}

}  // namespace
}  // namespace rp
