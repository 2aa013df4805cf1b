// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextWidth.h"

#include <array>
#include <cmath>

namespace rp {

namespace {

constexpr std::string_view kEllipsis = "\u2026";

// Advances in ems, rounded up from DejaVu Sans and DejaVu Sans Bold, the
// usual fonts' widest common face, by classes of ASCII characters.
struct CharacterClass {
  std::string_view members;
  double ems;
  double boldEms;
};
constexpr std::array<CharacterClass, 5> kClasses{{
    {"0123456789", 0.64, 0.70},
    {"mwMW@%", 1.0, 1.11},
    {"ijlftr .,:;'|!", 0.42, 0.50},
    {"ABCDEFGHIJKLNOPQRSTUVXYZ", 0.8, 0.86},
    {"=+<>~^#&", 0.84, 0.88},
}};
// Every other ASCII character: the other lower case letters, brackets, "$", "?" and the like.
constexpr double kOtherEms = 0.64;
constexpr double kOtherBoldEms = 0.72;
// Outside ASCII: general punctuation, arrows and mathematical signs (the
// dashes, the ellipsis, the minus) as wide as an em; every other character
// (letters of other scripts, the legend's swatch glyphs, which the legend
// gives this room) three quarters of one.
constexpr char32_t kPunctuationFrom = 0x2000;
constexpr char32_t kPunctuationTo = 0x2500;
constexpr double kPunctuationEms = 1.0;
constexpr double kOtherScriptEms = 0.75;
constexpr double kOtherScriptBoldEms = 0.8;

double CharacterEms(char32_t c, TextWeight weight) {
  const bool bold = weight == TextWeight::Bold;
  if (c >= kPunctuationFrom && c < kPunctuationTo) return kPunctuationEms;
  if (c >= 0x80U) return bold ? kOtherScriptBoldEms : kOtherScriptEms;
  for (const CharacterClass& group : kClasses)
    if (group.members.find(static_cast<char>(c)) != std::string_view::npos) return bold ? group.boldEms : group.ems;
  return bold ? kOtherBoldEms : kOtherEms;
}

bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U; }

// The character whose UTF-8 bytes begin at `at` (what there is of it).
char32_t CharacterAt(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80U) return lead;
  const std::size_t length = lead >= 0xF0U ? 4 : lead >= 0xE0U ? 3 : 2;
  char32_t c = lead & (0x7FU >> length);
  for (std::size_t k = 1; k < length && at + k < text.size() && !StartsCharacter(text[at + k]); ++k)
    c = (c << 6U) | (static_cast<unsigned char>(text[at + k]) & 0x3FU);
  return c;
}

double Ems(std::string_view text, TextWeight weight) {
  double ems = 0.0;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (StartsCharacter(text[i])) ems += CharacterEms(CharacterAt(text, i), weight);
  return ems;
}

double Pixels(double ems, double pixelSize) { return std::ceil(ems * pixelSize); }

}  // namespace

double EstimatedTextWidth(std::string_view text, double pixelSize, TextWeight weight) {
  return Pixels(Ems(text, weight), pixelSize);
}

std::string CutToWidth(std::string_view text, double width, double pixelSize, TextWeight weight) {
  if (EstimatedTextWidth(text, pixelSize, weight) <= width) return std::string(text);
  const double ellipsisEms = Ems(kEllipsis, weight);
  if (Pixels(ellipsisEms, pixelSize) > width) return {};
  // The longest run of whole characters from the start that fits beside the ellipsis.
  std::size_t kept = 0;
  double ems = 0.0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!StartsCharacter(text[i])) continue;
    kept = i;  // the characters before this one fit beside the ellipsis
    ems += CharacterEms(CharacterAt(text, i), weight);
    if (Pixels(ems + ellipsisEms, pixelSize) > width) break;
  }
  return std::string(text.substr(0, kept)).append(kEllipsis);
}

}  // namespace rp
