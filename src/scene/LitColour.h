// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a surface of a colour shows under the scene's lighting: the colour
// times the ambient light, plus the colour times the light's colour times
// the cosine between the surface's normal and the way to the light (none
// from behind), each channel clamped to 0..1; alpha is the colour's. A zero
// normal (a line) gets the ambient part only. The renderer's shaders follow
// the same rule.

#include "scene/SceneDescription.h"

namespace rp {

// `worldNormal` is a unit vector in world space, or zero.
ColourF LitColour(const ColourF& colour, const glm::vec3& worldNormal, const Lighting& lighting);

}  // namespace rp
