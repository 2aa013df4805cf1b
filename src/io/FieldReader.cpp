// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/FieldReader.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace rp {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Characters that end an unquoted field.
constexpr std::array<bool, 256> kEndsField = [] {
  std::array<bool, 256> t{};
  t[static_cast<unsigned char>(',')] = true;
  t[static_cast<unsigned char>('\r')] = true;
  t[static_cast<unsigned char>('\n')] = true;
  return t;
}();

// The first comma, CR or LF in b[from, to), or `to`. Eight bytes at a time:
// a byte equal to c turns into a zero in x ^ c·0x01..., and the lowest byte
// the zero test flags is always a true zero.
std::size_t FindFieldEnd(const char* b, std::size_t from, std::size_t to) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
  auto zeroBytes = [](std::uint64_t v) { return (v - kOnes) & ~v & kHighs; };
  std::size_t i = from;
  if constexpr (std::endian::native == std::endian::little) {
    for (; i + 8 <= to; i += 8) {
      std::uint64_t x;
      std::memcpy(&x, b + i, 8);
      const std::uint64_t hits =
          zeroBytes(x ^ (kOnes * ',')) | zeroBytes(x ^ (kOnes * '\r')) | zeroBytes(x ^ (kOnes * '\n'));
      if (hits != 0) return i + static_cast<std::size_t>(std::countr_zero(hits) / 8);
    }
  }
  while (i < to && !kEndsField[static_cast<unsigned char>(b[i])]) ++i;
  return i;
}

}  // namespace

FieldReader::FieldReader(std::FILE* file, std::size_t chunk)
    : FieldReader(::fileno(file), std::max<long>(std::ftell(file), 0), chunk) {}

FieldReader::FieldReader(int fd, std::int64_t begin, std::size_t chunk) : fd_(fd), fileEnd_(begin) {
  capacity_ = chunk < 16 ? 16 : chunk;
  buffer_ = static_cast<char*>(std::malloc(capacity_));
  if (buffer_ == nullptr) {
    capacity_ = 0;
    error_ = ENOMEM;
    eof_ = true;
  }
}

FieldReader::~FieldReader() { std::free(buffer_); }

bool FieldReader::Rewind() {
  pos_ = end_ = 0;
  if (buffer_ == nullptr) return false;  // keeps the ENOMEM of the constructor
  eof_ = false;
  error_ = 0;
  fileEnd_ = 0;
  if (::lseek(fd_, 0, SEEK_CUR) < 0) {  // a pipe cannot be read again
    error_ = errno ? errno : EIO;
    eof_ = true;
    return false;
  }
  return true;
}

void FieldReader::Fill() {
  if (eof_) return;
  if (pos_ > 0) {
    std::memmove(buffer_, buffer_ + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
  }
  if (end_ == capacity_) {
    char* grown = static_cast<char*>(std::realloc(buffer_, capacity_ * 2));
    if (grown == nullptr) {
      error_ = ENOMEM;
      eof_ = true;
      return;
    }
    buffer_ = grown;
    capacity_ *= 2;
  }
  const std::size_t room = capacity_ - end_;
  ssize_t got;
  do {
    got = ::pread(fd_, buffer_ + end_, room, static_cast<off_t>(fileEnd_));
    if (got < 0 && errno == ESPIPE) got = ::read(fd_, buffer_ + end_, room);
  } while (got < 0 && errno == EINTR);
  if (got > 0) {
    end_ += static_cast<std::size_t>(got);
    fileEnd_ += got;
  } else {
    eof_ = true;
    if (got < 0) error_ = errno ? errno : EIO;
  }
}

bool FieldReader::Next(std::string_view& field) {
  for (;;) {
    // A field whose end is not yet in the buffer sends us back here after
    // more of the file has been read (or its end found); `pos_` still marks
    // its start.
    const char* const b = buffer_;
    std::size_t i = pos_;
    while (i < end_ && IsBlank(b[i])) ++i;
    if (i == end_) {
      if (!eof_) {
        Fill();
        continue;
      }
      if (pos_ == end_) return false;  // nothing left at all
      field = {};                      // blanks up to the end of the file
      pos_ = end_;
      return true;
    }

    std::size_t fieldBegin = i;
    std::size_t fieldEnd;
    std::size_t j;  // where the search for the field's terminator starts
    if (b[i] == '"') {
      const void* q = std::memchr(b + i + 1, '"', end_ - i - 1);
      if (q == nullptr) {
        if (!eof_) {
          Fill();
          continue;
        }
        field = {b + i + 1, end_ - i - 1};  // unterminated quote: the rest of the file
        pos_ = end_;
        return true;
      }
      fieldBegin = i + 1;
      fieldEnd = static_cast<std::size_t>(static_cast<const char*>(q) - b);
      j = fieldEnd + 1;
    } else {
      j = i;
      fieldEnd = 0;  // set below
    }
    const bool quoted = b[i] == '"';

    j = FindFieldEnd(b, j, end_);
    if (j == end_ && !eof_) {
      Fill();
      continue;
    }
    if (!quoted) {
      fieldEnd = j;
      while (fieldEnd > fieldBegin && IsBlank(b[fieldEnd - 1])) --fieldEnd;
    }
    if (j == end_) {
      pos_ = end_;
    } else if (b[j] == '\r') {
      if (j + 1 == end_ && !eof_) {
        // Is the CR followed by an LF? Read on to see.
        Fill();
        continue;
      }
      pos_ = (j + 1 < end_ && b[j + 1] == '\n') ? j + 2 : j + 1;
    } else {
      pos_ = j + 1;
    }
    field = {b + fieldBegin, fieldEnd - fieldBegin};
    return true;
  }
}

}  // namespace rp
