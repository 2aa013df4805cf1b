// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CheckedOutput.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

namespace rp {

CheckedStandardOutput::CheckedStandardOutput() {
  std::cout.flush();
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  lineBuffered_ = ::isatty(STDOUT_FILENO) == 1;
  previous_ = std::cout.rdbuf(this);
}

CheckedStandardOutput::~CheckedStandardOutput() {
  Drain();
  std::cout.rdbuf(previous_);
}

CheckedStandardOutput::int_type CheckedStandardOutput::overflow(int_type c) {
  if (!Drain()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  if (lineBuffered_ && traits_type::to_char_type(c) == '\n' && !Drain()) return traits_type::eof();
  return c;
}

std::streamsize CheckedStandardOutput::xsputn(const char_type* text, std::streamsize count) {
  const std::streamsize taken = std::streambuf::xsputn(text, count);
  if (lineBuffered_ && std::char_traits<char>::find(text, static_cast<std::size_t>(taken), '\n') != nullptr &&
      !Drain()) {
    return 0;
  }
  return taken;
}

int CheckedStandardOutput::sync() { return Drain() ? 0 : -1; }

bool CheckedStandardOutput::Drain() {
  const char* next = pbase();
  while (error_ == 0 && next < pptr()) {
    const ssize_t n = ::write(STDOUT_FILENO, next, static_cast<std::size_t>(pptr() - next));
    if (n >= 0) {
      next += n;
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      pollfd wait{STDOUT_FILENO, POLLOUT, 0};
      ::poll(&wait, 1, -1);
    } else if (errno != EINTR) {
      error_ = errno;
    }
  }
  // What could not be written is dropped: the command fails all the same.
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return error_ == 0;
}

int StatusAfterOutput(int status, std::ostream& out, std::ostream& err) {
  out.flush();
  if (!out.fail()) return status;
  const auto* checked = dynamic_cast<const CheckedStandardOutput*>(out.rdbuf());
  err << "returnplot: the output could not be written";
  if (checked != nullptr && checked->FirstError() != 0) err << ": " << std::strerror(checked->FirstError());
  err << '\n';
  err.flush();
  return status == 0 ? kExitOutputFailed : status;
}

}  // namespace rp
