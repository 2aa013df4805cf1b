// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A temporary file of a command (the OUT.wav.PID.part of --render-wav, a
// snapshot's or an alignment's) that an interrupt must not leave behind:
// while this object lives, SIGINT, SIGTERM and SIGHUP remove the file and
// then end the program as the signal would have, so the shell still sees the
// signal. One such file at a time.

#include <csignal>
#include <iterator>
#include <string>

namespace rp {

class RemovedOnSignal {
 public:
  explicit RemovedOnSignal(const std::string& path);
  // The signals' earlier handlers come back; the file stays as it is.
  ~RemovedOnSignal();
  RemovedOnSignal(const RemovedOnSignal&) = delete;
  RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;

 private:
  static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
  struct sigaction previous_[std::size(kSignals)]{};
  bool armed_ = false;
};

}  // namespace rp
