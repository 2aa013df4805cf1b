// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RemovedOnSignal.h"

#include <unistd.h>

#include <climits>
#include <cstring>

namespace rp {

namespace {

// The handler may only read what was written before it was installed.
char removedPath[PATH_MAX] = {};
volatile std::sig_atomic_t removeArmed = 0;

extern "C" void RemoveAndEnd(int signal) {
  if (removeArmed != 0) ::unlink(removedPath);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

RemovedOnSignal::RemovedOnSignal(const std::string& path) {
  if (path.empty() || path.size() >= sizeof removedPath || removeArmed != 0) return;
  std::memcpy(removedPath, path.c_str(), path.size() + 1);
  removeArmed = 1;
  armed_ = true;
  struct sigaction action {};
  action.sa_handler = &RemoveAndEnd;
  sigemptyset(&action.sa_mask);
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    sigaddset(&action.sa_mask, kSignals[i]);
  }
  for (std::size_t i = 0; i < std::size(kSignals); ++i) ::sigaction(kSignals[i], &action, &previous_[i]);
}

RemovedOnSignal::~RemovedOnSignal() {
  if (!armed_) return;
  for (std::size_t i = 0; i < std::size(kSignals); ++i) ::sigaction(kSignals[i], &previous_[i], nullptr);
  removeArmed = 0;
}

}  // namespace rp
