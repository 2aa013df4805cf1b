// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/PedalUse.h"

#include <algorithm>

#include "model/UndefinedValue.h"

namespace rp {

std::vector<PedalSpan> PedalSpans(std::span<const ControllerEvent> controllers, std::uint8_t controller, double endMs) {
  std::vector<PedalSpan> spans;
  bool down = false;
  for (const ControllerEvent& c : controllers) {
    if (c.controller != controller) continue;
    const bool pressed = c.value >= kPedalDownValue;
    if (pressed && !down) spans.push_back({c.timeMs, c.timeMs});
    if (!pressed && down) spans.back().upMs = c.timeMs;
    down = pressed;
  }
  if (down) spans.back().upMs = std::max(endMs, spans.back().downMs);
  return spans;
}

double FractionUnder(std::span<const PedalSpan> spans, double fromMs, double toMs) {
  if (!(toMs > fromMs)) return kUndefinedValue;
  // The first press that ends after the time begins.
  auto span =
      std::upper_bound(spans.begin(), spans.end(), fromMs, [](double t, const PedalSpan& s) { return t < s.upMs; });
  double under = 0.0;
  for (; span != spans.end() && span->downMs < toMs; ++span)
    under += std::min(toMs, span->upMs) - std::max(fromMs, span->downMs);
  return under / (toMs - fromMs);
}

}  // namespace rp
