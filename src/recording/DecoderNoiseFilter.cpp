// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/DecoderNoiseFilter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace rp {

namespace {

// How the decoder's own lines begin.
constexpr std::string_view kDecoderLines[] = {"Note: ", "Warning: ", "Error: ", "[src/libmpg123/"};

bool IsDecoderLine(std::string_view line) {
  for (const std::string_view start : kDecoderLines) {
    if (line.substr(0, start.size()) == start) return true;
  }
  return false;
}

void WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

// Reads the pipe until every writer is gone, passing on what is not the decoder's.
void PassOn(int from, int to) {
  std::string pending;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(from, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    pending.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
      const std::string_view line(pending.data(), end + 1);
      if (!IsDecoderLine(line)) WriteAll(to, line);
      pending.erase(0, end + 1);
    }
  }
  if (!pending.empty() && !IsDecoderLine(pending)) WriteAll(to, pending);
  ::close(from);
}

struct Filter {
  std::mutex mutex;
  int users = 0;
  int savedError = -1;  // the real standard error while filtered
  std::thread reader;
};

Filter& TheFilter() {
  static Filter filter;
  return filter;
}

}  // namespace

DecoderNoiseFilter::DecoderNoiseFilter() {
  Filter& f = TheFilter();
  const std::lock_guard lock(f.mutex);
  if (f.users++ > 0) return;
  int ends[2] = {-1, -1};
  if (::pipe2(ends, O_CLOEXEC) != 0) return;
  f.savedError = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
  if (f.savedError < 0 || ::dup2(ends[1], STDERR_FILENO) < 0) {
    if (f.savedError >= 0) ::close(f.savedError);
    f.savedError = -1;
    ::close(ends[0]);
    ::close(ends[1]);
    return;
  }
  ::close(ends[1]);
  f.reader = std::thread(PassOn, ends[0], f.savedError);
}

DecoderNoiseFilter::~DecoderNoiseFilter() {
  Filter& f = TheFilter();
  const std::lock_guard lock(f.mutex);
  if (--f.users > 0 || f.savedError < 0) return;
  // Standard error back in place closes the pipe's last writer: the reader
  // passes on what is left and ends.
  ::dup2(f.savedError, STDERR_FILENO);
  if (f.reader.joinable()) f.reader.join();
  ::close(f.savedError);
  f.savedError = -1;
}

}  // namespace rp
