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
    std::size_t fieldEnd = 0;
    std::size_t j = i;  // where the search for the field's terminator starts
    bool closed = false;
    if (b[i] == '"') {
      // Up to the next quote, never past the line's end.
      std::size_t q = i + 1;
      while (q < end_ && b[q] != '"' && b[q] != '\r' && b[q] != '\n') ++q;
      if (q == end_ && !eof_) {
        Fill();
        continue;
      }
      fieldBegin = i + 1;
      closed = q < end_ && b[q] == '"';
      fieldEnd = q;
      j = closed ? q + 1 : q;
    }

    j = FindFieldEnd(b, j, end_);
    if (j == end_ && !eof_) {
      Fill();
      continue;
    }
    if (!closed) {
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

std::int64_t LineNumberAt(int fd, std::int64_t offset) {
  char block[65536];
  std::int64_t lineEnds = 0;
  bool lastWasCr = false;  // a CR ended the block before: a line end unless an LF follows
  for (std::int64_t at = 0; at < offset;) {
    ssize_t got;
    do {
      got = ::pread(fd, block, sizeof block, static_cast<off_t>(at));
    } while (got < 0 && errno == EINTR);
    if (got <= 0) return 0;
    const auto n = static_cast<std::size_t>(std::min<std::int64_t>(got, offset - at));
    for (std::size_t k = 0; k < n; ++k) {
      if (block[k] == '\n') {
        ++lineEnds;  // alone, or the end of a CR LF
      } else if (lastWasCr) {
        ++lineEnds;  // a lone CR
      }
      lastWasCr = block[k] == '\r';
    }
    at += got;
  }
  // A CR just before the offset: the field there starts after it, whatever follows.
  return lineEnds + (lastWasCr ? 1 : 0) + 1;
}

}  // namespace rp
