// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <glm/geometric.hpp>

#include "scene/Mesh.h"
#include "support/RecordingDevice.h"

namespace rp {
namespace {

using glm::cross;
using glm::dot;

// Every face of a closed mesh centred on the origin must wind so that
// (v1 - v0) x (v2 - v0) points away from the centre.
void ExpectOutwardWinding(const Mesh& m) {
  const auto& v = m.Vertices();
  const auto& idx = m.Indices();
  for (std::uint32_t f = 0; f < m.GetNumFaces(); ++f) {
    const glm::vec3 a = v[idx[3 * f]].position, b = v[idx[3 * f + 1]].position, c = v[idx[3 * f + 2]].position;
    const glm::vec3 centroid{(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3};
    EXPECT_GT(dot(cross(b - a, c - a), centroid), 0.0f) << "face " << f;
  }
}

TEST(Mesh, SphereAndBoxShapesCountsAndWinding) {
  RecordingDevice dev;
  auto s = CreateSphere(dev, 0.1f, 16, 16);
  EXPECT_EQ(s->GetNumVertices(), 16u * 15u + 2u);
  EXPECT_EQ(s->GetNumFaces(), 2u * 16u * 15u);
  EXPECT_EQ(s->GetSubsetCount(), 1u);
  for (const auto& vx : s->Vertices()) {
    EXPECT_NEAR(glm::length(vx.position), 0.1f, 1e-6f);
    EXPECT_NEAR(glm::length(vx.normal), 1.0f, 1e-5f);
  }
  ExpectOutwardWinding(*s);
  const BoundingSphere bs = s->ComputeBoundingSphere();
  EXPECT_NEAR(bs.radius, 0.1f, 1e-5f);
  EXPECT_NEAR(bs.center.z, 0.0f, 1e-6f);

  auto b = CreateBox(dev, 10, 10, 0.1f);
  EXPECT_EQ(b->GetNumVertices(), 24u);
  EXPECT_EQ(b->GetNumFaces(), 12u);
  ExpectOutwardWinding(*b);
  const BoundingBox bb = b->ComputeBoundingBox();
  EXPECT_FLOAT_EQ(bb.min.x, -5);
  EXPECT_FLOAT_EQ(bb.max.y, 5);
  EXPECT_FLOAT_EQ(bb.max.z, 0.05f);
  EXPECT_THROW(CreateSphere(dev, 1, 2, 16), DeviceError);
}

TEST(Mesh, IntersectReportsNearestFaceBarycentricAndDist) {
  RecordingDevice dev;
  auto b = CreateBox(dev, 2, 2, 2);
  // From z = -5 towards +z with a direction of length 2: enters the -z side
  // at z = -1, i.e. dist (4 / 2) = 2.
  IntersectResult r = b->Intersect({0.5f, 0.25f, -5}, {0, 0, 2});
  ASSERT_TRUE(r.hit);
  EXPECT_FLOAT_EQ(r.dist, 2.0f);
  EXPECT_GE(r.faceIndex, 8u);  // the -z side is the fifth side: faces 8 and 9
  EXPECT_LE(r.faceIndex, 9u);
  const auto& v = b->Vertices();
  const auto& i = b->Indices();
  const glm::vec3 v0 = v[i[3 * r.faceIndex]].position, v1 = v[i[3 * r.faceIndex + 1]].position,
                  v2 = v[i[3 * r.faceIndex + 2]].position;
  EXPECT_NEAR(v0.x + r.u * (v1.x - v0.x) + r.v * (v2.x - v0.x), 0.5f, 1e-6f);
  EXPECT_NEAR(v0.y + r.u * (v1.y - v0.y) + r.v * (v2.y - v0.y), 0.25f, 1e-6f);

  // From inside, only the far side lies ahead; behind the origin is ignored.
  r = b->Intersect({0, 0, 0}, {0, 0, 1});
  ASSERT_TRUE(r.hit);
  EXPECT_FLOAT_EQ(r.dist, 1.0f);
  EXPECT_FALSE(b->Intersect({0, 0, 5}, {0, 0, 1}).hit);   // pointing away
  EXPECT_FALSE(b->Intersect({3, 0, -5}, {0, 0, 1}).hit);  // passes beside

  auto s = CreateSphere(dev, 1, 16, 16);
  r = s->Intersect({0.3f, 0.2f, -10}, {0, 0, 1});
  ASSERT_TRUE(r.hit);
  EXPECT_NEAR(r.dist, 10 - std::sqrt(1 - 0.13f), 0.02f);
}

TEST(RecordingDevice, KeepsCallsStateTargetsAndFontMetrics) {
  RecordingDevice dev(400, 300);
  auto tex = dev.CreateTexture(256, 256, 0, TextureFormat::Rgb);
  EXPECT_EQ(tex->GetLevelCount(), 9u);
  auto surface = tex->GetSurfaceLevel(0);
  EXPECT_EQ(surface->Width(), 256u);
  EXPECT_THROW(tex->GetSurfaceLevel(9), DeviceError);

  auto font = dev.CreateFont({"DejaVu Sans", 10});
  auto rts = dev.CreateRenderToSurface(256, 256, true);
  rts->BeginScene(surface, {0, 0, 256, 256, 0, 1});
  EXPECT_EQ(dev.GetViewport().width, 256u);
  dev.Clear(0xFFC0C0C0);
  Rect r{10, 20, 0, 0};
  EXPECT_EQ(font->MeasureText("ab\r\nxyz", r), 40);
  EXPECT_EQ(r.right, 10 + 3 * 10);
  EXPECT_EQ(r.bottom, 20 + 40);
  rts->EndScene();
  EXPECT_EQ(dev.GetViewport().width, 400u);
  ASSERT_EQ(dev.Count("Clear"), 1u);
  EXPECT_EQ(dev.Calls("Clear")[0]->object, surface.get());

  dev.SetAlphaBlending(true);
  dev.SetTexture(tex);
  const Vertex line[2] = {{{0, 0, 0}, {0, 0, 0}, {0, 0}}, {{1, 2, 3}, {0, 0, 0}, {0, 0}}};
  dev.DrawVertices(Primitive::Lines, line);
  const DeviceCall* draw = dev.Calls("DrawVertices").at(0);
  ASSERT_EQ(draw->vertices.size(), 2u);
  EXPECT_EQ(draw->vertices[1].position.z, 3.0f);
  EXPECT_TRUE(draw->state.alphaBlend);
  EXPECT_EQ(draw->state.texture, tex);
  EXPECT_EQ(draw->state.target, nullptr);

  dev.status = DeviceStatus::NeedsReset;
  EXPECT_TRUE(dev.ResetBackBuffer());
  EXPECT_EQ(dev.Status(), DeviceStatus::Ready);
  dev.presentFails = true;
  EXPECT_THROW(dev.Present(), DeviceError);
}

}  // namespace
}  // namespace rp
