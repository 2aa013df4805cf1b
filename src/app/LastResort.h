// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The last line of defence of both programs: whatever goes wrong that no
// handler foresaw, the user gets one plain line and exit status 70, never
// the text of an exception or a crash report of the C++ library.

#include <functional>
#include <iosfwd>

namespace rp {

// Runs `body` and returns its exit status. An exception that escapes it
// prints one line on `err` and gives kExitInternalError; so does one that
// escapes any other thread (through std::terminate) while the program runs.
int RunGuarded(const std::function<int()>& body, std::ostream& err);

}  // namespace rp
