// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "app/BatchLoad.h"
#include "app/CommandLine.h"
#include "app/SnapshotOptions.h"
#include "io/AsciiMidiWriter.h"
#include "model/ShortestNumber.h"
#include "support/ChildProcess.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"

namespace rp {
namespace {

std::string DataFile(const char* name) { return std::string(RP_TEST_DATA_DIR) + "/" + name; }

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome Command(std::vector<std::string> args) {
  std::ostringstream out;
  std::ostringstream err;
  const LaunchPlan plan = ParseCommandLine(args, out, err);
  EXPECT_TRUE(plan.exitNow);
  return {plan.exitStatus, out.str(), err.str()};
}

// Runs the built program with `arguments`.
Outcome Program(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), RP_PROGRAM);
  test::ProgramRun run = test::RunCapturing(arguments);
  return {run.status, std::move(run.out), std::move(run.err)};
}

const char* const kEvents =
    "event,onset_ms,interval0,interval1,interval2,velocity0,velocity1,velocity2,first_note\n"
    "1,0,500,750,1000,80,90,70,1\n"
    "2,500,750,1000,250,90,70,100,3\n"
    "3,1250,1000,250,,70,100,60,4\n"
    "4,2250,250,,,100,60,,6\n"
    "5,2500,,,,60,,,7\n";

TEST(ExportCommands, PrintEventsAndNotesAsCsv) {
  const Outcome events = Command({"--export-events", DataFile("lf.txt")});
  EXPECT_EQ(events.status, 0);
  EXPECT_EQ(events.out, kEvents);
  EXPECT_EQ(events.err, "");

  const Outcome notes = Command({"--export-notes", DataFile("crlf.txt")});
  EXPECT_EQ(notes.status, 0);
  EXPECT_EQ(notes.out,
            "index,is_note_on,time_ms,lead_value,key,velocity,cluster_index\n"
            "1,1,0,1,60,80,1\n"
            "2,0,400,2,60,64,0\n"
            "3,1,500,3,62,90,2\n"
            "4,1,1250,4,64,70,3\n"
            "5,0,1300,5,62,64,0\n"
            "6,1,2250,6,65,100,4\n"
            "7,1,2500,7,67,60,5\n"
            "8,0,2600,8,64,64,0\n");

  // No events: the header alone.
  EXPECT_EQ(Command({"--export-events", DataFile("empty.txt")}).out,
            "event,onset_ms,interval0,interval1,interval2,velocity0,velocity1,velocity2,first_note\n");
}

TEST(ExportCommands, MissingFilesAndWrongArgumentsFail) {
  const Outcome missing = Command({"--export-notes", DataFile("no such file.txt")});
  EXPECT_EQ(missing.status, kExitCannotOpen);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1);
  EXPECT_NE(missing.err.find("no such file.txt"), std::string::npos);

  EXPECT_EQ(Command({"--export-events"}).status, kExitUsage);
  EXPECT_EQ(Command({"--export-events", "a", "b"}).status, kExitUsage);

  const Outcome help = Command({"--help"});
  EXPECT_NE(help.out.find("--export-events FILE"), std::string::npos);
  EXPECT_NE(help.out.find("--export-notes FILE"), std::string::npos);
}

TEST(ExportCommands, SkippedLinesAreToldOnStderrAndAreAnErrorWithStrict) {
  const std::string file = DataFile("bad/unreadable_notes.txt");
  const Outcome told = Command({"--export-notes", file});
  EXPECT_EQ(told.status, 0);
  EXPECT_EQ(std::count(told.out.begin(), told.out.end(), '\n'), 5);  // the header and the four notes read
  EXPECT_EQ(told.err, "returnplot: In \"" + file +
                          "\", 6 lines that look like notes were skipped; the first at line 2: no \"ms */\" after "
                          "\"/*\" (\"2; /* 100 */+62 64;\").\n");
  const Outcome report = Command({"--report", file});
  EXPECT_EQ(report.status, 0);
  EXPECT_NE(report.out.find("\n  6 lines that look like notes were skipped; the first at line 2: "), std::string::npos)
      << report.out;
  EXPECT_NE(Command({"--stats", file}).err.find("6 lines that look like notes were skipped"), std::string::npos);

  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--export-events", "--strict", file},
                                             {"--strict", "--report", file},
                                             {"--export-notes", file, "--strict"}}) {
    const Outcome strict = Command(args);
    EXPECT_EQ(strict.status, kExitCannotOpen) << args[0];
    EXPECT_EQ(strict.out, "") << args[0];
    EXPECT_NE(strict.err.find("6 lines that look like notes were skipped"), std::string::npos) << strict.err;
  }
  // A file without such lines passes --strict as it is.
  EXPECT_EQ(Command({"--strict", "--export-events", DataFile("lf.txt")}).out, kEvents);
}

