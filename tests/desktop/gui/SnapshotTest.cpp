// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace rp {
namespace {

struct ProgramRun {
  int status = -1;
  std::string output;  // stdout and stderr
};

ProgramRun Program(std::vector<std::string> args) {
  args.insert(args.begin(), RP_PROGRAM);
  test::ProgramRun run = test::RunCapturing(args, test::StdErr::IntoOut);
  return {run.status, std::move(run.out)};
}

// The pictures and files of this test program, gone when it ends.
const test::TempDir& Scratch() {
  static const test::TempDir kDir("rp_snapshot_");
  return kDir;
}

std::string TempPng(const std::string& name) { return Scratch().Path(name + ".png"); }

// Counts the pixels whose colour passes `test`.
template <class Test>
int Count(const QImage& image, Test test) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (test(QColor(image.pixel(x, y)))) ++n;
  return n;
}

// Blue spheres are pure blue; the floor cross, a blue line, has a little
// green (its colour is 0x00000FF0).
bool Blue(const QColor& c) { return c.blue() >= 150 && c.red() < 40 && c.green() < 6; }
bool Orange(const QColor& c) { return c.red() > 180 && c.green() > 100 && c.green() < 215 && c.blue() < 80; }

const std::string kPerformance = RP_BUILD_DATA_DIR "/performance.txt";

// The compared colour green, as a lit sphere, a line or the legend's text.
bool Green(const QColor& c) { return c.green() > 90 && c.red() < 40 && c.blue() < 40; }

// The bundled performance played 10 % slower: another take of the same piece.
std::string SlowerTake() {
  const std::string path = Scratch().Path("returnplot_slower_take.txt");
  std::ifstream in(RP_BUILD_DATA_DIR "/performance.txt");
  std::ofstream out(path);
  const std::regex time(R"(/\* *([0-9.]+) ms)");
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (std::regex_search(line, m, time))
      line = m.prefix().str() + "/* " + std::to_string(std::stod(m[1].str()) * 1.1) + " ms" + m.suffix().str();
    out << line << '\n';
  }
  return path;
}

TEST(Snapshot, PerformanceInTimingAndWithTheCurrentEvent) {
  const std::string all = TempPng("all");
  ProgramRun run = Program({"--snapshot", all, kPerformance});
  ASSERT_EQ(run.status, 0) << run.output;
  QImage image(QString::fromStdString(all));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 606);
  EXPECT_EQ(image.height(), 443);
  EXPECT_EQ(image.pixel(2, 440) & 0xFFFFFF, 0x303030u) << "background";
  EXPECT_EQ(image.pixel(603, 3) & 0xFFFFFF, 0x303030u);
  EXPECT_GT(Count(image, Blue), 200) << "the event spheres";
  // The caption "z axis = ..." in white at the top left.
  const QImage caption = image.copy(10, 20, 150, 20);
  EXPECT_GT(Count(caption, [](const QColor& c) { return c.lightness() > 200; }), 20);

  const std::string tail = TempPng("tail");
  run = Program({"--snapshot", tail, "--event", "30", "--tail", "8", kPerformance});
  ASSERT_EQ(run.status, 0) << run.output;
  const QImage withEvent(QString::fromStdString(tail));
  EXPECT_GT(Count(withEvent, Blue), 30) << "its tail";
  EXPECT_LT(Count(withEvent, Blue), Count(image, Blue)) << "a tail of 8 shows fewer points";

  // Without a tail there are no lines: what is orange is the current event.
  const std::string alone = TempPng("alone");
  run = Program({"--snapshot", alone, "--event", "30", "--tail", "0", kPerformance});
  ASSERT_EQ(run.status, 0) << run.output;
  const QImage current(QString::fromStdString(alone));
  EXPECT_GT(Count(current, Orange), 40) << "the current event, orange at double size";
  EXPECT_EQ(Count(current, Blue), 0);
  const std::string first = TempPng("first");
  run = Program({"--snapshot", first, "--event", "1", kPerformance});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_GT(Count(QImage(QString::fromStdString(first)), Orange), 40) << "event 1 is drawn as the current event";

  const std::string velocity = TempPng("velocity");
  run = Program({"--snapshot", velocity, "--velocity", kPerformance});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(QImage(QString::fromStdString(velocity)), image) << "other values, other picture";

  // The same input always gives the same picture.
  const std::string again = TempPng("again");
  ASSERT_EQ(Program({"--snapshot", again, kPerformance}).status, 0);
  EXPECT_EQ(QImage(QString::fromStdString(again)), image);
}

