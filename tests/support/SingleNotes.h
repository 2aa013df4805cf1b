// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Performances of single notes of one key for the listening tests, and how far
// what was heard lies from what was scheduled.

#include <string>
#include <vector>

namespace rp::test {

// Writes an ASCII MIDI listing of one note of key 60 per interval (each note
// 60 ms long, so it is over before the next begins) and returns the note
// onsets in ms after the first.
std::vector<double> WriteSingleNotes(const std::string& path, const std::vector<double>& intervalsMs);

// Intervals from 220 to 490 ms in an irregular order, `count` of them, times
// `stretch`. Heard intervals under 220 ms leave the last note's release
// loud enough to delay the onset finder, so a faster replay takes a
// stretched file.
std::vector<double> IrregularIntervals(int count, double stretch = 1.0);

// Each heard onset's distance from its scheduled time (divided by the
// tempo factor), both counted from the first onset; empty when the counts
// differ.
std::vector<double> HeardOnsetErrors(const std::vector<double>& heardMs, const std::vector<double>& scheduledMs,
                                     double factor);

// For each scheduled onset, the heard onset nearest to where it belongs
// (counted from the first heard one). Onsets beyond those (a dropout's
// resumption in a note's tail, on a starved machine) are left out.
std::vector<double> MatchOnsets(const std::vector<double>& heardMs, const std::vector<double>& scheduledMs,
                                double factor);

struct ErrorSummary {
  double median = 0;
  double p99 = 0;
  double max = 0;
};
// Of the absolute values.
ErrorSummary Summarise(std::vector<double> errors);

}  // namespace rp::test
