// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which sphere of a scene lies under a window point: the sight line through
// the point, from the near plane to the far plane, against every sphere as it
// is drawn (a true sphere of its radius); the nearest hit wins, equal
// distances keep the earlier sphere. Spheres of radius 0, and a sphere whose
// near side lies in front of the near plane, are never hit.

#include <cstddef>
#include <optional>

#include "scene/SceneDescription.h"

namespace rp {

// The index in scene.spheres of the sphere at window pixel (x, y), or
// nothing.
std::optional<std::size_t> PickSphere(const SceneDescription& scene, float x, float y);

// Where a point of the plot's space shows in the window: x, y in pixels from
// the viewport's top-left, z its depth.
glm::vec3 WindowPosition(const SceneDescription& scene, const glm::vec3& plotPoint);

}  // namespace rp
