// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window layouts are given in twips (1440 to the inch); the screen has 15
// twips to the pixel.

namespace rp {

inline constexpr int kTwipsPerPixel = 15;

// Twips to whole pixels, to the nearest.
constexpr int Px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

}  // namespace rp
