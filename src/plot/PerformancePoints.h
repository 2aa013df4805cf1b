// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The points of the analysed performance: event n is plotted at its three
// values (of event n, n+d and n+2d, d the analysis delay), the values being
// the inter-onset intervals (Timing), the key velocities (Velocity) or the
// beat periods (Tempo) as the control panel's choice says, read anew for
// every point. Event n's value is x, event n+2d's the vertical (dataY) and
// event n+d's the depth (dataZ), as the axis titles say. An event with an
// undefined value (its later event lies past the end) has no point, and the
// path breaks there. Each point's event goes into PointEvents.

#include <cstdint>
#include <string>

#include "model/ComparedPerformances.h"

namespace rp {

class Dialogs;
struct AnalysisSettings;
struct Performance;
struct PlotPoints;
struct ReplayPosition;
struct ViewState;

// ARGB colours of the point kinds.
inline constexpr std::int32_t kEventColour = static_cast<std::int32_t>(0xFF0000FFu);         // blue
inline constexpr std::int32_t kCurrentEventColour = static_cast<std::int32_t>(0xFFFFB000u);  // orange
inline constexpr std::int32_t kPlaceholderColour = static_cast<std::int32_t>(0xFF000000u);   // black

// The titles of the three axes of performance points: "event n", "event
// n+2d" (vertical), "event n+d" (depth).
void SetEventAxisNames(PlotPoints& points);

// What the caption says while the current event (an index from 0) has no
// point, numbering it from 1 as users count: "event 7: no point (values past
// the end)" for index 6.
std::string NoPointNote(std::int64_t event);

// Replaces Points by all events of the performance, blue, size 1.
void FillAllEventPoints(ViewState& state, Dialogs& dialogs, const Performance& performance);

// Replaces Points by the tail CurrentEvent - TailLength .. CurrentEvent (in
// that order, TailLength + 1 points): blue events of size 1, the current one
// orange at size 2, from the first event on; positions before it become
// invisible placeholders (size 0, black, no name) at its values. An index beyond the
// performance arrays throws std::out_of_range, leaving the points made so far.
// A current event without a point sets PointNote (NoPointNote).
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

// Titles and number formats that go with performance points, and the note on
// `settings` beside the caption. The display switches are the user's and stay
// as they are.
void ApplyPerformanceSettings(ViewState& state, const AnalysisSettings& settings);

}  // namespace rp
