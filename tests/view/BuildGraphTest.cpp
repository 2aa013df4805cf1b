#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/RecordingDevice.h"
#include "scene/CD3DFrame.h"
#include "scene/D3DMath.h"
#include "support/ScriptedDialogs.h"
#include "view/BuildGraph.h"
#include "view/ViewState.h"

namespace rp {
namespace {

// A view whose device objects exist, as after the window's start-up.
struct Built {
  RecordingDevice dev;
  ViewState s;
  ScriptedDialogs dialogs;
  Built() {
    s.DeviceReady = true;
    s.PointMesh = CreateSphere(dev, 0.1f, 16, 16);
    s.GlassMesh = CreateBox(dev, 10, 10, 0.1f);
    s.TitleFont = dev.CreateFont(FontDesc{"DejaVu Sans Condensed", 16.5f, 700});
    s.AxisNameTexture = dev.CreateTexture(256, 256, 0, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED);
    s.XAxisName = "actual event n";
    s.VerticalAxisName = "event n+2d";
    s.DepthAxisName = "event n+d";
  }
  // A point already scaled into the scene.
  void Add(float x, float y, float z, double size, std::int32_t color) {
    DataEntry e;
    e.x = x;
    e.y = y;
    e.z = z;
    e.size = size;
    e.color = color;
    s.Points.Add(e);
  }
  std::vector<std::string> Names(const CD3DFrame& group) const {
    std::vector<std::string> names;
    for (int i = 0; i < group.GetChildFrameCount(); ++i) names.push_back(group.GetChildFrame(i)->ObjectName);
    return names;
  }
};

void ExpectColour(const D3DCOLORVALUE& c, float r, float g, float b, float a) {
  EXPECT_FLOAT_EQ(c.r, r);
  EXPECT_FLOAT_EQ(c.g, g);
  EXPECT_FLOAT_EQ(c.b, b);
  EXPECT_FLOAT_EQ(c.a, a);
}

TEST(BuildGraph, WithoutPointsTheTreeHasPlateGroupsAnchorsAndTheTexture) {
  Built b;
  BuildGraph(b.s, &b.dev);
  ViewState& s = b.s;
  ASSERT_TRUE(s.RootFrame);
  EXPECT_TRUE(s.GraphBuilt);
  ASSERT_EQ(s.RootFrame->GetChildFrameCount(), 5);
  EXPECT_EQ(s.RootFrame->GetChildFrame(0), s.GlassFrame);
  EXPECT_EQ(s.RootFrame->GetChildFrame(1), s.UpperPointsFrame);
  EXPECT_EQ(s.RootFrame->GetChildFrame(2), s.LowerPointsFrame);
  EXPECT_EQ(s.RootFrame->GetChildFrame(3), s.XNameFrame);
  EXPECT_EQ(s.RootFrame->GetChildFrame(4), s.DepthNameFrame);
  EXPECT_EQ(s.RootFrame->GetChildMeshCount(), 0);
  EXPECT_EQ(s.UpperPointsFrame->GetChildFrameCount(), 0);
  EXPECT_EQ(s.LowerPointsFrame->GetChildFrameCount(), 0);
  EXPECT_TRUE(D3DXMatrixIsIdentity(s.RootFrame->GetMatrix())) << "no turn yet";

  // The glass plate: the shared box, translucent grey, turned into the floor.
  ASSERT_EQ(s.GlassFrame->GetChildMeshCount(), 1);
  const auto glass = s.GlassFrame->GetChildMesh(0);
  EXPECT_EQ(glass->mesh, s.GlassMesh);
  EXPECT_TRUE(glass->bUseMaterialOverride);
  ExpectColour(glass->GetMaterialOverride().Diffuse, 192 / 255.f, 192 / 255.f, 192 / 255.f, 0.2f);
  ExpectColour(glass->GetMaterialOverride().Ambient, 192 / 255.f, 192 / 255.f, 192 / 255.f, 0.2f);
  ExpectColour(glass->GetMaterialOverride().Specular, 0, 0, 0, 0);
  const D3DVECTOR up = D3DXVec3TransformNormal({0, 1, 0}, s.GlassFrame->GetMatrix());
  EXPECT_NEAR(up.y, 0.0f, 1e-3f);
  EXPECT_NEAR(std::abs(up.z), 1.0f, 1e-3f) << "the plate's height lies along z: flat on the floor";

  // The anchors of the name plates.
  const D3DVECTOR x = s.XNameFrame->GetPosition();
  EXPECT_FLOAT_EQ(x.z, -6.0f);
  const D3DVECTOR d = s.DepthNameFrame->GetPosition();
  EXPECT_FLOAT_EQ(d.x, 6.0f);
  const D3DVECTOR facing = D3DXVec3TransformNormal({0, 0, 1}, s.DepthNameFrame->GetMatrix());
  EXPECT_NEAR(facing.x, -1.0f, 1e-3f) << "turned -90 degrees about y";

  // The texture: cleared light grey, then the three names line by line.
  EXPECT_EQ(b.dev.Count("RenderToSurface.BeginScene"), 1u);
  EXPECT_EQ(b.dev.Count("RenderToSurface.EndScene"), 1u);
  const auto clears = b.dev.Calls("Clear");
  ASSERT_EQ(clears.size(), 1u);
  EXPECT_EQ(clears[0]->args[1], 0xFFC0C0C0u);
  const auto texts = b.dev.Calls("DrawText");
  ASSERT_EQ(texts.size(), 7u) << "one measure, then measure and draw per line";
  const auto& font = static_cast<RecordingFont&>(*s.TitleFont);
  EXPECT_EQ(s.TitleLineHeight, font.LineHeight());
  const std::string lines[] = {"actual event n", "event n+2d", "event n+d"};
  for (int k = 0; k < 3; ++k) {
    const DeviceCall& draw = *texts[2 + 2 * k];
    EXPECT_EQ(draw.text, lines[k]);
    EXPECT_EQ(draw.rect.left, 10);
    EXPECT_EQ(draw.rect.top, k * s.TitleLineHeight);
    EXPECT_GT(draw.rect.right, 10) << "drawn in the measured rectangle";
    EXPECT_EQ(draw.args[0], 0u) << "format 0";
    EXPECT_EQ(draw.state.targetLevel, 0);
  }
}

TEST(BuildGraph, PointsAreSortedByTheFloorAndNamedByPosition) {
  Built b;
  b.Add(1, 2, 3, 1.0, static_cast<std::int32_t>(0xFF0000FFu));
  b.Add(0, -0.001f, 0, 2.0, static_cast<std::int32_t>(0x80FF0000u));
  b.Add(-1, 0.0f, 1, 0.0, 0x00123456);  // on the floor: upper; size 0: a frame all the same
  b.Add(0, std::numeric_limits<float>::quiet_NaN(), 0, 1.0, 0);
  BuildGraph(b.s, &b.dev);
  ViewState& s = b.s;
  EXPECT_EQ(b.Names(*s.UpperPointsFrame), (std::vector<std::string>{" 1", " 3"}));
  EXPECT_EQ(b.Names(*s.LowerPointsFrame), (std::vector<std::string>{" 2", " 4"}));

  const auto first = s.UpperPointsFrame->GetChildFrame(0);
  const D3DVECTOR p = first->GetPosition();
  EXPECT_FLOAT_EQ(p.x, 1.0f);
  EXPECT_FLOAT_EQ(p.y, 2.0f);
  EXPECT_FLOAT_EQ(p.z, 3.0f);
  EXPECT_FLOAT_EQ(first->GetScale(), 1.0f);
  ASSERT_EQ(first->GetChildMeshCount(), 1);
  EXPECT_EQ(first->GetChildMesh(0)->mesh, s.PointMesh) << "every point shares the one sphere";
  ExpectColour(first->GetChildMesh(0)->GetMaterialOverride().Diffuse, 0, 0, 1, 1);

  const auto half = s.LowerPointsFrame->GetChildFrame(0)->GetChildMesh(0)->GetMaterialOverride();
  ExpectColour(half.Diffuse, 1, 0, 0, 128 / 255.f);
  ExpectColour(half.Ambient, 1, 0, 0, 128 / 255.f);
  ExpectColour(half.Emissive, 0, 0, 0, 0);
  EXPECT_EQ(half.Power, 0.0f);
  EXPECT_FLOAT_EQ(s.LowerPointsFrame->GetChildFrame(0)->GetScale(), 2.0f);

  const auto onFloor = s.UpperPointsFrame->GetChildFrame(1);
  EXPECT_EQ(onFloor->GetScale(), 0.0f);
  EXPECT_EQ(onFloor->GetChildMeshCount(), 1);
  EXPECT_FLOAT_EQ(onFloor->GetChildMesh(0)->GetMaterialOverride().Diffuse.a, 0.0f)
      << "a colour below 2^24 has alpha 0";
}

TEST(BuildGraph, ARebuildKeepsTheTurnAndNothingIsBuiltWithoutDevice) {
  Built b;
  b.s.RotationSum = {0, 2, 0, 0.5f};  // two turns about y adding up to 0.5 rad
  BuildGraph(b.s, &b.dev);
  const D3DMATRIX expected = D3DXMatrixRotationAxis({0, 1, 0}, 0.5f);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(b.s.RootFrame->GetMatrix().m[r][c], expected.m[r][c], 1e-6f);

  Built none;
  none.s.DeviceReady = false;
  BuildGraph(none.s, &none.dev);
  EXPECT_FALSE(none.s.RootFrame);
  EXPECT_FALSE(none.s.GraphBuilt);
  EXPECT_EQ(none.dev.Count("CreateRenderToSurface"), 0u);
}

}  // namespace
}  // namespace rp
