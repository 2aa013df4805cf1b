#include "view/MouseOver.h"

#include <cmath>
#include <cstddef>

#include "platform/GraphicsDevice.h"
#include "scene/SceneNode.h"
#include "scene/RayPicker.h"
#include "view/HoverLabel.h"
#include "view/LeadingNumber.h"
#include "view/ViewState.h"

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

}  // namespace

void MouseOver(ViewState& state, GraphicsDevice& dev, float x, float y, std::string_view decimalSeparator) {
  if (!state.DeviceReady || !state.RootNode) return;

  SetEnabled(state.GlassNode, false);
  SetEnabled(state.UpperPoints, true);
  SetEnabled(state.LowerPoints, true);

  RayPicker pick;
  pick.PickAt(dev, state.RootNode, x, y);
  const std::int32_t nearest = pick.FindNearest();
  if (nearest < 0) {
    state.ShowHoverText = false;
    return;
  }
  const std::shared_ptr<SceneNode> hit = pick.GetNode(nearest);
  state.RootNode->UpdateWorldMatrices();

  const std::size_t position = PointPosition(hit->name, state.Points.Count());
  if (position == 0) {
    state.ShowHoverText = false;
    return;
  }
  state.HoverRect = HoverLabelRect(x, y);
  state.HoverText = HoverLabelText(state, state.Points.Item(position), decimalSeparator);
  state.ShowHoverText = true;
}

}  // namespace rp
