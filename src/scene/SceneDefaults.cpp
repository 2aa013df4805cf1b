// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/SceneDefaults.h"

#include "scene/SceneMath.h"

namespace rp {

float AspectRatio(std::int32_t clientWidth, std::int32_t clientHeight) {
  if (clientHeight == 0 || clientWidth == 0) return 1.0f;
  return float(clientHeight) / float(clientWidth);
}

void ApplySceneDefaults(GraphicsDevice& device, std::int32_t clientWidth, std::int32_t clientHeight) {
  // The projection takes width / height, the inverse of AspectRatio.
  const float aspect = AspectRatio(clientWidth, clientHeight);
  device.SetTransform(Transform::Projection, PerspectiveFovLH(kFieldOfView, 1.0f / aspect, kNearPlane, kFarPlane));
  device.SetTransform(Transform::View, LookAtLH({0, 0, -20}, {0, 0, 0}, {0, 1, 0}));
  device.SetTransform(Transform::World, glm::mat4(1.0f));

  Light light{};
  light.type = LightType::Directional;
  light.diffuse = {1, 1, 1, 1};
  light.ambient = {0.1f, 0.1f, 0.1f, 1};
  light.specular = {0, 0, 0, 0};
  light.direction = NormalizeOrZero({-1, -1, -1});
  light.range = 10000.0f;
  device.SetLight(0, light);
  device.EnableLight(0, true);

  Material material{};
  material.diffuse = {0.5f, 0.5f, 0.5f, 1};
  material.ambient = {0.2f, 0.2f, 0.2f, 1};
  material.power = 10.0f;
  device.SetMaterial(material);

  device.SetAmbientLight(0x10101010);
  device.SetLighting(true);
  device.SetDepthTest(true);
  device.SetShading(Shading::Gouraud);
}

}  // namespace rp
