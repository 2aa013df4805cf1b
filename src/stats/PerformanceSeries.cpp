// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/PerformanceSeries.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "model/NumberReading.h"
#include "model/Performance.h"
#include "model/UndefinedValue.h"

namespace rp {

std::string_view SeriesName(SeriesKind kind) {
  switch (kind) {
    case SeriesKind::Timing:
      return "timing";
    case SeriesKind::Velocity:
      return "velocity";
    case SeriesKind::Tempo:
      return "tempo";
    case SeriesKind::MelodyLead:
      return "melody_lead";
    case SeriesKind::Spread:
      return "spread";
    case SeriesKind::Overlap:
      return "overlap";
  }
  return {};
}

std::vector<NamedSeries> SeriesFromEvents(const EventColumns& events) {
  const std::vector<double>& onsets = events.onsetMs;
  NamedSeries timing{SeriesKind::Timing, {}, {}};
  for (std::size_t k = 1; k < onsets.size(); ++k) {
    timing.values.push_back(onsets[k] - onsets[k - 1]);
    timing.events.push_back(static_cast<std::int32_t>(k - 1));
  }
  std::vector<NamedSeries> series{std::move(timing)};
  if (events.velocities) {
    // An undefined velocity (an onset a recording gave no loudness) is no value.
    NamedSeries velocity{SeriesKind::Velocity, {}, {}};
    const std::vector<double>& velocities = *events.velocities;
    for (std::size_t k = 0; k < velocities.size(); ++k) {
      if (!IsDefined(velocities[k])) continue;
      velocity.values.push_back(velocities[k]);
      velocity.events.push_back(static_cast<std::int32_t>(k));
    }
    series.push_back(std::move(velocity));
  }
  if (events.scoreBeats && events.scoreBeats->size() == onsets.size()) {
    const std::vector<double>& beats = *events.scoreBeats;
    NamedSeries tempo{SeriesKind::Tempo, {}, {}};
    for (std::size_t k = 1; k < onsets.size(); ++k) {
      const double beatsApart = beats[k] - beats[k - 1];
      if (beatsApart > 0.0) {
        tempo.values.push_back((onsets[k] - onsets[k - 1]) / beatsApart);
        tempo.events.push_back(static_cast<std::int32_t>(k - 1));
      }
    }
    series.push_back(std::move(tempo));
  }
  return series;
}

EventColumns EventColumnsOf(const Performance& performance) {
  // The one place that knows how a performance holds its events.
  EventColumns events;
  const bool velocities = HasVelocity(performance);
  if (velocities) events.velocities.emplace();
  for (const OnsetEvent& e : performance.events) {
    events.onsetMs.push_back(e.onsetMs);
    if (velocities) events.velocities->push_back(e.velocity0);
  }
  // A score-aligned performance: each event's score onset in beats, and the
  // tempo series follows.
  if (performance.score && performance.score->events.size() == performance.events.size()) {
    events.scoreBeats.emplace();
    for (const ScoreEvent& s : performance.score->events) events.scoreBeats->push_back(s.onsetBeats);
    // The bar is what "bar:beat" holds before its colon.
    std::vector<std::int32_t> bars;
    for (const ScoreEvent& s : performance.score->events) {
      const std::size_t colon = s.barBeat.find(':');
      const std::optional<std::int32_t> bar =
          colon == std::string::npos ? std::nullopt
                                     : StrictNumber<std::int32_t>(std::string_view(s.barBeat).substr(0, colon));
      if (!bar) break;
      bars.push_back(*bar);
    }
    if (bars.size() == performance.events.size()) events.bars = std::move(bars);
  }
  return events;
}

std::optional<ScoredEvents> ScoredEventsOf(const Performance& performance) {
  if (!performance.score || performance.score->events.size() != performance.events.size()) return std::nullopt;
  const std::optional<TimeSignature> signature = ParseTimeSignature(performance.score->timeSignature);
  if (!signature) return std::nullopt;
  ScoredEvents events;
  events.signature = *signature;
  const bool velocities = HasVelocity(performance);
  for (std::size_t k = 0; k < performance.events.size(); ++k) {
    const ScoreEvent& s = performance.score->events[k];
    events.positions.push_back(s.onsetBeats);
    events.onsetMs.push_back(performance.events[k].onsetMs);
    events.loudness.push_back(velocities ? performance.events[k].velocity0 : kUndefinedValue);
    events.barBeat.push_back(s.barBeat);
  }
  return events;
}

std::vector<NamedSeries> SeriesOfPerformance(const Performance& performance) {
  return SeriesFromEvents(EventColumnsOf(performance));
}

}  // namespace rp
