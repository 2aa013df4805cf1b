// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandLine.h"
#include "app/SnapshotOptions.h"
#include "model/ValueKind.h"

namespace rp {
namespace {

TEST(SnapshotOptions, ReadsEveryFormAndRejectsWhatMakesNoSense) {
  std::ostringstream err;
  auto o = ParseSnapshotOptions({"out.png", "--velocity", "--event", "5", "--tail", "3", "perf.txt"}, err);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->output, "out.png");
  EXPECT_TRUE(o->velocity);
  EXPECT_EQ(o->event, 5);
  EXPECT_EQ(o->tail, 3);
  EXPECT_EQ(o->file, "perf.txt");
  EXPECT_FALSE(o->scatter);

  o = ParseSnapshotOptions({"out.png", "--event", "7", "--scatter", "points.csv"}, err);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->tail, 10) << "the default tail";
  EXPECT_FALSE(o->tailGiven);
  EXPECT_EQ(o->scatter, "points.csv");
  EXPECT_FALSE(o->velocity);
  EXPECT_EQ(o->format, SnapshotFormat::Png);
  EXPECT_EQ(o->ScaleFactor(), 1.0);
  EXPECT_EQ(err.str(), "");

  // A figure: more pixels, another view, JPEG by the name.
  o = ParseSnapshotOptions({"fig.JPG", "--height", "886", "--yaw", "-30.5", "--pitch", "20", "perf.txt"}, err);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->format, SnapshotFormat::Jpeg);
  EXPECT_EQ(o->ScaleFactor(), 2.0);
  EXPECT_EQ(o->yawDegrees, -30.5);
  EXPECT_EQ(o->pitchDegrees, 20.0);
  o = ParseSnapshotOptions({"fig.jpeg", "--width", "909", "--height", "100", "perf.txt"}, err);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->ScaleFactor(), 1.5) << "the width's";
  o = ParseSnapshotOptions({"out.svg", "--log-axes", "--colour-by-time", "--event-range", " 20 - 300", "p.txt"}, err);
  ASSERT_TRUE(o);
  EXPECT_TRUE(o->logAxes && o->colourByTime && !o->identityLine);
  ASSERT_TRUE(o->eventRange.has_value());
  EXPECT_EQ(o->eventRange->first, 19) << "typed from 1, kept as indices from 0";
  EXPECT_EQ(o->eventRange->last, 299);
  o = ParseSnapshotOptions({"out.png", "--tempo", "--align-by", "score", "a.match", "b.match"}, err);
  ASSERT_TRUE(o);
  EXPECT_TRUE(o->tempo);
  EXPECT_EQ(o->alignBy, AlignBy::ScorePosition);

  const std::vector<std::vector<std::string>> bad = {
      {},
      {"--velocity"},
      {"out.png", "--event"},
      {"out.png", "--event", "5x"},
      {"out.png", "--tail", "4"},
      {"out.png", "--event", "5", "--tail", "-1"},
      {"out.png", "1", "2", "3", "4", "5", "6", "7", "8", "9"},
      {"out.png", "a.txt", "--scatter", "b.csv"},
      {"out.png", "a.txt", "b.txt", "--scatter", "c.csv"},
      {"out.png", "--zoom"},
      {"out.png", "--event-range", "300-20"},
      {"out.png", "--event-range", "0-20"},
      {"out.png", "--event-range", "20"},
      {"out.png", "--event-range", "5-9", "--event", "7"},
      {"out.png", "--colour-by-time", "a.txt", "b.txt"},
      {"out.png", "--velocity", "--tempo", "a.match"},
      {"out.png", "--align-by", "bar", "a.match"},
  };
  for (const auto& args : bad) {
    std::ostringstream e;
    EXPECT_FALSE(ParseSnapshotOptions(args, e)) << args.size();
    EXPECT_NE(e.str().find("usage: returnplot --snapshot OUT.png"), std::string::npos);
  }

  // The first file is the main one; up to seven more are compared with it.
  o = ParseSnapshotOptions({"out.png", "a.txt", "--velocity", "b.mid", "2", "3", "4", "5", "6", "7"}, err);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->file, "a.txt");
  EXPECT_EQ(o->compareFiles, (std::vector<std::string>{"b.mid", "2", "3", "4", "5", "6", "7"}));

  // The command line hands the whole of it to the windows.
  std::ostringstream out;
  const LaunchPlan plan = ParseCommandLine({"--snapshot", "out.png", "perf.txt"}, out, err);
  EXPECT_FALSE(plan.exitNow);
  EXPECT_EQ(plan.windowArgs, (std::vector<std::string>{"--snapshot", "out.png", "perf.txt"}));
}

