// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/AsciiMidiWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string_view>

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

namespace {

// Writes all of `bytes` to `fd`; false (errno set) when that fails.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool WriteListing(int fd, std::span<const NoteEvent> notes) {
  std::string buffer;
  for (const NoteEvent& note : notes) {
    buffer += AsciiMidiLine(note);
    buffer += '\n';
    if (buffer.size() >= (1U << 16)) {
      if (!WriteAll(fd, buffer)) return false;
      buffer.clear();
    }
  }
  return WriteAll(fd, buffer);
}

// Has the system put the folder's entries (a rename into it) on the disk.
void SyncFolderOf(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  const int fd = ::open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

}  // namespace

bool SaveAsciiMidiFile(const std::string& path, const Performance& performance, std::string& error) {
  const std::string temporary = path + ".saving";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  bool written = fd >= 0 && WriteListing(fd, performance.notes) && ::fsync(fd) == 0;
  const int writeError = errno;
  if (fd >= 0 && ::close(fd) != 0) written = false;
  if (!written) {
    error = "The take cannot be saved as " + path + ": " + std::strerror(writeError) + ".";
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    error = "The take cannot be saved as " + path + ": " + ec.message() + ".";
    std::filesystem::remove(temporary, ec);
    return false;
  }
  SyncFolderOf(path);
  return true;
}

}  // namespace rp
