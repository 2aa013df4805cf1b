// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/AsciiMidiReader.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>

#include "base/TranslatableText.h"
#include "frontend/ProgressThrottle.h"
#include "io/FieldReader.h"
#include "io/TextLines.h"
#include "io/UsualNoteLines.h"
#include "model/NumberReading.h"

namespace rp {

std::size_t FindInLine(std::string_view line, std::string_view text) {
  if (text.size() >= line.size()) return 0;
  const std::size_t at = line.find(text);
  return at == std::string_view::npos ? 0 : at + 1;
}

namespace {

// The 1-based first positions of the markers of a note line, found in one
// pass; each is what `FindInLine` gives for it.
struct Markers {
  std::size_t lead = 0;   // "; /*"
  std::size_t open = 0;   // "/*"
  std::size_t close = 0;  // "ms */"
  std::size_t plus = 0;   // "+"
  std::size_t minus = 0;  // "-"
};

Markers FindMarkersScalar(std::string_view line) {
  Markers m;
  const char* const b = line.data();
  const std::size_t n = line.size();
  if (n < 2) return m;  // a marker as long as the line itself does not count
  // Once the markers of a well-formed note-on are found, the rest cannot
  // change anything: a "-" matters only in a line without "+".
  for (std::size_t i = 0; i < n && !(m.lead && m.open && m.close && m.plus); ++i) {
    const std::size_t left = n - i;
    switch (b[i]) {
      case ';':
        if (m.lead == 0 && left >= 4 && n > 4 && b[i + 1] == ' ' && b[i + 2] == '/' && b[i + 3] == '*') m.lead = i + 1;
        break;
      case '/':
        if (m.open == 0 && left >= 2 && n > 2 && b[i + 1] == '*') m.open = i + 1;
        break;
      case 'm':
        if (m.close == 0 && left >= 5 && n > 5 && b[i + 1] == 's' && b[i + 2] == ' ' && b[i + 3] == '*' &&
            b[i + 4] == '/') {
          m.close = i + 1;
        }
        break;
      case '+':
        if (m.plus == 0) m.plus = i + 1;
        break;
      case '-':
        if (m.minus == 0) m.minus = i + 1;
        break;
      default:
        break;
    }
  }
  return m;
}

#if defined(__SSE2__)
// The same for lines of up to 64 characters, without a branch per character:
// one bit mask per character of interest, then each marker is where its
// characters' masks line up. `FindAll` false finds only what the acceptance
// test needs ("/*", "+", "-").
template <bool FindAll>
Markers FindMarkersShort(std::string_view line) {
  alignas(16) char padded[64] = {};  // no marker holds a NUL, so the padding matches nothing
  const std::size_t n = line.size();
  if (n > 0) std::memcpy(padded, line.data(), n);  // an empty view may have no data at all
  std::uint64_t semicolon = 0, space = 0, slash = 0, star = 0, em = 0, es = 0, plus = 0, minus = 0;
  // Blocks past the line hold only padding: they match nothing.
  const int blocks = static_cast<int>((n + 15) / 16);
  for (int k = 0; k < blocks; ++k) {
    const __m128i block = _mm_load_si128(reinterpret_cast<const __m128i*>(padded + 16 * k));
    auto where = [&](char c) {
      const auto hits = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(c))));
      return std::uint64_t{hits} << (16 * k);
    };
    slash |= where('/');
    star |= where('*');
    plus |= where('+');
    minus |= where('-');
    if constexpr (FindAll) {
      semicolon |= where(';');
      space |= where(' ');
      em |= where('m');
      es |= where('s');
    }
  }
  auto first = [](std::uint64_t bits) -> std::size_t {
    return bits == 0 ? 0 : static_cast<std::size_t>(std::countr_zero(bits)) + 1;
  };
  Markers m;
  if (n > 2) m.open = first(slash & (star >> 1));
  if (n > 1) {
    m.plus = first(plus);
    m.minus = first(minus);
  }
  if constexpr (FindAll) {
    if (n > 4) m.lead = first(semicolon & (space >> 1) & (slash >> 2) & (star >> 3));
    if (n > 5) m.close = first(em & (es >> 1) & (space >> 2) & (star >> 3) & (slash >> 4));
  }
  return m;
}
#endif

