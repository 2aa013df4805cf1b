#pragma once
// The note lines as the recorders write them, read straight from the file
// reader's buffer in one forward pass each:
//
//     <up to 15 digits>; /* <1 to 15 digits> ms */<+ or -><key><velocity>;
//
// then LF or CR LF, where the key and the velocity (its last three
// characters) are at least five digits and spaces together. Such a line is
// a field of its own, a note line, and reads to the same note event as
// field by field; any other shape is left to the general way.

#include <cstddef>
#include <string_view>
#include <vector>

#include "performance/AsciiMidiReader.h"
#include "performance/Performance.h"

namespace rp {

// How many bytes past a field start the pass may look at: a field closer
// than that to the end of the bytes at hand is not tried.
inline constexpr std::size_t kUsualLineReach = 64;

// Reads the usual note lines at the start of `text` (fields starting there),
// up to the first other field, the first field starting at or after byte
// `stopAt`, or the last `kUsualLineReach` bytes. Counts each as a field and
// a note line in `counts` and appends its note event to `notes` while fewer
// than `limit` note lines have been counted. Returns the bytes read, line
// ends included.
std::size_t ReadUsualNoteLines(std::string_view text, std::size_t stopAt, std::vector<NoteEvent>& notes,
                               std::int64_t limit, FieldCounts& counts);

}  // namespace rp
