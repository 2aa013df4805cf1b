// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/NumberPattern.h"
#include "model/Performance.h"
#include "plot/FrameMove.h"
#include "plot/HoverLabel.h"
#include "plot/MouseOver.h"
#include "scene/SceneMath.h"
#include "support/InteractionScene.h"

namespace rp {
namespace {

using testing::MakePoint;
using testing::ScreenOf;

TEST(NumberFormat, ThreeDecimalsRoundedHalfAwayFromZero) {
  EXPECT_EQ(FormatNumber(1, "0.000", "."), "1.000");
  EXPECT_EQ(FormatNumber(0, "0.000", "."), "0.000");
  EXPECT_EQ(FormatNumber(0.25, "0.000", ","), "0,250");
  EXPECT_EQ(FormatNumber(123.45678, "0.000", "."), "123.457");
  EXPECT_EQ(FormatNumber(0.0625, "0.000", "."), "0.063");  // an exact half
  EXPECT_EQ(FormatNumber(-0.0625, "0.000", "."), "-0.063");
  EXPECT_EQ(FormatNumber(0.9996, "0.000", "."), "1.000");  // carry into the integer
  EXPECT_EQ(FormatNumber(99.9999, "0.000", "."), "100.000");
  EXPECT_EQ(FormatNumber(-0.0001, "0.000", "."), "0.000");  // no "-0.000"
  EXPECT_EQ(FormatNumber(-1.5, "0.000", "."), "-1.500");
  EXPECT_EQ(FormatNumber(1.005, "0.00", "."), "1.00");  // 1.005 is 1.00499999... in binary
  EXPECT_EQ(FormatNumber(2.5, "0", "."), "3");
  EXPECT_EQ(FormatNumber(0.5, "#.00", "."), ".50");
  EXPECT_EQ(FormatNumber(7, "00.0 ms", "."), "07.0 ms");
  EXPECT_EQ(FormatNumber(1e300, "0.000", ".").size(), 301u + 4u);
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), "0.000", "."), "inf");
  EXPECT_EQ(FormatNumber(0.1, "", ","), "0,1");
}

TEST(HoverLabel, FiveLinesAndPlacementBesideTheCursor) {
  PlotPoints titles;
  titles.xAxisName = "event n";
  titles.verticalAxisName = "event n+2d";
  titles.depthAxisName = "event n+d";
  titles.sizeName = "s";
  DataEntry p = MakePoint("Event 12", 0, 0, 0);
  p.dataX = 512.5;
  p.dataY = 0.1234;
  p.dataZ = -3;
  p.dataSize = 1;
  EXPECT_EQ(
      HoverLabelText(titles, p, "."),
      (std::vector<std::string>{"Event 12", " event n=512.500", " event n+2d=0.123", " event n+d=-3.000", " s=1.000"}));
  titles.sizeValueFormat = "0";
  EXPECT_EQ(HoverLabelText(titles, p, ",")[4], " s=1");
  EXPECT_EQ(HoverLabelText(titles, p, ",")[1], " event n=512,500");

  const Rect r = HoverLabelRect(300.4f, 200.6f);
  EXPECT_EQ(r.left, 280);
  EXPECT_EQ(r.top, 131);
  EXPECT_EQ(r.right, 0);
  EXPECT_EQ(r.bottom, 0);
  // Near the top-left corner: negative becomes 1, 0 stays 0.
  EXPECT_EQ(HoverLabelRect(5, 30).left, 1);
  EXPECT_EQ(HoverLabelRect(5, 30).top, 1);
  EXPECT_EQ(HoverLabelRect(20, 70).left, 0);
  EXPECT_EQ(HoverLabelRect(20, 70).top, 0);
}

TEST(HoverLabel, AMatchFilePointSaysWhichEventWhereInTheScoreAndInWhatUnits) {
  Performance p;
  p.sourcePath = "/data/chopin_p01.match";
  p.source = PerformanceSource::ScoreAligned;
  p.notes = {{.timeMs = 61234.5, .isNoteOn = true, .noteVelocity = 50, .noteKey = 64},
             {.timeMs = 61240, .isNoteOn = true, .noteVelocity = 40, .noteKey = 56},
             {.timeMs = 61300, .isNoteOn = false, .noteKey = 64},
             {.timeMs = 61800, .isNoteOn = true, .noteVelocity = 45, .noteKey = 61}};
  p.events = {{.onsetMs = 61234.5, .firstNote = 0}, {.onsetMs = 61800, .firstNote = 3}};
  p.score.emplace();
  p.score->events = {{.onsetBeats = 8.0, .barBeat = "3:2"}, {.onsetBeats = 8.5, .barBeat = "3:2+1/8"}};
  PlotPoints titles;
  titles.xAxisName = "event n";
  titles.verticalAxisName = "event n+2d";
  titles.depthAxisName = "event n+d";
  DataEntry point;
  point.dataX = 1131;
  point.dataY = kUndefinedValue;
  point.dataZ = 980.25;
  EXPECT_EQ(PerformancePointText(titles, point, p, 0, ValueKind::Tempo, "."),
            (std::vector<std::string>{"chopin_p01.match", "event 1 at 1:01.235", "keys E4 G#3", "bar 3:2",
                                      "event n = 1131.000 ms per beat", "event n+2d = \u2013",
                                      "event n+d = 980.250 ms per beat"}));
  // With a time signature the beat is named, as the tempo is counted.
  p.score->timeSignature = "6/8";
  EXPECT_EQ(PerformancePointText(titles, point, p, 0, ValueKind::Tempo, ".", {Beat{1, 4, false}, TempoUnit::Bpm})[4],
            "event n = 1131.000 BPM (quarter)");
  EXPECT_EQ(PerformancePointText(titles, point, p, 0, ValueKind::Tempo, ".")[4],
            "event n = 1131.000 ms per dotted quarter");
  // The chord values are in ms, whatever the tempo's beat.
  point.dataX = 12.5;
  EXPECT_EQ(PerformancePointText(titles, point, p, 0, ValueKind::MelodyLead, ".")[4], "event n = 12.500 ms");
  EXPECT_EQ(PerformancePointText(titles, point, p, 0, ValueKind::Spread, ",")[4], "event n = 12,500 ms");
  point.dataX = 1131;
  // The last event (index 1, shown as event 2): its keys run to the end; velocities without decimals.
  const std::vector<std::string> second = PerformancePointText(titles, point, p, 1, ValueKind::Velocity, ",");
  EXPECT_EQ(std::vector<std::string>(second.begin() + 1, second.end()),
            (std::vector<std::string>{"event 2 at 1:01,800", "keys C#4", "bar 3:2+1/8", "event n = velocity 1131",
                                      "event n+2d = \u2013", "event n+d = velocity 980"}));
  EXPECT_EQ(NoteName(60), "C4");
  EXPECT_EQ(NoteName(0), "C-1");
}

class MouseOverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s_.xAxisName = "x";
    s_.verticalAxisName = "y";
    s_.depthAxisName = "z";
    s_.sizeName = "s";
    testing::StartedView(s_);
  }
  glm::vec3 Screen(const glm::vec3& p) { return ScreenOf(s_, p); }
  ViewState s_;
};

TEST_F(MouseOverTest, HoverShowsTheNearestSphereAndMissHidesIt) {
  DataEntry far = MakePoint("far", 0, 2, 2, 5.0);
  far.dataX = 1;
  s_.points.Add(far);
  DataEntry nearPt = MakePoint("near", 0, 2, -2, 5.0);  // in front of "far", nearer to the eye
  nearPt.dataX = 2;
  s_.points.Add(nearPt);
  s_.points.Add(MakePoint("aside", 3, 2, 0));
  s_.camera.orientation = QuatFromAxisAngle({0, 1, 0}, 0.2f);

  const glm::vec3 at = Screen({0, 2, -2});
  EXPECT_TRUE(MouseOver(s_, at.x, at.y));
  ASSERT_TRUE(s_.showHoverText);
  EXPECT_EQ(s_.hoverText.front(), "near");
  EXPECT_EQ(s_.hoverText[1], " x=2.000");
  EXPECT_EQ(s_.hoverRect.left, static_cast<std::int32_t>(std::nearbyint(at.x - 20)));
  EXPECT_EQ(s_.hoverRect.top, static_cast<std::int32_t>(std::nearbyint(at.y - 70)));
  EXPECT_FALSE(MouseOver(s_, at.x, at.y)) << "the same label again: no new frame";

  // Auto-rotation waits while a point is hovered and goes on when the pointer leaves the plot.
  s_.autoRotate = true;
  const glm::quat turn = s_.camera.orientation;
  FrameMove(s_, 0.5f);
  EXPECT_EQ(s_.camera.orientation, turn);
  EXPECT_TRUE(MouseLeft(s_));
  FrameMove(s_, 0.5f);
  EXPECT_NE(s_.camera.orientation, turn);
  s_.autoRotate = false;
  s_.camera.orientation = turn;
  ASSERT_TRUE(MouseOver(s_, at.x, at.y));

  // The picture's label: the hover text beside the cursor, line by line,
  // over everything on its translucent background.
  const SceneDescription frame = DescribeFrame(s_);
  ASSERT_EQ(frame.texts.size(), 2u);
  EXPECT_EQ(frame.texts[0].lines[0].text, "z axis = y") << "the caption first";
  const TextItem& label = frame.texts[1];
  EXPECT_EQ(label.lines.size(), 5u);
  EXPECT_EQ(label.lines[0].text, "near");
  EXPECT_EQ(label.x, s_.hoverRect.left);
  EXPECT_TRUE(label.overlay);
  ASSERT_EQ(frame.rects.size(), 1u);
  EXPECT_LT(frame.rects[0].colour >> 24, 0xFFu) << "see-through";
  EXPECT_LE(frame.rects[0].x, label.x);

  // Near the right edge the label flips to the cursor's other side and stays inside.
  MouseOver(s_, 590.0f, at.y);
  if (s_.showHoverText) {
    const SceneDescription edge = DescribeFrame(s_);
    EXPECT_LT(edge.texts.back().x, s_.hoverRect.left);
    EXPECT_LE(edge.rects.back().x + edge.rects.back().width, 606);
  }

  const glm::vec3 aside = Screen({3, 2, 0});
  MouseOver(s_, aside.x, aside.y);
  EXPECT_EQ(s_.hoverText.front(), "aside");

  // Off every sphere: hidden, text and place kept for the next hover.
  const Rect before = s_.hoverRect;
  EXPECT_TRUE(MouseOver(s_, 5, 5));
  EXPECT_FALSE(s_.showHoverText);
  EXPECT_EQ(s_.hoverText.front(), "aside");
  EXPECT_EQ(s_.hoverRect.left, before.left);

  // Nothing at all while the renderer does not draw.
  s_.rendererReady = false;
  EXPECT_FALSE(MouseOver(s_, aside.x, aside.y));
  EXPECT_FALSE(s_.showHoverText);
}

TEST_F(MouseOverTest, PointsUnderTheGlassAreHovered) {
  s_.points.Add(MakePoint("below", 0, -1, 0, 3.0));
  s_.showGlass = true;
  const glm::vec3 at = Screen({0, -1, 0});
  MouseOver(s_, at.x, at.y);
  EXPECT_TRUE(s_.showHoverText);
  EXPECT_EQ(s_.hoverText.front(), "below");
}

}  // namespace
}  // namespace rp
