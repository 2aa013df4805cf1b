// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The analysed events of a performance as CSV, one row per onset event
// (`--export-events` and the window's "Export events as CSV..."), and the
// note events as read (`--export-notes`).

#include <array>
#include <iosfwd>
#include <string_view>

namespace rp {

struct Performance;

// The columns of every event (its number, onset, three intervals, three
// velocities, first note), then those of a performance aligned to its score
// (score onset, three beat periods, asynchrony): the CSV's header and the
// names the Python module gives its arrays.
inline constexpr std::array<std::string_view, 9> kEventColumns{
    "event", "onset_ms", "interval0", "interval1", "interval2", "velocity0", "velocity1", "velocity2", "first_note"};
inline constexpr std::array<std::string_view, 5> kScoreEventColumns{"score_onset_beats", "beat_period0", "beat_period1",
                                                                    "beat_period2", "asynchrony_ms"};

// The note events as read, numbered from 1, each with the event it opens
// (0: none): the columns of `--export-notes`.
inline constexpr std::array<std::string_view, 7> kNoteColumns{"index", "is_note_on", "time_ms",      "lead_value",
                                                              "key",   "velocity",   "cluster_index"};

// Events and notes numbered from 1; a performance aligned to its score also
// gets each event's score place and tempo.
void WriteEventsCsv(const Performance& performance, std::ostream& out);

// The note events in the columns of kNoteColumns.
void WriteNotesCsv(const Performance& performance, std::ostream& out);

}  // namespace rp
