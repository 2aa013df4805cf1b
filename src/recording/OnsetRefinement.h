// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Placing an onset where its sound begins. The detector finds an onset to
// within a frame or two (6 to 12 ms), and how late depends on the attack of
// the sound; near that estimate the attack shows as the steepest rise of the
// signal's high-frequency energy (a hammer, a pluck, a tap begins with a
// broadband click), measured in 1 ms steps. The onset moves there, to the
// first sample of that step or the one before whose change reaches a quarter
// of the largest change of the rise.

#include <cstdint>

namespace rp {

class SampleHistory;

// How far before and after the detector's estimate the attack is looked for.
inline constexpr double kRefineBeforeMs = 30.0;
inline constexpr double kRefineAfterMs = 15.0;

// The sample where the attack nearest `estimate` begins; `estimate` itself
// when no step stands out. Needs the history up to kRefineAfterMs past it.
std::int64_t RefineOnset(const SampleHistory& history, std::int64_t estimate, int sampleRate);

}  // namespace rp
