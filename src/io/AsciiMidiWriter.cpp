// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/AsciiMidiWriter.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>

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
  std::string line;
  for (const NoteEvent& note : notes) {
    line = AsciiMidiLine(note);
    line += '\n';
    out << line;
  }
}

bool SaveAsciiMidiFile(const std::string& path, const Performance& performance, std::string& error) {
  const std::string temporary = path + ".saving";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (out) WriteAsciiMidi(out, performance.notes);
    out.flush();
    if (!out) {
      error = "The take cannot be saved as " + path + ": " + std::strerror(errno) + ".";
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    error = "The take cannot be saved as " + path + ": " + ec.message() + ".";
    std::filesystem::remove(temporary, ec);
    return false;
  }
  return true;
}

}  // namespace rp
