// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Splits a text file into fields the way sequential field input does:
// - fields end at a comma or a line end (CR, LF or CR LF);
// - blanks (spaces, tabs) at the start of a field are skipped, and so are
//   blanks at its end, so trailing blanks do not hide a line's last character;
// - a line with nothing on it is one empty field;
// - a field that begins with a double quote runs to the next double quote on
//   its line, commas included; the quotes are not part of it, and whatever
//   follows the closing quote up to the next comma or line end is dropped.
//   Without a closing quote on its line it runs to the line's end: no field
//   ever runs past its line's end, so a field starts after every line end;
// - the end of the file ends the last field; it never starts an empty one.
//
// The file is read in large chunks; a field is a view into the buffer and
// stays valid until the next call. The buffer grows only for a field longer
// than itself, so memory stays bounded by the longest field.
//
// Reads go by file offset (pread), so several readers may read one open file
// at once, each from its own place; a file that cannot seek (a pipe) is read
// from where it stands.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace rp {

class FieldReader {
 public:
  static constexpr std::size_t kDefaultChunk = std::size_t{1} << 20;

  // Reads from `file` at its current position; the file stays the caller's.
  explicit FieldReader(std::FILE* file, std::size_t chunk = kDefaultChunk);
  // Reads the open file `fd` from byte `begin` on, as if a field started
  // there; the descriptor stays the caller's.
  FieldReader(int fd, std::int64_t begin, std::size_t chunk = kDefaultChunk);
  ~FieldReader();
  FieldReader(const FieldReader&) = delete;
  FieldReader& operator=(const FieldReader&) = delete;

  // The next field, or false at the end of the file or after a read error.
  bool Next(std::string_view& field);

  // For a caller that reads fields of a shape it knows straight from the
  // buffer: the bytes read from the file but not yet handed out, starting
  // where the next field starts (its leading blanks included). It may be
  // empty or end inside a field; only `Next` reads more of the file. Valid
  // until the next call that is not `offset`.
  std::string_view Unread() const { return {buffer_ + pos_, end_ - pos_}; }

  // Hands out the first `n` bytes of `Unread()` without splitting them: the
  // caller has taken whole fields from them, each with its terminator (and
  // the LF of a CR LF), so the next field starts right after them.
  void Skip(std::size_t n) { pos_ += n; }

  // Starts again from the beginning of the file.
  bool Rewind();

  // The file offset at which the next field starts (its leading blanks
  // included): after a field, the byte after its terminator.
  std::int64_t Offset() const { return fileEnd_ - static_cast<std::int64_t>(end_ - pos_); }

  // The errno of a read error (ENOMEM for a field too long to hold), 0 when
  // there was none.
  int Error() const { return error_; }

 private:
  void Fill();

  int fd_;
  std::int64_t fileEnd_ = 0;  // the file offset of buffer_[end_]
  // Grown with realloc, which can move a large block without holding two.
  char* buffer_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  int error_ = 0;
};

// The line (from 1) on which the byte at `offset` of the open file `fd`
// stands, lines ending as fields do (CR, LF or CR LF); 0 when the file
// cannot be read that far. For messages: it reads the file up to there.
std::int64_t LineNumberAt(int fd, std::int64_t offset);

}  // namespace rp
