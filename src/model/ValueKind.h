// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the three axes show of each event: its inter-onset intervals
// (Timing, ms), its key velocities (Velocity) or, for a performance aligned
// to its score, its intervals per beat of the score (Tempo, ms per beat).

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/Performance.h"

namespace rp {

enum class ValueKind { Timing, Velocity, Tempo };

// Why `performance` cannot be shown in `kind`, for the user (a disabled
// choice's tooltip, the command line); empty when it can.
std::string_view ValueKindUnavailable(const Performance& performance, ValueKind kind);

// The unit of the values on the axes: "ms", "dB" for a recording's
// loudness, none for MIDI velocities; for Tempo the beat of the score's time
// signature, whose beats a match file counts ("ms per quarter note" in 2/4,
// "ms per eighth note" in 6/8), "ms per beat" where the file names none.
std::string_view ValueKindUnit(ValueKind kind, const Performance& performance);
// The caption's name of Tempo values: "beat period (ms per quarter note)".
std::string_view TempoQuantity(const Performance& performance);

// The values of event k (from 1) of the event itself, of k + d and of k + 2d
// in `kind`; nothing when the performance cannot show `kind` or a value of
// the event is not given or undefined (its later event does not exist).
std::optional<std::array<double, 3>> EventValues(const Performance& performance, std::int32_t k, ValueKind kind);

}  // namespace rp