TEST(ExportCommands, NumbersAreTheShortestTextThatReadsBack) {
  EXPECT_EQ(ShortestNumber(0.0), "0");
  EXPECT_EQ(ShortestNumber(0.1), "0.1");
  EXPECT_EQ(ShortestNumber(-1234.5), "-1234.5");
  EXPECT_EQ(ShortestNumber(1.0 / 3.0), "0.3333333333333333");
  EXPECT_EQ(ShortestNumber(1e21), "1e+21");
}

TEST(Program, ExportsAndReportsFromTheCommandLine) {
  if (std::string(RP_PROGRAM).empty()) GTEST_SKIP() << "the program is not built";
  const Outcome events = Program({"--export-events", DataFile("lf.txt")});
  EXPECT_EQ(events.status, 0);
  EXPECT_EQ(events.out, kEvents);
  EXPECT_EQ(Program({"--export-events", DataFile("no such file.txt")}).status, kExitCannotOpen);

  const Outcome report = Program({"--report", DataFile("lf.txt")});
  EXPECT_EQ(report.status, 0);
  EXPECT_NE(report.out.find("8 note events (5 note-ons), 5 onset events"), std::string::npos) << report.out;

  const Outcome example = Program({"--report"});  // the bundled example
  EXPECT_EQ(example.status, 0);
  EXPECT_NE(example.out.find("performance.txt"), std::string::npos) << example.out;
}

TEST(AnalysisOptions, ReachTheExportsTheReportAndTheWindowsInAnyPosition) {
  const std::string file = DataFile("lf.txt");
  // The defaults named outright change nothing, before or after the command.
  EXPECT_EQ(Command({"--delay", "1", "--export-events", file, "--cluster-ms", "50"}).out, kEvents);
  // A 600 ms window folds 500 into 0 and 2500 into 2250; three events leave
  // no room for a point, yet every value that exists is written.
  const Outcome wide = Command({"--export-events", "--cluster-ms", "600", file});
  EXPECT_EQ(wide.status, 0);
  EXPECT_EQ(wide.out.substr(wide.out.find('\n') + 1),
            "1,0,1250,1000,,80,70,100,1\n2,1250,1000,,,70,100,,4\n3,2250,,,,100,,,6\n");
  EXPECT_NE(Command({"--export-notes", file, "--cluster-ms", "600"}).out.find("\n3,1,500,3,62,90,0\n"),
            std::string::npos);
  const Outcome report = Command({"--report", "--cluster-ms", "12.5", "--delay", "2", file});
  EXPECT_NE(report.out.find("5 onset events (note-ons within 12.5 ms count as one)"), std::string::npos);
  EXPECT_NE(report.out.find("event k+2, interval2 and vel2 of event k+4"), std::string::npos);
  EXPECT_NE(Command({"--report", "--event-velocity", "loudest", file}).out.find("velocity is that of its loudest"),
            std::string::npos);

  std::ostringstream out, err;
  const LaunchPlan window = ParseCommandLine({"--delay", "3", file}, out, err);
  EXPECT_FALSE(window.exitNow);
  EXPECT_EQ(window.startFile, file);
  EXPECT_EQ(window.analysis.Over().delay, 3);
  EXPECT_FALSE(window.analysis.clusterWindowMs) << "the stored window stays";
  EXPECT_FALSE(window.velocityScale) << "the stored velocity scale stays";
  EXPECT_EQ(ParseCommandLine({"--velocity-scale", "1.5x", file}, out, err).velocityScale, VelocityScaleChoice{1.5});
  EXPECT_EQ(ParseCommandLine({file, "--velocity-scale", "auto"}, out, err).velocityScale, VelocityScaleChoice{});
  const auto snapshot = ParseSnapshotOptions({"out.png", "--cluster-ms", "0", file}, err);
  ASSERT_TRUE(snapshot);
  EXPECT_EQ(snapshot->analysis.Over(), (AnalysisSettings{.clusterWindowMs = 0, .delay = 1}));
  EXPECT_EQ(snapshot->file, file);
}

