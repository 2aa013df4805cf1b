// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scene every (re)stored device starts from: the projection, the camera
// at (0, 0, -20), the world at the identity, the white directional light 0
// from (-1, -1, -1), a grey material and the render states (ambient
// 0x10101010, lighting, depth test, Gouraud shading).

#include <cstdint>

#include "scene/GraphicsDevice.h"

namespace rp {

// Vertical field of view, from the constant 3.1415 rather than pi.
inline constexpr float kFieldOfView = 3.1415f / 4.0f;
inline constexpr float kNearPlane = 1.0f;
inline constexpr float kFarPlane = 3000.0f;

// Client height / client width; 1 when either is 0.
float AspectRatio(std::int32_t clientWidth, std::int32_t clientHeight);

// Sets the defaults above on the device. The projection keeps the picture
// undistorted on a client area of that size: its horizontal scale is the
// vertical one times AspectRatio. Device failures throw.
void ApplySceneDefaults(GraphicsDevice& device, std::int32_t clientWidth, std::int32_t clientHeight);

}  // namespace rp
