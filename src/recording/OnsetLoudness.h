// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The loudness of an onset: the highest RMS level over whole 10 ms windows
// from the onset up to 50 ms later or to the next onset, whichever comes
// first, in dB relative to full scale (a full-scale square wave, RMS 1, is
// 0 dB). When the next onset (or the end of the file) comes within 10 ms,
// the one window up to it.

#include <cstdint>

namespace rp {

class SampleHistory;

inline constexpr double kLoudnessWindowMs = 10.0;
inline constexpr double kLoudnessSpanMs = 50.0;
// What digital silence reads as.
inline constexpr double kSilenceFloorDb = -120.0;

// `end` is the next onset or the end of the file (exclusive), in samples.
double OnsetLoudnessDb(const SampleHistory& history, std::int64_t onset, std::int64_t end, int sampleRate);

}  // namespace rp
