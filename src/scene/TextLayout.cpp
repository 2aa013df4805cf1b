// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/TextLayout.h"

#include <algorithm>
#include <cmath>

#include "base/TextWidth.h"
#include "scene/AnchoredTexts.h"

namespace rp {

namespace {

// From this weight on a face is drawn bold (as the SVG drawing writes it).
constexpr std::int32_t kBoldWeight = 700;

TextWeight WeightOf(const FontDesc& font) { return font.weight >= kBoldWeight ? TextWeight::Bold : TextWeight::Normal; }

}  // namespace

float FontAscent(const FontDesc& font) {
  return font.ascentPixels > 0.0f ? font.ascentPixels : std::round(FontPixels(font) * 0.93f);
}

float FontLineHeight(const FontDesc& font) {
  return font.lineHeightPixels > 0.0f ? font.lineHeightPixels : std::round(FontPixels(font) * 1.17f);
}

float TextWidth(std::string_view text, const FontDesc& font) {
  return static_cast<float>(EstimatedTextWidth(text, FontPixels(font), WeightOf(font)));
}

std::string Elided(const std::string& text, const FontDesc& font, float width) {
  return CutToWidth(text, width, FontPixels(font), WeightOf(font));
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
