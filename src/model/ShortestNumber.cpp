// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ShortestNumber.h"

#include <charconv>

namespace rp {

std::string ShortestNumber(double value) {
  char text[64];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  (void)ec;  // 64 characters always hold a double
  return {text, end};
}

}  // namespace rp
