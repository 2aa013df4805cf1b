// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A number as the program shows and stores it: the shortest text that reads
// back to the same value ("30", "12.5", "1.5"), with "." whatever the locale.

#include <string>

namespace rp {

std::string ShortestNumber(double value);

}  // namespace rp
