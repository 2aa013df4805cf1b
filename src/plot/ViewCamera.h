// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the plot is looked at: the plot's own turn, where the camera stands and
// looks, and how both move between animated frames (the velocities the held
// keys and the auto-rotation give them, and the clock that measures the real
// time between frames). Part of ViewState; FrameMove advances it, ResetView
// puts it back.

#include <glm/gtc/quaternion.hpp>

#include "plot/FrameClock.h"

namespace rp {

struct ViewCamera {
  // The plot's turn, from its own space into the world: drags and
  // auto-rotation compose onto it, nothing else changes it but Reset
  // Orientation.
  glm::quat orientation{1.0f, 0.0f, 0.0f, 0.0f};
  glm::vec3 cameraPosition{0.0f, 4.0f, -20.0f};
  glm::mat4 cameraMatrix{1.0f};          // camera to world
  glm::mat4 viewMatrix{1.0f};            // world to camera
  FrameClock clock;                      // real time between animated frames
  glm::vec3 velocity{0.0f, 0.0f, 0.0f};  // camera velocity in camera space, units per second
  float yawVelocity = 0.0f;              // radians per second
  float pitchVelocity = 0.0f;
  float yaw = 0.0f;
  float pitch = 0.0f;
};

}  // namespace rp
