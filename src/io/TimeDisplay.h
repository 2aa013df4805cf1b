#pragma once
// The control panel's time display: a performance time in ms as hours,
// minutes and seconds, each number with the blank that stands in for a plus
// sign and without leading zeros (125400 ms reads " 0: 2: 5").

#include <string>

namespace rp {

std::string FormatTimeDisplay(double ms);

}  // namespace rp
