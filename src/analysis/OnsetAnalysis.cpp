// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/OnsetAnalysis.h"

#include <algorithm>
#include <new>

#include "base/ProgressThrottle.h"

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
double OpeningVelocity(const Performance& performance, std::int32_t j) {
  const auto& loudness = performance.noteLoudnessDb;
  if (performance.velocityKind == VelocityKind::Decibel && static_cast<std::size_t>(j) < loudness.size()) {
    return loudness[static_cast<std::size_t>(j)];
  }
  return performance.notes[static_cast<std::size_t>(j)].noteVelocity;
}

// Marks note `j` with the event it opens, or with none (-1); an opening note
// becomes the next onset event of `events`. True when it opened one.
bool AssignCluster(const Performance& performance, std::vector<OnsetEvent>& events, std::int32_t j, NoteEvent& n,
                   bool opens) {
  if (!opens) {
    n.opensEvent = -1;
    return false;
  }
  OnsetEvent p;
  p.onsetMs = n.timeMs;
  p.velocity0 = OpeningVelocity(performance, j);
  p.firstNote = j;
  events.push_back(p);
  n.opensEvent = static_cast<std::int32_t>(events.size() - 1);
  return true;
}

}  // namespace

void CompleteOnsetEvent(std::vector<OnsetEvent>& events, std::size_t i, std::size_t d) {
  OnsetEvent& p = events[i];
  p.interval0 = events[i + 1].onsetMs - p.onsetMs;
  p.interval1 = events[i + d + 1].onsetMs - events[i + d].onsetMs;
  p.interval2 = events[i + 2 * d + 1].onsetMs - events[i + 2 * d].onsetMs;
  p.velocity1 = events[i + d].velocity0;
  p.velocity2 = events[i + 2 * d].velocity0;
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
  WalkClusters(performance, [&](std::int32_t j, NoteEvent& n, bool opens) {
    if (!AssignCluster(performance, events, j, n, opens)) return;
    ++k;
    if (k > 2 * d + 1) CompleteOnsetEvent(events, k - 2 * d - 2, d);
  });
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
  shown.SetCaption("Clustering...");
  std::int32_t clusters = 0;
  WalkClusters(performance, [&](std::int32_t j, const NoteEvent&, bool opens) {
    if (opens) ++clusters;
    const std::int32_t number = j + 1;
    if (number % kReportEvery == 0 || number == noteCount) {
      shown.ShowNumberEvents(noteCount);
      shown.ShowEvent(number);
      shown.SetValue(number);
      shown.Poll();
    }
  });
  auto& events = performance.events;
  StartRecords(events, static_cast<std::size_t>(clusters));

  // Pass 2: fill the clusters.
  shown.ShowNumberEvents(clusters);
  shown.SetValue(1);
  shown.SetMaximum(clusters);
  shown.SetCaption("Creating Matrix...");
  WalkClusters(performance, [&](std::int32_t j, NoteEvent& n, bool opens) {
    if (!AssignCluster(performance, events, j, n, opens)) return;
    const auto k = static_cast<std::int32_t>(events.size());
    if (k % kReportEvery == 0 || k == clusters) {
      shown.ShowEvent(k);
      shown.SetValue(k);
      shown.Poll();
    }
  });
  shown.ShowNumberEvents(clusters);

  // Pass 3: the return-plot values of events n, n + d and n + 2d; the last
  // 2d + 1 clusters keep zeros.
  const std::size_t d = static_cast<std::size_t>(std::max(performance.settings.delay, 1));
  const std::int32_t last = clusters - 2 * static_cast<std::int32_t>(d) - 1;  // as numbered from 1
  for (std::int32_t i = 1; i <= last; ++i) {
    CompleteOnsetEvent(events, static_cast<std::size_t>(i - 1), d);
    if (i % kReportEvery == 0 || i == last) {
      shown.ShowEvent(i);
      shown.SetValue(i);
      shown.Poll();
    }
  }
  shown.Flush();
}

}  // namespace rp
