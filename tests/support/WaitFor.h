// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Waiting in tests. A test waits for what it needs (a server answering, a
// file written, a message sent) by polling that condition with a deadline,
// never by sleeping a fixed time and hoping; only where time passing is the
// point (nothing may happen within it, or the time itself is measured) does it
// let time pass on purpose, and says so by the name. The Qt programs do the
// same with their event loop running: support/qt/QtWaitFor.h.

#include <chrono>
#include <functional>

namespace rp::test {

// Polls `condition` every `poll` until it holds or `deadline` has passed;
// whether it held (it is asked once more at the deadline).
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline,
             std::chrono::milliseconds poll = std::chrono::milliseconds(5));

// Lets `span` of real time pass on purpose: to see that nothing happens in
// it, to give other threads a chance to race, or because the time is what is
// measured. Never for readiness.
void LetTimePass(std::chrono::microseconds span);

}  // namespace rp::test
