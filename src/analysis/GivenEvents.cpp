// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/GivenEvents.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "analysis/OnsetAnalysis.h"
#include "features/PerformanceFeatures.h"

namespace rp {

namespace {

struct ReplayNote {
  double onsetMs = 0.0;
  double offsetMs = 0.0;
  std::uint8_t key = 0;
  std::uint8_t velocity = 0;
  std::uint8_t channel = 0;
  double leadValue = 0.0;
};

// A note's on or off before the notes are put in time order: only what the
// order needs (16 bytes), the note events are made once the order is known.
struct TimedNote {
  double timeMs = 0.0;
  std::uint32_t note = 0;
  // At equal times the notes that end come first (0), then those that start
  // (1), then those that end where they started (2, so each still starts
  // first); within each, the order of the notes.
  std::uint32_t rank = 0;
};

// Writes the `count` notes `noteAt(i)` gives into the performance's note
// events in time order and returns for each note the index of its note-on
// there.
template <class NoteAt>
std::vector<std::int32_t> StoreNotes(Performance& performance, std::size_t count, NoteAt noteAt) {
  std::vector<TimedNote> timed;
  timed.reserve(2 * count);
  for (std::size_t i = 0; i < count; ++i) {
    const ReplayNote n = noteAt(i);
    const auto note = static_cast<std::uint32_t>(i);
    timed.push_back({n.onsetMs, note, 1});
    timed.push_back({n.offsetMs, note, n.offsetMs > n.onsetMs ? 0U : 2U});
  }
  std::sort(timed.begin(), timed.end(), [](const TimedNote& a, const TimedNote& b) {
    if (a.timeMs != b.timeMs) return a.timeMs < b.timeMs;
    if (a.rank != b.rank) return a.rank < b.rank;
    return a.note < b.note;
  });
  std::vector<std::int32_t> onIndex(count, 0);
  auto& events = performance.notes;
  events.clear();
  events.reserve(timed.size());
  for (const TimedNote& t : timed) {
    const ReplayNote n = noteAt(t.note);
    NoteEvent e;
    e.timeMs = t.timeMs;
    e.leadValue = n.leadValue;
    e.isNoteOn = t.rank == 1;
    e.noteVelocity = e.isNoteOn ? n.velocity : 64;
    e.noteKey = n.key;
    e.channel = n.channel;
    if (e.isNoteOn) onIndex[t.note] = static_cast<std::int32_t>(events.size());
    events.push_back(e);
  }
  return onIndex;
}

// The next event opens with note-on `firstNote` (an index of the notes), at `onsetMs`.
void AddEvent(Performance& performance, double onsetMs, double velocity, std::int32_t firstNote) {
  OnsetEvent p;
  p.onsetMs = onsetMs;
  p.velocity0 = velocity;
  p.firstNote = firstNote;
  performance.events.push_back(p);
  performance.notes[static_cast<std::size_t>(firstNote)].opensEvent =
      static_cast<std::int32_t>(performance.events.size() - 1);
}

std::string WithoutBrackets(std::string_view value) {
  if (value.size() >= 2 && value.front() == '[' && value.back() == ']') value = value.substr(1, value.size() - 2);
  return std::string(value);
}

// Each event's onset, and with the first note's velocity also its velocity,
// by the settings' choice for its score position; the events still open
// with their earliest notes. (Other event velocities do not apply to score
// positions: theirs stays the earliest note's.)
void ChooseScoreOnsets(Performance& performance) {
  auto& events = performance.events;
  const auto& score = performance.score->events;
  const auto choice = static_cast<std::size_t>(performance.settings.scoreOnset);
  const bool velocityFollows = performance.settings.eventVelocity == EventVelocity::First;
  for (std::size_t i = 0; i < events.size() && i < score.size(); ++i) {
    const PositionOnset& chosen = score[i].onsetBy[choice];
    if (!IsDefined(chosen.onsetMs)) continue;
    events[i].onsetMs = chosen.onsetMs;
    events[i].velocity0 =
        velocityFollows ? chosen.velocity : score[i].onsetBy[static_cast<std::size_t>(ScoreOnset::Earliest)].velocity;
  }
}

// Each event's melody lead and spread as the features of the performance
// measure them, so the plot shows the same numbers as their export. They
// depend on the played notes only, not on the settings.
void StoreChordMeasures(Performance& performance) {
  const PerformanceFeatures features = FeaturesOf(performance);
  ScoreInfo& score = *performance.score;
  score.melodyVoice = features.voices;
  for (std::size_t i = 0; i < score.events.size() && i < features.events.size(); ++i) {
    score.events[i].melodyLeadMs = features.events[i].melodyLeadMs;
    score.events[i].spreadMs = features.events[i].spreadMs;
  }
}

}  // namespace

void StoreScoreAligned(Performance& performance, const MatchFile& file, const ScoreAlignedEvents& given) {
  const std::vector<std::int32_t> onIndex = StoreNotes(performance, given.notes.size(), [&given](std::size_t i) {
    const MatchPlayedNote& n = given.notes[i];
    return ReplayNote{n.onsetMs, n.offsetMs, n.key, n.velocity, 0, static_cast<double>(n.line)};
  });

  ScoreInfo score;
  score.piece = file.Info("piece");
  score.performer = file.Info("performer");
  score.composer = file.Info("composer");
  score.timeSignature = WithoutBrackets(file.Info("timeSignature"));
  score.keySignature = WithoutBrackets(file.Info("keySignature"));
  score.otherLines = file.otherLines;
  score.events.reserve(given.events.size());
  performance.events.clear();
  performance.events.reserve(given.events.size());
  for (const ScoreAlignedEvent& e : given.events) {
    const PositionOnset& earliest = e.onsetBy[static_cast<std::size_t>(ScoreOnset::Earliest)];
    AddEvent(performance, earliest.onsetMs, earliest.velocity, onIndex[e.firstNote]);
    ScoreEvent s;
    s.onsetBeats = e.onsetBeats;
    s.barBeat = e.barBeat;
    s.asynchronyMs = e.asynchronyMs;
    s.onsetBy = e.onsetBy;
    score.events.push_back(std::move(s));
  }
  score.notes = given.eventNotes;

  performance.controllers.clear();
  for (const MatchPedal& pedal : file.pedals)
    performance.controllers.push_back({pedal.timeMs, 0, pedal.controller, pedal.value});
  std::stable_sort(performance.controllers.begin(), performance.controllers.end(),
                   [](const ControllerEvent& a, const ControllerEvent& b) { return a.timeMs < b.timeMs; });
  performance.source = PerformanceSource::ScoreAligned;
  performance.score = std::move(score);
  StoreChordMeasures(performance);
  CompleteGivenEvents(performance);
}

void StoreTimes(Performance& performance, std::vector<double> timesMs, PerformanceSource source) {
  const std::vector<std::int32_t> onIndex = StoreNotes(performance, timesMs.size(), [&timesMs](std::size_t i) {
    // A click ends before the next one starts.
    const double next = i + 1 < timesMs.size() ? timesMs[i + 1] : timesMs[i] + kClickMs;
    const double end = std::min(timesMs[i] + kClickMs, next);
    return ReplayNote{timesMs[i], end, kClickKey, kClickVelocity, kClickChannel, static_cast<double>(i + 1)};
  });
  // Each time is its click's note-on time: the list is not needed beside the events.
  timesMs = std::vector<double>();
  performance.events.clear();
  performance.events.reserve(onIndex.size());
  for (const std::int32_t on : onIndex)
    AddEvent(performance, performance.notes[static_cast<std::size_t>(on)].timeMs, 0, on);
  performance.controllers.clear();
  performance.source = source;
  performance.score.reset();
  CompleteGivenEvents(performance);
}

void CompleteGivenEvents(Performance& performance) {
  auto& events = performance.events;
  const std::int32_t count = performance.EventCount();
  // Event numbers k from 1: event k is events[k - 1].
  const std::int32_t d = std::max(performance.settings.delay, 1);
  if (performance.score) ChooseScoreOnsets(performance);
  CompleteOnsetEvents(events, 0, static_cast<std::size_t>(d));
  if (!performance.score) return;
  auto& score = performance.score->events;
  // Event k's beat periods: its intervals over the score distances of the
  // same two events, where the intervals are defined.
  const auto beats = [&score](std::int32_t k) { return score[static_cast<std::size_t>(k - 1)].onsetBeats; };
  const auto period = [&](double interval, std::int32_t k) -> std::optional<double> {
    if (!IsDefined(interval)) return std::nullopt;
    return interval / (beats(k + 1) - beats(k));
  };
  for (std::int32_t k = 1; k <= count; ++k) {
    ScoreEvent& s = score[static_cast<std::size_t>(k - 1)];
    const OnsetEvent& p = events[static_cast<std::size_t>(k - 1)];
    s.beatPeriod0 = period(p.interval0, k);
    s.beatPeriod1 = period(p.interval1, k + d);
    s.beatPeriod2 = period(p.interval2, k + 2 * d);
  }
}

}  // namespace rp
