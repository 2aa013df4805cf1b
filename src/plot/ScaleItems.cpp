// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/ScaleItems.h"

#include <cmath>
#include <cstdio>

#include "plot/AxisTicks.h"
#include "plot/PlotScaling.h"
#include "plot/TimeColours.h"
#include "plot/ViewState.h"
#include "scene/ArgbColour.h"

namespace rp {

namespace {

constexpr Argb32 kAxisColour = 0xFFA0A0A0;
constexpr Argb32 kLabelColour = 0xFFE0E0E0;
constexpr Argb32 kIdentityColour = 0xFFD8D8D8;
constexpr Argb32 kClipMarkColour = 0xFFFFFFFF;
constexpr float kTickLength = 0.25f;
constexpr float kLabelGap = 0.45f;
constexpr float kClipMarkReach = 1.8f;  // times the sphere's radius
constexpr std::int32_t kBarSteps = 32;
constexpr std::int32_t kBarWidth = 12;
constexpr std::int32_t kBarHeight = 128;
constexpr std::int32_t kBarRight = 20;  // pixels from the window's right edge
constexpr std::int32_t kBarTop = 60;

void Line(SceneDescription& scene, const glm::vec3& from, const glm::vec3& to, Argb32 colour) {
  scene.lines.push_back({from, to, ColourFromArgb(static_cast<std::int32_t>(colour))});
}

void Label(SceneDescription& scene, const glm::vec3& at, const std::string& text, TextAlign align) {
  scene.anchoredTexts.push_back({at, text, kLabelColour, align});
}

// An axis along the edge from `start` (fraction 0) by `along` (to fraction
// 1), its ticks pointing `out`.
void Axis(SceneDescription& scene, const std::vector<AxisTick>& ticks, const glm::vec3& start, const glm::vec3& along,
          const glm::vec3& out, TextAlign align) {
  Line(scene, start, start + along, kAxisColour);
  for (const AxisTick& tick : ticks) {
    const glm::vec3 at = start + along * static_cast<float>(tick.fraction);
    Line(scene, at, at + out * kTickLength, kAxisColour);
    Label(scene, at + out * kLabelGap, tick.label, align);
  }
}

void ClipMarks(SceneDescription& scene) {
  const std::size_t count = scene.spheres.size();
  for (std::size_t i = 0; i < count; ++i) {
    const SphereInstance& s = scene.spheres[i];
    if (!s.clipped || !(s.radius > 0.0f)) continue;
    const float reach = s.radius * kClipMarkReach;
    for (const glm::vec3 axis : {glm::vec3{1, 0, 0}, glm::vec3{0, 1, 0}, glm::vec3{0, 0, 1}})
      Line(scene, s.centre - axis * reach, s.centre + axis * reach, kClipMarkColour);
  }
}

void ColourBar(const ViewState& state, SceneDescription& scene) {
  const auto right = static_cast<std::int32_t>(state.viewport.width) - kBarRight;
  const std::int32_t left = right - kBarWidth;
  for (std::int32_t k = 0; k < kBarSteps; ++k) {
    // Late at the top.
    const std::int32_t top = kBarTop + kBarHeight * k / kBarSteps;
    const std::int32_t bottom = kBarTop + kBarHeight * (k + 1) / kBarSteps;
    const double fraction = 1.0 - (k + 0.5) / kBarSteps;
    scene.rects.push_back({left, top, kBarWidth, bottom - top,
                           static_cast<Argb32>(static_cast<std::uint32_t>(TimeRampColour(fraction)))});
  }
  for (const auto& [ms, y] : {std::pair{state.colourBarToMs, kBarTop}, {state.colourBarFromMs, kBarTop + kBarHeight}}) {
    TextItem item;
    item.lines.push_back({MinutesSeconds(ms), kLabelColour});
    item.x = left - 4;
    item.y = y - 8;
    item.align = TextAlign::Right;
    scene.texts.push_back(std::move(item));
  }
}

}  // namespace

std::string MinutesSeconds(double ms) {
  const auto seconds = static_cast<long long>(std::floor(std::max(ms, 0.0) / 1000.0));
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
  return text;
}

void AppendScaleItems(const ViewState& state, SceneDescription& scene) {
  ClipMarks(scene);
  if (state.showColourBar) ColourBar(state, scene);
  if (!state.scale.active) return;
  const float e = kAxisExtent;
  if (state.display.identityLine) Line(scene, {-e, 0, -e}, {e, 2 * e, e}, kIdentityColour);
  const std::vector<AxisTick> ticks = AxisTicks(state.scale, state.valueUnit);
  // The x axis's highest label ends where the depth axis's lowest begins:
  // it goes without the unit, which the other two axes carry.
  const std::vector<AxisTick> xTicks = AxisTicks(state.scale, "");
  Axis(scene, xTicks, {-e, 0, -e}, {2 * e, 0, 0}, {0, 0, -1}, TextAlign::Left);  // x
  Axis(scene, ticks, {e, 0, -e}, {0, 0, 2 * e}, {1, 0, 0}, TextAlign::Left);     // depth
  Axis(scene, ticks, {-e, 0, -e}, {0, 2 * e, 0}, {-1, 0, 0}, TextAlign::Right);  // vertical
}

}  // namespace rp
