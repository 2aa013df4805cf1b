// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Groups the note-ons of a performance into onset clusters (a chord is one
// event) and derives every event's return-plot values: the inter-onset
// interval and the velocity of it, of the event d later and of the event 2d
// later (d the settings' delay). An event's velocity is that of one of its
// note-ons, chosen by the settings' event velocity. Works on the note
// events as any reader leaves them, so every kind of performance file runs through the same analysis.

#include "model/Performance.h"

namespace rp {

class ProgressThrottle;

// Marks every note with the event it opens (`opensEvent`) and makes the
// onset events anew, by the performance's own settings. Shows its phases ("Grouping chords...",
// "Analysing onsets...") through `progress` if given.
void AnalyseOnsets(Performance& performance, ProgressThrottle* progress = nullptr);

// A note-on's velocity (or a recording's loudness of it) and key.
struct VelocityCandidate {
  double velocity = 0.0;
  std::int32_t key = 0;
};

// Whether note-on `joining`, joining an event whose velocity note-on
// `giving` gives now, gives the event its velocity by `rule` instead; a tie
// stays with the earlier note.
bool TakesEventVelocity(EventVelocity rule, const VelocityCandidate& joining, const VelocityCandidate& giving);

// Fills the return-plot values of onset event `i` from the onsets and
// velocities of the events after it with delay `d`; indices from 0. A value
// whose later event does not exist (interval0 of the last event, interval1
// and velocity1 near the end, ...) is kUndefinedValue, never 0: this is the
// one rule every kind of performance follows.
void CompleteOnsetEvent(std::vector<OnsetEvent>& events, std::size_t i, std::size_t d);

// CompleteOnsetEvent for events `first` to the last.
void CompleteOnsetEvents(std::vector<OnsetEvent>& events, std::size_t first, std::size_t d);

}  // namespace rp
