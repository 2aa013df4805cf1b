// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/TextLines.h"

#include <cstdint>

namespace rp {

namespace {

// Length of the valid UTF-8 sequence at `pos`, 0 when the bytes there are not
// one (overlong forms, surrogates and values above U+10FFFF are invalid).
std::size_t ValidSequenceLength(std::string_view bytes, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[pos + i]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  std::uint8_t low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (pos + length > bytes.size()) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

std::string DecodeUtf8OrLatin1(std::string_view bytes) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
  std::string text;
  text.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    // Runs of plain ASCII, the bulk of any file, go across in one piece.
    std::size_t ascii = pos;
    while (ascii < bytes.size() && static_cast<std::uint8_t>(bytes[ascii]) < 0x80) ++ascii;
    if (ascii > pos) {
      text.append(bytes.substr(pos, ascii - pos));
      pos = ascii;
      continue;
    }
    const std::size_t length = ValidSequenceLength(bytes, pos);
    if (length > 0) {
      text.append(bytes.substr(pos, length));
      pos += length;
    } else {
      const auto latin1 = static_cast<std::uint8_t>(bytes[pos]);
      text.push_back(static_cast<char>(0xC0 | (latin1 >> 6)));
      text.push_back(static_cast<char>(0x80 | (latin1 & 0x3F)));
      ++pos;
    }
  }
  return text;
}

bool IsUtf8WithoutByteOrderMark(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return false;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    if (static_cast<std::uint8_t>(bytes[pos]) < 0x80) {
      ++pos;
      continue;
    }
    const std::size_t length = ValidSequenceLength(bytes, pos);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  ForEachLine(text, [&lines](std::string_view line) {
    lines.push_back(line);
    return true;
  });
  return lines;
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return text.substr(text.size());
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string ShownLine(std::string_view line) {
  constexpr std::size_t kShownBytes = 200;
  line = TrimBlanks(line);
  // Each byte decodes to at most two, so this much is enough to cut from.
  std::string text = DecodeUtf8OrLatin1(line.substr(0, kShownBytes + 4));
  // Control characters (a NUL among them) would cut or garble a message.
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  if (text.size() <= kShownBytes && line.size() <= kShownBytes + 4) return text;
  std::size_t cut = kShownBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  text.resize(cut);
  return text + "...";
}

}  // namespace rp
