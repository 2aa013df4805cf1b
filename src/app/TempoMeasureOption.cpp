// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TempoMeasureOption.h"

namespace rp {

bool IsTempoMeasureOption(std::string_view option) { return option == "--beat" || option == "--tempo-unit"; }

std::optional<std::string> ReadTempoMeasureOption(std::string_view option, std::string_view value,
                                                  TempoMeasure& measure) {
  if (option == "--beat") {
    measure.beat = ParseBeat(value);
    if (!measure.beat) {
      return "--beat takes quarter, eighth, dotted-quarter, half, bar or N/D (3/8), not \"" + std::string(value) + "\"";
    }
    return std::nullopt;
  }
  const std::optional<TempoUnit> unit = ParseTempoUnit(value);
  if (!unit) return "--tempo-unit takes ms or bpm, not \"" + std::string(value) + "\"";
  measure.unit = *unit;
  return std::nullopt;
}

}  // namespace rp
