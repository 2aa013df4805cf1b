// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ValueKind.h"

#include "model/ScoreAlignment.h"

namespace rp {

std::string_view ValueKindUnavailable(const Performance& performance, ValueKind kind) {
  if (kind == ValueKind::Velocity && !HasVelocity(performance)) return "A list of times has no velocities.";
  if (kind == ValueKind::Tempo && !performance.score) {
    return "Tempo needs a performance aligned to its score (a match file).";
  }
  return {};
}

std::string_view ValueKindUnit(ValueKind kind, VelocityKind velocity) {
  switch (kind) {
    case ValueKind::Timing:
      return "ms";
    case ValueKind::Velocity:
      return velocity == VelocityKind::Decibel ? "dB" : "";
    case ValueKind::Tempo:
      return "ms per beat";
  }
  return "";
}

namespace {

std::optional<std::array<double, 3>> Defined(const std::array<double, 3>& values) {
  for (double v : values)
    if (!IsDefined(v)) return std::nullopt;
  return values;
}

}  // namespace

std::optional<std::array<double, 3>> EventValues(const Performance& performance, std::int32_t k, ValueKind kind) {
  if (k < 1 || k > performance.EventCount() || !ValueKindUnavailable(performance, kind).empty()) return std::nullopt;
  const OnsetEvent& p = performance.events[static_cast<std::size_t>(k - 1)];
  switch (kind) {
    case ValueKind::Timing:
      return Defined({p.interval0, p.interval1, p.interval2});
    case ValueKind::Velocity:
      return Defined({p.velocity0, p.velocity1, p.velocity2});
    case ValueKind::Tempo: {
      const ScoreEvent* s = ScoreEventOf(performance, k);
      if (s == nullptr || !s->beatPeriod0 || !s->beatPeriod1 || !s->beatPeriod2) return std::nullopt;
      return std::array<double, 3>{*s->beatPeriod0, *s->beatPeriod1, *s->beatPeriod2};
    }
  }
  return std::nullopt;
}

}  // namespace rp
