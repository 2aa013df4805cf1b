// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the start of a file reads as text (in any 8-bit encoding or UTF-8):
// no NUL byte and no control character other than tab, line and page breaks,
// end of file (^Z) and escape. A text file without a single note line is
// still an ASCII MIDI listing, if an empty one; anything else is not.

#include <cstdint>
#include <span>

namespace rp {

bool LooksLikeText(std::span<const std::uint8_t> head);

// Whether a file starts with the byte-order mark of UTF-16 text (either byte
// order), which no reader of the program reads: such a file is refused as
// what it is, never taken for a recording or a binary file.
bool StartsAsUtf16Text(std::span<const std::uint8_t> head);

}  // namespace rp
