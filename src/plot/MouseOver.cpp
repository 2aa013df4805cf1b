// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/MouseOver.h"

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>

#include "io/LegacyText.h"
#include "plot/BuildGraph.h"
#include "plot/HoverLabel.h"
#include "plot/ViewState.h"
#include "scene/GraphicsDevice.h"
#include "scene/RayPicker.h"
#include "scene/SceneNode.h"

namespace rp {

namespace {

void SetEnabled(const std::shared_ptr<SceneNode>& node, bool enabled) {
  if (node) node->enabled = enabled;
}

// The 1-based position in Points that a point node's name carries, or 0
// when it names none.
std::size_t PointPosition(const std::string& objectName, std::size_t count) {
  const auto n = ReadLeadingNumber(objectName);
  if (!n || !(*n >= 1.0) || *n > static_cast<double>(count) || std::floor(*n) != *n) return 0;
  return static_cast<std::size_t>(*n);
}

// The point a hit node stands for, main or compared; nullptr when it names
// none that is still there.
const DataEntry* HitPoint(const ViewState& state, const std::string& objectName) {
  if (const auto compared = ReadComparedPointNodeName(objectName)) {
    if (compared->group > state.compared.size()) return nullptr;
    const PointCollection& points = state.compared[compared->group - 1].points;
    return compared->position <= points.Count() ? &points.Item(compared->position) : nullptr;
  }
  const std::size_t position = PointPosition(objectName, state.points.Count());
  return position == 0 ? nullptr : &state.points.Item(position);
}

// The name of the nearest sphere at window pixel (x, y), main or compared;
// nothing for no hit. The glass plate is left out of the pick.
std::optional<std::string> PickedName(ViewState& state, GraphicsDevice& dev, float x, float y) {
  if (!state.deviceReady || !state.rootNode) return std::nullopt;

  SetEnabled(state.glassNode, false);
  SetEnabled(state.upperPoints, true);
  SetEnabled(state.lowerPoints, true);
  SetEnabled(state.comparedUpper, true);
  SetEnabled(state.comparedLower, true);

  RayPicker pick;
  pick.PickAt(dev, state.rootNode, x, y);
  const std::int32_t nearest = pick.FindNearest();
  if (nearest < 0) return std::nullopt;
  const std::shared_ptr<SceneNode> hit = pick.GetNode(nearest);
  state.rootNode->UpdateWorldMatrices();
  return hit->name;
}

}  // namespace

std::size_t PointUnderMouse(ViewState& state, GraphicsDevice& dev, float x, float y) {
  const std::optional<std::string> name = PickedName(state, dev, x, y);
  if (!name || ReadComparedPointNodeName(*name)) return 0;
  return PointPosition(*name, state.points.Count());
}

void MouseOver(ViewState& state, GraphicsDevice& dev, float x, float y, std::string_view decimalSeparator) {
  if (!state.deviceReady || !state.rootNode) return;
  const std::optional<std::string> name = PickedName(state, dev, x, y);
  const DataEntry* point = name ? HitPoint(state, *name) : nullptr;
  if (point == nullptr) {
    state.showHoverText = false;
    return;
  }
  state.hoverRect = HoverLabelRect(x, y);
  state.hoverText = HoverLabelText(state, *point, decimalSeparator);
  state.showHoverText = true;
}

}  // namespace rp
