// SPDX-License-Identifier: GPL-3.0-or-later
// Snapshots as figures: a batch of one piece drawn in one scale, and the SVG
// drawing placed as the PNG of the same frame when another renderer
// (librsvg's rsvg-convert) draws it; a scatter file's picture titled like a
// performance's.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace rp {
namespace {

const std::string kMatchFolder = RP_SHARED_DATA_DIR "/vienna4x22/match";

std::string Match(int pianist) {
  const std::string number = (pianist < 10 ? "0" : "") + std::to_string(pianist);
  return kMatchFolder + "/Chopin_op10_no3_p" + number + ".match";
}

test::ProgramRun Snapshot(std::vector<std::string> args) {
  args.insert(args.begin(), {RP_PROGRAM, "--snapshot"});
  return test::RunCapturing(args, test::StdErr::IntoOut);
}

// The texts of an SVG drawing that are numbers: the tick labels.
std::vector<std::string> TickLabels(const std::string& svg) {
  static const std::regex kText(R"(<text [^>]*>(-?[0-9]+(\.[0-9]+)?)</text>)");
  std::vector<std::string> labels;
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), kText); it != std::sregex_iterator(); ++it)
    labels.push_back((*it)[1].str());
  return labels;
}

TEST(FigureSnapshot, ABatchOfOnePieceWithOneScaleHasTheSameTickLabels) {
  if (!std::filesystem::exists(Match(1))) GTEST_SKIP() << "the Vienna 4x22 match files are not in " RP_SHARED_DATA_DIR;
  const test::TempDir dir("rp_figures_");
  std::vector<std::string> scaleFrom;
  for (int p = 1; p <= 22; ++p) scaleFrom.insert(scaleFrom.end(), {"--scale-from", Match(p)});
  std::vector<std::string> first;
  for (int p = 1; p <= 22; ++p) {
    const std::string out = dir.Path("p" + std::to_string(p) + ".svg");
    std::vector<std::string> args{out, "--tempo", "--theme", "light"};
    args.insert(args.end(), scaleFrom.begin(), scaleFrom.end());
    args.push_back(Match(p));
    const test::ProgramRun run = Snapshot(args);
    ASSERT_EQ(run.status, 0) << run.out;
    const std::vector<std::string> labels = TickLabels(test::FileText(out));
    if (p == 1) {
      first = labels;
      EXPECT_GE(first.size(), 6u) << "ticks on the three axes";
    }
    EXPECT_EQ(labels, first) << "pianist " << p;
  }
  // Each in its own scale the pictures differ.
  const std::string own1 = dir.Path("own1.svg"), own2 = dir.Path("own2.svg");
  ASSERT_EQ(Snapshot({own1, "--tempo", Match(1)}).status, 0);
  ASSERT_EQ(Snapshot({own2, "--tempo", Match(2)}).status, 0);
  EXPECT_NE(TickLabels(test::FileText(own1)), TickLabels(test::FileText(own2)));
}

TEST(FigureSnapshot, OneSideAloneKeepsTheShapeAndBothGiveExactlyThatSize) {
  if (!std::filesystem::exists(Match(1))) GTEST_SKIP() << "the Vienna 4x22 match files are not in " RP_SHARED_DATA_DIR;
  const test::TempDir dir("rp_figures_");
  std::vector<QImage> pictures;
  for (const std::vector<std::string>& size : {std::vector<std::string>{"--width", "1212"},
                                               {"--height", "886"},
                                               {"--width", "1212", "--height", "886"},
                                               {"--width", "900", "--height", "300"}}) {
    const std::string out = dir.Path("s" + std::to_string(pictures.size()) + ".png");
    std::vector<std::string> args{out, "--tempo", "--yaw", "35", "--pitch", "5", Match(1), Match(2)};
    args.insert(args.begin() + 1, size.begin(), size.end());
    ASSERT_EQ(Snapshot(args).status, 0);
    pictures.emplace_back(QString::fromStdString(out));
  }
  EXPECT_EQ(pictures[0].size(), QSize(1212, 886));
  EXPECT_EQ(pictures[1], pictures[0]);
  EXPECT_EQ(pictures[2], pictures[0]);
  EXPECT_EQ(pictures[3].size(), QSize(900, 300));
}

TEST(FigureSnapshot, AScatterFilesPictureIsTitledByItsNameUnlessATitleIsGiven) {
  const test::TempDir dir("rp_figures_");
  const std::string out = dir.Path("scatter.svg");
  for (const auto& [title, shown] : {std::pair<std::vector<std::string>, std::string>{{}, ">ScatterData.csv<"},
                                     {{"--title", "Points of a study"}, ">Points of a study<"},
                                     {{"--title", ""}, ""}}) {
    std::vector<std::string> args{out, "--scatter", RP_BUILD_DATA_DIR "/ScatterData.csv"};
    args.insert(args.end(), title.begin(), title.end());
    ASSERT_EQ(Snapshot(args).status, 0);
    const std::string svg = test::FileText(out);
    EXPECT_TRUE(shown.empty() || svg.find(shown) != std::string::npos) << shown;
    EXPECT_EQ(svg.find(">ScatterData.csv<") != std::string::npos, shown == ">ScatterData.csv<") << shown;
  }
}

// The pixels of `image` that `ink` picks.
std::vector<std::vector<bool>> Mask(const QImage& image, const std::function<bool(const QColor&)>& ink) {
  std::vector<std::vector<bool>> mask(image.height(), std::vector<bool>(image.width()));
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) mask[y][x] = ink(QColor(image.pixel(x, y)));
  return mask;
}

