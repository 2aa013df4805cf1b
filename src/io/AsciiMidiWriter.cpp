// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/AsciiMidiWriter.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <ostream>
#include <string_view>

#include "io/FileReplacement.h"

namespace rp {

namespace {

// Fixed notation never holds an exponent, which the reader would not take in
// lower case; the shortest such text reads back to the same double.
void AppendNumber(std::string& line, double value) {
  std::array<char, 400> buffer{};  // the widest double in fixed notation fits
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  line.append(buffer.data(), result.ptr);
}

}  // namespace

bool IsOwnListing(std::string_view head) {
  if (!head.starts_with(kOwnListingLine)) return false;
  head.remove_prefix(kOwnListingLine.size());
  return head.empty() || head.front() == '\n' || head.front() == '\r';
}

std::string AsciiMidiLine(const NoteEvent& event) {
  std::string line;
  line.reserve(40);
  AppendNumber(line, event.leadValue);
  line += "; /* ";
  AppendNumber(line, event.timeMs);
  line += " ms */";
  line += event.isNoteOn ? '+' : '-';
  // The key takes at least two characters: the reader reads the key from
  // every character between the sign and the velocity, but never fewer than two.
  if (event.noteKey < 10) line += '0';
  line += std::to_string(event.noteKey);
  // The velocity is read from exactly the three characters before the ";".
  const std::string velocity = std::to_string(event.noteVelocity);
  line.append(3 - velocity.size(), ' ');
  line += velocity;
  line += ';';
  return line;
}

void WriteAsciiMidi(std::ostream& out, std::span<const NoteEvent> notes) {
  out << kOwnListingLine << '\n';
  std::string line;
  for (const NoteEvent& note : notes) {
    line = AsciiMidiLine(note);
    line += '\n';
    out << line;
  }
}

bool SaveAsciiMidiFile(const std::string& path, const Performance& performance, std::string& error) {
  const auto failed = [&] {
    error = "The take cannot be saved as " + path + ": " + std::strerror(errno) + ".";
    return false;
  };
  FileReplacement file(path);
  if (!file.Begin().empty()) return failed();
  {
    std::ofstream out(file.TemporaryPath(), std::ios::binary | std::ios::trunc);
    if (out) WriteAsciiMidi(out, performance.notes);
    out.flush();
    if (!out) return failed();
  }
  if (!file.Commit().empty()) return failed();
  return true;
}

}  // namespace rp
