#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"
#include "support/RecordingDevice.h"
#include "support/ScriptedDialogs.h"
#include "plot/BuildGraph.h"
#include "plot/ViewState.h"

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
    s.AxisNameTexture = dev.CreateTexture(256, 256, 0, TextureFormat::Rgb);
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
  std::vector<std::string> Names(const SceneNode& group) const {
    std::vector<std::string> names;
    for (int i = 0; i < group.ChildCount(); ++i) names.push_back(group.GetChild(i)->name);
    return names;
  }
};

void ExpectColour(const ColorF& c, float r, float g, float b, float a) {
  EXPECT_FLOAT_EQ(c.r, r);
  EXPECT_FLOAT_EQ(c.g, g);
  EXPECT_FLOAT_EQ(c.b, b);
  EXPECT_FLOAT_EQ(c.a, a);
}

TEST(BuildGraph, WithoutPointsTheTreeHasPlateGroupsAnchorsAndTheTexture) {
  Built b;
  BuildGraph(b.s, &b.dev);
  ViewState& s = b.s;
  ASSERT_TRUE(s.RootNode);
  EXPECT_TRUE(s.GraphBuilt);
  ASSERT_EQ(s.RootNode->ChildCount(), 5);
  EXPECT_EQ(s.RootNode->GetChild(0), s.GlassNode);
  EXPECT_EQ(s.RootNode->GetChild(1), s.UpperPoints);
  EXPECT_EQ(s.RootNode->GetChild(2), s.LowerPoints);
  EXPECT_EQ(s.RootNode->GetChild(3), s.XNameAnchor);
  EXPECT_EQ(s.RootNode->GetChild(4), s.DepthNameAnchor);
  EXPECT_EQ(s.RootNode->MeshCount(), 0);
  EXPECT_EQ(s.UpperPoints->ChildCount(), 0);
  EXPECT_EQ(s.LowerPoints->ChildCount(), 0);
  EXPECT_EQ(s.RootNode->GetMatrix(), glm::mat4(1.0f)) << "no turn yet";

  // The glass plate: the shared box, translucent grey, turned into the floor.
  ASSERT_EQ(s.GlassNode->MeshCount(), 1);
  const auto glass = s.GlassNode->GetMesh(0);
  EXPECT_EQ(glass->mesh, s.GlassMesh);
  EXPECT_TRUE(glass->GetMaterial().has_value());
  ExpectColour(glass->GetMaterial()->diffuse, 192 / 255.f, 192 / 255.f, 192 / 255.f, 0.2f);
  ExpectColour(glass->GetMaterial()->ambient, 192 / 255.f, 192 / 255.f, 192 / 255.f, 0.2f);
  ExpectColour(glass->GetMaterial()->specular, 0, 0, 0, 0);
  const glm::vec3 up = TransformDirection({0, 1, 0}, s.GlassNode->GetMatrix());
  EXPECT_NEAR(up.y, 0.0f, 1e-3f);
  EXPECT_NEAR(std::abs(up.z), 1.0f, 1e-3f) << "the plate's height lies along z: flat on the floor";

  // The anchors of the name plates.
  const glm::vec3 x = s.XNameAnchor->GetPosition();
  EXPECT_FLOAT_EQ(x.z, -6.0f);
  const glm::vec3 d = s.DepthNameAnchor->GetPosition();
  EXPECT_FLOAT_EQ(d.x, 6.0f);
  const glm::vec3 facing = TransformDirection({0, 0, 1}, s.DepthNameAnchor->GetMatrix());
  EXPECT_NEAR(facing.x, -1.0f, 1e-3f) << "turned -90 degrees about y";

  // The texture: cleared light grey, then the three names line by line.
  EXPECT_EQ(b.dev.Count("RenderToSurface.BeginScene"), 1u);
  EXPECT_EQ(b.dev.Count("RenderToSurface.EndScene"), 1u);
  const auto clears = b.dev.Calls("Clear");
  ASSERT_EQ(clears.size(), 1u);
  EXPECT_EQ(clears[0]->args[0], 0xFFC0C0C0u);
  EXPECT_EQ(b.dev.Count("MeasureText"), 4u) << "one measure, then one per line";
  const auto texts = b.dev.Calls("DrawText");
  ASSERT_EQ(texts.size(), 3u);
  const auto& font = static_cast<RecordingFont&>(*s.TitleFont);
  EXPECT_EQ(s.TitleLineHeight, font.LineHeight());
  const std::string lines[] = {"actual event n", "event n+2d", "event n+d"};
  for (int k = 0; k < 3; ++k) {
    const DeviceCall& draw = *texts[k];
    EXPECT_EQ(draw.text, lines[k]);
    EXPECT_EQ(draw.rect.left, 10);
    EXPECT_EQ(draw.rect.top, k * s.TitleLineHeight);
    EXPECT_GT(draw.rect.right, 10) << "drawn in the measured rectangle";
    EXPECT_EQ(draw.args[0], 0xFF000000u) << "in black";
    EXPECT_EQ(draw.state.targetLevel, 0);
  }
}

