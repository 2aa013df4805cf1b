// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the "Replay speed" slider (-1000 to 9000, 0 at start) sets the tempo of
// a replay. The factor multiplies the recorded tempo: 2 plays twice as fast.
//   0 .. 9000     factor 1 + speed / 1000, so the slider's ticks mark 1x .. 10x
//   -1000 .. 0    factor 4^(speed / 1000): -500 is half tempo, -1000 a quarter
// The factor rises steadily with the slider and never reaches zero; values
// beyond the slider's range count as its ends.

#include <optional>
#include <string>
#include <string_view>

namespace rp {

inline constexpr int kReplaySpeedMin = -1000;
inline constexpr int kReplaySpeedMax = 9000;
// The factors at the slider's ends.
inline constexpr double kMinTempoFactor = 0.25;
inline constexpr double kMaxTempoFactor = 10.0;

double TempoFactor(int replaySpeed);

// The text beside the slider, e.g. "1.00x", "0.25x", "10.00x".
std::string TempoLabel(int replaySpeed);
// The same text for a factor.
std::string TempoFactorLabel(double factor);

// A factor as users write it on the command line: "2" or "2x" is twice as
// fast, "0.5" half as fast; nothing outside the slider's range
// (kMinTempoFactor to kMaxTempoFactor) or for any other text.
std::optional<double> ParseTempoFactor(std::string_view text);

}  // namespace rp
