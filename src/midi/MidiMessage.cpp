// SPDX-License-Identifier: GPL-3.0-or-later
#include "midi/MidiMessage.h"

namespace rp {

std::size_t MessageLength(int status) {
  const int kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
}

}  // namespace rp
