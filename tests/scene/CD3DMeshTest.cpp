#include <gtest/gtest.h>

#include "platform/RecordingDevice.h"
#include "scene/CD3DFrame.h"
#include "scene/CD3DMesh.h"

namespace rp {
namespace {

D3DMATERIAL WithAlpha(float a, float red = 0.5f) {
  D3DMATERIAL m{};
  m.Diffuse = {red, 0, 0, a};
  m.Ambient = m.Diffuse;
  return m;
}

// Draws the mesh the way a frame does: opaque pass, then see-through pass.
// Returns the alpha-blend flag of each draw in order.
std::vector<bool> TwoPasses(RecordingDevice& dev, CD3DMesh& mesh) {
  auto root = D3DUtil_NewFrame(nullptr);
  root->AddMesh(std::shared_ptr<CD3DMesh>(&mesh, [](CD3DMesh*) {}));
  root->Render(dev);
  std::vector<bool> passes;
  for (const DeviceCall* c : dev.Calls("DrawSubset")) passes.push_back(c->state.alphaBlend);
  return passes;
}

TEST(CD3DMesh, OverridePassRulesAgainstTheRecordingDevice) {
  {  // alpha exactly 1: once, opaque pass, override material, no texture
    RecordingDevice d;
    auto sphere = CreateSphere(d, 0.1f, 16, 16);
    CD3DMesh m;
    m.InitFromD3DXMesh(sphere);
    m.SetMaterialOverride(WithAlpha(1.0f, 0.25f));
    EXPECT_EQ(TwoPasses(d, m), std::vector<bool>{false});
    const DeviceCall* draw = d.Calls("DrawSubset")[0];
    EXPECT_EQ(draw->state.material.Diffuse.r, 0.25f);
    EXPECT_EQ(draw->state.texture0, nullptr);
    EXPECT_EQ(draw->object, sphere.get());
    EXPECT_EQ(draw->args, std::vector<std::uint32_t>{0});
  }
  {  // alpha 0.2: only the second pass
    RecordingDevice d;
    auto sphere = CreateSphere(d, 0.1f, 16, 16);
    CD3DMesh m;
    m.InitFromD3DXMesh(sphere);
    m.SetMaterialOverride(WithAlpha(0.2f));
    EXPECT_EQ(TwoPasses(d, m), std::vector<bool>{true});
    EXPECT_EQ(d.Calls("DrawSubset")[0]->state.material.Diffuse.a, 0.2f);
  }
  {  // no override: opaque pass with whatever material the device holds
    RecordingDevice d;
    d.SetMaterial(WithAlpha(0.3f, 0.9f));
    CD3DMesh m;
    m.InitFromD3DXMesh(CreateSphere(d, 0.1f, 16, 16));
    EXPECT_EQ(TwoPasses(d, m), std::vector<bool>{false});
    EXPECT_EQ(d.Calls("DrawSubset")[0]->state.material.Diffuse.r, 0.9f);
    EXPECT_EQ(d.Count("SetMaterial"), 1u);
  }
  {  // alpha above 1: never drawn
    RecordingDevice d;
    auto sphere = CreateSphere(d, 0.1f, 16, 16);
    CD3DMesh m;
    m.InitFromD3DXMesh(sphere);
    m.SetMaterialOverride(WithAlpha(1.5f));
    EXPECT_TRUE(TwoPasses(d, m).empty());
  }
  {  // nothing at all without geometry
    RecordingDevice d;
    CD3DMesh m;
    m.SetMaterialOverride(WithAlpha(1.0f));
    EXPECT_TRUE(TwoPasses(d, m).empty());
  }
}

TEST(CD3DMesh, OwnMaterialsPerSubsetListsAndDestroy) {
  RecordingDevice dev;
  // Two triangles in two subsets, given out of order.
  std::vector<MeshVertex> v = {{{0, 0, 0}, {0, 0, -1}}, {{0, 1, 0}, {0, 0, -1}}, {{1, 0, 0}, {0, 0, -1}}};
  auto geometry = std::make_shared<Mesh>(&dev, v, std::vector<std::uint32_t>{0, 1, 2, 0, 2, 1},
                                         std::vector<std::uint32_t>{1, 0});
  EXPECT_EQ(geometry->GetSubsetCount(), 2u);
  EXPECT_EQ(geometry->Indices()[1], 2u);  // subset 0's face now comes first

  CD3DMesh m;
  m.InitFromD3DXMesh(geometry);
  EXPECT_EQ(m.GetMaterialCount(), 1);
  EXPECT_FALSE(m.bUseMaterials);
  EXPECT_EQ(m.GetMaterial(1).Power, 0.0f);  // entries 0 and 1 exist
  EXPECT_THROW(m.GetMaterial(2), std::out_of_range);
  m.SetMaterialCount(2);
  m.Init();
  m.SetMaterial(0, WithAlpha(0.5f));
  m.SetMaterial(1, WithAlpha(1.0f));
  auto tex = dev.CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED);
  m.SetMaterialTexture(1, tex);
  EXPECT_EQ(m.GetMaterialTexture(1), tex);
  // The override is ignored while the subsets' own materials are in use.
  m.SetMaterialOverride(WithAlpha(1.0f));

  EXPECT_EQ(TwoPasses(dev, m), (std::vector<bool>{false, true}));
  const auto draws = dev.Calls("DrawSubset");
  EXPECT_EQ(draws[0]->args[0], 1u);
  EXPECT_EQ(draws[0]->state.texture0, tex);
  EXPECT_EQ(draws[1]->args[0], 0u);
  EXPECT_EQ(draws[1]->state.texture0, nullptr);

  // Plain Render draws every subset once with its own material.
  dev.calls.clear();
  m.Render(dev);
  ASSERT_EQ(dev.Count("DrawSubset"), 2u);
  EXPECT_EQ(dev.Calls("DrawSubset")[0]->state.material.Diffuse.a, 0.5f);

  m.ComputeBoundingVolumes();
  EXPECT_TRUE(m.bHasSphere);
  EXPECT_GT(m.SphereRadius, 0.0f);

  m.Destroy();
  EXPECT_EQ(m.mesh, nullptr);
  EXPECT_EQ(m.GetMaterialCount(), 0);
  EXPECT_TRUE(m.bUseMaterials);
  EXPECT_NO_THROW(m.GetMaterial(0));
  EXPECT_THROW(m.SetMaterial(1, WithAlpha(1)), std::out_of_range);
}

TEST(CD3DMesh, GeometryEditsDoNotTouchSharedGeometry) {
  RecordingDevice dev;
  auto box = CreateBox(dev, 2, 2, 2);
  CD3DMesh a, b;
  a.InitFromD3DXMesh(box);
  b.InitFromD3DXMesh(box);
  a.Translate(1, 0, 0);
  a.FlipNormals();
  D3DVECTOR lo{}, hi{};
  a.GetLocalBox(lo, hi);
  EXPECT_EQ(lo.x, 0.0f);
  EXPECT_EQ(hi.x, 2.0f);
  EXPECT_EQ(a.mesh->Vertices()[0].normal.x, 1.0f);  // the -x side, flipped
  b.GetLocalBox(lo, hi);
  EXPECT_EQ(lo.x, -1.0f);
  EXPECT_EQ(b.mesh, box);
  a.ComputeNormals();
  EXPECT_NEAR(a.mesh->Vertices()[0].normal.x, -1.0f, 1e-6f);
}

}  // namespace
}  // namespace rp