TEST(Snapshot, TwoPerformancesInTheirColoursWithALegend) {
  const std::string slower = SlowerTake();
  const std::string two = TempPng("two");
  ProgramRun run = Program({"--snapshot", two, kPerformance, slower});
  ASSERT_EQ(run.status, 0) << run.output;
  const QImage image(QString::fromStdString(two));
  ASSERT_FALSE(image.isNull());
  EXPECT_GT(Count(image, Blue), 200) << "the main points as before";
  EXPECT_GT(Count(image.copy(0, 80, 606, 363), Green), 200) << "the compared points and lines";
  // The legend: the compared file's name in green in the top-right corner.
  EXPECT_GT(Count(image.copy(430, 40, 176, 25), Green), 30);

  // A file that is not there, or one that cannot be read, is named, and an
  // earlier picture stays as it was.
  const std::string partly = Scratch().Write("partly.png", "an earlier picture");
  const std::string damaged = Scratch().Write("damaged.mid", std::string("MThd\0\0\0\6", 8));
  run = Program({"--snapshot", partly, "--event", "40", kPerformance, "/no/such/take.txt", slower});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.output.find("/no/such/take.txt"), std::string::npos) << run.output;
  run = Program({"--snapshot", partly, "--event", "40", kPerformance, damaged, slower});
  EXPECT_EQ(run.status, 2);  // as --report says of it
  EXPECT_NE(run.output.find(damaged), std::string::npos) << run.output;
  EXPECT_EQ(test::FileText(partly), "an earlier picture");
}

TEST(Snapshot, ScatterFileAndFailures) {
  const std::string scatter = TempPng("scatter");
  ProgramRun run = Program({"--snapshot", scatter, "--scatter", RP_BUILD_DATA_DIR "/ScatterData.csv"});
  ASSERT_EQ(run.status, 0) << run.output;
  const QImage image(QString::fromStdString(scatter));
  ASSERT_FALSE(image.isNull());
  EXPECT_GT(Count(image, [](const QColor& c) { return c.saturation() > 80 && c.value() > 60; }), 200)
      << "coloured spheres";

  // A file that is not there: one line naming it, and no picture.
  const std::string missing = TempPng("missing");
  run = Program({"--snapshot", missing, "--scatter", "/no/such/points.csv"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.output, "returnplot: cannot open \"/no/such/points.csv\": No such file or directory\n");
  EXPECT_FALSE(std::filesystem::exists(missing));
  // A FIFO, a device and a binary file as --report says of them: exit status 2 and one line.
  const std::string fifo = Scratch().MakeFifo("points_fifo.csv");
  const std::string binary = Scratch().Write("binary.txt", std::string("\x00\x01\xFF no text", 11));
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--scatter", fifo}, {"--scatter", "/dev/zero"}, {fifo}, {binary}}) {
    std::vector<std::string> all{"--snapshot", missing};
    all.insert(all.end(), args.begin(), args.end());
    run = Program(all);
    EXPECT_EQ(run.status, 2) << args.back();
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    EXPECT_EQ(run.output.find(".csv.csv"), std::string::npos) << run.output;
  }
  EXPECT_FALSE(std::filesystem::exists(missing));

  // Events and tails outside the performance: one line with the events
  // there are, and no picture.
  const std::string beyond = TempPng("beyond");
  for (const auto& [option, value] : {std::pair{"--event", "100000"}, std::pair{"--event", "0"},
                                      std::pair{"--event", "-3"}, std::pair{"--tail", "99999"}}) {
    run = Program({"--snapshot", beyond, "--event", "30", option, value, kPerformance});
    EXPECT_EQ(run.status, 64) << option << value;
    EXPECT_NE(run.output.find(" 122"), std::string::npos) << run.output;  // its events
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
  }
  EXPECT_FALSE(std::filesystem::exists(beyond));

  // Swapped arguments never overwrite the performance.
  const std::string copy = Scratch().Write("copy.txt", test::FileText(kPerformance));
  run = Program({"--snapshot", copy, beyond});
  EXPECT_EQ(run.status, 64);
  EXPECT_EQ(test::FileText(copy), test::FileText(kPerformance));

  run = Program({"--snapshot"});
  EXPECT_EQ(run.status, 64);
  EXPECT_NE(run.output.find("usage: returnplot --snapshot"), std::string::npos);
}

