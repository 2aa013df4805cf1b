// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ValueKind.h"

#include <array>
#include <optional>
#include <string>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
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

// The time signature a performance's score positions count in.
std::optional<TimeSignature> SignatureOf(const Performance& performance) {
  if (!performance.score) return std::nullopt;
  return ParseTimeSignature(performance.score->timeSignature);
}

}  // namespace

std::optional<Beat> TempoBeatOf(const Performance& performance, const TempoMeasure& measure) {
  const std::optional<TimeSignature> signature = SignatureOf(performance);
  if (!signature) return std::nullopt;
  return measure.beat ? *measure.beat : BeatOfTimeSignature(*signature);
}

std::string ValueKindUnit(ValueKind kind, const Performance& performance, const TempoMeasure& measure) {
  switch (kind) {
    case ValueKind::Timing:
      return "ms";
    case ValueKind::Velocity:
      return performance.velocityKind == VelocityKind::Decibel ? "dB" : "";
    case ValueKind::Tempo: {
      if (const std::optional<Beat> beat = TempoBeatOf(performance, measure)) return TempoLabel(measure.unit, *beat);
      return measure.unit == TempoUnit::Bpm ? "BPM" : QT_TRANSLATE_NOOP("returnplot", "ms per beat");
    }
  }
  return "";
}

std::string TempoQuantity(const Performance& performance, const TempoMeasure& measure) {
  const std::string unit = ValueKindUnit(ValueKind::Tempo, performance, measure);
  return measure.unit == TempoUnit::Bpm ? FormatText(QT_TRANSLATE_NOOP("returnplot", "tempo in %1"), {unit})
                                        : FormatText(QT_TRANSLATE_NOOP("returnplot", "beat period (%1)"), {unit});
}

namespace {

std::optional<std::array<double, 3>> Defined(const std::array<double, 3>& values) {
  for (double v : values)
    if (!IsDefined(v)) return std::nullopt;
  return values;
}

}  // namespace

std::optional<std::array<double, 3>> EventValues(const Performance& performance, std::int32_t k, ValueKind kind,
                                                 const TempoMeasure& measure) {
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
      // The score counts in notes of its signature's unit; a beat of the
      // measure is that many of them.
      const std::optional<TimeSignature> signature = SignatureOf(performance);
      const std::optional<Beat> beat = TempoBeatOf(performance, measure);
      const double units = signature && beat ? BeatInSignatureUnits(*beat, *signature) : 1.0;
      std::array<double, 3> values{};
      const std::array<double, 3> periods{*s->beatPeriod0, *s->beatPeriod1, *s->beatPeriod2};
      for (std::size_t i = 0; i < values.size(); ++i) values[i] = TempoInUnit(periods[i] * units, measure.unit);
      return values;
    }
  }
  return std::nullopt;
}

}  // namespace rp
