// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/BeatTempo.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/NumberReading.h"
#include "model/ScoreInfo.h"
#include "model/UndefinedValue.h"

namespace rp {

namespace {

// Where the bar of "bar:beat[+p/q]" begins, in signature units, for an
// event at `position`, and the bar's number; nothing when the text is not
// of that form.
struct BarStart {
  std::int32_t bar = 0;
  double start = 0.0;
};

std::optional<BarStart> BarStartOf(std::string_view barBeat, double position, TimeSignature signature) {
  const std::size_t colon = barBeat.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::size_t plus = barBeat.find('+', colon);
  const std::optional<double> bar = StrictNumber<double>(barBeat.substr(0, colon));
  const std::optional<double> beat = StrictNumber<double>(barBeat.substr(colon + 1, plus - colon - 1));
  if (!bar || !beat) return std::nullopt;
  double offset = 0.0;  // of a whole note
  if (plus != std::string_view::npos) {
    const std::string_view fraction = barBeat.substr(plus + 1);
    const std::size_t slash = fraction.find('/');
    const std::optional<double> p = StrictNumber<double>(fraction.substr(0, slash));
    const std::optional<double> q =
        slash == std::string_view::npos ? std::optional<double>(1.0) : StrictNumber<double>(fraction.substr(slash + 1));
    if (!p || !q || *q == 0.0) return std::nullopt;
    offset = *p / *q;
  }
  return BarStart{static_cast<std::int32_t>(*bar), position - (*beat - 1.0) - offset * signature.unit};
}

double Interpolated(double a, double b, double share) {
  if (!IsDefined(a) || !IsDefined(b)) return kUndefinedValue;
  return a + (b - a) * share;
}

}  // namespace

std::vector<double> SmoothOverBeats(const std::vector<double>& values, double windowBeats) {
  if (!(windowBeats > 1.0)) return values;
  const double half = windowBeats / 2.0;
  const auto reach = static_cast<std::ptrdiff_t>(std::ceil(half + 0.5));
  const auto count = static_cast<std::ptrdiff_t>(values.size());
  std::vector<double> smoothed(values.size(), kUndefinedValue);
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    if (!IsDefined(values[static_cast<std::size_t>(i)])) continue;
    double sum = 0.0;
    double weights = 0.0;
    for (std::ptrdiff_t j = std::max<std::ptrdiff_t>(0, i - reach); j <= std::min(count - 1, i + reach); ++j) {
      const double value = values[static_cast<std::size_t>(j)];
      const auto distance = static_cast<double>(j - i);
      const double weight = std::min(distance + 0.5, half) - std::max(distance - 0.5, -half);
      if (weight <= 0.0 || !IsDefined(value)) continue;
      sum += weight * value;
      weights += weight;
    }
    smoothed[static_cast<std::size_t>(i)] = sum / weights;
  }
  return smoothed;
}

BeatTempo MakeBeatTempo(const ScoredEvents& events, const Beat& beat, double smoothBeats) {
  BeatTempo tempo{beat, {}};
  const std::vector<double>& positions = events.positions;
  const std::size_t count = std::min(positions.size(), events.onsetMs.size());
  if (count == 0) return tempo;
  const double beatLength = BeatInSignatureUnits(beat, events.signature);
  const double barLength = events.signature.count;
  const auto first = static_cast<std::int64_t>(std::ceil((positions.front() - kSamePositionBeats) / beatLength));
  const auto last = static_cast<std::int64_t>(std::floor((positions[count - 1] + kSamePositionBeats) / beatLength));
  const auto loudnessAt = [&](std::size_t k) {
    return k < events.loudness.size() ? events.loudness[k] : kUndefinedValue;
  };
  for (std::int64_t i = first; i <= last; ++i) {
    const double at = static_cast<double>(i) * beatLength;
    BeatRow row;
    row.position = static_cast<double>(i);
    // The first event not before the beat, and the last one at or before it.
    const auto after = static_cast<std::size_t>(std::lower_bound(positions.begin(),
                                                                 positions.begin() + static_cast<std::ptrdiff_t>(count),
                                                                 at - kSamePositionBeats) -
                                                positions.begin());
    std::size_t before = after;
    if (after < count && positions[after] - at <= kSamePositionBeats) {
      row.onsetMs = events.onsetMs[after];
      row.loudness = loudnessAt(after);
    } else {
      before = after - 1;  // after > 0: the first beat is not before the first event
      const double share = (at - positions[before]) / (positions[after] - positions[before]);
      row.onsetMs = Interpolated(events.onsetMs[before], events.onsetMs[after], share);
      row.loudness = Interpolated(loudnessAt(before), loudnessAt(after), share);
      row.interpolated = true;
    }
    // The bar: counted on from the bar of the last event at or before the beat.
    const std::optional<BarStart> known = before < events.barBeat.size()
                                              ? BarStartOf(events.barBeat[before], positions[before], events.signature)
                                              : std::nullopt;
    const BarStart from = known.value_or(BarStart{1, 0.0});
    const double bars = std::floor((at - from.start) / barLength + kSamePositionBeats);
    const double barStart = from.start + bars * barLength;
    row.bar = from.bar + static_cast<std::int32_t>(bars);
    row.beatInBar = 1.0 + (at - barStart) / beatLength;
    row.barPosition = row.bar + (at - barStart) / barLength;
    tempo.rows.push_back(row);
  }
  std::vector<double> periods(tempo.rows.size(), kUndefinedValue);
  std::vector<double> loudness(tempo.rows.size(), kUndefinedValue);
  for (std::size_t i = 0; i < tempo.rows.size(); ++i) {
    if (i + 1 < tempo.rows.size()) periods[i] = tempo.rows[i + 1].onsetMs - tempo.rows[i].onsetMs;
    tempo.rows[i].msPerBeat = periods[i];
    loudness[i] = tempo.rows[i].loudness;
  }
  periods = SmoothOverBeats(periods, smoothBeats);
  loudness = SmoothOverBeats(loudness, smoothBeats);
  for (std::size_t i = 0; i < tempo.rows.size(); ++i) {
    tempo.rows[i].smoothedMsPerBeat = periods[i];
    tempo.rows[i].smoothedLoudness = loudness[i];
  }
  return tempo;
}

}  // namespace rp
