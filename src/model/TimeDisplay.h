// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The time display of the control panel, which the replay, the session and
// the take recorder set.

#include <string>

namespace rp {

// A performance time in ms as a clock reads it, to the tenth of a second:
// hours, then minutes and seconds of two digits and the tenths begun (125480
// ms reads "0:02:05.4"); a time before the start gets a minus sign.
std::string FormatTimeDisplay(double ms);

}  // namespace rp
