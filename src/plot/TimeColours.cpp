// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/TimeColours.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "model/Performance.h"
#include "plot/ViewState.h"

namespace rp {

namespace {

constexpr std::array<std::uint32_t, 5> kRamp = {0xFF4060FF, 0xFF00C0E0, 0xFF40D040, 0xFFF0E040, 0xFFFF5030};

std::uint32_t Channel(std::uint32_t colour, int shift) { return (colour >> shift) & 0xFFu; }

double OnsetOf(const Performance& performance, std::optional<std::int32_t> event) {
  if (!event || *event < 0 || *event >= performance.EventCount()) return 0.0;
  return performance.events[static_cast<std::size_t>(*event)].onsetMs;
}

}  // namespace

std::int32_t TimeRampColour(double fraction) {
  const double at = std::clamp(std::isnan(fraction) ? 0.0 : fraction, 0.0, 1.0) * (kRamp.size() - 1);
  const auto lower = std::min(static_cast<std::size_t>(at), kRamp.size() - 2);
  const double t = at - static_cast<double>(lower);
  std::uint32_t colour = 0xFF000000u;
  for (const int shift : {16, 8, 0}) {
    const double a = Channel(kRamp[lower], shift), b = Channel(kRamp[lower + 1], shift);
    colour |= static_cast<std::uint32_t>(std::lround(a + (b - a) * t)) << shift;
  }
  return static_cast<std::int32_t>(colour);
}

void ColourByTime(ViewState& s, const Performance& performance) {
  s.showColourBar = false;
  if (s.pointEvents.empty()) return;
  const double from = OnsetOf(performance, s.pointEvents.front());
  const double to = OnsetOf(performance, s.pointEvents.back());
  const double span = to - from;
  for (std::size_t i = 0; i < s.points.Count() && i < s.pointEvents.size(); ++i) {
    const double onset = OnsetOf(performance, s.pointEvents[i]);
    s.points.Item(i).colour = TimeRampColour(span > 0.0 ? (onset - from) / span : 0.0);
  }
  s.colourBarFromMs = from;
  s.colourBarToMs = to;
  s.showColourBar = true;
}

}  // namespace rp
