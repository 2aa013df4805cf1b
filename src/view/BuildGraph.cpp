#include "view/BuildGraph.h"

#include <cstdint>
#include <memory>

#include "platform/GraphicsDevice.h"
#include "scene/CD3DFrame.h"
#include "scene/D3DUtil_Color.h"
#include "scene/D3DUtil_Vector.h"
#include "view/SceneGuard.h"
#include "view/ViewState.h"

namespace rp {

namespace {

constexpr std::int32_t kGlassColour = 0x33C0C0C0;  // light grey, alpha 0.2
constexpr D3DCOLOR kTextureBackground = 0xFFC0C0C0;
constexpr D3DCOLOR kTextureText = 0xFF000000;
constexpr std::uint32_t kAxisTextureSize = 256;
constexpr std::int32_t kAxisTextLeft = 10;

// A material lit only by its colour: diffuse and ambient, nothing else.
D3DMATERIAL ColourMaterial(std::int32_t argb) {
  D3DMATERIAL m{};
  m.Diffuse = D3DUtil_ColorFromARGB(argb);
  m.Ambient = m.Diffuse;
  return m;
}

// Light grey with the three axis names in black, one per line from the top;
// sets TitleLineHeight to the height of one line.
void WriteAxisNames(ViewState& s, GraphicsDevice& dev) {
  const std::shared_ptr<Surface> surface = s.AxisNameTexture->GetSurfaceLevel(0);
  const D3DDISPLAYMODE mode = dev.GetDisplayMode();
  const std::shared_ptr<RenderToSurface> rts =
      dev.CreateRenderToSurface(kAxisTextureSize, kAxisTextureSize, mode.Format, true, D3DFMT_D16);
  rts->BeginScene(surface, D3DVIEWPORT{0, 0, kAxisTextureSize, kAxisTextureSize, 0.0f, 1.0f});
  SceneGuard scene([&rts] { rts->EndScene(); });
  dev.Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kTextureBackground, 1.0f, 0);

  RECT measured{0, 0, 0, 0};
  s.TitleFont->DrawText(s.XAxisName, measured, DT_CALCRECT, kTextureText);
  s.TitleLineHeight = measured.bottom;

  const std::string* lines[] = {&s.XAxisName, &s.VerticalAxisName, &s.DepthAxisName};
  for (std::int32_t k = 0; k < 3; ++k) {
    RECT rect{kAxisTextLeft, k * s.TitleLineHeight, 0, 0};
    s.TitleFont->DrawText(*lines[k], rect, DT_CALCRECT, kTextureText);
    s.TitleFont->DrawText(*lines[k], rect, 0, kTextureText);
  }
  scene.End();
}

}  // namespace

std::string PointFrameName(std::size_t position) { return " " + std::to_string(position); }

void BuildGraph(ViewState& s, GraphicsDevice* dev) {
  if (!s.DeviceReady || dev == nullptr) return;

  s.RootFrame = D3DUtil_NewFrame(nullptr);

  s.GlassFrame = D3DUtil_NewFrame(s.RootFrame);
  s.GlassFrame->AddD3DXMesh(s.GlassMesh)->SetMaterialOverride(ColourMaterial(kGlassColour));
  s.GlassFrame->SetOrientation(D3DUtil_AxisAngleQuat(1, 0, 0, 90));

  s.UpperPointsFrame = D3DUtil_NewFrame(s.RootFrame);
  s.LowerPointsFrame = D3DUtil_NewFrame(s.RootFrame);

  s.XNameFrame = D3DUtil_NewFrame(s.RootFrame);
  s.XNameFrame->SetPosition(D3DUtil_Vector(0, 0, -6));

  s.DepthNameFrame = D3DUtil_NewFrame(s.RootFrame);
  s.DepthNameFrame->SetPosition(D3DUtil_Vector(6, 0, 0));
  s.DepthNameFrame->SetOrientation(D3DUtil_AxisAngleQuat(0, 1, 0, -90));

  std::size_t n = 1;
  for (const DataEntry& p : s.Points) {
    // "y >= 0" is false for a y that is not a number: such points go below.
    const std::shared_ptr<CD3DFrame>& group = p.y >= 0.0f ? s.UpperPointsFrame : s.LowerPointsFrame;
    const std::shared_ptr<CD3DFrame> frame = D3DUtil_NewFrame(group);
    frame->SetScale(static_cast<float>(p.size));
    frame->SetPosition(D3DUtil_Vector(p.x, p.y, p.z));
    frame->AddD3DXMesh(s.PointMesh)->SetMaterialOverride(ColourMaterial(p.color));
    frame->ObjectName = PointFrameName(n);
    ++n;
  }

  WriteAxisNames(s, *dev);
  s.GraphBuilt = true;

  s.RootFrame->AddRotation(CD3DFrame::kBefore, s.RotationSum.x, s.RotationSum.y, s.RotationSum.z,
                           s.RotationSum.angle);
}

}  // namespace rp