TEST(AnalysisOptions, MissingNonNumericOrOutOfRangeValuesAreRefusedInOneLine) {
  const std::string file = DataFile("lf.txt");
  const std::vector<std::vector<std::string>> refused = {{"--export-events", file, "--delay"},
                                                         {"--export-events", file, "--delay", "two"},
                                                         {"--export-notes", "--cluster-ms", "1000.5", file},
                                                         {"--export-notes", file, "--cluster-ms", "-1"},
                                                         {"--report", "--delay", "0"},
                                                         {"--report", "--delay", "51"},
                                                         {"--report", "--delay", "2.5", file},
                                                         {"--cluster-ms", "nan", file},
                                                         {file, "--cluster-ms", "12ms"},
                                                         {"--delay", "3", "--cluster-ms"},
                                                         {"--export-events", file, "--event-velocity", "melody"},
                                                         {"--velocity-scale", "5", file},
                                                         {file, "--velocity-scale"},
                                                         {"--snapshot", "out.png", "--delay", "99", file},
                                                         {"--snapshot", file, "out.png"},
                                                         {"--snapshot", "out.gif", file},
                                                         {"--snapshot", file, file},
                                                         {"--snapshot", "out.png", "--width", "0", file},
                                                         {"--snapshot", "out.png", "--pitch", "91", file}};
  for (const auto& args : refused) {
    std::ostringstream out, err;
    const LaunchPlan plan = ParseCommandLine(args, out, err);
    std::string given;
    for (const auto& a : args) given += a + ' ';
    // The snapshot's options are read by the program after the windows' start.
    const bool parsed = plan.exitNow || ParseSnapshotOptions({args.begin() + 1, args.end()}, err) == std::nullopt;
    EXPECT_TRUE(parsed) << given;
    if (plan.exitNow) {
      EXPECT_EQ(plan.exitStatus, kExitUsage) << given;
    }
    EXPECT_EQ(out.str(), "") << given;
    const std::string message = err.str();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << given << message;
  }
}

// The notes of tests/data/lf.txt as a MIDI file: one tick is one millisecond.
std::string LfAsMidi() {
  test::TrackBuilder t;
  t.On(0, 60, 80)
      .Off(400, 60)
      .On(100, 62, 90)
      .On(750, 64, 70)
      .Off(50, 62)
      .On(950, 65, 100)
      .On(250, 67, 60)
      .Off(100, 64)
      .End();
  const test::Bytes b = test::MidiFile(0, 500, {t});
  return {b.begin(), b.end()};
}

TEST(MidiFileCommands, ExportAndConvertMidiFilesLikeListings) {
  const test::TempFile midi(LfAsMidi());
  const Outcome events = Command({"--export-events", midi.Path()});
  EXPECT_EQ(events.status, 0);
  EXPECT_EQ(events.out, Command({"--export-events", DataFile("lf.txt")}).out);

  const Outcome listing = Command({"--to-ascii-midi", midi.Path()});
  EXPECT_EQ(listing.status, 0);
  EXPECT_EQ(listing.err, "");
  // Said to be this program's, so that it replays as played.
  const std::string start =
      std::string(kOwnListingLine) + "\n1; /* 0 ms */+60 80;\n2; /* 400 ms */-60 64;\n3; /* 500 ms */+62 90;\n";
  EXPECT_EQ(listing.out.substr(0, start.size()), start);
  // The two notes still sounding at the end stop with the track.
  EXPECT_NE(listing.out.find("10; /* 2600 ms */-67  0;\n"), std::string::npos) << listing.out;
  const test::TempFile ascii(listing.out);
  EXPECT_EQ(Command({"--export-notes", ascii.Path()}).out, Command({"--export-notes", midi.Path()}).out);
}

TEST(MidiFileCommands, BadMidiFilesFailWithOneLineNamingTheFile) {
  std::string cut = LfAsMidi();
  cut.resize(cut.size() - 5);
  const test::TempFile bad(cut);
  for (const char* flag : {"--to-ascii-midi", "--export-notes"}) {
    const Outcome r = Command({flag, bad.Path()});
    EXPECT_EQ(r.status, kExitCannotOpen);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1);
    EXPECT_NE(r.err.find(bad.Path()), std::string::npos) << r.err;
  }
  EXPECT_EQ(Command({"--to-ascii-midi"}).status, kExitUsage);
  EXPECT_NE(Command({"--help"}).out.find("--to-ascii-midi FILE.mid"), std::string::npos);
}

}  // namespace
}  // namespace rp
