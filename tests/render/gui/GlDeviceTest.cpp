// SPDX-License-Identifier: GPL-3.0-or-later
// The OpenGL device drawing small known scenes; pixels are read back from
// the framebuffer. Needs a display (Xvfb).
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <memory>
#include <vector>

#include "render/GlDevice.h"
#include "render/GlView.h"
#include "scene/Mesh.h"

namespace rp {
namespace {

constexpr int kSize = 64;

glm::mat4 Identity() { return glm::mat4(1.0f); }

glm::mat4 Translation(float x, float y, float z) {
  glm::mat4 m = Identity();
  m[3][0] = x;
  m[3][1] = y;
  m[3][2] = z;
  return m;
}

rp::Material Material(ColourF diffuse, ColourF ambient) {
  rp::Material m{};
  m.diffuse = diffuse;
  m.ambient = ambient;
  return m;
}

float RowY(int row) { return 1.0f - (2.0f * (float(row) + 0.5f)) / kSize; }

::testing::AssertionResult Near(QRgb pixel, int r, int g, int b, int tolerance = 2) {
  if (std::abs(qRed(pixel) - r) <= tolerance && std::abs(qGreen(pixel) - g) <= tolerance &&
      std::abs(qBlue(pixel) - b) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel (" << qRed(pixel) << ", " << qGreen(pixel) << ", " << qBlue(pixel)
                                       << ") expected (" << r << ", " << g << ", " << b << ")";
}

class GlDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_ = std::make_unique<GlView>();
    view_->resize(kSize, kSize);
    view_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view_.get()));
    auto device = GlDevice::CreateOn(view_->Handle(), DeviceKind::Software);
    device_ = std::dynamic_pointer_cast<GlDevice>(device);
    ASSERT_TRUE(device_) << "no OpenGL 3.3 core context on this display";
    device_->SetAmbientLight(0xFFC0C0C0);
  }

  // A directional light shining straight into the screen.
  void FrontLight(float diffuse, float ambient = 0.0f) {
    Light l{};
    l.type = LightType::Directional;
    l.diffuse = {diffuse, diffuse, diffuse, 1};
    l.ambient = {ambient, ambient, ambient, 1};
    l.direction = {0, 0, 1};
    l.range = 1000;
    device_->SetLight(0, l);
    device_->EnableLight(0, true);
  }

  void DrawQuad(float x0, float y0, float x1, float y1, float z, float u0 = 0, float v0 = 0, float u1 = 1,
                float v1 = 1) {
    const Vertex quad[4] = {{{x0, y1, z}, {0, 0, -1}, {u0, v0}},
                            {{x1, y1, z}, {0, 0, -1}, {u1, v0}},
                            {{x1, y0, z}, {0, 0, -1}, {u1, v1}},
                            {{x0, y0, z}, {0, 0, -1}, {u0, v1}}};
    device_->DrawVertices(Primitive::TriangleFan, quad);
  }

  std::unique_ptr<GlView> view_;
  std::shared_ptr<GlDevice> device_;
};

TEST_F(GlDeviceTest, ClearFillsTheWholeTargetAndThePresentedFrameIsWhatTheWindowShows) {
  EXPECT_FALSE(device_->Renderer().empty());
  device_->BeginScene();
  device_->Clear(0xFF303030);
  device_->EndScene();
  device_->Present();
  const QImage drawn = device_->ReadBackBuffer();
  ASSERT_EQ(drawn.size(), QSize(kSize, kSize));
  for (QPoint p : {QPoint(0, 0), QPoint(kSize - 1, 0), QPoint(kSize / 2, kSize / 2), QPoint(kSize - 1, kSize - 1)})
    EXPECT_EQ(drawn.pixel(p) & 0xFFFFFF, 0x303030u);
  // The toolkit's own repaint keeps the frame, and a grab returns it.
  QApplication::processEvents();
  const QImage shown = view_->GrabFrame();
  ASSERT_EQ(shown.size(), QSize(kSize, kSize));
  EXPECT_EQ(shown.pixel(kSize / 2, kSize / 2) & 0xFFFFFF, 0x303030u);
}

