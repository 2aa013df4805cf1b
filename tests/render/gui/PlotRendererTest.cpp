// SPDX-License-Identifier: GPL-3.0-or-later
// The renderer drawing small known scenes in a real widget; pixels are read
// from the grabbed frame. Needs a display (Xvfb).
#include <gtest/gtest.h>

#include <QTest>
#include <cmath>
#include <memory>

#include "render/GlView.h"
#include "scene/SceneDefaults.h"
#include "scene/SceneMath.h"

namespace rp {
namespace {

constexpr int kSize = 64;

::testing::AssertionResult Near(QRgb pixel, int r, int g, int b, int tolerance = 2) {
  if (std::abs(qRed(pixel) - r) <= tolerance && std::abs(qGreen(pixel) - g) <= tolerance &&
      std::abs(qBlue(pixel) - b) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel (" << qRed(pixel) << ", " << qGreen(pixel) << ", " << qBlue(pixel)
                                       << ") expected (" << r << ", " << g << ", " << b << ")";
}

class PlotRendererTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_ = std::make_unique<GlView>();
    view_->resize(kSize, kSize);
    view_->SetFrameSource([this] { return scene_; });
    view_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view_.get()));
    ASSERT_TRUE(view_->StartRenderer()) << view_->Problem();
    // Looking along +z from 6 in front of the origin; a light from the eye's
    // side, half white, over a quarter-grey ambient.
    scene_.camera.view = LookAtLH({0, 0, -6}, {0, 0, 0}, {0, 1, 0});
    scene_.camera.projection = PlotProjection(kSize, kSize);
    scene_.camera.viewport = {0, 0, kSize, kSize, 0, 1};
    scene_.lighting.towardsLight = {0, 0, -1};
    scene_.lighting.diffuse = {0.5f, 0.5f, 0.5f, 1};
    scene_.lighting.ambient = {0.25f, 0.25f, 0.25f, 1};
    scene_.labelFont = {"DejaVu Sans", 12, 400};
    scene_.titleFont = {"DejaVu Sans", 12, 700};
  }
  QImage Frame() { return view_->GrabFrame().convertToFormat(QImage::Format_RGB32); }
  static Quad Plate(float z, ColourF colour) {
    Quad q;
    q.corners = {{{-3, -3, z}, {3, -3, z}, {3, 3, z}, {-3, 3, z}}};
    q.normal = {0, 0, -1};
    q.colour = colour;
    return q;
  }

  std::unique_ptr<GlView> view_;
  SceneDescription scene_;
};

TEST_F(PlotRendererTest, ALitTrueSphereInFrontOfAnotherAndAPlateBlendedOverThem) {
  scene_.spheres = {{{0, 0, 0}, 1.0f, {0, 0, 1, 1}, {}}};
  QImage image = Frame();
  ASSERT_EQ(image.size(), QSize(kSize, kSize));
  // Facing the light: 0.25 ambient + 0.5 diffuse of the blue; towards the rim
  // the diffuse part fades; outside is the background.
  EXPECT_TRUE(Near(image.pixel(kSize / 2, kSize / 2), 0, 0, 191));
  EXPECT_LT(qBlue(image.pixel(kSize / 2 + 8, kSize / 2)), 185);
  EXPECT_TRUE(Near(image.pixel(2, 2), 0x30, 0x30, 0x30, 0));
  // Round on screen: as many blue pixels across as down.
  auto extent = [&](bool across) {
    int n = 0;
    for (int i = 0; i < kSize; ++i) {
      const QRgb p = across ? image.pixel(i, kSize / 2) : image.pixel(kSize / 2, i);
      n += qBlue(p) > qRed(p) + 40 ? 1 : 0;
    }
    return n;
  };
  EXPECT_NEAR(extent(true), extent(false), 1);
  EXPECT_GT(extent(true), 10);

  // A small red sphere poking out of the blue one, the plot turned: red in
  // the middle, blue round it where the blue surface is nearer.
  scene_.orientation = RotationMatrix({0, 1, 0}, 1.0f);
  scene_.spheres.push_back({{0, 0, 0}, 0.0f, {0, 1, 0, 1}, {}});  // radius 0: nothing
  scene_.spheres.push_back({TransformPoint({0, 0, -1.1f}, InverseOrZero(scene_.orientation)), 0.3f, {1, 0, 0, 1}, {}});
  image = Frame();
  EXPECT_GT(qRed(image.pixel(kSize / 2, kSize / 2)), 150);
  EXPECT_EQ(qBlue(image.pixel(kSize / 2, kSize / 2)), 0);
  EXPECT_EQ(qRed(image.pixel(kSize / 2 + 6, kSize / 2)), 0);
  EXPECT_GT(qBlue(image.pixel(kSize / 2 + 6, kSize / 2)), 100);

  // A red plate of alpha 0.2 in front, lit fully, blended by its alpha.
  scene_.orientation = glm::mat4(1.0f);
  scene_.spheres.resize(1);
  scene_.lighting.ambient = {1, 1, 1, 1};
  scene_.quads = {Plate(-2, {1, 0, 0, 0.2f})};
  image = Frame();
  EXPECT_TRUE(Near(image.pixel(kSize / 2, kSize / 2), 51, 0, 204));
  EXPECT_TRUE(Near(image.pixel(2, 2), 89, 38, 38));
}

