// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/UsualNoteLines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "model/NumberReading.h"

namespace rp {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The key and velocity part is kept short enough for the whole line, its
// line end included, to lie within `kUsualLineReach` bytes:
// 15 + 5 + 15 + 6 + 1 + 18 + 1 + 2 = 63.
constexpr std::size_t kKeyAndVelocity = 18;

// The length of the usual note line at `line` with its line end, its note
// event in `e`; 0 for any other shape. Reads at most `kUsualLineReach` bytes.
std::size_t ReadUsualNoteLine(const char* const line, NoteEvent& e) {
  UsualHead head;
  if (!ReadUsualHead({line, kUsualLineReach}, head)) return 0;
  const char* p = line + head.sign;
  if (*p != '+' && *p != '-') return 0;
  const bool noteOn = *p++ == '+';
  // Only digits and spaces up to the ";": no field end, no "+" after a "-",
  // and no trailing blank before the line end.
  const char* const keyBegin = p;
  while (static_cast<std::size_t>(p - keyBegin) < kKeyAndVelocity && (IsDigit(*p) || *p == ' ')) ++p;
  const auto keyAndVelocity = static_cast<std::size_t>(p - keyBegin);
  // Shorter, the general way reads the key's two characters across the velocity.
  if (*p != ';' || keyAndVelocity < 5) return 0;
  std::size_t length;
  if (p[1] == '\n') {
    length = static_cast<std::size_t>(p + 2 - line);
  } else if (p[1] == '\r' && p[2] == '\n') {
    length = static_cast<std::size_t>(p + 3 - line);
  } else {
    return 0;
  }
  const int velocity = ReadByteNumber({p - 3, 3});
  const int key = ReadByteNumber({keyBegin, keyAndVelocity - 3});
  if ((velocity | key) < 0) return 0;  // skipped, and said why, the general way
  e.timeMs = static_cast<double>(head.time);
  e.leadValue = static_cast<double>(head.lead);
  e.opensEvent = -1;
  e.isNoteOn = noteOn;
  e.noteVelocity = static_cast<std::uint8_t>(velocity);
  e.noteKey = static_cast<std::uint8_t>(key);
  return length;
}

}  // namespace

std::size_t ReadUsualNoteLines(std::string_view text, std::size_t stopAt, std::int64_t textAt,
                               std::vector<NoteEvent>& notes, std::int64_t limit, FieldCounts& counts) {
  if (stopAt == 0 || text.size() < kUsualLineReach) return 0;
  const char* const begin = text.data();
  const std::size_t lastStart = std::min(text.size() - kUsualLineReach, stopAt - 1);
  // The time of the last note-on, held here: without a branch on the kind of
  // note, which no predictor guesses.
  double lastNoteOn = counts.found.lastNoteOnMs;
  std::size_t at = 0;
  while (at <= lastStart) {
    std::size_t length;
    double noteOn;
    if (counts.Read() < limit) {
      // Straight into its place: a record put together aside and copied in
      // costs a stall on every line.
      NoteEvent& e = notes.emplace_back();
      length = ReadUsualNoteLine(begin + at, e);
      if (length == 0) {
        notes.pop_back();
        break;
      }
      counts.noteOns += e.isNoteOn;
      noteOn = e.isNoteOn ? e.timeMs : lastNoteOn;
    } else {
      NoteEvent e;
      length = ReadUsualNoteLine(begin + at, e);
      if (length == 0) break;
      noteOn = e.isNoteOn ? e.timeMs : lastNoteOn;
    }
    if (noteOn < lastNoteOn && counts.found.earlier++ == 0) {
      counts.found.firstEarlierAt = textAt + static_cast<std::int64_t>(at);
    }
    lastNoteOn = noteOn;
    ++counts.fields;
    ++counts.noteLines;
    at += length;
  }
  counts.found.lastNoteOnMs = lastNoteOn;
  return at;
}

}  // namespace rp
