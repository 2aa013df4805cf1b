#include "scene/D3DUtil.h"

#include <filesystem>

#include "scene/D3DInit.h"
#include "scene/D3DMath.h"

namespace rp {

D3DUtilState::D3DUtilState()
    : SceneWorldMatrix(D3DXMatrixIdentity()),
      SceneViewMatrix(D3DXMatrixIdentity()),
      SceneProjectionMatrix(D3DXMatrixIdentity()) {}

D3DUtilState D3DUtil;

namespace {

GraphicsDevice& RequireDevice() {
  if (!D3DInit.Device) throw DeviceError("no 3D device");
  return *D3DInit.Device;
}

}  // namespace

void D3DUtil_ApplySceneDefaults() {
  GraphicsDevice& device = RequireDevice();
  D3DUtil.FieldOfView = 3.1415f / 4.0f;
  D3DUtil.AspectRatio = 1.0f;
  D3DUtil.NearPlane = 1.0f;
  D3DUtil.FarPlane = 3000.0f;
  if (D3DInit.ClientHeight != 0 && D3DInit.ClientWidth != 0)
    D3DUtil.AspectRatio = float(D3DInit.ClientHeight) / float(D3DInit.ClientWidth);

  D3DUtil.SceneWorldMatrix = D3DXMatrixIdentity();
  // The projection takes width / height, the inverse of AspectRatio.
  D3DUtil.SceneProjectionMatrix = D3DXMatrixPerspectiveFovLH(
      D3DUtil.FieldOfView, 1.0f / D3DUtil.AspectRatio, D3DUtil.NearPlane, D3DUtil.FarPlane);
  device.SetTransform(D3DTS_PROJECTION, D3DUtil.SceneProjectionMatrix);
  D3DUtil.SceneViewMatrix = D3DXMatrixLookAtLH({0, 0, -20}, {0, 0, 0}, {0, 1, 0});
  device.SetTransform(D3DTS_VIEW, D3DUtil.SceneViewMatrix);
  device.SetTransform(D3DTS_WORLD, D3DUtil.SceneWorldMatrix);

  D3DLIGHT light{};
  light.Type = D3DLIGHT_DIRECTIONAL;
  light.Diffuse = {1, 1, 1, 1};
  light.Ambient = {0.1f, 0.1f, 0.1f, 1};
  light.Specular = {0, 0, 0, 0};
  light.Direction = D3DXVec3Normalize({-1, -1, -1});
  light.Range = 10000.0f;
  D3DUtil.SceneLight = light;
  device.SetLight(0, light);
  device.LightEnable(0, true);

  D3DMATERIAL material{};
  material.Diffuse = {0.5f, 0.5f, 0.5f, 1};
  material.Ambient = {0.2f, 0.2f, 0.2f, 1};
  material.Power = 10.0f;
  device.SetMaterial(material);

  device.SetRenderState(D3DRS_AMBIENT, 0x10101010);
  device.SetRenderState(D3DRS_CLIPPING, 1);
  device.SetRenderState(D3DRS_LIGHTING, 1);
  device.SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
  device.SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
}

void D3DUtil_LookAt(const D3DVECTOR& eye, const D3DVECTOR& target, const D3DVECTOR& up) {
  GraphicsDevice& device = RequireDevice();
  D3DUtil.SceneViewMatrix = D3DXMatrixLookAtLH(eye, target, up);
  device.SetTransform(D3DTS_VIEW, D3DUtil.SceneViewMatrix);
}

void D3DUtil_ClearView(std::int32_t color) {
  RequireDevice().Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCOLOR(color), 1.0f, 0);
}

void D3DUtil_PresentView(WindowHandle window) {
  try {
    if (D3DInit.Device) D3DInit.Device->Present(window);
  } catch (const std::exception&) {
    // A failed present only loses this frame; the next one tries again.
  }
}

void D3DUtil_UseMediaFolder(const std::string& path) { D3DUtil.MediaPath = path; }

std::shared_ptr<Texture> D3DUtil_LoadTexture(GraphicsDevice* device, const std::string& name) {
  if (name.empty() || device == nullptr) return nullptr;
  for (const auto& [cachedName, texture] : D3DUtil.TextureCache)
    if (cachedName == name) return texture;
  try {
    std::error_code ec;
    std::string file = name;
    if (!std::filesystem::is_regular_file(name, ec)) {
      file = D3DUtil.MediaPath;
      if (!file.empty() && file.back() != '/' && file.back() != '\\') file += '/';
      file += name;
    }
    auto texture = device->CreateTextureFromFile(file);
    if (!texture) return nullptr;
    if (D3DUtil.TextureCache.size() == D3DUtil.TextureCache.capacity())
      D3DUtil.TextureCache.reserve(D3DUtil.TextureCache.size() + 10);
    D3DUtil.TextureCache.emplace_back(name, texture);
    return texture;
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace rp
