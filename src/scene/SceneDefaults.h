// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The camera lens and the light of the plot: a perspective of 45 degrees
// that keeps circles round on any client area,
// and a white directional light from (-1, -1, -1) over a light-grey ambient.

#include <cstdint>
#include <numbers>

#include "scene/SceneDescription.h"

namespace rp {

// Vertical field of view.
inline constexpr float kFieldOfView = std::numbers::pi_v<float> / 4.0f;
inline constexpr float kNearPlane = 1.0f;
inline constexpr float kFarPlane = 3000.0f;

// Client height / client width; 1 when either is 0.
float AspectRatio(std::int32_t clientWidth, std::int32_t clientHeight);

// The projection for a client area of that size: its horizontal scale is
// the vertical one times AspectRatio, so the picture is undistorted.
glm::mat4 PlotProjection(std::int32_t clientWidth, std::int32_t clientHeight);

// The light shining along (-1, -1, -1), white, with the ambient light
// 0xC0 grey plus the light's own 0.1.
Lighting PlotLighting();

}  // namespace rp
