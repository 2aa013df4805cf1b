// SPDX-License-Identifier: GPL-3.0-or-later
// Output that cannot be written is a failure: every printing command through
// a stream that fails after a few bytes, and the built program with its
// standard output on /dev/full. The real performances are from the Vienna
// 4x22 Piano Corpus, W. Goebl (1999), doi:10.21939/4X22, CC BY 4.0.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "app/CheckedOutput.h"
#include "app/CommandLine.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace rp {
namespace {

const std::string kData = RP_TEST_DATA_DIR "/";
const std::string kVienna = RP_SHARED_DATA_DIR "/vienna4x22/";

// Takes `room` bytes, then refuses every further one, as a disk that fills up.
class FillingBuffer : public std::streambuf {
 public:
  explicit FillingBuffer(std::size_t room) : room_(room) {}
  const std::string& Taken() const { return taken_; }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    if (taken_.size() >= room_) return traits_type::eof();
    taken_.push_back(traits_type::to_char_type(c));
    return c;
  }

 private:
  std::size_t room_;
  std::string taken_;
};

struct Ending {
  int status = 0;
  std::string err;
};

Ending RunFilling(const std::vector<std::string>& args, std::size_t room) {
  FillingBuffer buffer(room);
  std::ostream out(&buffer);
  std::ostringstream err;
  const LaunchPlan plan = ParseCommandLine(args, out, err);
  EXPECT_TRUE(plan.exitNow);
  return {StatusAfterOutput(plan.exitStatus, out, err), err.str()};
}

int CountLines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

TEST(CheckedOutput, EveryPrintingCommandFailsWhenItsOutputIsCutShort) {
  const std::string listing = kData + "lf.txt";
  const std::vector<std::vector<std::string>> commands = {
      {"--help"},
      {"--export-events", listing},
      {"--export-notes", listing},
      {"--to-ascii-midi", kData + "chords_tempo.mid"},
      {"--report", listing},
      {"--stats", listing},
      {"--export-points", kData + "scatter_cube.csv"},
  };
  for (const auto& args : commands) {
    for (const std::size_t room : {std::size_t{0}, std::size_t{20}}) {
      const Ending e = RunFilling(args, room);
      EXPECT_EQ(e.status, kExitOutputFailed) << args.front() << " with room for " << room;
      EXPECT_EQ(e.err.rfind("returnplot: the output could not be written", 0), 0u) << e.err;
      EXPECT_EQ(CountLines(e.err), 1) << e.err;
    }
    // With room for everything nothing changes.
    EXPECT_EQ(RunFilling(args, std::size_t{1} << 24).status, 0) << args.front();
  }
  // A command that failed before writing keeps its own status.
  EXPECT_EQ(RunFilling({"--export-notes", kData + "no_such_file.txt"}, 0).status, kExitCannotOpen);
}

TEST(CheckedOutput, RealPerformancesToTempoAndAlignmentFailOnAFullOutput) {
  const std::string match = kVienna + "match/Chopin_op10_no3_p01.match";
  if (!std::filesystem::exists(match)) GTEST_SKIP() << "the Vienna 4x22 files are not in " << kVienna;
  EXPECT_EQ(RunFilling({"--export-tempo", match}, 100).status, kExitOutputFailed);
  EXPECT_EQ(RunFilling({"--export-notes", kVienna + "midi/Chopin_op10_no3_p01.mid"}, 12288).status, kExitOutputFailed);
}

TEST(CheckedOutput, TheProgramReportsAFullStandardOutput) {
  if (std::string(RP_PROGRAM).empty()) GTEST_SKIP() << "the returnplot program is not built";
  const test::TempDir dir;
  const std::string log = dir.Path() + "/err.txt";
  const std::vector<std::vector<std::string>> commands = {
      {"--help"},
      {"--version"},
      {"--export-notes", kData + "lf.txt"},
      {"--to-ascii-midi", kData + "chords_tempo.mid"},
      {"--report", kData + "lf.txt"},
  };
  for (auto args : commands) {
    args.insert(args.begin(), RP_PROGRAM);
    test::ChildProcess child;
    ASSERT_TRUE(child.Start(args, {}, "/dev/full", log));
    EXPECT_EQ(child.Wait(std::chrono::minutes(1)), kExitOutputFailed) << args[1];
    const std::string err = test::FileTail(log, 4096);
    EXPECT_EQ(err, "returnplot: the output could not be written: No space left on device\n") << args[1];
  }
}

}  // namespace
}  // namespace rp
