#pragma once
// Constructors for vectors and rotation quaternions.

#include "scene/D3DTypes.h"

namespace rp {

D3DVECTOR D3DUtil_Vector(float x, float y, float z);

// The rotation by `degrees` about the axis (x, y, z). Degrees are turned into
// radians with 3.1415 for pi, so 180 degrees is a hair short of a half turn;
// the scene's angle constants are all built the same way. A zero axis gives
// a zero vector part.
D3DQUATERNION D3DUtil_AxisAngleQuat(float x, float y, float z, float degrees);

}  // namespace rp
