#include "analysis/OnsetAnalysis.h"

#include <algorithm>
#include <new>

#include "base/ProgressThrottle.h"

namespace rp {

namespace {

// How often the passes hand their position to the progress display.
constexpr std::int32_t kReportEvery = 4096;

// Walks `NoteEvents`[1..NoteEventCount] and calls `visit(j, note, opens)`
// for every note event; `opens` is true for a note-on that opens a cluster:
// the first note-on, or one more than the cluster window after the current
// cluster's first note-on (never the previous note-on).
template <class Visit>
void WalkClusters(Performance& performance, Visit visit) {
  bool any = false;
  double onset = 0.0;
  const double window = performance.settings.clusterWindowMs;
  auto& notes = performance.noteEvents;
  for (std::int32_t j = 1; j <= performance.noteEventCount; ++j) {
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
  return performance.noteEvents[static_cast<std::size_t>(j)].noteVelocity;
}

// Gives note `j` its cluster index: 0 unless it opens a cluster, which then
// becomes the next onset event of `plots`. True when it opened one.
bool AssignCluster(const Performance& performance, std::vector<PlotEvent>& plots, std::int32_t j, NoteEvent& n,
                   bool opens) {
  // Note-offs and the other note-ons of a cluster carry no cluster index.
  if (!opens) {
    n.clusterIndex = 0;
    return false;
  }
  PlotEvent p;
  p.onsetMs = n.timeMs;
  p.velocity0 = OpeningVelocity(performance, j);
  p.firstNote = j;
  plots.push_back(p);
  n.clusterIndex = static_cast<std::int32_t>(plots.size() - 1);
  return true;
}

}  // namespace

void CompleteOnsetEvent(std::vector<PlotEvent>& events, std::size_t i, std::size_t d) {
  PlotEvent& p = events[i];
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
  auto& plots = performance.plotEvents;
  try {
    StartRecords(plots, static_cast<std::size_t>(performance.noteEventCount) + 11);
  } catch (const std::bad_alloc&) {
    return false;
  }
  const std::size_t d = static_cast<std::size_t>(std::max(performance.settings.delay, 1));
  std::size_t k = 0;
  WalkClusters(performance, [&](std::int32_t j, NoteEvent& n, bool opens) {
    if (!AssignCluster(performance, plots, j, n, opens)) return;
    ++k;
    if (k > 2 * d + 1) CompleteOnsetEvent(plots, k - 2 * d - 1, d);
  });
  performance.plotEventCount = static_cast<std::int32_t>(k);
  plots.resize(k + 11);
  return true;
}

}  // namespace

void AnalyseOnsets(Performance& performance, ProgressThrottle* progress) {
  NullProgressSink nullSink;
  ProgressThrottle nullThrottle(nullSink);
  ProgressThrottle& shown = progress ? *progress : nullThrottle;
  // Callers keep the arrays at least `count` + 1 long; a count beyond that
  // would be a fault elsewhere, and is cut rather than read past the end.
  auto& notes = performance.noteEvents;
  performance.noteEventCount = std::clamp<std::int32_t>(
      performance.noteEventCount, 0, static_cast<std::int32_t>(notes.empty() ? 0 : notes.size() - 1));
  const std::int32_t noteCount = performance.noteEventCount;
  if (progress == nullptr && AnalyseInOneWalk(performance)) return;

  // Pass 1: count the clusters.
  shown.SetCaption("Clustering...");
  std::int32_t clusters = 0;
  WalkClusters(performance, [&](std::int32_t j, const NoteEvent&, bool opens) {
    if (opens) ++clusters;
    if (j % kReportEvery == 0 || j == noteCount) {
      shown.ShowNumberEvents(noteCount);
      shown.ShowEvent(j);
      shown.SetValue(j);
      shown.Poll();
    }
  });
  performance.plotEventCount = clusters;
  StartRecords(performance.plotEvents, static_cast<std::size_t>(clusters) + 11);

  // Pass 2: fill the clusters.
  auto& plots = performance.plotEvents;
  shown.ShowNumberEvents(clusters);
  shown.SetValue(1);
  shown.SetMaximum(clusters);
  shown.SetCaption("Creating Matrix...");
  std::int32_t k = 0;
  WalkClusters(performance, [&](std::int32_t j, NoteEvent& n, bool opens) {
    if (!AssignCluster(performance, plots, j, n, opens)) return;
    ++k;
    if (k % kReportEvery == 0 || k == clusters) {
      shown.ShowEvent(k);
      shown.SetValue(k);
      shown.Poll();
    }
  });
  plots.resize(static_cast<std::size_t>(clusters) + 11);
  shown.ShowNumberEvents(clusters);

  // Pass 3: the return-plot values of events n, n + d and n + 2d; the last
  // 2d + 1 clusters keep zeros.
  const std::size_t d = static_cast<std::size_t>(std::max(performance.settings.delay, 1));
  const std::int32_t last = clusters - 2 * static_cast<std::int32_t>(d) - 1;
  for (std::int32_t i = 1; i <= last; ++i) {
    CompleteOnsetEvent(plots, static_cast<std::size_t>(i), d);
    if (i % kReportEvery == 0 || i == last) {
      shown.ShowEvent(i);
      shown.SetValue(i);
      shown.Poll();
    }
  }
  shown.Flush();
}

}  // namespace rp
