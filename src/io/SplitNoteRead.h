// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one-pass read of a whole ASCII MIDI file (`ReadAllNotes`) with the
// second half of a large file read at the same time on a thread of its own.
//
// The file is cut just after a line end near its middle, where a field
// starts (no field runs past its line's end). The first half is read on
// until its next field starts at or beyond the cut. When it starts exactly at
// the cut, the reader of the first half would stand where the second one
// started, and the two runs of notes are joined in order; otherwise (the
// file changed under the readers) the second half's work is dropped and the
// first reader reads on to the end. Either way the fields, notes, counts,
// findings and read error are those of one reader from the start: the first
// half's error wins over the second's.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "io/AsciiMidiReader.h"
#include "model/Performance.h"

namespace rp {

struct SplitReadResult {
  FieldCounts counts;
  int error = 0;        // errno of a read error, 0 when there was none
  bool joined = false;  // both halves were read at once and joined
};

// Files smaller than this are read by one thread: a thread costs more than
// it saves.
inline constexpr std::int64_t kMinSplitBytes = std::int64_t{1} << 20;

// Appends the note lines of the regular file `fd` (`size` bytes) to `notes`,
// at most `limit` of them, and counts its fields and note lines.
SplitReadResult ReadAllNotesInHalves(int fd, std::int64_t size, std::vector<NoteEvent>& notes, std::int64_t limit,
                                     std::int64_t minSplitBytes = kMinSplitBytes);

}  // namespace rp
