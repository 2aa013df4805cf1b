#include "view/DrawLine.h"

#include "platform/GraphicsDevice.h"
#include "scene/D3DUtil_Color.h"

namespace rp {

void DrawLine(GraphicsDevice& dev, const D3DVECTOR& start, const D3DVECTOR& end, std::uint32_t argb) {
  const D3DCOLORVALUE colour = D3DUtil_ColorFromARGB(static_cast<std::int32_t>(argb));
  D3DMATERIAL material{};
  material.Diffuse = colour;
  material.Ambient = colour;
  dev.SetMaterial(material);

  const VertexPNT vertices[2] = {
      {start.x, start.y, start.z, 0, 0, 0, 0, 0},
      {end.x, end.y, end.z, 0, 0, 0, 0, 0},
  };
  dev.SetVertexShader(kFvfPositionNormalTex1);
  dev.DrawPrimitiveUP(D3DPT_LINELIST, 1, vertices, sizeof(VertexPNT));
}

}  // namespace rp
