// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/ScenePick.h"

#include <cmath>
#include <glm/geometric.hpp>

#include "scene/SceneMath.h"

namespace rp {

std::optional<std::size_t> PickSphere(const SceneDescription& scene, float x, float y) {
  const Camera& c = scene.camera;
  // The window point on the near and the far plane, in the plot's space. A
  // degenerate camera gives no usable ray and hits nothing.
  const glm::mat4 unproject = UnprojectMatrix(c.viewport, c.projection, c.view, scene.orientation);
  const glm::dvec3 nearPoint(TransformPoint({x, y, 0}, unproject));
  const glm::dvec3 farPoint(TransformPoint({x, y, 1}, unproject));
  const glm::dvec3 direction = farPoint - nearPoint;
  const double a = glm::dot(direction, direction);
  if (!std::isfinite(a) || a == 0.0) return std::nullopt;

  std::optional<std::size_t> best;
  double bestDistance = 0.0;
  for (std::size_t i = 0; i < scene.spheres.size(); ++i) {
    const SphereInstance& s = scene.spheres[i];
    if (!(s.radius > 0.0f)) continue;
    // |near + t d - centre| = r, t from 0 (near plane) to 1 (far plane).
    const glm::dvec3 toNear = nearPoint - glm::dvec3(s.centre);
    const double r = s.radius;
    const double b = glm::dot(toNear, direction);
    const double cTerm = glm::dot(toNear, toNear) - r * r;
    const double disc = b * b - a * cTerm;
    if (disc < 0.0) continue;
    const double t = (-b - std::sqrt(disc)) / a;
    if (t < 0.0 || t > 1.0) continue;
    if (!best || t < bestDistance) {
      best = i;
      bestDistance = t;
    }
  }
  return best;
}

glm::vec3 WindowPosition(const SceneDescription& scene, const glm::vec3& plotPoint) {
  const Camera& c = scene.camera;
  return ProjectToWindow(plotPoint, c.viewport, c.projection, c.view, scene.orientation);
}

}  // namespace rp