TEST(SnapshotOptions, FigureOptionsTitleScaleLookAndSwitches) {
  std::ostringstream err;
  auto o =
      ParseSnapshotOptions({"fig.svg", "--title",      "",    "--range",   "-50.5:1e3", "--theme", "light", "--lines",
                            "off",     "--drop-lines", "on",  "--shadows", "off",       "--glass", "off",   "--legend",
                            "off",     "--point-size", "0.5", "a.match"},
                           err);
  ASSERT_TRUE(o) << err.str();
  EXPECT_EQ(o->title, "") << "an empty title: none";
  ASSERT_TRUE(o->range);
  EXPECT_EQ(o->range->low, -50.5);
  EXPECT_EQ(o->range->high, 1000.0);
  EXPECT_EQ(o->theme, PlotTheme::Light);
  EXPECT_EQ(o->lines, false);
  EXPECT_EQ(o->dropLines, true);
  EXPECT_EQ(o->shadows, false);
  EXPECT_EQ(o->glass, false);
  EXPECT_FALSE(o->legend);
  EXPECT_EQ(o->pointSize, 0.5);

  // Unset switches are left to the window; --scale-from repeats and its files count as inputs.
  o = ParseSnapshotOptions({"fig.png", "--scale-from", "b.match", "a.match", "--scale-from", "c.match"}, err);
  ASSERT_TRUE(o);
  EXPECT_FALSE(o->title || o->range || o->lines || o->glass || o->pointSize);
  EXPECT_EQ(o->theme, PlotTheme::Dark);
  EXPECT_EQ(o->scaleFrom, (std::vector<std::string>{"b.match", "c.match"}));
  EXPECT_EQ(o->Inputs(), (std::vector<std::string>{"a.match", "b.match", "c.match"}));

  const std::vector<std::vector<std::string>> bad = {
      {"out.png", "--title"},
      {"out.png", "--range", "5:5", "a.txt"},
      {"out.png", "--range", "1-9", "a.txt"},
      {"out.png", "--range", "x:9", "a.txt"},
      {"out.png", "--range", "0:9", "--log-axes", "a.txt"},
      {"out.png", "--range", "1:9", "--scale-from", "b.txt", "a.txt"},
      {"out.png", "--scale-from", "b.txt", "--scatter", "c.csv"},
      {"out.png", "--theme", "sepia", "a.txt"},
      {"out.png", "--lines", "yes", "a.txt"},
      {"out.png", "--glass"},
      {"out.png", "--point-size", "0", "a.txt"},
      {"out.png", "--point-size", "11", "a.txt"},
  };
  for (const auto& args : bad) {
    std::ostringstream e;
    EXPECT_FALSE(ParseSnapshotOptions(args, e)) << args[1];
    EXPECT_NE(e.str().find("usage: returnplot --snapshot OUT.png"), std::string::npos) << args[1];
  }
}

}  // namespace
}  // namespace rp

namespace rp {
namespace {

// The values drawn: timing unless one of the four options names others,
// never two of them; --help names all four.
TEST(SnapshotOptions, ValuesAreTimingOrOneOfVelocityTempoLeadAndSpread) {
  std::ostringstream err;
  const std::vector<std::pair<std::string, ValueKind>> options = {{"--velocity", ValueKind::Velocity},
                                                                  {"--tempo", ValueKind::Tempo},
                                                                  {"--lead", ValueKind::MelodyLead},
                                                                  {"--spread", ValueKind::Spread}};
  auto o = ParseSnapshotOptions({"out.png", "a.match"}, err);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->Values(), ValueKind::Timing);
  EXPECT_EQ(o->ValuesOption(), "");
  for (const auto& [option, kind] : options) {
    o = ParseSnapshotOptions({"out.png", option, "a.match"}, err);
    ASSERT_TRUE(o) << option;
    EXPECT_EQ(o->Values(), kind) << option;
    EXPECT_EQ(o->ValuesOption(), option);
    for (const auto& [other, otherKind] : options) {
      if (other == option) continue;
      std::ostringstream e;
      EXPECT_FALSE(ParseSnapshotOptions({"out.png", option, "a.match", other}, e)) << option << ' ' << other;
      EXPECT_NE(e.str().find("one of --velocity, --tempo, --lead and --spread"), std::string::npos) << e.str();
    }
  }
  EXPECT_EQ(err.str(), "");
  std::ostringstream help;
  ParseCommandLine({"--help"}, help, err);
  EXPECT_NE(help.str().find("--snapshot OUT.png|OUT.jpg|OUT.svg [--velocity | --tempo | --lead | --spread]"),
            std::string::npos);
}

TEST(CommandLine, SeveralFilesOpenTheFirstAndCompareTheRestUpToEight) {
  std::ostringstream out, err;
  LaunchPlan plan = ParseCommandLine({"a.txt", "b.txt", "c.mid"}, out, err);
  EXPECT_FALSE(plan.exitNow);
  EXPECT_EQ(plan.startFile, "a.txt");
  EXPECT_EQ(plan.compareFiles, (std::vector<std::string>{"b.txt", "c.mid"}));

  plan = ParseCommandLine({"1", "2", "3", "4", "5", "6", "7", "8", "9"}, out, err);
  EXPECT_TRUE(plan.exitNow);
  EXPECT_EQ(plan.exitStatus, 64);
  EXPECT_NE(err.str().find("at most 8 performances"), std::string::npos) << err.str();
}

TEST(CommandLine, OutputGoesWithTheWindowOptionsAnywhereAndNeedsAName) {
  std::ostringstream out, err;
  LaunchPlan plan = ParseCommandLine({"--output", "Synth B", "--delay", "2", "a.txt", "b.txt"}, out, err);
  EXPECT_FALSE(plan.exitNow) << err.str();
  EXPECT_EQ(plan.output, "Synth B");
  EXPECT_EQ(plan.analysis.delay, 2);
  EXPECT_EQ(plan.startFile, "a.txt");
  EXPECT_EQ(plan.compareFiles, (std::vector<std::string>{"b.txt"}));
  EXPECT_EQ(ParseCommandLine({"--delay", "2", "a.txt", "--output", "fluid"}, out, err).output, "fluid");

  for (const auto& args : std::vector<std::vector<std::string>>{{"--output"}, {"a.txt", "--output", ""}}) {
    std::ostringstream quiet, complaint;
    plan = ParseCommandLine(args, quiet, complaint);
    EXPECT_TRUE(plan.exitNow);
    EXPECT_EQ(plan.exitStatus, 64);
    EXPECT_EQ(complaint.str(), "returnplot: --output needs part of the name of a MIDI output (see --list-devices)\n");
  }
}

}  // namespace
}  // namespace rp
