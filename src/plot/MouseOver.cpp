// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/MouseOver.h"

#include <string>
#include <vector>

#include "model/ComparedPerformances.h"
#include "model/ValueKind.h"
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
  return ref.position < points->Count() ? &points->Item(ref.position) : nullptr;
}

// The label of the point: what its event is, where it stands for one of a
// shown performance; a scatter file's point by its name and values.
std::vector<std::string> LabelOf(const ViewState& state, const PointRef& ref, const DataEntry& point,
                                 std::string_view decimalSeparator) {
  const Performance* performance = nullptr;
  std::optional<std::int32_t> event;
  if (ref.group == 0) {
    performance = state.mainPerformance;
    if (ref.position < state.pointEvents.size()) event = state.pointEvents[ref.position];
  } else if (state.comparedPerformances != nullptr && ref.group <= state.comparedPerformances->size()) {
    performance = &(*state.comparedPerformances)[ref.group - 1];
    const PointGroup& group = state.compared[ref.group - 1];
    if (ref.position < group.pointEvents.size()) event = group.pointEvents[ref.position].ownEvent;
  }
  if (performance == nullptr || !event) return HoverLabelText(state, point, decimalSeparator);
  const ValueKind kind = state.valueKind;
  return PerformancePointText(state, point, *performance, *event, kind, decimalSeparator, state.display.tempo);
}

}  // namespace

bool MouseLeft(ViewState& state) {
  const bool changed = state.showHoverText;
  state.showHoverText = false;
  return changed;
}

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
  if (point == nullptr) return MouseLeft(state);
  const Rect rect = HoverLabelRect(x, y);
  std::vector<std::string> text = LabelOf(state, *ref, *point, decimalSeparator);
  const bool changed = !state.showHoverText || rect.left != state.hoverRect.left || rect.top != state.hoverRect.top ||
                       text != state.hoverText;
  state.hoverRect = rect;
  state.hoverText = std::move(text);
  state.showHoverText = true;
  return changed;
}

}  // namespace rp
