// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/SceneDefaults.h"

#include "scene/SceneMath.h"

namespace rp {

float AspectRatio(std::int32_t clientWidth, std::int32_t clientHeight) {
  if (clientHeight == 0 || clientWidth == 0) return 1.0f;
  return float(clientHeight) / float(clientWidth);
}

glm::mat4 PlotProjection(std::int32_t clientWidth, std::int32_t clientHeight) {
  // The projection takes width / height, the inverse of AspectRatio.
  return PerspectiveFovLH(kFieldOfView, 1.0f / AspectRatio(clientWidth, clientHeight), kNearPlane, kFarPlane);
}

Lighting PlotLighting() {
  constexpr float kGlobalAmbient = static_cast<float>(0xC0 / 255.0);
  constexpr float kLightAmbient = 0.1f;
  Lighting l;
  l.towardsLight = -NormalizeOrZero({-1, -1, -1});
  l.diffuse = {1, 1, 1, 1};
  const float ambient = kGlobalAmbient + kLightAmbient;
  l.ambient = {ambient, ambient, ambient, 1};
  return l;
}

}  // namespace rp