TEST_F(GlDeviceTest, LitSphereTakesAmbientAndDiffuseFromItsMaterialAndAPlateBlendsOverIt) {
  auto sphere = CreateSphere(*device_, 0.5f, 16, 16);
  FrontLight(0.5f);
  device_->SetAmbientLight(0xFF404040);
  device_->BeginScene();
  device_->Clear(0xFF303030);
  device_->SetTransform(Transform::World, Translation(0, 0, 0.6f));
  device_->SetMaterial(Material({0, 0, 1, 1}, {0, 0, 1, 1}));
  // Default culling drops counter-clockwise faces: the outside of the sphere
  // must be what stays.
  sphere->DrawSubset(0);
  device_->EndScene();
  QImage image = device_->ReadBackBuffer();
  // Facing the light: 0.25 ambient + 0.5 diffuse of the blue material.
  EXPECT_TRUE(Near(image.pixel(kSize / 2, kSize / 2), 0, 0, 191));
  // Towards the rim the diffuse term fades; outside is background.
  EXPECT_LT(qBlue(image.pixel(kSize / 2 + 14, kSize / 2)), 180);
  EXPECT_GT(qBlue(image.pixel(kSize / 2 + 14, kSize / 2)), 64);
  EXPECT_TRUE(Near(image.pixel(2, 2), 0x30, 0x30, 0x30, 0));

  // A red plate of alpha 0.2 in front, blended with source alpha.
  device_->BeginScene();
  device_->SetAlphaBlending(true);
  device_->SetBlendFactors(BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha);
  device_->SetCulling(Culling::None);
  device_->SetAmbientLight(0xFFFFFFFF);
  device_->SetTransform(Transform::World, Identity());
  device_->SetMaterial(Material({1, 0, 0, 0.2f}, {1, 0, 0, 1}));
  DrawQuad(-1, -1, 1, 1, 0.05f);
  device_->EndScene();
  image = device_->ReadBackBuffer();
  EXPECT_TRUE(Near(image.pixel(kSize / 2, kSize / 2), 51, 0, 153));
  EXPECT_TRUE(Near(image.pixel(2, 2), 89, 38, 38));
}

// Pixels of two frames further apart than `levels` in some channel.
int PixelsApart(const QImage& a, const QImage& b, int levels) {
  int apart = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > levels || std::abs(qGreen(p) - qGreen(q)) > levels ||
          std::abs(qBlue(p) - qBlue(q)) > levels)
        ++apart;
    }
  return apart;
}

