// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The columns of `--export-features`, one row per onset event: the CSV's
// header (after its `file` column) and the names the Python module gives its
// arrays. `bar` and `beat` split the score position's "bar:beat" (empty
// without a score); `melody_voice` is 1 when the melody note is of the
// marked melody voice, 0 when it is only the highest key.

#include <array>
#include <string_view>

namespace rp {

inline constexpr std::array<std::string_view, 18> kFeatureColumns{"event",
                                                                  "bar",
                                                                  "beat",
                                                                  "score_onset_beats",
                                                                  "notes",
                                                                  "melody_key",
                                                                  "melody_voice",
                                                                  "melody_onset_ms",
                                                                  "melody_velocity",
                                                                  "melody_lead_ms",
                                                                  "spread_ms",
                                                                  "velocity_difference",
                                                                  "overlap_ms",
                                                                  "overlap_ratio",
                                                                  "low_overlap_ms",
                                                                  "low_overlap_ratio",
                                                                  "sustain_fraction",
                                                                  "soft_fraction"};

}  // namespace rp
