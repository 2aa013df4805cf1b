// SPDX-License-Identifier: GPL-3.0-or-later
// `returnplot --chart` as a user runs it, without a display: the SVG, the
// PNG at a chosen resolution and the PDF page each of the chart's size, and
// its exit statuses. Drawn from a Vienna 4x22 match file (Vienna 4x22 Piano
// Corpus, W. Goebl (1999), CC BY 4.0).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace rp {
namespace {

const std::string kMatch = RP_SHARED_DATA_DIR "/vienna4x22/match/Chopin_op10_no3_p01.match";

test::ProgramRun Chart(std::vector<std::string> args) {
  args.insert(args.begin(), {RP_PROGRAM, "--chart"});
  // No display: the program must not need one.
  return test::RunCapturing(args, test::StdErr::Apart, {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}});
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The width and height in a PNG's header.
std::pair<unsigned, unsigned> PngSize(const std::string& png) {
  const auto word = [&png](std::size_t at) {
    unsigned value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8U | static_cast<unsigned char>(png.at(at + i));
    return value;
  };
  return {word(16), word(20)};
}

TEST(ChartFiles, WritesSvgPngAndPdfOfTheChartsSizeWithoutADisplay) {
  if (!std::filesystem::exists(kMatch)) GTEST_SKIP() << "no Vienna 4x22 match file " << kMatch;
  const test::TempDir dir;
  const test::ProgramRun svg = Chart({"bars", dir.Path("bars.svg"), "--width", "640", "--height", "400", kMatch});
  ASSERT_EQ(svg.status, 0) << svg.err;
  EXPECT_NE(Bytes(dir.Path("bars.svg")).find("width=\"640\" height=\"400\""), std::string::npos);

  const test::ProgramRun png =
      Chart({"worm", dir.Path("worm.png"), "--width", "640", "--height", "400", "--dpi", "192", kMatch});
  ASSERT_EQ(png.status, 0) << png.err;
  EXPECT_EQ(PngSize(Bytes(dir.Path("worm.png"))), std::make_pair(1280U, 800U));

  const test::ProgramRun pdf = Chart({"tempo", dir.Path("tempo.pdf"), "--theme", "dark", kMatch});
  ASSERT_EQ(pdf.status, 0) << pdf.err;
  const std::string page = Bytes(dir.Path("tempo.pdf"));
  EXPECT_EQ(page.rfind("%PDF", 0), 0U);
  EXPECT_NE(page.find("/MediaBox [0 0 600"), std::string::npos);  // 800 pixels of 1/96 inch: 600 points
}

TEST(ChartFiles, ExitStatusSaysWhatWentWrong) {
  const test::TempDir dir;
  EXPECT_EQ(Chart({"pie", dir.Path("a.svg"), kMatch}).status, 64);
  EXPECT_EQ(Chart({"tempo", dir.Path("a.svg"), dir.Path("missing.match")}).status, 2);
  EXPECT_FALSE(std::filesystem::exists(dir.Path("a.svg")));
  // A chart that cannot be drawn leaves an earlier file as it was.
  const std::string earlier = dir.Path("earlier.png");
  std::ofstream(earlier) << "earlier";
  EXPECT_EQ(Chart({"bars", earlier, dir.Path("missing.match")}).status, 2);
  EXPECT_EQ(Bytes(earlier), "earlier");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path("")), std::filesystem::directory_iterator()), 1);
}

}  // namespace
}  // namespace rp
