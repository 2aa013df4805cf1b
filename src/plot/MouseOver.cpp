// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/MouseOver.h"

#include <string>

#include "plot/DescribeFrame.h"
#include "plot/HoverLabel.h"
#include "plot/ViewState.h"
#include "scene/ScenePick.h"

namespace rp {

namespace {

// The point `ref` names, nullptr when it is no longer there.
const DataEntry* PointOf(const ViewState& state, const PointRef& ref) {
  const PointCollection* points = &state.points;
  if (ref.group > 0) {
    if (ref.group > state.compared.size()) return nullptr;
    points = &state.compared[ref.group - 1].points;
  }
  return ref.position >= 1 && ref.position <= points->Count() ? &points->Item(ref.position) : nullptr;
}

}  // namespace

std::optional<PointRef> PointUnderMouse(const ViewState& state, float x, float y) {
  if (!state.rendererReady) return std::nullopt;
  const SceneDescription scene = DescribePickScene(state);
  const std::optional<std::size_t> hit = PickSphere(scene, x, y);
  if (!hit) return std::nullopt;
  return scene.spheres[*hit].point;
}

bool MouseOver(ViewState& state, float x, float y, std::string_view decimalSeparator) {
  if (!state.rendererReady) return false;
  const std::optional<PointRef> ref = PointUnderMouse(state, x, y);
  const DataEntry* point = ref ? PointOf(state, *ref) : nullptr;
  if (point == nullptr) {
    const bool changed = state.showHoverText;
    state.showHoverText = false;
    return changed;
  }
  const Rect rect = HoverLabelRect(x, y);
  std::string text = HoverLabelText(state, *point, decimalSeparator);
  const bool changed = !state.showHoverText || rect.left != state.hoverRect.left || rect.top != state.hoverRect.top ||
                       text != state.hoverText;
  state.hoverRect = rect;
  state.hoverText = std::move(text);
  state.showHoverText = true;
  return changed;
}

}  // namespace rp
