// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "plot/BuildGraph.h"
#include "plot/ViewState.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"
#include "support/RecordingDevice.h"
#include "support/ScriptedDialogs.h"

namespace rp {
namespace {

// A view whose device objects exist, as after the window's start-up.
struct Built {
  RecordingDevice dev;
  ViewState s;
  ScriptedDialogs dialogs;
  Built() {
    s.deviceReady = true;
    s.pointMesh = CreateSphere(dev, 0.1f, 16, 16);
    s.glassMesh = CreateBox(dev, 10, 10, 0.1f);
    s.titleFont = dev.CreateFont(FontDesc{"DejaVu Sans Condensed", 16.5f, 700});
    s.axisNameTexture = dev.CreateTexture(256, 256, 0, TextureFormat::Rgb);
    s.xAxisName = "actual event n";
    s.verticalAxisName = "event n+2d";
    s.depthAxisName = "event n+d";
  }
  // A point already scaled into the scene.
  void Add(float x, float y, float z, double size, std::int32_t colour) {
    DataEntry e;
    e.x = x;
    e.y = y;
    e.z = z;
    e.size = size;
    e.colour = colour;
    s.points.Add(e);
  }
  std::vector<std::string> Names(const SceneNode& group) const {
    std::vector<std::string> names;
    for (int i = 0; i < group.ChildCount(); ++i) names.push_back(group.GetChild(i)->name);
    return names;
  }
};

void ExpectColour(const ColourF& c, float r, float g, float b, float a) {
  EXPECT_FLOAT_EQ(c.r, r);
  EXPECT_FLOAT_EQ(c.g, g);
  EXPECT_FLOAT_EQ(c.b, b);
  EXPECT_FLOAT_EQ(c.a, a);
}

TEST(BuildGraph, WithoutPointsTheTreeHasPlateGroupsAnchorsAndTheTexture) {
  Built b;
  BuildGraph(b.s, &b.dev);
  ViewState& s = b.s;
  ASSERT_TRUE(s.rootNode);
  EXPECT_TRUE(s.graphBuilt);
  ASSERT_EQ(s.rootNode->ChildCount(), 5);
  EXPECT_EQ(s.rootNode->GetChild(0), s.glassNode);
  EXPECT_EQ(s.rootNode->GetChild(1), s.upperPoints);
  EXPECT_EQ(s.rootNode->GetChild(2), s.lowerPoints);
  EXPECT_EQ(s.rootNode->GetChild(3), s.xNameAnchor);
  EXPECT_EQ(s.rootNode->GetChild(4), s.depthNameAnchor);
  EXPECT_EQ(s.rootNode->MeshCount(), 0);
  EXPECT_EQ(s.upperPoints->ChildCount(), 0);
  EXPECT_EQ(s.lowerPoints->ChildCount(), 0);
  EXPECT_EQ(s.rootNode->GetMatrix(), glm::mat4(1.0f)) << "no turn yet";

  // The glass plate: the shared box, translucent grey, turned into the floor.
  ASSERT_EQ(s.glassNode->MeshCount(), 1);
  const auto glass = s.glassNode->GetMesh(0);
  EXPECT_EQ(glass->mesh, s.glassMesh);
  EXPECT_TRUE(glass->GetMaterial().has_value());
  ExpectColour(glass->GetMaterial()->diffuse, 192 / 255.f, 192 / 255.f, 192 / 255.f, 0.2f);
  ExpectColour(glass->GetMaterial()->ambient, 192 / 255.f, 192 / 255.f, 192 / 255.f, 0.2f);
  ExpectColour(glass->GetMaterial()->specular, 0, 0, 0, 0);
  const glm::vec3 up = TransformDirection({0, 1, 0}, s.glassNode->GetMatrix());
  EXPECT_NEAR(up.y, 0.0f, 1e-3f);
  EXPECT_NEAR(std::abs(up.z), 1.0f, 1e-3f) << "the plate's height lies along z: flat on the floor";

  // The anchors of the name plates.
  const glm::vec3 x = s.xNameAnchor->GetPosition();
  EXPECT_FLOAT_EQ(x.z, -6.0f);
  const glm::vec3 d = s.depthNameAnchor->GetPosition();
  EXPECT_FLOAT_EQ(d.x, 6.0f);
  const glm::vec3 facing = TransformDirection({0, 0, 1}, s.depthNameAnchor->GetMatrix());
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
  const auto& font = static_cast<RecordingFont&>(*s.titleFont);
  EXPECT_EQ(s.titleLineHeight, font.LineHeight());
  const std::string lines[] = {"actual event n", "event n+2d", "event n+d"};
  for (int k = 0; k < 3; ++k) {
    const DeviceCall& draw = *texts[k];
    EXPECT_EQ(draw.text, lines[k]);
    EXPECT_EQ(draw.rect.left, 10);
    EXPECT_EQ(draw.rect.top, k * s.titleLineHeight);
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
  EXPECT_EQ(b.Names(*s.upperPoints), (std::vector<std::string>{" 1", " 3"}));
  EXPECT_EQ(b.Names(*s.lowerPoints), (std::vector<std::string>{" 2", " 4"}));

  const auto first = s.upperPoints->GetChild(0);
  const glm::vec3 p = first->GetPosition();
  EXPECT_FLOAT_EQ(p.x, 1.0f);
  EXPECT_FLOAT_EQ(p.y, 2.0f);
  EXPECT_FLOAT_EQ(p.z, 3.0f);
  EXPECT_FLOAT_EQ(first->GetScale(), 1.0f);
  ASSERT_EQ(first->MeshCount(), 1);
  EXPECT_EQ(first->GetMesh(0)->mesh, s.pointMesh) << "every point shares the one sphere";
  ExpectColour(first->GetMesh(0)->GetMaterial()->diffuse, 0, 0, 1, 1);

  const auto half = *s.lowerPoints->GetChild(0)->GetMesh(0)->GetMaterial();
  ExpectColour(half.diffuse, 1, 0, 0, 128 / 255.f);
  ExpectColour(half.ambient, 1, 0, 0, 128 / 255.f);
  ExpectColour(half.emissive, 0, 0, 0, 0);
  EXPECT_EQ(half.power, 0.0f);
  EXPECT_FLOAT_EQ(s.lowerPoints->GetChild(0)->GetScale(), 2.0f);

  const auto onFloor = s.upperPoints->GetChild(1);
  EXPECT_EQ(onFloor->GetScale(), 0.0f);
  EXPECT_EQ(onFloor->MeshCount(), 1);
  EXPECT_FLOAT_EQ(onFloor->GetMesh(0)->GetMaterial()->diffuse.a, 0.0f) << "a colour below 2^24 has alpha 0";
}

TEST(BuildGraph, ARebuildKeepsTheTurnAndNothingIsBuiltWithoutDevice) {
  Built b;
  b.s.rotationSum = {0, 2, 0, 0.5f};  // two turns about y adding up to 0.5 rad
  BuildGraph(b.s, &b.dev);
  const glm::mat4 expected = RotationMatrix({0, 1, 0}, 0.5f);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(b.s.rootNode->GetMatrix()[r][c], expected[r][c], 1e-6f);

  Built none;
  none.s.deviceReady = false;
  BuildGraph(none.s, &none.dev);
  EXPECT_FALSE(none.s.rootNode);
  EXPECT_FALSE(none.s.graphBuilt);
  EXPECT_EQ(none.dev.Count("CreateRenderToSurface"), 0u);
}

}  // namespace
}  // namespace rp
