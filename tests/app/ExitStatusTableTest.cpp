// SPDX-License-Identifier: GPL-3.0-or-later
// The manual's table of exit statuses, kept for every batch command of the
// built program: an input that is missing, unreadable, binary, a FIFO, a
// folder, UTF-16 text or an MP3 file of noise gives 2 with one line on stderr (--stats, which goes
// on with the other files, a row naming the error and 1); an output that
// cannot be written gives 1. The match file is from the Vienna 4x22 Piano
// Corpus, W. Goebl (1999), doi:10.21939/4X22, CC BY 4.0.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/CheckedOutput.h"
#include "app/CommandLine.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace rp {
namespace {

const std::string kData = RP_TEST_DATA_DIR "/";

struct Ended {
  int status = -1;
  std::string err;
};

// The program with `args`, its standard output to `stdoutPath` ("" nowhere).
Ended Program(const test::TempDir& dir, std::vector<std::string> args, const std::string& stdoutPath = "") {
  args.insert(args.begin(), RP_PROGRAM);
  const std::string log = dir.Path("stderr.txt");
  test::ChildProcess child;
  if (!child.Start(args, {}, stdoutPath, log)) return {};
  const int status = child.Wait(std::chrono::minutes(1)).value_or(-1);
  return {status, test::FileText(log)};
}

int CountLines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

struct Command {
  std::vector<std::string> before;  // the arguments before the input
  std::string goodInput;
  std::vector<std::string> after;  // and after it
};

TEST(ExitStatusTable, BadInputsAndUnwritableOutputsThroughEveryCommand) {
  if (std::string(RP_PROGRAM).empty()) GTEST_SKIP() << "the returnplot program is not built";
  const test::TempDir dir;
  const std::string match = RP_SHARED_DATA_DIR "/vienna4x22/match/Chopin_op10_no3_p01.match";
  const bool haveMatch = std::filesystem::exists(match);
  std::vector<Command> commands = {
      {{"--export-events"}, kData + "lf.txt", {}},
      {{"--export-notes"}, kData + "lf.txt", {}},
      {{"--export-onsets"}, kData + "tone.wav", {}},
      {{"--to-ascii-midi"}, kData + "chords_tempo.mid", {}},
      {{"--report"}, kData + "lf.txt", {}},
      {{"--stats"}, kData + "lf.txt", {}},
      {{"--export-points"}, kData + "scatter_cube.csv", {}},
      {{"--align", kData + "repeats_and_jumps.musicxml"}, kData + "lf.txt", {"-o", dir.Path("out.match")}},
  };
  if (haveMatch) commands.push_back({{"--export-tempo"}, match, {}});

  std::vector<std::string> badInputs = {
      dir.Path("missing.txt"),
      dir.Write("binary.dat", std::string("\x00\x01\x02\xFF\x7F\x00 no text", 15)),
      dir.MakeFifo("fifo.txt"),
      dir.Path(""),
      // An MP3 whose frames are noise: the decoder's complaints never reach stderr.
      dir.Write("noise.mp3", "ID3\x03" + std::string(4000, 'U')),
      dir.Write("utf16.txt", std::string("\xFF\xFE"
                                         "1\0;\0\n\0",
                                         8)),
  };
  if (::geteuid() != 0) badInputs.push_back(dir.WriteUnreadable("unreadable.txt", "1; /* 0 ms */+60 64;\n"));

  for (const Command& c : commands) {
    const auto args = [&c](const std::string& input) {
      std::vector<std::string> all = c.before;
      all.push_back(input);
      all.insert(all.end(), c.after.begin(), c.after.end());
      return all;
    };
    const std::string& flag = c.before.front();
    for (const std::string& input : badInputs) {
      const Ended run = Program(dir, args(input));
      if (flag == "--stats") {
        EXPECT_EQ(run.status, 1) << input;
        continue;
      }
      EXPECT_EQ(run.status, kExitCannotOpen) << flag << ' ' << input << ": " << run.err;
      EXPECT_EQ(CountLines(run.err), 1) << flag << ' ' << input << ": " << run.err;
      EXPECT_EQ(run.err.rfind("returnplot: ", 0), 0u) << run.err;
    }
    EXPECT_EQ(Program(dir, args(c.goodInput)).status, 0) << flag;
    const Ended full = Program(dir, args(c.goodInput), "/dev/full");
    EXPECT_EQ(full.status, kExitOutputFailed) << flag;
    EXPECT_EQ(CountLines(full.err), 1) << flag << ": " << full.err;
  }
  // The files --align writes: into a folder that is not there, or over its score.
  const std::string score = kData + "repeats_and_jumps.musicxml";
  EXPECT_EQ(Program(dir, {"--align", score, kData + "lf.txt", "-o", dir.Path("no/such/out.match")}).status, 1);
  EXPECT_EQ(Program(dir, {"--help"}, "/dev/full").status, kExitOutputFailed);
}

}  // namespace
}  // namespace rp
