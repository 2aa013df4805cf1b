#include "performance/UsualNoteLines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "performance/NumberPrefix.h"

namespace rp {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits at `p`, at most `most`: their value, `p` moved past them, and
// false when one more digit follows.
bool Digits(const char*& p, std::size_t most, std::uint64_t& value) {
  const char* const from = p;
  value = 0;
  while (IsDigit(*p)) {
    if (static_cast<std::size_t>(p - from) == most) return false;
    value = value * 10 + static_cast<unsigned>(*p++ - '0');
  }
  return true;
}

// Up to 15 digits make the same double as the general reading of the number;
// the key and velocity part is kept short enough for the whole line, its
// line end included, to lie within `kUsualLineReach` bytes:
// 15 + 5 + 15 + 6 + 1 + 18 + 1 + 2 = 63.
constexpr std::size_t kNumberDigits = 15;
constexpr std::size_t kKeyAndVelocity = 18;

// The length of the usual note line at `line` with its line end, its note
// event in `e`; 0 for any other shape. Reads at most `kUsualLineReach` bytes.
std::size_t ReadUsualNoteLine(const char* const line, NoteEvent& e) {
  const char* p = line;
  std::uint64_t lead;
  std::uint64_t time;
  if (!Digits(p, kNumberDigits, lead) || std::memcmp(p, "; /* ", 5) != 0) return 0;
  p += 5;
  const char* const timeBegin = p;
  if (!Digits(p, kNumberDigits, time) || p == timeBegin || std::memcmp(p, " ms */", 6) != 0) return 0;
  p += 6;
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
  e.TimeMs = static_cast<double>(time);
  e.LeadValue = static_cast<double>(lead);
  e.ClusterIndex = 0;
  e.IsNoteOn = noteOn;
  e.NoteVelocity = ReadBytePrefix({p - 3, 3});
  e.NoteKey = ReadBytePrefix({keyBegin, keyAndVelocity - 3});
  return length;
}

}  // namespace

std::size_t ReadUsualNoteLines(std::string_view text, std::size_t stopAt, std::vector<NoteEvent>& notes,
                               std::int64_t limit, FieldCounts& counts) {
  if (stopAt == 0 || text.size() < kUsualLineReach) return 0;
  const char* const begin = text.data();
  const std::size_t lastStart = std::min(text.size() - kUsualLineReach, stopAt - 1);
  std::size_t at = 0;
  while (at <= lastStart) {
    std::size_t length;
    if (counts.noteLines < limit) {
      // Straight into its place: a record put together aside and copied in
      // costs a stall on every line.
      NoteEvent& e = notes.emplace_back();
      length = ReadUsualNoteLine(begin + at, e);
      if (length == 0) {
        notes.pop_back();
        break;
      }
      counts.noteOns += e.IsNoteOn;
    } else {
      NoteEvent e;
      length = ReadUsualNoteLine(begin + at, e);
      if (length == 0) break;
    }
    ++counts.fields;
    ++counts.noteLines;
    at += length;
  }
  return at;
}

}  // namespace rp
