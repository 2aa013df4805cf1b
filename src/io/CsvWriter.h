// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rows of CSV gathered in a buffer of its own and handed to the stream in
// large pieces: the exports print millions of numbers, and a stream takes
// them one at a time slowly. Fields of a row are separated by commas, rows
// end in "\n"; doubles are written as ShortestNumber writes them.

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string_view>

namespace rp {

class CsvWriter {
 public:
  explicit CsvWriter(std::ostream& out) : out_(out) {}
  ~CsvWriter() { Flush(); }
  CsvWriter(const CsvWriter&) = delete;
  CsvWriter& operator=(const CsvWriter&) = delete;

  // `text` as it is: the caller knows it holds no comma, quote or line end.
  CsvWriter& Text(std::string_view text);
  // Any text (a file name, a message): in double quotes, its quotes doubled,
  // when it holds a comma, a quote or a line end; as it is otherwise.
  CsvWriter& Field(std::string_view text);
  CsvWriter& Number(double value);
  CsvWriter& Integer(std::int64_t value);
  void EndRow();
  // Hands what is buffered to the stream and flushes the stream.
  void Flush();

 private:
  static constexpr std::size_t kSize = std::size_t{1} << 16;
  static constexpr std::size_t kLongestNumber = 32;  // a double's shortest form, a comma
  void Separate();
  void MakeRoom(std::size_t bytes);

  std::ostream& out_;
  char buffer_[kSize];
  std::size_t used_ = 0;
  bool rowStarted_ = false;
};

}  // namespace rp
