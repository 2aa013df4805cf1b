// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/AnchoredTexts.h"

#include <algorithm>
#include <cmath>

#include "scene/ScenePick.h"

namespace rp {

float FontPixels(const FontDesc& font) { return std::max(1.0f, std::round(font.pointSize * 96.0f / 72.0f)); }

std::vector<TextItem> PlacedAnchoredTexts(const SceneDescription& scene) {
  std::vector<TextItem> items;
  const float halfLine = std::round(FontPixels(scene.labelFont) * 0.6f);
  for (const AnchoredText& text : scene.anchoredTexts) {
    const glm::vec3 at = WindowPosition(scene, text.anchor);
    if (!(at.z >= 0.0f && at.z <= 1.0f) || !std::isfinite(at.x) || !std::isfinite(at.y)) continue;
    TextItem item;
    item.lines.push_back({text.text, text.colour});
    item.x = static_cast<std::int32_t>(std::lround(at.x));
    item.y = static_cast<std::int32_t>(std::lround(at.y - halfLine));
    item.align = text.align;
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace rp
