// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "scene/ArgbColour.h"

namespace rp {
namespace {

std::uint32_t Packed(float a, float r, float g, float b) {
  return static_cast<std::uint32_t>(ColourToArgb(ColourF{r, g, b, a}));
}

TEST(ArgbColour, FromPackedColour) {
  const ColourF grey = ColourFromArgb(0x33C0C0C0);
  EXPECT_FLOAT_EQ(grey.r, 0.752941f);
  EXPECT_EQ(grey.r, grey.g);
  EXPECT_EQ(grey.g, grey.b);
  EXPECT_FLOAT_EQ(grey.a, 0.2f);
  // A negative packed value: the sign bit is part of alpha.
  const ColourF dark = ColourFromArgb(static_cast<std::int32_t>(0xFF303030u));
  EXPECT_EQ(dark.a, 1.0f);
  EXPECT_EQ(dark.r, static_cast<float>(48.0 / 255.0));
  EXPECT_EQ(dark.b, dark.r);
  // Every byte survives the way there and back.
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    const std::uint32_t argb = (byte << 24) | ((255 - byte) << 16) | (byte << 8) | (byte ^ 0x5A);
    ASSERT_EQ(static_cast<std::uint32_t>(ColourToArgb(ColourFromArgb(static_cast<std::int32_t>(argb)))), argb);
  }
}

TEST(ArgbColour, ToPackedColourRoundsHalvesToEvenAndSpills) {
  EXPECT_EQ(Packed(1, 1, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(Packed(0.5f, 0, 0, 0), 0x80000000u);   // 127.5 goes to the even 128
  EXPECT_EQ(Packed(0, 0, 0.3f, 0), 0x00004D00u);   // 76.500003 is above the half: 77
  EXPECT_EQ(Packed(0, 0, 0, 1.5f), 0x0000017Eu);   // 382.5 to the even 382, spilling a bit
  EXPECT_EQ(Packed(0, 0, 0, -0.5f), 0xFFFFFF80u);  // -127.5 to the even -128
  EXPECT_EQ(Packed(1, 0, 0, 1), 0xFF0000FFu);
  // A channel above 1 spills into the byte above; a negative one sets every bit above.
  EXPECT_EQ(Packed(0, 0, 0, 256.0f / 255.0f), 0x00000100u);
  EXPECT_EQ(Packed(0, 0, 257.0f / 255.0f, 0), 0x00010100u);
  EXPECT_EQ(Packed(0, 0, 0, -1.0f / 255.0f), 0xFFFFFFFFu);
  EXPECT_EQ(Packed(0, -1.0f / 255.0f, 0, 0x12 / 255.0f), 0xFFFF0012u);
  // Alpha beyond 1 loses the bits above 32 instead of failing; NaN counts as 0.
  EXPECT_EQ(Packed(257.0f / 255.0f, 0, 0, 0), 0x01000000u);
  EXPECT_EQ(Packed(1e30f, std::nanf(""), 0, 0), 0x00000000u);
}

}  // namespace
}  // namespace rp
