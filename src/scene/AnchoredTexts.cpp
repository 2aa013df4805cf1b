// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/AnchoredTexts.h"

#include <algorithm>
#include <cmath>

#include "scene/ScenePick.h"
#include "scene/TextLayout.h"

namespace rp {

namespace {

// Pixels every text keeps from the picture's edges.
constexpr float kEdgeMargin = 2.0f;

// Moves `item` (whose box is `box`) by whole pixels until the box lies
// inside the viewport; false when it cannot fit at all.
bool KeepInside(TextItem& item, TextBox& box, const Viewport& viewport) {
  const float left = static_cast<float>(viewport.x) + kEdgeMargin;
  const float top = static_cast<float>(viewport.y) + kEdgeMargin;
  const float right = static_cast<float>(viewport.x + viewport.width) - kEdgeMargin;
  const float bottom = static_cast<float>(viewport.y + viewport.height) - kEdgeMargin;
  if (box.right - box.left > right - left || box.bottom - box.top > bottom - top) return false;
  const float dx = box.left < left ? std::ceil(left - box.left) : box.right > right ? std::floor(right - box.right) : 0;
  const float dy = box.top < top ? std::ceil(top - box.top) : box.bottom > bottom ? std::floor(bottom - box.bottom) : 0;
  item.x += static_cast<std::int32_t>(dx);
  item.y += static_cast<std::int32_t>(dy);
  box = {box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
  return true;
}

}  // namespace

float FontPixels(const FontDesc& font) { return std::max(1.0f, std::round(font.pointSize * 96.0f / 72.0f)); }

std::vector<TextItem> PlacedAnchoredTexts(const SceneDescription& scene) {
  std::vector<TextItem> items;
  const Viewport& viewport = scene.camera.viewport;
  const float halfLine = std::round(FontPixels(scene.labelFont) * 0.6f);
  std::vector<TextBox> taken;
  for (const TextItem& fixed : scene.texts)
    if (!fixed.overlay)
      for (const TextBox& box : LineBoxes(fixed, ItemFont(scene, fixed))) taken.push_back(box);
  for (const AnchoredText& text : scene.anchoredTexts) {
    const glm::vec3 at = WindowPosition(scene, text.anchor);
    if (!(at.z >= 0.0f && at.z <= 1.0f) || !std::isfinite(at.x) || !std::isfinite(at.y)) continue;
    // A label whose place is outside the picture is not pulled into it.
    if (at.x < static_cast<float>(viewport.x) || at.y < static_cast<float>(viewport.y) ||
        at.x > static_cast<float>(viewport.x + viewport.width) ||
        at.y > static_cast<float>(viewport.y + viewport.height))
      continue;
    TextItem item;
    item.lines.push_back({text.text, text.colour});
    item.x = static_cast<std::int32_t>(std::lround(at.x));
    item.y = static_cast<std::int32_t>(std::lround(at.y - halfLine));
    item.align = text.align;
    TextBox box = ItemBox(item, scene.labelFont);
    // Kept whole inside the picture, and left out where it would cover a
    // text already placed (the axes' labels are thinned where they crowd).
    if (!KeepInside(item, box, viewport)) continue;
    if (std::any_of(taken.begin(), taken.end(), [&box](const TextBox& other) { return box.Overlaps(other); })) continue;
    taken.push_back(box);
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace rp
