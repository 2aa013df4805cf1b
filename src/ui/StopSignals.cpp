// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StopSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace rp {

namespace {

// The pipe the handler writes to; one set of handlers at a time.
int gSignalPipe[2] = {-1, -1};

extern "C" void WriteSignal(int signal) {
  const int saved = errno;
  const char number = static_cast<char>(signal);
  (void)!::write(gSignalPipe[1], &number, 1);
  errno = saved;
}

void Handle(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(signal, &action, nullptr);
}

}  // namespace

StopSignals::StopSignals(std::function<void(int)> stop, QObject* parent) : QObject(parent), stop_(std::move(stop)) {
  if (gSignalPipe[0] >= 0 || ::pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char number = 0;
    if (::read(gSignalPipe[0], &number, 1) != 1) return;
    // A second signal ends the program at once.
    Handle(SIGINT, SIG_DFL);
    Handle(SIGTERM, SIG_DFL);
    if (stop_) stop_(number);
  });
  Handle(SIGINT, &WriteSignal);
  Handle(SIGTERM, &WriteSignal);
}

StopSignals::~StopSignals() {
  if (!notifier_) return;
  Handle(SIGINT, SIG_DFL);
  Handle(SIGTERM, SIG_DFL);
  delete notifier_;
  ::close(gSignalPipe[0]);
  ::close(gSignalPipe[1]);
  gSignalPipe[0] = gSignalPipe[1] = -1;
}

}  // namespace rp
