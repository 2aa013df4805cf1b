// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/TempoMapping.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace rp {

double TempoFactor(int replaySpeed) {
  const int s = std::clamp(replaySpeed, kReplaySpeedMin, kReplaySpeedMax);
  if (s >= 0) return 1.0 + s / 1000.0;
  return std::pow(4.0, s / 1000.0);
}

std::string TempoLabel(int replaySpeed) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2fx", TempoFactor(replaySpeed));
  return text;
}

}  // namespace rp
