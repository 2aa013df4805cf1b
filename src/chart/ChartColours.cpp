// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartColours.h"

#include <array>
#include <cstdio>

namespace rp {

namespace {

constexpr ChartRgb kBlue{0x00, 0x72, 0xB2};
constexpr ChartRgb kVermillion{0xD5, 0x5E, 0x00};
constexpr ChartRgb kBluishGreen{0x00, 0x9E, 0x73};
constexpr ChartRgb kOrange{0xE6, 0x9F, 0x00};
constexpr ChartRgb kReddishPurple{0xCC, 0x79, 0xA7};
constexpr ChartRgb kSkyBlue{0x56, 0xB4, 0xE9};
constexpr ChartRgb kYellow{0xF0, 0xE4, 0x42};

constexpr std::array<ChartRgb, 6> kLightPalette = {kBlue, kVermillion, kBluishGreen, kReddishPurple, kOrange, kSkyBlue};
constexpr std::array<ChartRgb, 6> kDarkPalette = {kSkyBlue,       kOrange, kBluishGreen,
                                                  kReddishPurple, kYellow, kVermillion};

}  // namespace

std::string HexColour(ChartRgb colour) {
  std::array<char, 8> text{};
  std::snprintf(text.data(), text.size(), "#%02x%02x%02x", colour.r, colour.g, colour.b);
  return text.data();
}

ChartColours ColoursOf(ChartTheme theme) {
  if (theme == ChartTheme::Light)
    return {{0xFF, 0xFF, 0xFF}, {0x1A, 0x1A, 0x1A}, {0xE0, 0xE0, 0xE0},
            {0x40, 0x40, 0x40}, {0x80, 0x80, 0x80}, {0x00, 0x00, 0x00}};
  // The plot window's background.
  return {{0x30, 0x30, 0x30}, {0xD8, 0xD8, 0xD8}, {0x48, 0x48, 0x48},
          {0xC0, 0xC0, 0xC0}, {0x90, 0x90, 0x90}, {0xFF, 0xFF, 0xFF}};
}

ChartRgb PerformanceColour(ChartTheme theme, std::size_t index) {
  return theme == ChartTheme::Light ? kLightPalette[index % kLightPalette.size()]
                                    : kDarkPalette[index % kDarkPalette.size()];
}

}  // namespace rp
