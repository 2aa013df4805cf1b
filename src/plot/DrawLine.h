// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One line segment in the current world transform, coloured through its
// material: the lines carry zero normals, so under the scene's lighting only
// the material's ambient colour times the ambient light shows.

#include <cstdint>

#include "scene/GraphicsTypes.h"

namespace rp {

class GraphicsDevice;

// argb: packed colour 0xAARRGGBB, used as diffuse and ambient colour.
void DrawLine(GraphicsDevice& dev, const glm::vec3& start, const glm::vec3& end, std::uint32_t argb);

}  // namespace rp
