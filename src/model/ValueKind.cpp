// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ValueKind.h"

#include <array>
#include <optional>
#include <string>

#include "base/TranslatableText.h"
#include "model/NumberReading.h"
#include "model/ScoreAlignment.h"

namespace rp {

std::string_view ValueKindUnavailable(const Performance& performance, ValueKind kind) {
  if (kind == ValueKind::Velocity && !HasVelocity(performance)) return "A list of times has no velocities.";
  if (kind == ValueKind::Tempo && !performance.score) {
    return "Tempo needs a performance aligned to its score (a match file).";
  }
  return {};
}

namespace {

struct TempoBeat {
  int denominator;  // of the time signature; 0: not named
  std::string_view unit;
  std::string_view quantity;
};

constexpr std::array<TempoBeat, 6> kTempoBeats = {{
    {0, QT_TRANSLATE_NOOP("returnplot", "ms per beat"), QT_TRANSLATE_NOOP("returnplot", "beat period (ms per beat)")},
    {2, QT_TRANSLATE_NOOP("returnplot", "ms per half note"),
     QT_TRANSLATE_NOOP("returnplot", "beat period (ms per half note)")},
    {4, QT_TRANSLATE_NOOP("returnplot", "ms per quarter note"),
     QT_TRANSLATE_NOOP("returnplot", "beat period (ms per quarter note)")},
    {8, QT_TRANSLATE_NOOP("returnplot", "ms per eighth note"),
     QT_TRANSLATE_NOOP("returnplot", "beat period (ms per eighth note)")},
    {16, QT_TRANSLATE_NOOP("returnplot", "ms per sixteenth note"),
     QT_TRANSLATE_NOOP("returnplot", "beat period (ms per sixteenth note)")},
    {32, QT_TRANSLATE_NOOP("returnplot", "ms per thirty-second note"),
     QT_TRANSLATE_NOOP("returnplot", "beat period (ms per thirty-second note)")},
}};

// The beat of the performance's time signature ("2/4": the quarter).
const TempoBeat& TempoBeatOf(const Performance& performance) {
  if (performance.score) {
    const std::string& signature = performance.score->timeSignature;
    const std::size_t slash = signature.find('/');
    if (slash != std::string::npos) {
      const std::optional<int> denominator = StrictNumber<int>(std::string_view(signature).substr(slash + 1));
      for (const TempoBeat& beat : kTempoBeats)
        if (denominator && beat.denominator == *denominator) return beat;
    }
  }
  return kTempoBeats[0];
}

}  // namespace

std::string_view ValueKindUnit(ValueKind kind, const Performance& performance) {
  switch (kind) {
    case ValueKind::Timing:
      return "ms";
    case ValueKind::Velocity:
      return performance.velocityKind == VelocityKind::Decibel ? "dB" : "";
    case ValueKind::Tempo:
      return TempoBeatOf(performance).unit;
  }
  return "";
}

std::string_view TempoQuantity(const Performance& performance) { return TempoBeatOf(performance).quantity; }

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
