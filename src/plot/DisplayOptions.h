// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the plot shows a performance's values besides the line switches: the
// kind of scale, the identity line, colours by time and which events the
// full view shows. Chosen in the View menu or by --snapshot flags; the first
// three are kept between runs.

#include <cstdint>

namespace rp {

struct DisplayOptions {
  bool logarithmic = false;   // logarithmic axes instead of linear ones
  bool identityLine = false;  // the cube's diagonal, where all three values are equal
  bool colourByTime = false;  // the full view's points from early to late on a colour ramp (one performance only)
  // The events the full view shows, from 1; 0 for "from the first" and "to
  // the last".
  std::int32_t firstEvent = 0;
  std::int32_t lastEvent = 0;
};

}  // namespace rp
