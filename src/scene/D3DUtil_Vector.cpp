#include "scene/D3DUtil_Vector.h"

#include <cmath>

namespace rp {

D3DVECTOR D3DUtil_Vector(float x, float y, float z) { return D3DVECTOR{x, y, z}; }

D3DQUATERNION D3DUtil_AxisAngleQuat(float x, float y, float z, float degrees) {
  const auto angle = static_cast<float>(static_cast<double>(degrees) / 180.0 * 3.1415);
  const float length = std::sqrt(x * x + y * y + z * z);
  const float s = std::sin(angle / 2.0f);
  if (length == 0.0f || !std::isfinite(length)) return D3DQUATERNION{0.0f, 0.0f, 0.0f, std::cos(angle / 2.0f)};
  return D3DQUATERNION{x / length * s, y / length * s, z / length * s, std::cos(angle / 2.0f)};
}

}  // namespace rp
