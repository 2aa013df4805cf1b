#pragma once
// Groups the note-ons of a performance into onset clusters (a chord is one
// event) and derives every event's return-plot values: the inter-onset
// interval and the velocity of it, of the event d later and of the event 2d
// later (d the settings' delay). Works on the note events as any reader leaves
// them, so every kind of performance file runs through the same analysis.

#include "model/Performance.h"

namespace rp {

class ProgressThrottle;

// Sets every `NoteEvents`[j].`ClusterIndex` for j = 1 to `NoteEventCount`,
// sizes `PlotEvents` to `PlotEventCount` + 10 and fills it, by the
// performance's own settings. Shows its phases ("Clustering...", "Creating
// Matrix...") through `progress` if given.
void AnalyseOnsets(Performance& performance, ProgressThrottle* progress = nullptr);

// Fills the return-plot values of onset event `i` from the onsets and
// velocities of the events after it (up to event i + 2d + 1, which must exist)
// with delay `d`.
void CompleteOnsetEvent(std::vector<PlotEvent>& events, std::size_t i, std::size_t d);

}  // namespace rp
