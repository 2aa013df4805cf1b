// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "scene/MeshInstance.h"
#include "scene/SceneNode.h"
#include "support/RecordingDevice.h"

namespace rp {
namespace {

Material WithAlpha(float a, float red = 0.5f) {
  Material m{};
  m.diffuse = {red, 0, 0, a};
  m.ambient = m.diffuse;
  return m;
}

// Draws the mesh the way a node does: opaque pass, then see-through pass.
// Returns the alpha-blend flag of each draw in order.
std::vector<bool> TwoPasses(RecordingDevice& dev, const std::shared_ptr<MeshInstance>& mesh) {
  auto root = NewSceneNode(nullptr);
  root->AddInstance(mesh);
  root->Render(dev);
  std::vector<bool> passes;
  for (const DeviceCall* c : dev.Calls("DrawSubset")) passes.push_back(c->state.alphaBlend);
  return passes;
}

TEST(MeshInstance, PassRulesAgainstTheRecordingDevice) {
  {  // alpha exactly 1: once, opaque pass, own material, no texture
    RecordingDevice d;
    auto sphere = CreateSphere(d, 0.1f, 16, 16);
    auto m = std::make_shared<MeshInstance>(sphere);
    m->SetMaterial(WithAlpha(1.0f, 0.25f));
    d.SetTexture(d.CreateTexture(4, 4, 1, TextureFormat::Rgba));
    EXPECT_EQ(TwoPasses(d, m), std::vector<bool>{false});
    const DeviceCall* draw = d.Calls("DrawSubset")[0];
    EXPECT_EQ(draw->state.material.diffuse.r, 0.25f);
    EXPECT_EQ(draw->state.texture, nullptr);
    EXPECT_EQ(draw->object, sphere.get());
    EXPECT_EQ(draw->args, std::vector<std::uint32_t>{0});
  }
  {  // alpha 0.2: only the second pass
    RecordingDevice d;
    auto m = std::make_shared<MeshInstance>(CreateSphere(d, 0.1f, 16, 16));
    m->SetMaterial(WithAlpha(0.2f));
    EXPECT_EQ(TwoPasses(d, m), std::vector<bool>{true});
    EXPECT_EQ(d.Calls("DrawSubset")[0]->state.material.diffuse.a, 0.2f);
  }
  {  // no material of its own: opaque pass with whatever material the device holds
    RecordingDevice d;
    d.SetMaterial(WithAlpha(0.3f, 0.9f));
    auto m = std::make_shared<MeshInstance>(CreateSphere(d, 0.1f, 16, 16));
    EXPECT_EQ(TwoPasses(d, m), std::vector<bool>{false});
    EXPECT_EQ(d.Calls("DrawSubset")[0]->state.material.diffuse.r, 0.9f);
    EXPECT_EQ(d.Count("SetMaterial"), 1u);
  }
  {  // alpha above 1: never drawn
    RecordingDevice d;
    auto m = std::make_shared<MeshInstance>(CreateSphere(d, 0.1f, 16, 16));
    m->SetMaterial(WithAlpha(1.5f));
    EXPECT_TRUE(TwoPasses(d, m).empty());
  }
  {  // nothing at all without geometry
    RecordingDevice d;
    auto m = std::make_shared<MeshInstance>();
    m->SetMaterial(WithAlpha(1.0f));
    EXPECT_TRUE(TwoPasses(d, m).empty());
  }
}

}  // namespace
}  // namespace rp
