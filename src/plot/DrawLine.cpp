// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/DrawLine.h"

#include "scene/ArgbColour.h"
#include "scene/GraphicsDevice.h"

namespace rp {

void DrawLine(GraphicsDevice& dev, const glm::vec3& start, const glm::vec3& end, std::uint32_t argb) {
  const ColourF colour = ColourFromArgb(static_cast<std::int32_t>(argb));
  Material material{};
  material.diffuse = colour;
  material.ambient = colour;
  dev.SetMaterial(material);

  const Vertex vertices[2] = {
      {start, glm::vec3(0.0f), glm::vec2(0.0f)},
      {end, glm::vec3(0.0f), glm::vec2(0.0f)},
  };
  dev.DrawVertices(Primitive::Lines, vertices);
}

}  // namespace rp
