#pragma once
// Groups the note-ons of the loaded performance into onset clusters (a chord
// is one event) and derives every event's return-plot values: the three
// inter-onset intervals from it on and the velocities of it and the next two.
// Works on `global::NoteEvents` as any reader leaves them, so every kind of
// performance file runs through the same analysis.

#include "performance/global.h"

namespace rp {

class ProgressThrottle;

// A note-on more than this many ms after its cluster's first note-on opens a
// new cluster.
inline constexpr double ClusterGap = 50.0;

// Zeroes `NoteEvents` up to `NoteEventCount` and `PlotEvents` up to
// `PlotEventCount`.
void clearMatrices();

// Sets every `NoteEvents`(j).`ClusterIndex` for j = 1 to `NoteEventCount`,
// sizes `PlotEvents` to `PlotEventCount` + 10 and fills it. Shows its three
// phases ("Clustering...", "Creating Matrix...") through `progress` if given.
void AnalyseOnsets(ProgressThrottle* progress = nullptr);

}  // namespace rp