TEST_F(GlDeviceTest, ABatchLooksLikeItsCopiesDrawnOneByOneAndSpheresStayInFrontWhereTheyAre) {
  // Perspective, as the plot looks: batches of spheres become true spheres.
  device_->SetTransform(Transform::Projection, glm::perspectiveLH_ZO(0.8f, 1.0f, 0.5f, 50.0f));
  device_->SetTransform(Transform::View, glm::lookAtLH(glm::vec3(0, 0, -6), glm::vec3(0), glm::vec3(0, 1, 0)));
  device_->SetCulling(Culling::None);
  FrontLight(0.7f);
  auto sphere = CreateSphere(*device_, 0.5f, 16, 16);
  auto box = CreateBox(*device_, 0.4f, 0.4f, 0.4f);
  // A small red sphere poking out of a big blue one behind it: red in the
  // middle, blue in a ring round it where the blue surface is nearer.
  const std::vector<MeshDraw> spheres = {
      {Translation(0, 0, 0.4f), Material({1, 0, 0, 1}, {0.2f, 0, 0, 1})},
      {Translation(0, 0, 2) * glm::scale(Identity(), glm::vec3(4)), Material({0, 0, 1, 1}, {0, 0, 0.2f, 1})}};
  const std::vector<MeshDraw> boxes = {
      {Translation(-2, -2, 0), Material({0, 1, 0, 1}, {0, 0.2f, 0, 1})},
      {Translation(2, -2, 0) * glm::scale(Identity(), glm::vec3(1, 2, 1)), Material({1, 1, 0, 1}, {0.2f, 0.2f, 0, 1})}};
  auto frame = [&](bool batched) {
    device_->BeginScene();
    device_->Clear(0xFF303030);
    for (const auto* batch : {&spheres, &boxes}) {
      const Mesh& mesh = batch == &spheres ? *sphere : *box;
      if (batched) {
        device_->DrawMeshInstances(mesh, *batch);
        continue;
      }
      for (const MeshDraw& d : *batch) {
        device_->SetTransform(Transform::World, d.world);
        device_->SetMaterial(d.material);
        mesh.DrawSubset(0);
      }
    }
    device_->EndScene();
    return device_->ReadBackBuffer();
  };
  const QImage single = frame(false);
  device_->SetTransform(Transform::World, Translation(5, 5, 5));
  const QImage batched = frame(true);

  // The boxes are the same triangles either way; the spheres differ only
  // along their outlines, which the true spheres draw round.
  EXPECT_LE(PixelsApart(single, batched, 8), kSize * kSize / 20);
  const QPoint red(kSize / 2, kSize / 2), ring(kSize / 2 + 5, kSize / 2);
  for (const QImage* image : {&single, &batched}) {
    EXPECT_GT(qRed(image->pixel(red)), 150);
    EXPECT_EQ(qBlue(image->pixel(red)), 0);
    EXPECT_EQ(qRed(image->pixel(ring)), 0);
    EXPECT_GT(qBlue(image->pixel(ring)), 100);
  }
  EXPECT_TRUE(Near(batched.pixel(red), qRed(single.pixel(red)), 0, 0, 8));
  // The world transform is left alone; the material is the last copy's.
  EXPECT_EQ(device_->GetTransform(Transform::World), Translation(5, 5, 5));
  EXPECT_FLOAT_EQ(device_->GetMaterial().diffuse.g, 1.0f);
  EXPECT_FLOAT_EQ(device_->GetMaterial().diffuse.r, 1.0f);
}

TEST_F(GlDeviceTest, LinesWithZeroNormalsShowOnlyTheirAmbientColour) {
  FrontLight(1.0f);
  device_->SetAmbientLight(0xFFC0C0C0);
  device_->BeginScene();
  device_->Clear(0xFF303030);
  device_->SetMaterial(Material({1, 176 / 255.0f, 0, 1}, {1, 176 / 255.0f, 0, 1}));
  const float y = RowY(20);
  const Vertex line[2] = {{{-0.9f, y, 0.5f}, {0, 0, 0}, {0, 0}}, {{0.9f, y, 0.5f}, {0, 0, 0}, {0, 0}}};
  device_->DrawVertices(Primitive::Lines, line);
  device_->EndScene();
  const QImage image = device_->ReadBackBuffer();
  // 0xFFB000 times the ambient light 0xC0 / 255.
  EXPECT_TRUE(Near(image.pixel(kSize / 2, 20), 192, 132, 0));
  EXPECT_TRUE(Near(image.pixel(kSize / 2, 24), 0x30, 0x30, 0x30, 0));
}

