// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FactorText.h"

#include "model/NumberReading.h"

namespace rp {

std::optional<double> ParseFactorText(std::string_view text, double min, double max) {
  if (!text.empty() && (text.back() == 'x' || text.back() == 'X')) text.remove_suffix(1);
  const std::optional<double> factor = StrictNumber<double>(text);
  if (!factor || !(*factor >= min && *factor <= max)) return std::nullopt;
  return factor;
}

}  // namespace rp
