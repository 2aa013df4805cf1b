#pragma once
// The scene-wide state (projection parameters, world/view/projection
// matrices, the light, the media path, the texture cache) and the routines
// the view calls around the device: default scene set-up, camera, clearing
// and presenting, the media folder and textures from files.
//
// The device and the client size come from device set-up (D3DInit.h).

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/GraphicsDevice.h"

namespace rp {

struct D3DUtilState {
  // Vertical field of view from the constant 3.1415, not from pi.
  float FieldOfView = 3.1415f / 4.0f;
  // Client height / client width (1 when either is 0).
  float AspectRatio = 1.0f;
  float NearPlane = 1.0f;
  float FarPlane = 3000.0f;
  D3DMATRIX SceneWorldMatrix;
  D3DMATRIX SceneViewMatrix;
  D3DMATRIX SceneProjectionMatrix;
  D3DLIGHT SceneLight{};
  // Prefix for files named without a path (ends in the path separator).
  std::string MediaPath;
  std::vector<std::pair<std::string, std::shared_ptr<Texture>>> TextureCache;

  D3DUtilState();
};

// The one scene state of the program.
extern D3DUtilState D3DUtil;

// Projection, camera at (0, 0, -20), world identity, the white directional
// light 0 from (-1, -1, -1), a grey material and the render states the scene
// starts from (ambient 0x10101010, clipping, lighting, depth test, Gouraud
// shading). The projection keeps the picture undistorted: its horizontal
// scale is the vertical one times AspectRatio. Device failures throw.
void D3DUtil_ApplySceneDefaults();

// Sets the view matrix looking from eye at target; device failures throw.
void D3DUtil_LookAt(const D3DVECTOR& eye, const D3DVECTOR& target, const D3DVECTOR& up);

// Clears the whole target to the packed colour and the depth buffer to 1.
void D3DUtil_ClearView(std::int32_t color);

// Shows the back buffer in the window; a failed present is ignored.
void D3DUtil_PresentView(WindowHandle window);

void D3DUtil_UseMediaFolder(const std::string& path);

// The texture in the file `name`: from the cache when loaded before under
// exactly that name; else read from `name` when such a file exists, from
// MediaPath + name otherwise. nullptr for an empty name or any failure.
std::shared_ptr<Texture> D3DUtil_LoadTexture(GraphicsDevice* device, const std::string& name);

}  // namespace rp
