// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How far a long command is, on standard error when that is a terminal:
// nothing for the first few seconds, then one line rewritten in place at
// most once a second ("returnplot: --stats: 12 of 112 files"); nothing at all
// when standard error is a file or a pipe, so logs stay as they were.

#include <cstddef>
#include <iosfwd>
#include <string>

namespace rp {

class TerminalProgress {
 public:
  using Clock = double (*)();  // seconds, monotonic
  static constexpr double kQuietSeconds = 3.0;

  // `terminal`: whether `err` reaches a terminal (see ReachesTerminal);
  // `what` the command, `unit` what `total` counts.
  TerminalProgress(std::ostream& err, bool terminal, std::string what, std::size_t total, std::string unit,
                   Clock clock);
  // The line goes, so that what follows starts on a clean line.
  ~TerminalProgress() { Clear(); }
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  // `done` of the total are done: the line, when it is time for one.
  void Show(std::size_t done);
  // Removes the line (before other text goes to the terminal).
  void Clear();

 private:
  std::ostream& err_;
  bool terminal_;
  std::string what_;
  std::size_t total_;
  std::string unit_;  // what is counted: "files"
  Clock clock_;
  double started_;
  double lastShown_ = -1.0;
  bool shown_ = false;
};

// Whether `err` is the process's standard error and that is a terminal.
bool ReachesTerminal(const std::ostream& err);

// Seconds of a monotonic clock.
double MonotonicSeconds();

}  // namespace rp
