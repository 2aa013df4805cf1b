#include "view/RotateByMouse.h"

#include <cmath>

#include "platform/GraphicsDevice.h"
#include "scene/CD3DFrame.h"
#include "scene/D3DMath.h"
#include "scene/D3DUtil.h"
#include "view/ViewState.h"

namespace rp {

namespace {

constexpr float kTrackballRadiusSquared = 2500.0f;  // 50 pixels

}  // namespace

bool TrackballStep(float dx, float dy, D3DVECTOR& screenAxis, float& angle) {
  const float d = std::sqrt(dx * dx + dy * dy);
  const float r = std::sqrt(d * d + kTrackballRadiusSquared);
  if (d == 0.0f || r == 0.0f || !std::isfinite(d)) return false;
  angle = d / r;
  screenAxis = {-dy / d, -dx / d, 0.0f};
  return true;
}

void RotateByMouse(ViewState& state, GraphicsDevice& dev, std::int16_t x, std::int16_t y) {
  const float dx = static_cast<float>(x) - state.LastMouseX;
  const float dy = static_cast<float>(y) - state.LastMouseY;
  state.LastMouseX = x;
  state.LastMouseY = y;

  D3DVECTOR screenAxis{};
  float angle = 0.0f;
  if (!TrackballStep(dx, dy, screenAxis, angle) || !state.RootFrame) return;

  // The axis as a direction in the root frame's space: both ends through the
  // view transform and back out of the root's world matrix.
  D3DUtil.SceneViewMatrix = dev.GetTransform(D3DTS_VIEW);
  const D3DMATRIX& view = D3DUtil.SceneViewMatrix;
  CD3DFrame& root = *state.RootFrame;
  root.UpdateFrames();
  const D3DVECTOR p1 = root.InverseTransformCoord(D3DXVec3TransformCoord(screenAxis, view));
  const D3DVECTOR p0 = root.InverseTransformCoord(D3DXVec3TransformCoord({0.0f, 0.0f, 0.0f}, view));
  const D3DVECTOR axis = D3DXVec3Subtract(p1, p0);

  root.AddRotation(CD3DFrame::kBefore, axis.x, axis.y, axis.z, angle);
  state.RotationSum.x += axis.x;
  state.RotationSum.y += axis.y;
  state.RotationSum.z += axis.z;
  state.RotationSum.angle += angle;
}

}  // namespace rp
