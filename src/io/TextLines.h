// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning the bytes of a text file into lines.

#include <string>
#include <string_view>
#include <vector>

namespace rp {

// The bytes as UTF-8: valid UTF-8 sequences are kept, every other byte is
// taken as a Latin-1 character, so no file is refused for its encoding.
// A leading byte-order mark is dropped.
std::string DecodeUtf8OrLatin1(std::string_view bytes);

// The lines of `text`: a line ends at CR, LF or CR LF; a last line without an
// end counts too, while a final line end does not start another, empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// `text` without the spaces and tabs around it.
std::string_view TrimBlanks(std::string_view text);

// A line as a message quotes it: decoded as above, without the blanks around
// it, and cut after about 200 bytes (never inside a character) with "...".
std::string ShownLine(std::string_view line);

}  // namespace rp