template <bool FindAll = true>
Markers FindMarkers(std::string_view line) {
#if defined(__SSE2__)
  if (line.size() <= 64) return FindMarkersShort<FindAll>(line);
#endif
  return FindMarkersScalar(line);
}

bool IsNoteLine(std::string_view field, const Markers& m) {
  return !field.empty() && m.open > 0 && field.back() == ';' && (m.plus > 0 || m.minus > 0);
}

// Why a note line is skipped; the user reads these after "the first at line L: ".
constexpr std::string_view kNoTimeEnd = QT_TRANSLATE_NOOP("returnplot", "no \"ms */\" after \"/*\"");
constexpr std::string_view kBadTime = QT_TRANSLATE_NOOP("returnplot", "a time that is not a number");
constexpr std::string_view kNoSign = QT_TRANSLATE_NOOP("returnplot", "no + or - after \"ms */\"");
constexpr std::string_view kBadKey = QT_TRANSLATE_NOOP("returnplot", "a key that is not a number from 0 to 255");
constexpr std::string_view kBadVelocity =
    QT_TRANSLATE_NOOP("returnplot", "a velocity that is not a number from 0 to 255");
constexpr std::string_view kNoNoteLine = QT_TRANSLATE_NOOP("returnplot", "no note line");

// The sign, the key and the velocity of a note line whose sign stands at
// index `sign`; why they cannot be read, or nothing.
std::string_view ReadKeyAndVelocity(std::string_view line, std::size_t sign, NoteEvent& e) {
  const std::size_t length = line.size();
  e.isNoteOn = line[sign] == '+';
  // The key starts right after the sign and runs up to the velocity
  // characters; when fewer than two characters stand there, the two after
  // the sign are read. A note line ends in ";", so the sign is never last.
  const std::size_t keyBegin = sign + 1;
  const std::size_t keyEnd = length >= 4 ? length - 4 : 0;
  const std::size_t keyLength = keyEnd >= keyBegin + 2 ? keyEnd - keyBegin : 2;
  const int key = ReadByteNumber(line.substr(keyBegin, keyLength));
  if (key < 0) return kBadKey;
  // The three characters before the final ";".
  const int velocity = length >= 4 ? ReadByteNumber(line.substr(length - 4, 3)) : -1;
  if (velocity < 0) return kBadVelocity;
  e.noteKey = static_cast<std::uint8_t>(key);
  e.noteVelocity = static_cast<std::uint8_t>(velocity);
  return {};
}

std::string_view ReadNoteLine(std::string_view line, const Markers& m, NoteEvent& e) {
  // Everything before the first "; /*".
  if (m.lead > 0) e.leadValue = ReadNumberPrefix(line.substr(0, m.lead - 1));

  // Between the first "/*" and the first "ms */" after it.
  const std::size_t timeBegin = m.open + 1;
  const std::size_t close = line.find("ms */", timeBegin);
  if (close == std::string_view::npos) return kNoTimeEnd;
  const NumberReading time = ReadLeadingNumber(line.substr(timeBegin, close - timeBegin));
  if (!time.Ok()) return kBadTime;
  e.timeMs = time.value;

  const std::size_t sign = line.find_first_of("+-", close + 5);
  if (sign == std::string_view::npos) return kNoSign;
  return ReadKeyAndVelocity(line, sign, e);
}

// Nearly every line has the shape the recorders write: digits, "; /* ",
// digits, " ms */", then the sign. Such a line's lead, time and sign come
// from one short scan (`ReadUsualHead`): nothing before the sign can hold an
// earlier marker. False for any other line, which then takes the general way.
bool ReadUsualStart(std::string_view line, NoteEvent& e, std::size_t& sign) {
  UsualHead head;
  if (!ReadUsualHead(line, head) || (line[head.sign] != '+' && line[head.sign] != '-')) return false;
  e.leadValue = static_cast<double>(head.lead);
  e.timeMs = static_cast<double>(head.time);
  sign = head.sign;
  return true;
}

