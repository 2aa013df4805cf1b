// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lines of a file that a reader left out: how many, and the first of them,
// so that a report can say what was not read.

#include <cstdint>
#include <string>
#include <string_view>

namespace rp {

struct SkippedLines {
  std::int64_t count = 0;
  std::int64_t firstLine = 0;  // 1-based; 0 while none
  std::string firstText;       // as UTF-8, shortened to about 200 bytes
  std::string firstReason;     // why it could not be read; empty for a line of a kind nobody reads

  // Counts line `line`. True when it comes before the first one kept so far:
  // the caller then gives it its text and reason.
  bool Count(std::int64_t line) {
    ++count;
    if (firstLine != 0 && firstLine < line) return false;
    firstLine = line;
    return true;
  }
};

// What the skipped lines looked like, for the summary: "a note" and "notes",
// "a data row" and "data rows".
struct SkippedKind {
  std::string_view one;
  std::string_view many;
};

// The one sentence a load says about the lines it skipped, naming the file
// at `path` unless that is empty: 'In "x.txt", 3 lines that look like notes
// were skipped; the first at line 5: <reason> ("<text>").' Empty when none
// were.
std::string SkippedLinesSummary(const SkippedLines& skipped, std::string_view path, SkippedKind kind);

}  // namespace rp
