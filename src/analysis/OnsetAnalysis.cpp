// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/OnsetAnalysis.h"

#include <algorithm>
#include <new>

#include "base/TranslatableText.h"
#include "frontend/ProgressThrottle.h"
#include "model/UndefinedValue.h"

namespace rp {

namespace {

// How often the passes hand their position to the progress display.
constexpr std::int32_t kReportEvery = 4096;

// Walks the note events in order and calls `visit(j, note, opens)` for
// every one (j counting from 0); `opens` is true for a note-on that opens a
// cluster: the first note-on, or one more than the cluster window after the
// current cluster's first note-on (never the previous note-on).
template <class Visit>
void WalkClusters(Performance& performance, Visit visit) {
  bool any = false;
  double onset = 0.0;
  const double window = performance.settings.clusterWindowMs;
  auto& notes = performance.notes;
  const auto count = static_cast<std::int32_t>(notes.size());
  for (std::int32_t j = 0; j < count; ++j) {
    NoteEvent& n = notes[static_cast<std::size_t>(j)];
    const bool opens = n.isNoteOn && (!any || n.timeMs - onset > window);
    if (opens) {
      any = true;
      onset = n.timeMs;
    }
    visit(j, n, opens);
  }
}

// The velocity an event opened by note `j` takes: the note's own, or a
// recording's loudness of it.
double NoteVelocity(const Performance& performance, std::int32_t j) {
  const auto& loudness = performance.noteLoudnessDb;
  if (performance.velocityKind == VelocityKind::Decibel && static_cast<std::size_t>(j) < loudness.size()) {
    return loudness[static_cast<std::size_t>(j)];
  }
  return performance.notes[static_cast<std::size_t>(j)].noteVelocity;
}

// Marks the notes with the events they open, makes those events and gives
// each event its velocity by the settings' rule, note by note in order.
class ClusterAssigner {
 public:
  ClusterAssigner(std::vector<OnsetEvent>& events, const Performance& performance)
      : events_(events), performance_(performance), rule_(performance.settings.eventVelocity) {}

  // Marks note `j` with the event it opens, or with none (-1); an opening
  // note becomes the next onset event. A note-on that joins the newest event
  // may give it its velocity instead. True when it opened one.
  bool Assign(std::int32_t j, NoteEvent& n, bool opens) {
    if (!opens) {
      n.opensEvent = -1;
      if (n.isNoteOn && !events_.empty()) {
        const double velocity = NoteVelocity(performance_, j);
        if (TakesEventVelocity(rule_, {velocity, n.noteKey}, {events_.back().velocity0, givingKey_})) {
          events_.back().velocity0 = velocity;
          givingKey_ = n.noteKey;
        }
      }
      return false;
    }
    OnsetEvent p;
    p.onsetMs = n.timeMs;
    p.velocity0 = NoteVelocity(performance_, j);
    p.firstNote = j;
    events_.push_back(p);
    n.opensEvent = static_cast<std::int32_t>(events_.size() - 1);
    givingKey_ = n.noteKey;
    return true;
  }

