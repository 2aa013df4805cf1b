// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextWidth.h"

#include <cmath>

namespace rp {

namespace {

constexpr std::string_view kEllipsis = "\u2026";
// A bold face is about this much wider (DejaVu Sans Bold against Book).
constexpr double kBoldWidening = 1.1;

// Advance of one character in ems: rounded up from DejaVu Sans, the usual
// fonts' widest common face (digits 0.64, most lower case letters 0.61 to
// 0.64); a character outside ASCII counts as a wide one.
double CharacterEms(unsigned char firstByte) {
  const char c = static_cast<char>(firstByte);
  if (firstByte >= 0x80U) return 0.75;  // also the legend's swatch glyphs, dashes and the ellipsis
  if (c >= '0' && c <= '9') return 0.64;
  if (c == 'm' || c == 'w' || c == 'M' || c == 'W' || c == '@' || c == '%') return 1.0;
  if (c == 'i' || c == 'j' || c == 'l' || c == 'f' || c == 't' || c == 'r' || c == ' ' || c == '.' || c == ',' ||
      c == ':' || c == ';' || c == '\'' || c == '|' || c == '!')
    return 0.42;
  if (c >= 'a' && c <= 'z') return 0.64;
  if (c >= 'A' && c <= 'Z') return 0.8;
  if (c == '=' || c == '+' || c == '<' || c == '>' || c == '~') return 0.84;
  return 0.52;
}

bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U; }

double Ems(std::string_view text) {
  double ems = 0.0;
  for (const char byte : text)
    if (StartsCharacter(byte)) ems += CharacterEms(static_cast<unsigned char>(byte));
  return ems;
}

double Pixels(double ems, double pixelSize, TextWeight weight) {
  return std::ceil(ems * pixelSize * (weight == TextWeight::Bold ? kBoldWidening : 1.0));
}

}  // namespace

double EstimatedTextWidth(std::string_view text, double pixelSize, TextWeight weight) {
  return Pixels(Ems(text), pixelSize, weight);
}

std::string CutToWidth(std::string_view text, double width, double pixelSize, TextWeight weight) {
  if (EstimatedTextWidth(text, pixelSize, weight) <= width) return std::string(text);
  const double ellipsisEms = Ems(kEllipsis);
  if (Pixels(ellipsisEms, pixelSize, weight) > width) return {};
  // The longest run of whole characters from the start that fits beside the ellipsis.
  std::size_t kept = 0;
  double ems = 0.0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!StartsCharacter(text[i])) continue;
    kept = i;  // the characters before this one fit beside the ellipsis
    ems += CharacterEms(static_cast<unsigned char>(text[i]));
    if (Pixels(ems + ellipsisEms, pixelSize, weight) > width) break;
  }
  return std::string(text.substr(0, kept)).append(kEllipsis);
}

}  // namespace rp