TEST_F(PlotRendererTest, LinesShowTheAmbientShareOfTheirColourAndPlatesTheirLineOfTheAxisNames) {
  scene_.lighting.ambient = {0.75f, 0.75f, 0.75f, 1};
  const float y = 1.0f;  // a row in the upper half
  scene_.lines = {{{-2, y, 0}, {2, y, 0}, {1, 176 / 255.0f, 0, 1}}};
  QImage image = Frame();
  const glm::vec3 at =
      ProjectToWindow({0, y, 0}, scene_.camera.viewport, scene_.camera.projection, scene_.camera.view, glm::mat4(1.0f));
  const int row = static_cast<int>(at.y);
  EXPECT_TRUE(Near(image.pixel(kSize / 2, row), 191, 132, 0));
  EXPECT_TRUE(Near(image.pixel(kSize / 2, row + 4), 0x30, 0x30, 0x30, 0));

  // A plate on line 0 of the texture shows its grey only; one on line 1 the
  // dark letters of that line, the right way up (its top row is grey).
  scene_.lines.clear();
  scene_.lighting.ambient = {1, 1, 1, 1};
  scene_.axisNames.lines = {"", "MMMMMMMM"};
  Quad plate = Plate(0, {1, 1, 1, 1});
  plate.texture = QuadTexture::AxisNames;
  plate.texCoords = {{{0, 1}, {1, 1}, {1, 0}, {0, 0}}};
  scene_.quads = {plate};
  auto darkPixels = [](const QImage& frame) {
    int n = 0;
    for (int yy = 0; yy < frame.height(); ++yy)
      for (int xx = 0; xx < frame.width(); ++xx) n += qGreen(frame.pixel(xx, yy)) < 100 ? 1 : 0;
    return n;
  };
  image = Frame();
  EXPECT_TRUE(Near(image.pixel(kSize / 2, kSize / 2), 0xC0, 0xC0, 0xC0));
  EXPECT_EQ(darkPixels(image), 0);
  scene_.quads[0].textureLine = 1;
  image = Frame();
  EXPECT_GT(darkPixels(image), 20);
  EXPECT_TRUE(Near(image.pixel(kSize / 2, 1), 0xC0, 0xC0, 0xC0)) << "the line's top row";
}

TEST_F(PlotRendererTest, TextStandsAtItsPlaceLeftOrRightAlignedOverEverything) {
  scene_.quads = {Plate(-1, {1, 1, 1, 1})};
  scene_.lighting.ambient = {0, 0, 0, 1};
  scene_.lighting.diffuse = {0, 0, 0, 1};  // a black plate over the whole frame
  scene_.texts = {{{{"Hg", 0xFFFFFFFF}}, 10, 20, TextAlign::Left, FontRole::Label},
                  {{{"Hg", 0xFF00FF00}}, 54, 40, TextAlign::Right, FontRole::Label}};
  const QImage image = Frame();
  int left = 0, right = 0, stray = 0;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const QRgb p = image.pixel(x, y);
      const bool white = qRed(p) > 128, green = qGreen(p) > 128 && qRed(p) < 64;
      if (white && x >= 10 && y >= 20 && y < 40)
        ++left;
      else if (green && x < 54 && y >= 40)
        ++right;
      else if (white || green)
        ++stray;
    }
  EXPECT_GT(left, 10);
  EXPECT_GT(right, 10);
  EXPECT_EQ(stray, 0);
}

}  // namespace
}  // namespace rp
