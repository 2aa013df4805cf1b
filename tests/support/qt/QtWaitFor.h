// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Waiting in the Qt test programs, the event loop running meanwhile (timers
// fire, queued signals arrive, windows draw): a polled condition with a
// deadline, or time let pass on purpose (see support/WaitFor.h).

#include <QTest>
#include <chrono>
#include <functional>

namespace rp::test {

// Runs the event loop until `condition` holds or `deadline` has passed;
// whether it held.
inline bool QtWaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
  return QTest::qWaitFor(condition, static_cast<int>(deadline.count()));
}

// Runs the event loop for `span` on purpose: to see that nothing happens in
// it, or because the time passing is the user's (a pause between two clicks).
inline void LetTimePassWithEvents(std::chrono::milliseconds span) { QTest::qWait(static_cast<int>(span.count())); }

}  // namespace rp::test
