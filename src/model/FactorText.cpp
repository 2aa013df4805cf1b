// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FactorText.h"

#include <charconv>

namespace rp {

std::optional<double> ParseFactorText(std::string_view text, double min, double max) {
  if (!text.empty() && (text.back() == 'x' || text.back() == 'X')) text.remove_suffix(1);
  double factor = 0;
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, factor);
  if (text.empty() || ec != std::errc() || stop != end || !(factor >= min && factor <= max)) return std::nullopt;
  return factor;
}

}  // namespace rp
