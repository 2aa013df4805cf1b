// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/CsvWriter.h"

#include <charconv>
#include <cstring>
#include <ostream>
#include <string>

namespace rp {

void CsvWriter::MakeRoom(std::size_t bytes) {
  if (kSize - used_ < bytes) {
    out_.write(buffer_, static_cast<std::streamsize>(used_));
    used_ = 0;
  }
}

void CsvWriter::Separate() {
  MakeRoom(kLongestNumber);
  if (rowStarted_) buffer_[used_++] = ',';
  rowStarted_ = true;
}

CsvWriter& CsvWriter::Text(std::string_view text) {
  Separate();
  if (text.size() > kSize - used_) {
    out_.write(buffer_, static_cast<std::streamsize>(used_));
    used_ = 0;
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    return *this;
  }
  // An empty view may hold no pointer at all; memcpy must not see it.
  if (text.empty()) return *this;
  std::memcpy(buffer_ + used_, text.data(), text.size());
  used_ += text.size();
  return *this;
}

CsvWriter& CsvWriter::Field(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return Text(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return Text(quoted);
}

CsvWriter& CsvWriter::Number(double value) {
  Separate();
  // 24 characters hold any double's shortest form.
  used_ = static_cast<std::size_t>(std::to_chars(buffer_ + used_, buffer_ + kSize, value).ptr - buffer_);
  return *this;
}

CsvWriter& CsvWriter::Integer(std::int64_t value) {
  Separate();
  used_ = static_cast<std::size_t>(std::to_chars(buffer_ + used_, buffer_ + kSize, value).ptr - buffer_);
  return *this;
}

void CsvWriter::EndRow() {
  MakeRoom(1);
  buffer_[used_++] = '\n';
  rowStarted_ = false;
}

void CsvWriter::Flush() {
  out_.write(buffer_, static_cast<std::streamsize>(used_));
  used_ = 0;
  out_.flush();
}

}  // namespace rp
