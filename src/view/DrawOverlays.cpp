#include "view/DrawOverlays.h"

#include "platform/GraphicsDevice.h"
#include "scene/CD3DFrame.h"
#include "scene/D3DMath.h"
#include "view/DrawLine.h"
#include "view/PlotScaling.h"
#include "view/ViewState.h"

namespace rp {

namespace {

constexpr std::uint32_t kConnectColour = 0xFFFFB000;  // orange
constexpr std::uint32_t kDropColour = 0xFFFF0000;     // red
constexpr std::uint32_t kShadowColour = 0xFFAACCFF;   // light blue
constexpr std::uint32_t kCrossColour = 0x00000FF0;    // blue
constexpr float kShadowHeight = 0.1f;                 // shadows and cross float just above the floor
constexpr float kCrossHalfLength = 5.0f;

// Where the scaling puts a point whose three values are all at their
// minimum. Such points are left out of the path: exact comparison on purpose.
bool AtLowCorner(const D3DVECTOR& p) {
  return p.x == -AxisExtent && p.y == 0.0f && p.z == -AxisExtent;
}

D3DVECTOR PositionOf(const DataEntry& e) { return {e.x, e.y, e.z}; }

}  // namespace

void DrawOverlays(ViewState& state, GraphicsDevice& dev) {
  dev.SetTransform(D3DTS_WORLD, state.RootFrame ? state.RootFrame->GetMatrix() : D3DXMatrixIdentity());

  // The path from point to point; an empty collection draws only the cross.
  if (!state.Points.Empty()) {
    D3DVECTOR prev = PositionOf(state.Points.Item(1));
    for (std::size_t i = 2; i <= state.Points.Count(); ++i) {
      const D3DVECTOR cur = PositionOf(state.Points.Item(i));
      const bool onPath = !AtLowCorner(prev) && !AtLowCorner(cur);
      if (state.ShowConnectLines && onPath) DrawLine(dev, prev, cur, kConnectColour);
      if (state.ShowDropLines) DrawLine(dev, {cur.x, 0.0f, cur.z}, cur, kDropColour);
      if (state.ShowFloorShadows && onPath)
        DrawLine(dev, {cur.x, kShadowHeight, cur.z}, {prev.x, kShadowHeight, prev.z}, kShadowColour);
      prev = cur;
    }
  }

  DrawLine(dev, {-kCrossHalfLength, kShadowHeight, 0.0f}, {kCrossHalfLength, kShadowHeight, 0.0f},
           kCrossColour);
  DrawLine(dev, {0.0f, kShadowHeight, -kCrossHalfLength}, {0.0f, kShadowHeight, kCrossHalfLength},
           kCrossColour);
}

}  // namespace rp
