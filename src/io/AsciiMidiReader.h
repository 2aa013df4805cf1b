// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reader of ASCII MIDI performance listings: one note event per line,
//
//     <leading number>; /* <time> ms */+<key><velocity>;
//
// "+" for a note-on, "-" for a note-off, the velocity in the three characters
// before the final ";". Every comma-separated field of the file is a candidate
// line; fields that are not note lines are skipped without a word.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "model/Performance.h"

namespace rp {

class FieldReader;
class ProgressThrottle;

// 1-based position of the first `text` in `line`, 0 when there is none or
// when `text` is not shorter than `line`.
std::size_t FindInLine(std::string_view line, std::string_view text);

// Not empty, holds "/*", ends in ";" and holds "+" or "-".
bool IsNoteLine(std::string_view field);

// The note event of a note line (its `ClusterIndex` 0). A piece that cannot be
// found leaves its field at 0. The key is read from everything between the
// sign and the three velocity characters, so keys 100 to 108 read whole.
NoteEvent ReadNoteLine(std::string_view line);

struct FieldCounts {
  std::int64_t fields = 0;     // every field, empty ones included
  std::int64_t noteLines = 0;  // the fields that are note lines
  std::int64_t noteOns = 0;    // the note lines kept that are note-ons (`ReadAllNotes` only)
};

// First pass: counts the fields and the note lines up to the end of the file.
FieldCounts CountFields(FieldReader& fields);

// Both passes in one, for a load nobody watches: counts the fields and the
// note lines up to the end of the file and appends the note lines to
// `notes`, at most `limit` of them. With `stopAt`, stops before the first
// field that starts at or after that file offset.
FieldCounts ReadAllNotes(FieldReader& fields, std::vector<NoteEvent>& notes, std::int64_t limit,
                         std::int64_t stopAt = INT64_MAX);

// Second pass: appends the note lines to `notes` in file order, at most
// `limit` of them (the file may have grown since it was counted). Reports the
// count read so far through `progress`. Returns the number of notes read.
std::int32_t ReadNotes(FieldReader& fields, std::vector<NoteEvent>& notes, std::size_t limit,
                       ProgressThrottle& progress);

}  // namespace rp
