#include <gtest/gtest.h>

#include <cmath>

#include "platform/RecordingDevice.h"
#include "scene/CD3DFrame.h"
#include "scene/CD3DPick.h"

namespace rp {
namespace {

// A device set up like the plot view's camera, with helpers to place point
// spheres and to find the pixel of a world point.
class PickScene : public ::testing::Test {
 protected:
  void SetUp() override {
    dev.SetTransform(D3DTS_VIEW, D3DXMatrixLookAtLH({0, 0, -20}, {0, 0, 0}, {0, 1, 0}));
    dev.SetTransform(D3DTS_PROJECTION, D3DXMatrixPerspectiveFovLH(3.1415f / 4, 606.0f / 443, 1, 3000));
    sphere = CreateSphere(dev, 0.1f, 16, 16);
    root = D3DUtil_NewFrame(nullptr);
  }
  std::shared_ptr<CD3DFrame> Point(const std::shared_ptr<CD3DFrame>& parent, D3DVECTOR pos,
                                   float scale = 1.0f) {
    auto f = D3DUtil_NewFrame(parent);
    f->SetScale(scale);
    f->SetPosition(pos);
    f->AddD3DXMesh(sphere);
    return f;
  }
  D3DVECTOR Pixel(D3DVECTOR world) {
    return D3DXVec3Project(world, dev.GetViewport(), dev.GetTransform(D3DTS_PROJECTION),
                           dev.GetTransform(D3DTS_VIEW), D3DXMatrixIdentity());
  }
  // World z of a record's hit on the ray through pixel (x, y).
  float HitZ(const CD3DPick& pick, std::int32_t i, D3DVECTOR px) {
    const D3DMATRIX p = dev.GetTransform(D3DTS_PROJECTION), v = dev.GetTransform(D3DTS_VIEW);
    const D3DVECTOR n = D3DXVec3Unproject({px.x, px.y, 0}, dev.GetViewport(), p, v, D3DXMatrixIdentity());
    const D3DVECTOR f = D3DXVec3Unproject({px.x, px.y, 1}, dev.GetViewport(), p, v, D3DXMatrixIdentity());
    return n.z + pick.GetRecord(i).dist * (f.z - n.z);
  }

  RecordingDevice dev;
  std::shared_ptr<Mesh> sphere;
  std::shared_ptr<CD3DFrame> root;
};

TEST_F(PickScene, NearestWinsWhateverTheOrderAndPreorderIsKept) {
  auto far = Point(root, {0, 0, 5});
  auto near = Point(root, {0, 0, 0});
  auto nested = Point(far, {0, 0, 3});  // world (0, 0, 8), found right after `far`
  CD3DPick pick;
  const D3DVECTOR px = Pixel({0, 0, 0});
  EXPECT_TRUE(pick.ViewportPick(dev, root, px.x, px.y));
  ASSERT_EQ(pick.GetCount(), 3);
  EXPECT_EQ(pick.GetFrame(0), far);
  EXPECT_EQ(pick.GetFrame(1), nested);
  EXPECT_EQ(pick.GetFrame(2), near);
  EXPECT_EQ(pick.FindNearest(), 2);
  EXPECT_EQ(pick.FindFurthest(), 1);
  EXPECT_NEAR(HitZ(pick, 2, px), -0.1f, 1e-3f);
  EXPECT_NEAR(HitZ(pick, 0, px), 4.9f, 1e-3f);
  EXPECT_NEAR(HitZ(pick, 1, px), 7.9f, 1e-3f);
  EXPECT_EQ(pick.GetMesh(2)->mesh, sphere);
  float u, v, dist;
  std::int32_t face;
  pick.GetRecord(2, u, v, dist, face);
  EXPECT_EQ(dist, pick.GetRecord(2).dist);
  EXPECT_GE(face, 0);
  EXPECT_LT(face, 480);
  EXPECT_THROW(pick.GetRecord(3), std::out_of_range);

  // A miss empties the list: no nearest, no furthest.
  EXPECT_FALSE(pick.ViewportPick(dev, D3DUtil_NewFrame(nullptr), px.x, px.y));
  EXPECT_TRUE(pick.ViewportPick(dev, root, 5, 5));
  EXPECT_EQ(pick.GetCount(), 0);
  EXPECT_EQ(pick.FindNearest(), -1);
  EXPECT_EQ(pick.FindFurthest(), -1);
}

TEST_F(PickScene, DisabledSubtreesScaledFramesAndEqualDistances) {
  auto hidden = D3DUtil_NewFrame(root);
  hidden->Enabled = false;
  Point(hidden, {0, 0, -1});
  // Scaled frames: the big sphere's surface (z 4.8) is nearer than the small
  // one's (4.85), though the small sphere's centre is nearer.
  auto big = Point(root, {0, 0, 5}, 2.0f);
  auto small = Point(root, {0, 0, 4.9f}, 0.5f);
  // A size-0 point is never hit.
  Point(root, {0, 0, -2}, 0.0f);
  CD3DPick pick;
  const D3DVECTOR px = Pixel({0, 0, 0});
  pick.ViewportPick(dev, root, px.x, px.y);
  ASSERT_EQ(pick.GetCount(), 2);
  EXPECT_EQ(pick.GetFrame(pick.FindNearest()), big);
  EXPECT_NEAR(HitZ(pick, 0, px), 4.8f, 1e-3f);
  EXPECT_NEAR(HitZ(pick, 1, px), 4.85f, 1e-3f);

  // The same frame under two parents gives two records of equal dist: both
  // searches keep the first.
  auto twice = D3DUtil_NewFrame(nullptr);
  auto p = Point(twice, {1, 1, 1});
  twice->AddChild(p);
  const D3DVECTOR px2 = Pixel({1, 1, 1});
  pick.ViewportPick(dev, twice, px2.x, px2.y);
  ASSERT_EQ(pick.GetCount(), 2);
  EXPECT_EQ(pick.GetRecord(0).dist, pick.GetRecord(1).dist);
  EXPECT_EQ(pick.FindNearest(), 0);
  EXPECT_EQ(pick.FindFurthest(), 0);

  // The Ex walk appends and takes the caller's world matrix.
  pick.ViewportPickEx(root, dev.GetViewport(), dev.GetTransform(D3DTS_PROJECTION),
                      dev.GetTransform(D3DTS_VIEW), D3DXMatrixIdentity(), px.x, px.y);
  EXPECT_EQ(pick.GetCount(), 4);
}

TEST_F(PickScene, RayPickUsesDirectionUnitsAndIgnoresEnabled) {
  auto group = D3DUtil_NewFrame(root);
  group->Enabled = false;
  Point(group, {0, 0, 0}, 2.0f);
  CD3DPick pick;
  dev.SetTransform(D3DTS_WORLD, D3DXMatrixTranslation(0, 0, 1));  // the walk starts from it
  EXPECT_TRUE(pick.RayPick(dev, root, {0, 0, -20}, {0, 0, 2}));
  ASSERT_EQ(pick.GetCount(), 1);
  // The surface at world z = 1 - 0.2 lies 20.8 away: 10.4 direction lengths.
  EXPECT_NEAR(pick.GetRecord(0).dist, 10.4f, 1e-4f);
  EXPECT_FALSE(pick.RayPick(dev, D3DUtil_NewFrame(nullptr), {0, 0, -20}, {0, 0, 1}));
  EXPECT_EQ(pick.GetCount(), 0);
}

}  // namespace
}  // namespace rp
