// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the analysis turns note events into onset events: the cluster window
// and the delay d; the unit of a plain list of times; and for a recording how
// its onsets are found. The windows, the command line and the stored settings
// all hold the same limits.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/OnsetDetectionSettings.h"

namespace rp {

// The unit of the numbers of a plain list of times (one time a line).
enum class TimesUnit { Seconds, Milliseconds };

// Which note-on of an onset event gives the event its velocity.
enum class EventVelocity {
  First,    // the event's first note-on
  Loudest,  // the loudest note-on; of equally loud ones the earliest
  Highest,  // the note-on of the highest key (the melody); of equal keys the earliest
};

// Which played onset stands for a score position of a performance aligned to
// its score (a chord, or a melody note with its accompaniment).
enum class ScoreOnset {
  Earliest,  // the earliest played note of the position
  Mean,      // the mean onset of its played notes
  Melody,    // its melody note (model/MelodyNote.h)
  Highest,   // its note of the highest key
};
inline constexpr std::size_t kScoreOnsetCount = 4;

struct AnalysisSettings {
  // A note-on more than this many ms after its cluster's first note-on opens
  // a new cluster.
  double clusterWindowMs = 50.0;
  // d: event n is plotted against events n + d and n + 2d.
  std::int32_t delay = 1;
  TimesUnit timesUnit = TimesUnit::Seconds;
  EventVelocity eventVelocity = EventVelocity::First;
  // How a recording's onsets are found before they are grouped.
  OnsetDetectionSettings onsets;
  // Only for performances aligned to their score.
  ScoreOnset scoreOnset = ScoreOnset::Earliest;
  // The MusicXML score a performance (MIDI file, listing, take) is aligned
  // to as it is read; empty: read as it is. Never stored between runs.
  std::string scoreFile;

  bool operator==(const AnalysisSettings&) const = default;
};

inline constexpr double kMinClusterWindowMs = 0.0;
inline constexpr double kMaxClusterWindowMs = 1000.0;
inline constexpr std::int32_t kMinDelay = 1;
inline constexpr std::int32_t kMaxDelay = 50;

// False for NaN and everything outside the limits.
bool IsValidClusterWindow(double ms);
bool IsValidDelay(std::int64_t d);

// The event velocity's name on the command line and in the stored settings:
// "first", "loudest", "highest"; and back (nothing for any other text).
std::string_view EventVelocityName(EventVelocity choice);
std::optional<EventVelocity> EventVelocityFromName(std::string_view name);

// The score onset's name on the command line and in the stored settings:
// "earliest", "mean", "melody", "highest"; and back.
std::string_view ScoreOnsetName(ScoreOnset choice);
std::optional<ScoreOnset> ScoreOnsetFromName(std::string_view name);

// What the plot says beside its caption about settings that differ from the
// defaults: "d = 3, cluster 30 ms", "d = 2", "cluster 12.5 ms", "velocity of
// the loudest note", "melody onsets", or "" when all are the defaults.
std::string AnalysisSettingsNote(const AnalysisSettings& settings);

}  // namespace rp
