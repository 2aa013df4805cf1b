#pragma once
// The plain value types shared by the scene, the view and the graphics device:
// a vector, a quaternion and a floating-point colour.

namespace rp {

struct D3DCOLORVALUE { float r, g, b, a; };
struct D3DVECTOR { float x, y, z; };
struct D3DQUATERNION { float x, y, z, w; };

}  // namespace rp
