// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/TempoMapping.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/FactorText.h"

namespace rp {

double TempoFactor(int replaySpeed) {
  const int s = std::clamp(replaySpeed, kReplaySpeedMin, kReplaySpeedMax);
  if (s >= 0) return 1.0 + s / 1000.0;
  return std::pow(4.0, s / 1000.0);
}

std::string TempoLabel(int replaySpeed) { return TempoFactorLabel(TempoFactor(replaySpeed)); }

std::string TempoFactorLabel(double factor) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2fx", factor);
  return text;
}

std::optional<double> ParseTempoFactor(std::string_view text) {
  return ParseFactorText(text, kMinTempoFactor, kMaxTempoFactor);
}

}  // namespace rp
