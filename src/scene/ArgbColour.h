// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colour values and packed colours. A packed colour is a signed 32-bit
// 0xAARRGGBB (opaque colours are negative numbers); a colour value holds the
// four channels as floats, nominally 0..1.

#include <cstdint>

#include "scene/GraphicsTypes.h"

namespace rp {

// Each byte divided by 255; the alpha byte includes the sign bit.
ColourF ColourFromArgb(std::int32_t argb);

// Each channel times 255, rounded to the nearest integer with halves to even
// (0.5 gives 128, the float nearest 0.3 gives 77). A channel outside 0..1
// gives a "byte" outside 0..255 whose extra bits are ORed into the
// neighbouring bytes (a negative channel sets every bit above its own byte);
// bits that would land beyond the top of the 32 bits are dropped.
std::int32_t ColourToArgb(const ColourF& value);

}  // namespace rp
