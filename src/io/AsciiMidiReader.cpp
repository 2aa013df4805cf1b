// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/AsciiMidiReader.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>

#include "base/ProgressThrottle.h"
#include "io/FieldReader.h"
#include "io/LegacyText.h"
#include "io/UsualNoteLines.h"

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

// The velocity, the sign and the key of a note line with markers `m`.
void ReadKeyAndVelocity(std::string_view line, const Markers& m, NoteEvent& e) {
  const std::size_t length = line.size();

  // The three characters before the final ";".
  if (length >= 4) e.noteVelocity = ReadBytePrefix(line.substr(length - 4, 3));

  // The first "+" makes a note-on whatever else the line holds.
  const std::size_t sign = m.plus > 0 ? m.plus : m.minus;
  if (sign > 0) {
    // 0-based, the key starts right after the sign and runs up to the
    // velocity characters; when fewer than two characters stand there, the
    // two after the sign are read.
    const std::size_t keyBegin = sign;
    const std::size_t keyEnd = length >= 4 ? length - 4 : 0;
    const std::size_t keyLength = keyEnd >= keyBegin + 2 ? keyEnd - keyBegin : 2;
    e.noteKey = ReadBytePrefix(line.substr(keyBegin, keyLength));
  }
  e.isNoteOn = m.plus > 0;
}

NoteEvent ReadNoteLine(std::string_view line, const Markers& m) {
  NoteEvent e;

  // Everything before the first "; /*".
  if (m.lead > 0) e.leadValue = ReadNumberPrefix(line.substr(0, m.lead - 1));

  // Between the first "/*" and the first "ms */"; nothing when they stand the
  // wrong way round.
  if (m.open > 0 && m.close >= m.open + 2) {
    e.timeMs = ReadNumberPrefix(line.substr(m.open + 1, m.close - m.open - 2));
  }
  ReadKeyAndVelocity(line, m, e);
  return e;
}

// Nearly every line has the shape the recorders write: digits, "; /* ",
// digits, " ms */", then the sign. Such a line's markers and both numbers
// come from one short scan (`ReadUsualHead`): nothing before the sign can
// hold an earlier marker. False for any other line (or a "-" line with a "+"
// after it), which then takes the general way.
bool ReadUsualStart(std::string_view line, Markers& m, double& leadValue, double& timeMs) {
  UsualHead head;
  if (!ReadUsualHead(line, head)) return false;
  const char* const b = line.data();
  const std::size_t n = line.size();
  m.lead = head.leadEnd + 1;
  m.open = head.leadEnd + 3;
  m.close = head.timeEnd + 2;
  const std::size_t i = head.sign;
  if (b[i] == '+') {
    m.plus = i + 1;
  } else if (b[i] == '-' && std::memchr(b + i + 1, '+', n - i - 1) == nullptr) {
    m.minus = i + 1;
  } else {
    return false;
  }
  leadValue = static_cast<double>(head.lead);
  timeMs = static_cast<double>(head.time);
  return true;
}

// Whether `field` is a note line; its note event is appended to `notes` if
// `keep`. The usual line is read straight into its place: a record put
// together aside and copied in costs a stall on every line.
bool AppendIfNoteLine(std::string_view field, std::vector<NoteEvent>& notes, bool keep) {
  Markers m;
  double lead = 0.0;
  double time = 0.0;
  if (ReadUsualStart(field, m, lead, time)) {
    if (field.back() != ';') return false;
    if (keep) {
      NoteEvent& e = notes.emplace_back();
      e.leadValue = lead;
      e.timeMs = time;
      ReadKeyAndVelocity(field, m, e);
    }
    return true;
  }
  m = FindMarkers(field);
  if (!IsNoteLine(field, m)) return false;
  if (keep) notes.push_back(ReadNoteLine(field, m));
  return true;
}

}  // namespace

bool IsNoteLine(std::string_view field) { return IsNoteLine(field, FindMarkers(field)); }

NoteEvent ReadNoteLine(std::string_view line) {
  NoteEvent e;
  if (Markers m; ReadUsualStart(line, m, e.leadValue, e.timeMs)) {
    ReadKeyAndVelocity(line, m, e);
    return e;
  }
  return ReadNoteLine(line, FindMarkers(line));
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

FieldCounts ReadAllNotes(FieldReader& fields, std::vector<NoteEvent>& notes, std::int64_t limit, std::int64_t stopAt) {
  FieldCounts counts;
  std::string_view field;
  for (;;) {
    // The usual lines straight from the buffer, then one field the general
    // way: another shape, or one near the end of what has been read so far.
    const std::int64_t at = fields.Offset();
    if (at >= stopAt) break;
    const std::string_view unread = fields.Unread();
    const auto stop = static_cast<std::size_t>(std::min<std::int64_t>(stopAt - at, std::ssize(unread)));
    fields.Skip(ReadUsualNoteLines(unread, stop, notes, limit, counts));
    if (fields.Offset() >= stopAt || !fields.Next(field)) break;
    ++counts.fields;
    const bool keep = counts.noteLines < limit;
    if (AppendIfNoteLine(field, notes, keep)) {
      ++counts.noteLines;
      if (keep) counts.noteOns += notes.back().isNoteOn;
    }
  }
  return counts;
}

std::int32_t ReadNotes(FieldReader& fields, std::vector<NoteEvent>& notes, std::size_t limit,
                       ProgressThrottle& progress) {
  constexpr std::int64_t kReportEvery = 4096;
  std::size_t count = 0;
  std::int64_t sinceReport = 0;
  std::string_view field;
  while (count < limit && fields.Next(field)) {
    if (AppendIfNoteLine(field, notes, true)) ++count;
    if (++sinceReport == kReportEvery) {
      sinceReport = 0;
      progress.ShowNumberEvents(static_cast<std::int64_t>(count));
      progress.SetValue(static_cast<std::int64_t>(count));
      progress.Poll();
    }
  }
  progress.ShowNumberEvents(static_cast<std::int64_t>(count));
  progress.SetValue(static_cast<std::int64_t>(count));
  return static_cast<std::int32_t>(count);
}

}  // namespace rp
