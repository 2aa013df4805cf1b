// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/CommandLine.h"
#include "app/RecordOptions.h"
#include "app/RecordTake.h"
#include "io/AsciiMidiWriter.h"
#include "support/ScriptedMidiInput.h"
#include "support/TempDir.h"
#include "support/WaitFor.h"

namespace rp {
namespace {

using Args = std::vector<std::string>;

TEST(RecordOptions, ReadsEveryOptionAndRefusesBadValuesWithOneLine) {
  std::ostringstream err;
  const auto ok = ParseRecordOptions(
      {"take.txt", "--input", "Piano", "--seconds", "2.5", "--cluster-ms", "12.5", "--delay", "3"}, err);
  ASSERT_TRUE(ok) << err.str();
  EXPECT_EQ(ok->output, "take.txt");
  EXPECT_EQ(ok->input, "Piano");
  EXPECT_EQ(ok->seconds, 2.5);
  EXPECT_EQ(ok->settings.clusterWindowMs, 12.5);
  EXPECT_EQ(ok->settings.delay, 3);
  EXPECT_TRUE(ParseRecordOptions({"t.txt", "--input", "P", "--cluster-ms", "0", "--delay", "50"}, err));

  for (const Args& bad :
       {Args{"t.txt"}, Args{"--input", "P"}, Args{"t.txt", "--input"}, Args{"t.txt", "--input", "P", "--delay", "51"},
        Args{"t.txt", "--input", "P", "--delay", "1.5"}, Args{"t.txt", "--input", "P", "--delay", "0"},
        Args{"t.txt", "--input", "P", "--cluster-ms", "1000.5"}, Args{"t.txt", "--input", "P", "--cluster-ms", "-1"},
        Args{"t.txt", "--input", "P", "--cluster-ms", "x"}, Args{"t.txt", "--input", "P", "--seconds", "0"},
        Args{"t.txt", "--input", "P", "--loud"}, Args{"a.txt", "b.txt", "--input", "P"},
        Args{"take.mid", "--input", "P"}, Args{"t.txt", "--input", "P", "--event-velocity", "last"}}) {
    std::ostringstream e;
    EXPECT_FALSE(ParseRecordOptions(bad, e)) << bad.back();
    const std::string text = e.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
  }
#ifdef RP_HAVE_SYNTH  // the command comes with the MIDI backends, in the desktop program
  std::ostringstream out, e;
  const LaunchPlan plan = ParseCommandLine({"--delay", "3", "--record", "t.txt", "--input", "P"}, out, e);
  EXPECT_FALSE(plan.exitNow);
  EXPECT_EQ(plan.windowArgs, (Args{"--record", "--delay", "3", "t.txt", "--input", "P"}));
#endif
}

struct TakeRig {
  test::TempDir dir{"rp_record_"};
  std::string output = dir.Path() + "/take.txt";
  ScriptedMidiInput input{{"Through", "Stage piano 1"}};
  std::atomic<bool> stop{false};
  std::ostringstream out, err;
  int Record(const std::string& name, std::optional<double> seconds = std::nullopt, bool overwrite = false) {
    RecordOptions options;
    options.output = output;
    options.overwrite = overwrite;
    options.input = name;
    options.seconds = seconds;
    return RecordTake(options, input, stop, out, err);
  }
};

std::string Contents(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(RecordTake, WritesTheTakeWhenTheInputVanishesAndRemovesTheRecordingFile) {
  TakeRig rig;
  std::thread player([&] {
    if (!test::WaitFor([&] { return rig.input.OpenDevice().has_value(); }, std::chrono::seconds(10))) {
      rig.stop = true;  // the take never opened its input: end it, and the checks below fail
      return;
    }
    rig.input.Deliver({0x90, 60, 64}, 0);
    rig.input.Deliver({0x80, 60, 0}, 125000);
    rig.input.Vanish();
  });
  EXPECT_EQ(rig.Record("piano"), 0) << rig.err.str();
  player.join();
  EXPECT_EQ(rig.input.OpenDevice(), std::nullopt);
  EXPECT_EQ(rig.out.str(), "Recorded 2 notes.\n");
  EXPECT_NE(rig.err.str().find("\"Stage piano 1\" is gone"), std::string::npos) << rig.err.str();
  EXPECT_EQ(Contents(rig.output), std::string(kOwnListingLine) + "\n1; /* 0 ms */+60 64;\n2; /* 125 ms */-60  0;\n");
  EXPECT_FALSE(std::filesystem::exists(rig.output + ".recording"));
}

TEST(RecordTake, EndsOnAStopRequestOrAfterTheSecondsAndRefusesAnUnknownInput) {
  TakeRig rig;
  rig.stop = true;
  EXPECT_EQ(rig.Record("Through"), 0);
  EXPECT_EQ(rig.out.str(), "Recorded 0 notes.\n");
  EXPECT_TRUE(std::filesystem::exists(rig.output));
  rig.stop = false;
  EXPECT_EQ(rig.Record("Through", 0.2, true), 0);

  TakeRig unknown;
  EXPECT_EQ(unknown.Record("Harpsichord"), kExitCannotOpen);
  const std::string message = unknown.err.str();
  EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
  EXPECT_FALSE(std::filesystem::exists(unknown.output));
}

TEST(RecordTake, NeverEmptiesAnEarlierTakeNorWritesThroughALinkNorReplacesWithoutBeingAsked) {
  TakeRig rig;
  const std::string recovery = rig.output + ".recording";
  const std::string earlier = std::string(kOwnListingLine) + "\n1; /* 0 ms */+60 64;\n";
  { std::ofstream(recovery) << earlier; }
  EXPECT_EQ(rig.Record("Through", 0.1), 1);
  EXPECT_NE(rig.err.str().find(recovery), std::string::npos) << rig.err.str();
  EXPECT_EQ(Contents(recovery), earlier);
  EXPECT_FALSE(std::filesystem::exists(rig.output));

  // A link planted as the recovery file: the file it names stays as it was.
  std::filesystem::remove(recovery);
  const std::string victim = rig.dir.Write("victim.conf", "keep=1\n");
  std::filesystem::create_symlink(victim, recovery);
  EXPECT_EQ(rig.Record("Through", 0.1), 1);
  EXPECT_EQ(Contents(victim), "keep=1\n");
  std::filesystem::remove(recovery);

  // An existing take is refused before anything is recorded, replaced only with --overwrite.
  std::ofstream(rig.output) << earlier;
  rig.err.str("");
  EXPECT_EQ(rig.Record("Through", 0.1), 1);
  EXPECT_NE(rig.err.str().find("--overwrite"), std::string::npos) << rig.err.str();
  EXPECT_EQ(Contents(rig.output), earlier);
  EXPECT_EQ(rig.Record("Through", 0.1, true), 0);
  EXPECT_EQ(Contents(rig.output), std::string(kOwnListingLine) + "\n");
  // An empty recovery file (a take killed before its first line reached the disk) holds nothing: it gives way.
  std::ofstream{recovery};
  EXPECT_EQ(rig.Record("Through", 0.1, true), 0) << rig.err.str();
  EXPECT_FALSE(std::filesystem::exists(recovery));

  // A folder, or a folder that is missing, is refused at once.
  std::filesystem::create_directory(rig.output = rig.dir.Path("folder.txt"));
  EXPECT_EQ(rig.Record("Through", 0.1, true), 1);
  rig.output = rig.dir.Path("new/sub/t.txt");
  EXPECT_EQ(rig.Record("Through", 0.1, true), 1);
  EXPECT_FALSE(std::filesystem::exists(rig.dir.Path("new")));
}

}  // namespace
}  // namespace rp