 private:
  std::vector<OnsetEvent>& events_;
  const Performance& performance_;
  EventVelocity rule_;
  std::int32_t givingKey_ = 0;  // the key of the note-on that gives the newest event its velocity
};

}  // namespace

bool TakesEventVelocity(EventVelocity rule, const VelocityCandidate& joining, const VelocityCandidate& giving) {
  switch (rule) {
    case EventVelocity::Loudest:
      return joining.velocity > giving.velocity;
    case EventVelocity::Highest:
      return joining.key > giving.key;
    case EventVelocity::First:
      break;
  }
  return false;
}

void CompleteOnsetEvent(std::vector<OnsetEvent>& events, std::size_t i, std::size_t d) {
  const std::size_t count = events.size();
  // The interval that starts at event j, where event j + 1 exists.
  const auto interval = [&](std::size_t j) {
    return j + 1 < count ? events[j + 1].onsetMs - events[j].onsetMs : kUndefinedValue;
  };
  const auto velocity = [&](std::size_t j) { return j < count ? events[j].velocity0 : kUndefinedValue; };
  OnsetEvent& p = events[i];
  p.interval0 = interval(i);
  p.interval1 = interval(i + d);
  p.interval2 = interval(i + 2 * d);
  p.velocity1 = velocity(i + d);
  p.velocity2 = velocity(i + 2 * d);
}

void CompleteOnsetEvents(std::vector<OnsetEvent>& events, std::size_t first, std::size_t d) {
  for (std::size_t i = first; i < events.size(); ++i) CompleteOnsetEvent(events, i, d);
}

namespace {

// A load nobody watches makes the events in one walk over the notes: each
// event is completed as soon as the event 2d + 1 after it exists. There can
// be no more events than note events, so the array is reserved for that many
// and only the part written is ever touched. False, with nothing changed,
// when even the reservation cannot be had; the passes below then need less.
bool AnalyseInOneWalk(Performance& performance) {
  auto& events = performance.events;
  try {
    StartRecords(events, performance.notes.size());
  } catch (const std::bad_alloc&) {
    return false;
  }
  const std::size_t d = static_cast<std::size_t>(std::max(performance.settings.delay, 1));
  std::size_t k = 0;  // events made
  ClusterAssigner assign(events, performance);
  WalkClusters(performance, [&](std::int32_t j, NoteEvent& n, bool opens) {
    if (!assign.Assign(j, n, opens)) return;
    ++k;
    if (k > 2 * d + 1) CompleteOnsetEvent(events, k - 2 * d - 2, d);
  });
  CompleteOnsetEvents(events, k > 2 * d + 1 ? k - 2 * d - 1 : 0, d);
  return true;
}

}  // namespace

void AnalyseOnsets(Performance& performance, ProgressThrottle* progress) {
  NullProgressSink nullSink;
  ProgressThrottle nullThrottle(nullSink);
  ProgressThrottle& shown = progress ? *progress : nullThrottle;
  const auto noteCount = static_cast<std::int32_t>(performance.notes.size());
  if (progress == nullptr && AnalyseInOneWalk(performance)) return;

  // Pass 1: count the clusters. Progress shows note and event numbers from 1.
  shown.SetCaption(QT_TRANSLATE_NOOP("returnplot", "Grouping chords..."));
  std::int32_t clusters = 0;
  WalkClusters(performance, [&](std::int32_t j, const NoteEvent&, bool opens) {
    if (opens) ++clusters;
    const std::int32_t number = j + 1;
    if (number % kReportEvery == 0 || number == noteCount) {
      shown.SetValue(number);
      shown.Poll();
    }
  });
  auto& events = performance.events;
  StartRecords(events, static_cast<std::size_t>(clusters));

  // Pass 2: fill the clusters.
  shown.SetValue(1);
  shown.SetMaximum(clusters);
  shown.SetCaption(QT_TRANSLATE_NOOP("returnplot", "Analysing onsets..."));
  ClusterAssigner assign(events, performance);
  WalkClusters(performance, [&](std::int32_t j, NoteEvent& n, bool opens) {
    if (!assign.Assign(j, n, opens)) return;
    const auto k = static_cast<std::int32_t>(events.size());
    if (k % kReportEvery == 0 || k == clusters) {
      shown.SetValue(k);
      shown.Poll();
    }
  });

  // Pass 3: the return-plot values of events n, n + d and n + 2d; those of
  // the last 2d + 1 clusters whose later events do not exist stay undefined.
  const std::size_t d = static_cast<std::size_t>(std::max(performance.settings.delay, 1));
  const std::int32_t last = clusters - 2 * static_cast<std::int32_t>(d) - 1;  // as numbered from 1
  for (std::int32_t i = 1; i <= last; ++i) {
    CompleteOnsetEvent(events, static_cast<std::size_t>(i - 1), d);
    if (i % kReportEvery == 0 || i == last) {
      shown.SetValue(i);
      shown.Poll();
    }
  }
  CompleteOnsetEvents(events, static_cast<std::size_t>(std::max(last, 0)), d);
  shown.Flush();
}

}  // namespace rp
