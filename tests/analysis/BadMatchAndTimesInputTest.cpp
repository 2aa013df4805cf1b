// SPDX-License-Identifier: GPL-3.0-or-later
// Match files and lists of times that are damaged: each is refused with a
// message naming what is wrong, or loaded without the lines it names; none
// crashes, and a refused one leaves the loaded performance as it was.

#include <gtest/gtest.h>

#include "analysis/PerformanceLoader.h"
#include "model/Performance.h"
#include "support/TestDataFiles.h"

namespace rp {
namespace {

using test::kBadData;

struct BadCase {
  const char* file;
  LoadStatus status;
  const char* says;  // in the message or the warning
};

TEST(BadMatchAndTimesInput, EachSaysWhatIsWrong) {
  const BadCase cases[] = {
      {"no_clock.match", LoadStatus::CannotOpen, "how long a MIDI clock tick lasts"},
      {"truncated_term.match", LoadStatus::Loaded,
       "1 line that looks like a match-file term was skipped, line 6: a term"},
      {"note_before_snote.match", LoadStatus::Loaded, "line 4: a played note before its score note"},
      {"huge_ticks.match", LoadStatus::Loaded,
       "2 lines that look like match-file terms were skipped; the first at line 4: a time"},
      {"latin1.match", LoadStatus::Loaded, "line 5: a pitch that is no MIDI key (\"snote(n2,[d,n]"},
      {"times_decimal_comma.txt", LoadStatus::CannotOpen, "line 3 (\"1,5\") is not a time"},
      {"times_label_without_tab.txt", LoadStatus::CannotOpen, "line 3 (\"1.2\") is not a label"},
  };
  for (const BadCase& c : cases) {
    Performance p = Performance::Empty();
    p.events.push_back({.onsetMs = 123});  // what a refused file must leave alone
    const LoadResult r = LoadPerformanceFile(kBadData + c.file, p);
    EXPECT_EQ(r.status, c.status) << c.file << ": " << r.message;
    const std::string said = r.message + r.warning;
    EXPECT_NE(said.find(c.says), std::string::npos) << c.file << ": " << said;
    EXPECT_NE(said.find(c.file), std::string::npos) << c.file << ": " << said;
    if (c.status != LoadStatus::Loaded) {
      EXPECT_EQ(p.events[0].onsetMs, 123) << c.file;
      continue;
    }
    // What was readable is there.
    EXPECT_EQ(p.EventCount(), 2) << c.file;
    EXPECT_EQ(p.NoteCount(), 4) << c.file;
  }
}

TEST(BadMatchAndTimesInput, TextThatIsNotUtf8IsShownAsLatin1) {
  Performance p = Performance::Empty();
  const LoadResult r = LoadPerformanceFile(kBadData + "latin1.match", p);
  ASSERT_TRUE(r.Ok()) << r.message;
  ASSERT_TRUE(p.score);
  EXPECT_EQ(p.score->composer,
            "Fr\xc3\xa9"
            "d\xc3\xa9ric Chopin");
  EXPECT_NE(r.warning.find("[d\xc3\xa9,n]"), std::string::npos) << r.warning;
}

}  // namespace
}  // namespace rp
