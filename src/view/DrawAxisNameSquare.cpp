#include "view/DrawAxisNameSquare.h"

#include "platform/GraphicsDevice.h"
#include "scene/CD3DFrame.h"
#include "view/ViewState.h"

namespace rp {

namespace {

constexpr float kTextureRows = 256.0f;
constexpr float kHalfWidth = 2.0f;
constexpr float kHalfHeight = 0.25f;
constexpr float kBackOffset = 0.01f;

}  // namespace

std::array<VertexPNT, 8> AxisNamePlate(std::int32_t axis, std::int32_t lineHeight) {
  const float vTop = static_cast<float>(axis) * static_cast<float>(lineHeight) / kTextureRows;
  const float vBottom = static_cast<float>(axis + 1) * static_cast<float>(lineHeight) / kTextureRows;
  const float w = kHalfWidth, h = kHalfHeight, b = kBackOffset;
  return {{
      {-w, -h, 0, 0, 0, -1, 0, vBottom},
      {w, -h, 0, 0, 0, -1, 1, vBottom},
      {w, h, 0, 0, 0, -1, 1, vTop},
      {-w, h, 0, 0, 0, -1, 0, vTop},
      {w, -h, b, 0, 0, 1, 0, vBottom},
      {-w, -h, b, 0, 0, 1, 1, vBottom},
      {-w, h, b, 0, 0, 1, 1, vTop},
      {w, h, b, 0, 0, 1, 0, vTop},
  }};
}

void DrawAxisNameSquare(ViewState& state, GraphicsDevice& dev, std::int32_t axis) {
  D3DMATERIAL white{};
  white.Diffuse = {1, 1, 1, 1};
  white.Ambient = {1, 1, 1, 1};

  // The vertical axis is named by the caption, not by a plate. Other indices
  // keep whatever world transform is current.
  if (axis == 1) return;
  const std::shared_ptr<CD3DFrame>& anchor = axis == 0 ? state.XNameFrame : state.DepthNameFrame;
  if (axis == 0 || axis == 2) {
    if (!anchor) return;  // no scene built yet
    dev.SetTransform(D3DTS_WORLD, anchor->GetUpdatedMatrix());
  }

  dev.SetTexture(0, state.AxisNameTexture);
  dev.SetMaterial(white);
  const std::array<VertexPNT, 8> plate = AxisNamePlate(axis, state.TitleLineHeight);
  dev.SetVertexShader(kFvfPositionNormalTex1);
  dev.DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, plate.data(), sizeof(VertexPNT));
  dev.DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, plate.data() + 4, sizeof(VertexPNT));
}

}  // namespace rp
