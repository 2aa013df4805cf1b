// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// --beat and --tempo-unit, read alike by every command that shows tempo
// (--snapshot, --chart, --export-tempo).

#include <optional>
#include <string>
#include <string_view>

#include "model/ValueKind.h"

namespace rp {

bool IsTempoMeasureOption(std::string_view option);

// Sets what `option` (one of the two) chooses in `measure` from `value`; the
// message for the user when `value` is not understood.
std::optional<std::string> ReadTempoMeasureOption(std::string_view option, std::string_view value,
                                                  TempoMeasure& measure);

}  // namespace rp