// The share of `from`'s pixels with a pixel of `to` at most `reach` pixels away (1 when `from` has none).
double Near(const std::vector<std::vector<bool>>& from, const std::vector<std::vector<bool>>& to, int reach) {
  int all = 0, near = 0;
  const int h = static_cast<int>(from.size()), w = h > 0 ? static_cast<int>(from[0].size()) : 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (!from[y][x]) continue;
      ++all;
      bool found = false;
      for (int dy = -reach; dy <= reach && !found; ++dy)
        for (int dx = -reach; dx <= reach && !found; ++dx)
          found = y + dy >= 0 && y + dy < h && x + dx >= 0 && x + dx < w && to[y + dy][x + dx];
      near += found;
    }
  }
  return all == 0 ? 1.0 : static_cast<double>(near) / all;
}

TEST(FigureSnapshot, TheSvgDrawnByLibrsvgPlacesTextsAndPlatesAsThePng) {
  if (!std::filesystem::exists(Match(1))) GTEST_SKIP() << "the Vienna 4x22 match files are not in " RP_SHARED_DATA_DIR;
  if (!std::filesystem::exists("/usr/bin/rsvg-convert")) GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
  const test::TempDir dir("rp_figures_");
  // Texts and tick labels: light grey to white; everything grey (the plates, axes and texts, whatever their
  // shade of lighting); the plates' names: black (blurred a little by the texture's filtering in the PNG,
  // which the SVG's glyphs are not).
  const auto light = [](const QColor& c) {
    return std::min({c.red(), c.green(), c.blue()}) >= 170 && c.saturation() < 40;
  };
  const auto grey = [](const QColor& c) {
    return std::max({c.red(), c.green(), c.blue()}) >= 90 && c.saturation() < 40;
  };
  const auto ink = [](const QColor& c) { return std::max({c.red(), c.green(), c.blue()}) < 80; };
  int frames = 0;
  for (const std::vector<std::string>& size :
       {std::vector<std::string>{}, {"--width", "1212"}, {"--width", "606", "--height", "700"}}) {
    for (const auto& [yaw, pitch] : {std::pair{"0", "0"}, {"35", "5"}, {"200", "-30"}}) {
      const std::string png = dir.Path("f" + std::to_string(frames) + ".png");
      const std::string svg = dir.Path("f" + std::to_string(frames) + ".svg");
      const std::string drawn = dir.Path("f" + std::to_string(frames) + "-rsvg.png");
      ++frames;
      std::vector<std::string> args{"--yaw",     yaw,   "--pitch", pitch, "--lines", "off",
                                    "--shadows", "off", "--glass", "off", Match(1)};
      args.insert(args.begin(), size.begin(), size.end());
      std::vector<std::string> pngArgs = args, svgArgs = args;
      pngArgs.insert(pngArgs.begin(), png);
      svgArgs.insert(svgArgs.begin(), svg);
      ASSERT_EQ(Snapshot(pngArgs).status, 0);
      ASSERT_EQ(Snapshot(svgArgs).status, 0);
      const test::ProgramRun rsvg =
          test::RunCapturing({"/usr/bin/rsvg-convert", "-o", drawn, svg}, test::StdErr::IntoOut);
      ASSERT_EQ(rsvg.status, 0) << rsvg.out;
      const QImage a(QString::fromStdString(png)), b(QString::fromStdString(drawn));
      ASSERT_EQ(a.size(), b.size()) << svg;
      const std::string where =
          "size " + std::to_string(a.width()) + "x" + std::to_string(a.height()) + ", yaw " + yaw + ", pitch " + pitch;
      struct Check {
        const char* name;
        std::function<bool(const QColor&)> pick;
        double share;
      };
      for (const Check& check :
           {Check{"texts", light, 0.97}, {"plates, axes and texts", grey, 0.97}, {"plate names", ink, 0.9}}) {
        const auto png = Mask(a, check.pick), svg = Mask(b, check.pick);
        EXPECT_GE(Near(png, svg, 2), check.share)
            << check.name << " of the PNG without the SVG's within 2 px, " << where;
        EXPECT_GE(Near(svg, png, 2), check.share)
            << check.name << " of the SVG without the PNG's within 2 px, " << where;
      }
    }
  }

  // The frosted glass on the light look: as pale in the SVG as in the PNG
  // (each of its faces written once would darken it to 233 of 255 where the
  // PNG has 248).
  const std::string png = dir.Path("glass.png"), svg = dir.Path("glass.svg"), drawn = dir.Path("glass-rsvg.png");
  for (const std::string& out : {png, svg})
    ASSERT_EQ(Snapshot({out, "--theme", "light", "--yaw", "35", "--pitch", "5", Match(1)}).status, 0);
  ASSERT_EQ(test::RunCapturing({"/usr/bin/rsvg-convert", "-o", drawn, svg}, test::StdErr::IntoOut).status, 0);
  const QImage a(QString::fromStdString(png)), b(QString::fromStdString(drawn));
  ASSERT_EQ(a.size(), b.size());
  double inPng = 0.0, inSvg = 0.0;
  int glass = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QColor c(a.pixel(x, y));
      if (c.saturation() > 10 || c.red() < 240 || c.red() > 252) continue;  // the glass's pale grey only
      inPng += c.red();
      inSvg += QColor(b.pixel(x, y)).red();
      ++glass;
    }
  }
  ASSERT_GT(glass, 1000);
  EXPECT_NEAR(inSvg / glass, inPng / glass, 4.0);
}

}  // namespace
}  // namespace rp
