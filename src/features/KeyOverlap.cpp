// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/KeyOverlap.h"

namespace rp {

std::vector<KeyOverlap> LineOverlaps(std::span<const LineNote> line) {
  std::vector<KeyOverlap> result(line.size());
  for (std::size_t i = 0; i + 1 < line.size(); ++i) {
    const double overlap = line[i].offsetMs - line[i + 1].onsetMs;
    const double interval = line[i + 1].onsetMs - line[i].onsetMs;
    result[i].timeMs = overlap;
    if (interval > 0.0) result[i].ratio = overlap / interval;
  }
  return result;
}

}  // namespace rp
