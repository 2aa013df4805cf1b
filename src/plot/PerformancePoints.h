// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The points of the analysed performance: event n is plotted at its three
// values (of event n, n+d and n+2d, d the analysis delay), the values being
// the inter-onset intervals (Timing), the key velocities (Velocity) or the
// beat periods (Tempo) as the control panel's choice says, read anew for every point. Each point's event
// goes into PointEvents.

#include <cstdint>

#include "model/ComparedPerformances.h"

namespace rp {

class Dialogs;
struct AnalysisSettings;
struct Performance;
struct ReplayPosition;
struct ViewState;

// ARGB colours of the point kinds.
inline constexpr std::int32_t kEventColour = static_cast<std::int32_t>(0xFF0000FFu);         // blue
inline constexpr std::int32_t kCurrentEventColour = static_cast<std::int32_t>(0xFFFFB000u);  // orange
inline constexpr std::int32_t kPlaceholderColour = static_cast<std::int32_t>(0xFF000000u);   // black

// Most events the full view shows.
inline constexpr std::int32_t kMaxFullViewEvents = 100;

// Replaces Points by events 1 to PlotEventCount (at most 100), blue, size 1.
void FillAllEventPoints(ViewState& state, Dialogs& dialogs, const Performance& performance);

// Replaces Points by the tail CurrentEvent - TailLength .. CurrentEvent (in
// that order, TailLength + 1 points): blue events of size 1, the current one
// orange at size 2; positions at or below 1 become invisible placeholders
// (size 0, black, no name) at event 1's values. An index beyond the
// performance arrays throws std::out_of_range, leaving the points made so far.
void FillTailPoints(ViewState& state, Dialogs& dialogs, const Performance& performance, const ReplayPosition& position);

// Replaces the compared groups by one per compared performance, in its
// colour: beside each main point's event, the compared performance's event
// aligned with it as ViewState::alignBy says (model/ComparedAlignment.h);
// none where it has none. Each point is named "Note (<file name>)".
// FillComparedTailPoints follows the main tail the same way, the point
// beside the current event at size 2. Call after filling the main points.
void FillComparedPoints(ViewState& state, Dialogs& dialogs, const Performance& main,
                        const ComparedPerformances& compared);
void FillComparedTailPoints(ViewState& state, Dialogs& dialogs, const Performance& main,
                            const ComparedPerformances& compared, const ReplayPosition& position);

// Titles, number formats and display toggles that go with performance points,
// and the note on `settings` beside the caption.
void ApplyPerformanceSettings(ViewState& state, const AnalysisSettings& settings);

}  // namespace rp