// Reads the note line `field` into `e`; why it cannot be read, or nothing.
// False when `field` is no note line.
bool ReadIfNoteLine(std::string_view field, NoteEvent& e, std::string_view& problem) {
  if (std::size_t sign = 0; ReadUsualStart(field, e, sign)) {
    if (field.back() != ';') return false;
    problem = ReadKeyAndVelocity(field, sign, e);
    return true;
  }
  const Markers m = FindMarkers(field);
  if (!IsNoteLine(field, m)) return false;
  problem = ReadNoteLine(field, m, e);
  return true;
}

// Counts `field`, which starts at file offset `at`, in `counts` if it looks
// like a note line, and appends its note event to `notes` if it can be read
// and `keep`. The note event is read straight into its place: a record put
// together aside and copied in costs a stall on every line.
void TakeField(std::string_view field, std::int64_t at, std::vector<NoteEvent>& notes, bool keep, FieldCounts& counts) {
  NoteEvent aside;
  NoteEvent& e = keep ? notes.emplace_back() : aside;
  std::string_view problem;
  if (!ReadIfNoteLine(field, e, problem)) {
    if (keep) notes.pop_back();
    return;
  }
  ++counts.noteLines;
  if (!problem.empty()) {
    if (keep) notes.pop_back();
    counts.found.Skip(field, at, problem);
    return;
  }
  if (e.isNoteOn) counts.found.NoteOn(e.timeMs, at);
  if (keep) counts.noteOns += e.isNoteOn;
}

}  // namespace

void NoteLineFindings::Skip(std::string_view line, std::int64_t at, std::string_view reason) {
  if (skipped++ > 0) return;
  firstSkippedAt = at;
  firstSkippedText = ShownLine(line);
  firstSkippedReason = reason;
}

bool IsNoteLine(std::string_view field) { return IsNoteLine(field, FindMarkers(field)); }

NoteLineReading ReadNoteLine(std::string_view line) {
  NoteLineReading r;
  if (!ReadIfNoteLine(line, r.note, r.problem)) {
    r.note = NoteEvent{};
    r.problem = kNoNoteLine;
  }
  return r;
}

FieldCounts CountFields(FieldReader& fields) {
  FieldCounts counts;
  std::string_view field;
  while (fields.Next(field)) {
    ++counts.fields;
    if (IsNoteLine(field, FindMarkers<false>(field))) ++counts.noteLines;
  }
  return counts;
}

FieldCounts ReadAllNotes(FieldReader& fields, std::vector<NoteEvent>& notes, std::int64_t limit, std::int64_t stopAt,
                         FieldCounts counts) {
  std::string_view field;
  for (;;) {
    // The usual lines straight from the buffer, then one field the general
    // way: another shape, or one near the end of what has been read so far.
    const std::int64_t at = fields.Offset();
    if (at >= stopAt) break;
    const std::string_view unread = fields.Unread();
    const auto stop = static_cast<std::size_t>(std::min<std::int64_t>(stopAt - at, std::ssize(unread)));
    fields.Skip(ReadUsualNoteLines(unread, stop, at, notes, limit, counts));
    const std::int64_t fieldAt = fields.Offset();
    if (fieldAt >= stopAt || !fields.Next(field)) break;
    ++counts.fields;
    TakeField(field, fieldAt, notes, counts.Read() < limit, counts);
  }
  return counts;
}

FieldCounts ReadNotes(FieldReader& fields, std::vector<NoteEvent>& notes, std::size_t limit,
                      ProgressThrottle& progress) {
  constexpr std::int64_t kReportEvery = 4096;
  FieldCounts counts;
  std::int64_t sinceReport = 0;
  std::string_view field;
  while (static_cast<std::size_t>(counts.Read()) < limit) {
    const std::int64_t at = fields.Offset();
    if (!fields.Next(field)) break;
    ++counts.fields;
    TakeField(field, at, notes, true, counts);
    if (++sinceReport == kReportEvery) {
      sinceReport = 0;
      progress.SetValue(counts.Read());
      progress.Poll();
    }
  }
  progress.SetValue(counts.Read());
  return counts;
}

std::int64_t FindNoteLine(FieldReader& fields, std::int64_t index) {
  FieldCounts counts;
  std::vector<NoteEvent> none;
  std::string_view field;
  for (;;) {
    const std::int64_t at = fields.Offset();
    if (!fields.Next(field)) return -1;
    TakeField(field, at, none, false, counts);
    if (counts.Read() == index + 1) return at;
  }
}

}  // namespace rp
