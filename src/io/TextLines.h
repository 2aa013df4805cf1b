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

// Whether DecodeUtf8OrLatin1 would give the bytes as they are (valid UTF-8,
// no byte-order mark), so a reader may use them without the copy.
bool IsUtf8WithoutByteOrderMark(std::string_view bytes);

// The lines of `text`: a line ends at CR, LF or CR LF; a last line without an
// end counts too, while a final line end does not start another, empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// The same lines handed to `take` one by one, for a reader that needs no
// vector of them (16 bytes a line, more than many lines hold); `take`
// returns false to end the walk.
template <class Take>
void ForEachLine(std::string_view text, Take take) {
  std::size_t start = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char c = text[pos];
    if (c == '\r' || c == '\n') {
      if (!take(text.substr(start, pos - start))) return;
      pos += (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
      start = pos;
    } else {
      ++pos;
    }
  }
  if (start < text.size()) (void)take(text.substr(start));
}

// `text` without the spaces and tabs around it.
std::string_view TrimBlanks(std::string_view text);

// A line as a message quotes it: decoded as above, without the blanks around
// it, and cut after about 200 bytes (never inside a character) with "...".
std::string ShownLine(std::string_view line);

}  // namespace rp
