// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/TextLike.h"

#include <algorithm>

namespace rp {

bool LooksLikeText(std::span<const std::uint8_t> head) {
  return std::none_of(head.begin(), head.end(), [](std::uint8_t c) {
    return c < 0x20 && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r' && c != 0x1A && c != 0x1B;
  });
}

bool StartsAsUtf16Text(std::span<const std::uint8_t> head) {
  return head.size() >= 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF));
}

}  // namespace rp
