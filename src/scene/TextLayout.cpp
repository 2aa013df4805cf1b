// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/TextLayout.h"

#include <algorithm>
#include <cmath>

#include "scene/AnchoredTexts.h"

namespace rp {

namespace {

// Advance of one character in ems: round up from DejaVu Sans, the usual
// fonts' widest common face (digits 0.64, most lower case letters 0.61 to
// 0.64); every other script's character counts as a wide one.
float CharacterEms(char32_t c) {
  if (c >= '0' && c <= '9') return 0.64f;
  if (c == 'm' || c == 'w' || c == 'M' || c == 'W' || c == '@' || c == '%') return 1.0f;
  if (c == 'i' || c == 'j' || c == 'l' || c == 'f' || c == 't' || c == 'r' || c == ' ' || c == '.' || c == ',' ||
      c == ':' || c == ';' || c == '\'' || c == '|' || c == '!')
    return 0.42f;
  if (c >= 'a' && c <= 'z') return 0.64f;
  if (c >= 'A' && c <= 'Z') return 0.8f;
  if (c == '=' || c == '+' || c == '<' || c == '>' || c == '~') return 0.84f;
  if (c < 0x80) return 0.52f;
  // The legend's swatch glyphs and dashes are given this much room.
  return 0.75f;
}

}  // namespace

float FontAscent(const FontDesc& font) {
  return font.ascentPixels > 0.0f ? font.ascentPixels : std::round(FontPixels(font) * 0.93f);
}

float FontLineHeight(const FontDesc& font) {
  return font.lineHeightPixels > 0.0f ? font.lineHeightPixels : std::round(FontPixels(font) * 1.17f);
}

float TextWidth(std::string_view text, const FontDesc& font) {
  float ems = 0.0f;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0u) == 0x80u) continue;  // a continuation byte of the character before
    ems += CharacterEms(byte < 0x80u ? byte : 0x100u);
  }
  return std::ceil(ems * FontPixels(font));
}

std::string Elided(const std::string& text, const FontDesc& font, float width) {
  if (TextWidth(text, font) <= width) return text;
  static constexpr std::string_view kEllipsis = "\u2026";
  std::string cut = text;
  while (!cut.empty()) {
    // Back by one whole character.
    std::size_t end = cut.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(cut[end]) & 0xC0u) == 0x80u) --end;
    cut.resize(end);
    if (TextWidth(cut + std::string(kEllipsis), font) <= width) return cut + std::string(kEllipsis);
  }
  return TextWidth(kEllipsis, font) <= width ? std::string(kEllipsis) : std::string();
}

std::vector<TextBox> LineBoxes(const TextItem& item, const FontDesc& font) {
  std::vector<TextBox> boxes;
  const float height = FontLineHeight(font);
  for (std::size_t i = 0; i < item.lines.size(); ++i) {
    const std::string& text = item.lines[i].text;
    if (text.empty()) continue;
    const float width = TextWidth(text, font);
    const float left = item.align == TextAlign::Right ? static_cast<float>(item.x) - width : static_cast<float>(item.x);
    const float top = static_cast<float>(item.y) + static_cast<float>(i) * height;
    boxes.push_back({left, top, left + width, top + height});
  }
  return boxes;
}

TextBox ItemBox(const TextItem& item, const FontDesc& font) {
  const std::vector<TextBox> lines = LineBoxes(item, font);
  TextBox box{static_cast<float>(item.x), static_cast<float>(item.y), static_cast<float>(item.x),
              static_cast<float>(item.y)};
  if (lines.empty()) return box;
  box = lines.front();
  for (const TextBox& line : lines) {
    box.left = std::min(box.left, line.left);
    box.top = std::min(box.top, line.top);
    box.right = std::max(box.right, line.right);
    box.bottom = std::max(box.bottom, line.bottom);
  }
  return box;
}

const FontDesc& ItemFont(const SceneDescription& scene, const TextItem& item) {
  return item.font == FontRole::Title ? scene.titleFont : scene.labelFont;
}

}  // namespace rp
