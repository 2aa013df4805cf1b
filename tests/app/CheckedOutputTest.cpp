// SPDX-License-Identifier: GPL-3.0-or-later
// Output cut short is a failure: every printing command through a stream
// that takes a few bytes and then no more, as a disk that fills up.

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "app/CheckedOutput.h"
#include "app/CommandLine.h"

namespace rp {
namespace {

const std::string kData = RP_TEST_DATA_DIR "/";

// Takes `room` bytes, then refuses every further one.
class FillingBuffer : public std::streambuf {
 public:
  explicit FillingBuffer(std::size_t room) : room_(room) {}

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    return room_-- > 0 ? c : traits_type::eof();
  }

 private:
  std::size_t room_;
};

// The command's exit status and stderr with room for `room` bytes of output.
std::pair<int, std::string> RunFilling(const std::vector<std::string>& args, std::size_t room) {
  FillingBuffer buffer(room);
  std::ostream out(&buffer);
  std::ostringstream err;
  const LaunchPlan plan = ParseCommandLine(args, out, err);
  return {StatusAfterOutput(plan.exitStatus, out, err), err.str()};
}

TEST(CheckedOutput, EveryPrintingCommandFailsWhenItsOutputIsCutShort) {
  const std::string listing = kData + "lf.txt";
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--help"},
                                             {"--export-events", listing},
                                             {"--export-notes", listing},
                                             {"--to-ascii-midi", kData + "chords_tempo.mid"},
                                             {"--report", listing},
                                             {"--stats", listing},
                                             {"--export-points", kData + "scatter_cube.csv"}}) {
    for (const std::size_t room : {std::size_t{0}, std::size_t{20}}) {
      const auto [status, err] = RunFilling(args, room);
      EXPECT_EQ(status, kExitOutputFailed) << args.front() << " with room for " << room;
      EXPECT_EQ(err, "returnplot: the output could not be written\n");
    }
    EXPECT_EQ(RunFilling(args, std::size_t{1} << 24).first, 0) << args.front();
  }
  // A command that failed before writing keeps its own status.
  EXPECT_EQ(RunFilling({"--export-notes", kData + "no_such_file.txt"}, 0).first, kExitCannotOpen);
}

}  // namespace
}  // namespace rp
