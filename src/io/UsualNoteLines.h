// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The note lines as the recorders write them, read straight from the file
// reader's buffer in one forward pass each:
//
//     <up to 15 digits>; /* <1 to 15 digits> ms */<+ or -><key><velocity>;
//
// then LF or CR LF, where the key and the velocity (its last three
// characters) are at least five digits and spaces together and both read as
// numbers from 0 to 255. Such a line is a field of its own, a note line, and
// reads to the same note event as field by field; any other shape, and a
// line to be skipped, is left to the general way.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "io/AsciiMidiReader.h"
#include "model/Performance.h"

namespace rp {

// The start every usual line has: up to 15 digits, "; /* ", 1 to 15
// digits, " ms */" and at least one more character (where the sign
// belongs). Up to 15 digits make the same double as the general reading of
// the number.
struct UsualHead {
  std::uint64_t lead = 0;
  std::uint64_t time = 0;
  std::size_t leadEnd = 0;  // index of the ";" after the lead number
  std::size_t timeEnd = 0;  // index of the " ms */" after the time
  std::size_t sign = 0;     // index of the character after " ms */"
};

inline bool ReadUsualHead(std::string_view text, UsualHead& head) {
  constexpr std::size_t kNumberDigits = 15;
  const char* const b = text.data();
  const std::size_t n = text.size();
  std::size_t i = 0;
  // False when more than kNumberDigits digits stand at i.
  auto digits = [&](std::uint64_t& value) {
    const std::size_t from = i;
    value = 0;
    while (i < n && b[i] >= '0' && b[i] <= '9') {
      if (i - from == kNumberDigits) return false;
      value = value * 10 + static_cast<unsigned>(b[i++] - '0');
    }
    return true;
  };
  if (!digits(head.lead) || n < i + 5 || std::memcmp(b + i, "; /* ", 5) != 0) return false;
  head.leadEnd = i;
  i += 5;
  const std::size_t timeBegin = i;
  if (!digits(head.time) || i == timeBegin || n < i + 7 || std::memcmp(b + i, " ms */", 6) != 0) return false;
  head.timeEnd = i;
  head.sign = i + 6;
  return true;
}

// How many bytes past a field start the pass may look at: a field closer
// than that to the end of the bytes at hand is not tried.
inline constexpr std::size_t kUsualLineReach = 64;

// Reads the usual note lines at the start of `text` (fields starting there),
// which starts at file offset `textAt`, up to the first other field, the
// first field starting at or after byte `stopAt`, or the last
// `kUsualLineReach` bytes. Counts each as a field and a note line in
// `counts`, its note-on in `counts.found`, and appends its note event to
// `notes` while fewer than `limit` note lines have been read. Returns the
// bytes read, line ends included.
std::size_t ReadUsualNoteLines(std::string_view text, std::size_t stopAt, std::int64_t textAt,
                               std::vector<NoteEvent>& notes, std::int64_t limit, FieldCounts& counts);

}  // namespace rp
