// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TerminalProgress.h"

#include <unistd.h>

#include <chrono>
#include <iostream>
#include <utility>

namespace rp {

TerminalProgress::TerminalProgress(std::ostream& err, bool terminal, std::string what, std::size_t total,
                                   std::string unit, Clock clock)
    : err_(err),
      terminal_(terminal),
      what_(std::move(what)),
      total_(total),
      unit_(std::move(unit)),
      clock_(clock),
      started_(clock()) {}

void TerminalProgress::Show(std::size_t done) {
  if (!terminal_ || done >= total_) return;
  const double now = clock_();
  if (now - started_ < kQuietSeconds || now - lastShown_ < 1.0) return;
  lastShown_ = now;
  // Back to the line's start, the text, and the rest of the line cleared.
  err_ << "\rreturnplot: " << what_ << ": " << done << " of " << total_ << ' ' << unit_ << "\x1b[K" << std::flush;
  shown_ = true;
}

void TerminalProgress::Clear() {
  if (!shown_) return;
  err_ << "\r\x1b[K" << std::flush;
  shown_ = false;
}

bool ReachesTerminal(const std::ostream& err) { return &err == &std::cerr && ::isatty(STDERR_FILENO) == 1; }

double MonotonicSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace rp
