// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reader of ASCII MIDI performance listings: one note event per line,
//
//     <leading number>; /* <time> ms */+<key><velocity>;
//
// Every comma-separated field of the file is a candidate line. A field that
// holds "/*", ends in ";" and holds a "+" or "-" looks like a note line. It
// is read when its time (between the first "/*" and the first "ms */" after
// it) is a number, a "+" (note-on) or "-" (note-off) follows "ms */" (the
// first one counts), and its key (from that sign up to the velocity) and its
// velocity (the three characters before the final ";") are numbers from 0 to
// 255. A note line that fails one of these is skipped, and the read says how
// many were and why the first was; other fields are not note lines.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "model/Performance.h"

namespace rp {

class FieldReader;
class ProgressThrottle;

// 1-based position of the first `text` in `line`, 0 when there is none or
// when `text` is not shorter than `line`.
std::size_t FindInLine(std::string_view line, std::string_view text);

// Not empty, holds "/*", ends in ";" and holds "+" or "-": looks like a note line.
bool IsNoteLine(std::string_view field);

struct NoteLineReading {
  NoteEvent note;            // its `opensEvent` -1
  std::string_view problem;  // why the line is skipped; empty when it is read
  bool Ok() const { return problem.empty(); }
};

// The note event of a note line. The key is read from everything between
// the sign and the three velocity characters, so keys 100 to 108 read whole;
// with fewer than two characters there, from the two after the sign.
NoteLineReading ReadNoteLine(std::string_view line);

// What a read found besides the notes: the note lines it skipped, and the
// note-ons that go back in time (kept in file order). "At" is the file offset
// of a field's first byte; -1 while there is none.
struct NoteLineFindings {
  std::int64_t skipped = 0;
  std::int64_t firstSkippedAt = -1;
  std::string firstSkippedText;  // as a message shows it
  std::string_view firstSkippedReason;
  std::int64_t earlier = 0;  // note-ons earlier than the note-on read before them
  std::int64_t firstEarlierAt = -1;
  double lastNoteOnMs = -std::numeric_limits<double>::infinity();  // of the last note-on read

  // Counts a note line skipped at `at` for `reason`, the first one with its text.
  void Skip(std::string_view line, std::int64_t at, std::string_view reason);
  // Takes a note-on read at `at` at time `timeMs`.
  void NoteOn(double timeMs, std::int64_t at) {
    if (timeMs < lastNoteOnMs && earlier++ == 0) firstEarlierAt = at;
    lastNoteOnMs = timeMs;
  }
};

struct FieldCounts {
  std::int64_t fields = 0;     // every field, empty ones included
  std::int64_t noteLines = 0;  // the fields that look like note lines, read or skipped
  std::int64_t noteOns = 0;    // the note lines kept that are note-ons (not `CountFields`)
  NoteLineFindings found;      // not `CountFields`

  // The note lines read, kept or beyond the limit.
  std::int64_t Read() const { return noteLines - found.skipped; }
};

// First pass: counts the fields and the note lines up to the end of the file.
FieldCounts CountFields(FieldReader& fields);

// Both passes in one, for a load nobody watches: goes on from `counts` (what
// the same file's fields before `fields`' position gave) to the end of the
// file, counting the fields and note lines and appending the note events
// read to `notes` while fewer than `limit` have been read. With `stopAt`,
// stops before the first field that starts at or after that file offset.
FieldCounts ReadAllNotes(FieldReader& fields, std::vector<NoteEvent>& notes, std::int64_t limit,
                         std::int64_t stopAt = INT64_MAX, FieldCounts counts = {});

// Second pass: appends the note events read to `notes` in file order, at
// most `limit` of them (the file may have grown since it was counted).
// Reports the count read so far through `progress`.
FieldCounts ReadNotes(FieldReader& fields, std::vector<NoteEvent>& notes, std::size_t limit,
                      ProgressThrottle& progress);

// The file offset of note line `index` (from 0) among those read from the
// position of `fields` on; -1 when there are not that many.
std::int64_t FindNoteLine(FieldReader& fields, std::int64_t index);

}  // namespace rp
