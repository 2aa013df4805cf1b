// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ValueKind.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "model/ScoreAlignment.h"

namespace rp {

std::string_view ValueKindUnavailable(const Performance& performance, ValueKind kind) {
  switch (kind) {
    case ValueKind::Timing:
      return {};
    case ValueKind::Velocity:
      if (!HasVelocity(performance)) return QT_TRANSLATE_NOOP("returnplot", "A list of times has no velocities.");
      return {};
    case ValueKind::Tempo:
      if (!performance.score) {
        return QT_TRANSLATE_NOOP("returnplot", "Tempo needs a performance aligned to its score (a match file).");
      }
      return {};
    case ValueKind::MelodyLead:
      if (!performance.score) {
        return QT_TRANSLATE_NOOP("returnplot",
                                 "The melody lead needs a performance aligned to its score (a match file).");
      }
      if (!performance.score->melodyVoice) {
        return QT_TRANSLATE_NOOP("returnplot", "The melody lead needs a score that marks its voices.");
      }
      return {};
    case ValueKind::Spread:
      if (!performance.score) {
        return QT_TRANSLATE_NOOP("returnplot",
                                 "The chord spread needs a performance aligned to its score (a match file).");
      }
      return {};
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
    case ValueKind::MelodyLead:
    case ValueKind::Spread:
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

// The chord measure `value` of events k, k + d and k + 2d (d the
// performance's delay); nothing when one of them lies past the last event.
std::optional<std::array<double, 3>> ChordValues(const Performance& performance, std::int32_t k,
                                                 double ScoreEvent::*value) {
  const std::vector<ScoreEvent>& score = performance.score->events;
  const auto d = static_cast<std::size_t>(std::max(performance.settings.delay, 1));
  const auto first = static_cast<std::size_t>(k);
  if (first + 2 * d >= score.size()) return std::nullopt;
  return Defined({score[first].*value, score[first + d].*value, score[first + 2 * d].*value});
}

}  // namespace

std::optional<std::array<double, 3>> EventValues(const Performance& performance, std::int32_t k, ValueKind kind,
                                                 const TempoMeasure& measure) {
  if (k < 0 || k >= performance.EventCount() || !ValueKindUnavailable(performance, kind).empty()) return std::nullopt;
  const OnsetEvent& p = performance.events[static_cast<std::size_t>(k)];
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
      const double units =
          signature ? BeatInSignatureUnits(measure.beat.value_or(BeatOfTimeSignature(*signature)), *signature) : 1.0;
      std::array<double, 3> values{};
      const std::array<double, 3> periods{*s->beatPeriod0, *s->beatPeriod1, *s->beatPeriod2};
      for (std::size_t i = 0; i < values.size(); ++i) values[i] = TempoInUnit(periods[i] * units, measure.unit);
      return values;
    }
    case ValueKind::MelodyLead:
    case ValueKind::Spread:
      return ChordValues(performance, k,
                         kind == ValueKind::MelodyLead ? &ScoreEvent::melodyLeadMs : &ScoreEvent::spreadMs);
  }
  return std::nullopt;
}

}  // namespace rp