TEST(Snapshot, MorePixelsAnotherViewAndJpeg) {
  ProgramRun run = Program({"--snapshot", TempPng("usual"), kPerformance});
  ASSERT_EQ(run.status, 0) << run.output;
  const QImage usual(QString::fromStdString(TempPng("usual")));
  const std::string big = TempPng("big");
  run = Program({"--snapshot", big, "--width", "1212", kPerformance});
  ASSERT_EQ(run.status, 0) << run.output;
  const QImage twice(QString::fromStdString(big));
  EXPECT_EQ(twice.size(), QSize(1212, 886));
  // The same picture: four times the pixels of the spheres, text as large.
  EXPECT_NEAR(Count(twice, Blue), 4 * Count(usual, Blue), Count(usual, Blue));
  const std::string jpeg = Scratch().Path("turned.jpg");
  run = Program({"--snapshot", jpeg, "--height", "443", "--yaw", "90", "--pitch", "30", kPerformance});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(test::FileText(jpeg).substr(0, 3), "\xFF\xD8\xFF") << "JPEG data under a .jpg name";
  const QImage turned(QString::fromStdString(jpeg));
  EXPECT_EQ(turned.size(), QSize(606, 443));
  int differing = 0;
  for (int y = 0; y < 443; y += 4)
    for (int x = 0; x < 606; x += 4) differing += (qGray(turned.pixel(x, y)) - qGray(usual.pixel(x, y))) > 40;
  EXPECT_GT(differing, 500) << "another view";

  // SVG: the same frame drawn as shapes; the blue circles stand where the
  // picture is bluish (blue, or blue seen through the glass plate), and the
  // caption is there as text.
  const std::string svg = Scratch().Path("figure.svg");
  run = Program({"--snapshot", svg, kPerformance});
  ASSERT_EQ(run.status, 0) << run.output;
  const std::string drawing = test::FileText(svg);
  EXPECT_NE(drawing.find("width=\"606\" height=\"443\""), std::string::npos);
  EXPECT_NE(drawing.find(">z axis = event n+2d</text>"), std::string::npos);
  // Circles back to front: a blue one that a nearer circle covers is not seen.
  struct Circle {
    double x, y, r;
    bool blue;
  };
  std::vector<Circle> drawn;
  const std::regex circle(R"re(<circle cx="([0-9.]+)" cy="([0-9.]+)" r="([0-9.]+)" fill="#(..)(..)(..)")re");
  for (auto m = std::sregex_iterator(drawing.begin(), drawing.end(), circle); m != std::sregex_iterator(); ++m)
    drawn.push_back({std::stod((*m)[1]), std::stod((*m)[2]), std::stod((*m)[3]), (*m)[4] == "00" && (*m)[5] == "00"});
  int circles = 0, onBlue = 0;
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    const Circle& c = drawn[i];
    const bool covered =
        std::any_of(drawn.begin() + static_cast<std::ptrdiff_t>(i) + 1, drawn.end(),
                    [&c](const Circle& n) { return !n.blue && std::hypot(n.x - c.x, n.y - c.y) < n.r; });
    if (!c.blue || covered) continue;
    ++circles;
    // Within a pixel of the centre (a one-pixel line may cross the centre).
    bool bluish = false;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const QColor p = usual.pixelColor(static_cast<int>(c.x) + dx, static_cast<int>(c.y) + dy);
        bluish = bluish || (p.blue() > p.red() + 40 && p.blue() > p.green() + 40);
      }
    onBlue += bluish;
  }
  EXPECT_GE(circles, 10);
  EXPECT_GE(onBlue, circles * 9 / 10);
}

}  // namespace
}  // namespace rp
