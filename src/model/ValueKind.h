// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the three axes show of each event: its inter-onset intervals
// (Timing, ms), its key velocities (Velocity) or, for a performance aligned
// to its score, its intervals per beat of the score (Tempo, ms per beat),
// how far its melody note comes before the other notes of its chord
// (MelodyLead, ms) or how far the notes of its chord are spread (Spread, ms).

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/Beat.h"
#include "model/Performance.h"

namespace rp {

enum class ValueKind { Timing, Velocity, Tempo, MelodyLead, Spread };

// Why `performance` cannot be shown in `kind`, for the user (a disabled
// choice's tooltip, the command line); empty when it can.
std::string_view ValueKindUnavailable(const Performance& performance, ValueKind kind);

// How Tempo values are counted: per the beat chosen (unset: the beat of the
// score's time signature, model/Beat.h: a quarter in 3/4, a dotted quarter in
// 6/8) in ms per beat or in beats per minute.
struct TempoMeasure {
  std::optional<Beat> beat;
  TempoUnit unit = TempoUnit::MsPerBeat;
  bool operator==(const TempoMeasure&) const = default;
};

// The beat `measure` counts a performance's tempo in; nothing when the file
// names no time signature, so its tempo stays per the beat it counts in.
std::optional<Beat> TempoBeatOf(const Performance& performance, const TempoMeasure& measure);

// The unit of the values on the axes: "ms", "dB" for a recording's
// loudness, none for MIDI velocities; for Tempo the beat and unit of
// `measure` ("ms per quarter", "BPM (dotted quarter)"), "ms per beat" or
// "BPM" where the file names no time signature.
std::string ValueKindUnit(ValueKind kind, const Performance& performance, const TempoMeasure& measure = {});
// The caption's name of Tempo values: "beat period (ms per quarter)",
// "tempo in BPM (quarter)".
std::string TempoQuantity(const Performance& performance, const TempoMeasure& measure = {});

// The values of event k (an index from 0) of the event itself, of k + d and of k + 2d
// in `kind` (Tempo counted as `measure` says); nothing when the performance
// cannot show `kind` or a value of the event is not given or undefined (its
// later event does not exist).
std::optional<std::array<double, 3>> EventValues(const Performance& performance, std::int32_t k, ValueKind kind,
                                                 const TempoMeasure& measure = {});

}  // namespace rp
