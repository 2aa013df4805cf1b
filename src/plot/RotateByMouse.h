// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trackball: a mouse stroke turns the plot about the screen axis at right
// angles to the stroke, by an angle that grows with the stroke's length d as
// d / hypot(d, 50) radians (about d / 50 for short strokes, never 1 or more).

#include <cstdint>

#include "scene/GraphicsTypes.h"

namespace rp {

struct ViewState;

// The rotation of one stroke (dx, dy) in pixels: the screen axis (not
// normalised beyond the division by d) and the angle. False for a zero stroke.
bool TrackballStep(float dx, float dy, glm::vec3& screenAxis, float& angle);

// One drag step to (x, y): the stroke from the last mouse position, which
// becomes (x, y). The screen axis is carried into the world by the camera,
// and the turn about it is composed after the plot's orientation, so the plot
// turns as the stroke goes whatever way it faces. False when nothing turned.
bool RotateByMouse(ViewState& state, std::int16_t x, std::int16_t y);

}  // namespace rp
