// SPDX-License-Identifier: GPL-3.0-or-later
// The manual's exit statuses through every batch command of the built program:
// a bad input gives 2 and one line on stderr (--stats, which goes on, 1), an
// unwritable output 1. The match file: Vienna 4x22 Piano Corpus, W. Goebl
// (1999), doi:10.21939/4X22, CC BY 4.0.

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

// The program with `args` ("IN" replaced by `input`), standard output to
// `stdoutPath` ("" nowhere): its exit status and standard error.
std::pair<int, std::string> Program(const test::TempDir& dir, std::vector<std::string> args, const std::string& input,
                                    const std::string& stdoutPath = "") {
  std::replace(args.begin(), args.end(), std::string("IN"), input);
  args.insert(args.begin(), RP_PROGRAM);
  test::ChildProcess child;
  if (!child.Start(args, {}, stdoutPath, dir.Path("stderr.txt"))) return {-1, ""};
  const int status = child.Wait(std::chrono::minutes(1)).value_or(-1);
  return {status, test::FileText(dir.Path("stderr.txt"))};
}

TEST(ExitStatusTable, BadInputsAndUnwritableOutputsThroughEveryCommand) {
  if (std::string(RP_PROGRAM).empty()) GTEST_SKIP() << "the returnplot program is not built";
  const test::TempDir dir;
  const std::string listing = kData + "lf.txt";
  const std::string score = kData + "repeats_and_jumps.musicxml";
  // Each command with an input it reads well.
  std::vector<std::pair<std::vector<std::string>, std::string>> commands = {
      {{"--export-events", "IN"}, listing},
      {{"--export-notes", "IN"}, listing},
      {{"--export-features", "IN"}, listing},
      {{"--export-onsets", "IN"}, kData + "tone.wav"},
      {{"--to-ascii-midi", "IN"}, kData + "chords_tempo.mid"},
      {{"--report", "IN"}, listing},
      {{"--stats", "IN"}, listing},
      {{"--export-points", "IN"}, kData + "scatter_cube.csv"},
      {{"--align", score, "IN", "-o", dir.Path("out.match")}, listing},
  };
  const std::string match = RP_SHARED_DATA_DIR "/vienna4x22/match/Chopin_op10_no3_p01.match";
  if (std::filesystem::exists(match)) commands.push_back({{"--export-tempo", "IN"}, match});

  std::vector<std::string> badInputs = {
      dir.Path("missing.txt"),
      dir.Write("binary.dat", std::string("\x00\x01\x02\xFF\x7F\x00 no text", 15)),
      dir.MakeFifo("fifo.txt"),
      dir.Path(""),
      dir.Write("noise.mp3", "ID3\x03" + std::string(4000, 'U')),  // the decoder complains of it
      dir.Write("utf16.txt", std::string{'\xFF', '\xFE', '1', '\0', ';', '\0', '\n', '\0'}),
  };
  if (::geteuid() != 0) badInputs.push_back(dir.WriteUnreadable("unreadable.txt", "1; /* 0 ms */+60 64;\n"));

  for (const auto& [args, goodInput] : commands) {
    const bool stats = args.front() == "--stats";
    for (const std::string& input : badInputs) {
      const auto [status, err] = Program(dir, args, input);
      EXPECT_EQ(status, stats ? 1 : kExitCannotOpen) << args.front() << ' ' << input << ": " << err;
      if (!stats) {
        EXPECT_TRUE(err.starts_with("returnplot: ") && err.find('\n') == err.size() - 1) << err;
      }
    }
    EXPECT_EQ(Program(dir, args, goodInput).first, 0) << args.front();
    EXPECT_EQ(Program(dir, args, goodInput, "/dev/full"),
              std::pair(kExitOutputFailed, std::string("returnplot: the output could not be written: No space left "
                                                       "on device\n")))
        << args.front();
  }
  EXPECT_EQ(Program(dir, {"--align", score, listing, "-o", "IN"}, dir.Path("no/such/out.match")).first, 1);
}

}  // namespace
}  // namespace rp
