// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/LitColour.h"

#include <algorithm>
#include <glm/geometric.hpp>

namespace rp {

ColourF LitColour(const ColourF& colour, const glm::vec3& worldNormal, const Lighting& lighting) {
  const float facing = std::max(glm::dot(worldNormal, lighting.towardsLight), 0.0f);
  auto channel = [facing](float c, float ambient, float diffuse) {
    return std::clamp(c * ambient + c * diffuse * facing, 0.0f, 1.0f);
  };
  return {channel(colour.r, lighting.ambient.r, lighting.diffuse.r),
          channel(colour.g, lighting.ambient.g, lighting.diffuse.g),
          channel(colour.b, lighting.ambient.b, lighting.diffuse.b), std::clamp(colour.a, 0.0f, 1.0f)};
}

}  // namespace rp