TEST_F(GlDeviceTest, RenderToSurfaceFillsATextureThatAQuadShowsTheRightWayUp) {
  auto texture = device_->CreateTexture(64, 64, 0, TextureFormat::Rgb);
  EXPECT_EQ(texture->GetLevelCount(), 7u);
  auto rts = device_->CreateRenderToSurface(64, 64, true);
  rts->BeginScene(texture->GetSurfaceLevel(0), {0, 0, 64, 64, 0, 1});
  device_->Clear(0xFF00FF00);
  device_->SetViewport({0, 0, 64, 16, 0, 1});  // the top quarter
  device_->Clear(0xFFFF0000);
  rts->EndScene();
  EXPECT_EQ(device_->GetViewport().height, std::uint32_t(kSize));

  const QImage texels = device_->ReadTexture(*texture);
  EXPECT_EQ(texels.pixel(5, 2) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(texels.pixel(5, 40) & 0xFFFFFF, 0x00FF00u);

  device_->SetLighting(false);
  device_->SetCulling(Culling::None);
  device_->BeginScene();
  device_->Clear(0xFF303030);
  device_->SetTexture(texture);
  DrawQuad(-1, -1, 1, 1, 0.5f);
  device_->EndScene();
  const QImage image = device_->ReadBackBuffer();
  EXPECT_TRUE(Near(image.pixel(kSize / 2, 3), 255, 0, 0));
  EXPECT_TRUE(Near(image.pixel(kSize / 2, kSize - 3), 0, 255, 0));
  // A mesh has no texture coordinates: it is not textured by the texture
  // still set.
  auto sphere = CreateSphere(*device_, 0.5f, 16, 16);
  device_->BeginScene();
  device_->Clear(0xFF303030);
  device_->SetTransform(Transform::World, Translation(0, 0, 0.6f));
  sphere->DrawSubset(0);
  device_->EndScene();
  EXPECT_TRUE(Near(device_->ReadBackBuffer().pixel(kSize / 2, kSize / 2), 255, 255, 255));
}

TEST_F(GlDeviceTest, TextIsMeasuredAndDrawnAtItsRectangle) {
  auto font = device_->CreateFont({"DejaVu Sans", 12.0f, 400});
  Rect one{10, 20, 0, 0};
  const std::int32_t h = font->MeasureText("Hg", one);
  EXPECT_EQ(one.left, 10);
  EXPECT_EQ(one.top, 20);
  EXPECT_GT(one.right, 10);
  EXPECT_EQ(one.bottom - one.top, h);
  EXPECT_GE(h, 14);  // 12 points at 96 pixels per inch are 16 pixels
  Rect two{0, 0, 0, 0};
  EXPECT_EQ(font->MeasureText("Hg\rHg", two), 2 * h);
  EXPECT_EQ(two.right, one.right - one.left);

  device_->BeginScene();
  device_->Clear(0xFF000000);
  Rect at{10, 20, 0, 0};
  EXPECT_EQ(font->DrawText("Hg", at, 0xFFFFFFFF), h);
  device_->EndScene();
  const QImage image = device_->ReadBackBuffer();
  int inside = 0, outside = 0;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const bool lit = qGreen(image.pixel(x, y)) > 128;
      const bool in = x >= one.left && x < one.right && y >= one.top && y < one.bottom;
      (in ? inside : outside) += lit ? 1 : 0;
    }
  EXPECT_GT(inside, 10);
  EXPECT_EQ(outside, 0);
}

TEST_F(GlDeviceTest, BackBufferFollowsTheClientSizeAfterAReset) {
  view_->resize(80, 50);
  QApplication::processEvents();
  ASSERT_TRUE(device_->ResetBackBuffer());
  const Viewport vp = device_->GetViewport();
  EXPECT_EQ(vp.width, 80u);
  EXPECT_EQ(vp.height, 50u);
  device_->BeginScene();
  device_->Clear(0xFF102030);
  device_->EndScene();
  device_->Present();
  const QImage image = device_->ReadBackBuffer();
  ASSERT_EQ(image.size(), QSize(80, 50));
  EXPECT_EQ(image.pixel(79, 49) & 0xFFFFFF, 0x102030u);
  EXPECT_EQ(view_->GrabFrame().size(), QSize(80, 50));
}

TEST(GlDeviceCreation, SoftwareRenderersAreRecognisedByName) {
  EXPECT_TRUE(IsSoftwareRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_TRUE(IsSoftwareRenderer("Software Rasterizer"));
  EXPECT_TRUE(IsSoftwareRenderer("softpipe"));
  EXPECT_FALSE(IsSoftwareRenderer("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
  EXPECT_FALSE(IsSoftwareRenderer(""));
}

}  // namespace
}  // namespace rp