TEST(BuildGraph, PointsAreSortedByTheFloorAndNamedByPosition) {
  Built b;
  b.Add(1, 2, 3, 1.0, static_cast<std::int32_t>(0xFF0000FFu));
  b.Add(0, -0.001f, 0, 2.0, static_cast<std::int32_t>(0x80FF0000u));
  b.Add(-1, 0.0f, 1, 0.0, 0x00123456);  // on the floor: upper; size 0: a node all the same
  b.Add(0, std::numeric_limits<float>::quiet_NaN(), 0, 1.0, 0);
  BuildGraph(b.s, &b.dev);
  ViewState& s = b.s;
  EXPECT_EQ(b.Names(*s.UpperPoints), (std::vector<std::string>{" 1", " 3"}));
  EXPECT_EQ(b.Names(*s.LowerPoints), (std::vector<std::string>{" 2", " 4"}));

  const auto first = s.UpperPoints->GetChild(0);
  const glm::vec3 p = first->GetPosition();
  EXPECT_FLOAT_EQ(p.x, 1.0f);
  EXPECT_FLOAT_EQ(p.y, 2.0f);
  EXPECT_FLOAT_EQ(p.z, 3.0f);
  EXPECT_FLOAT_EQ(first->GetScale(), 1.0f);
  ASSERT_EQ(first->MeshCount(), 1);
  EXPECT_EQ(first->GetMesh(0)->mesh, s.PointMesh) << "every point shares the one sphere";
  ExpectColour(first->GetMesh(0)->GetMaterial()->diffuse, 0, 0, 1, 1);

  const auto half = *s.LowerPoints->GetChild(0)->GetMesh(0)->GetMaterial();
  ExpectColour(half.diffuse, 1, 0, 0, 128 / 255.f);
  ExpectColour(half.ambient, 1, 0, 0, 128 / 255.f);
  ExpectColour(half.emissive, 0, 0, 0, 0);
  EXPECT_EQ(half.power, 0.0f);
  EXPECT_FLOAT_EQ(s.LowerPoints->GetChild(0)->GetScale(), 2.0f);

  const auto onFloor = s.UpperPoints->GetChild(1);
  EXPECT_EQ(onFloor->GetScale(), 0.0f);
  EXPECT_EQ(onFloor->MeshCount(), 1);
  EXPECT_FLOAT_EQ(onFloor->GetMesh(0)->GetMaterial()->diffuse.a, 0.0f)
      << "a colour below 2^24 has alpha 0";
}

TEST(BuildGraph, ARebuildKeepsTheTurnAndNothingIsBuiltWithoutDevice) {
  Built b;
  b.s.RotationSum = {0, 2, 0, 0.5f};  // two turns about y adding up to 0.5 rad
  BuildGraph(b.s, &b.dev);
  const glm::mat4 expected = RotationMatrix({0, 1, 0}, 0.5f);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(b.s.RootNode->GetMatrix()[r][c], expected[r][c], 1e-6f);

  Built none;
  none.s.DeviceReady = false;
  BuildGraph(none.s, &none.dev);
  EXPECT_FALSE(none.s.RootNode);
  EXPECT_FALSE(none.s.GraphBuilt);
  EXPECT_EQ(none.dev.Count("CreateRenderToSurface"), 0u);
}

}  // namespace
}  // namespace rp
