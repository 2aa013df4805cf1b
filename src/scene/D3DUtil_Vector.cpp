#include "scene/D3DUtil_Vector.h"

#include <cmath>

#include "platform/VectorOps.h"

namespace rp {

D3DVECTOR D3DUtil_Vector(float x, float y, float z) { return D3DVECTOR{x, y, z}; }

D3DQUATERNION D3DUtil_AxisAngleQuat(float x, float y, float z, float degrees) {
  const auto angle = static_cast<float>(static_cast<double>(degrees) / 180.0 * 3.1415);
  const D3DVECTOR axis = vec::Scale(vec::Normalize(D3DVECTOR{x, y, z}), std::sin(angle / 2.0f));
  return D3DQUATERNION{axis.x, axis.y, axis.z, std::cos(angle / 2.0f)};
}

}  // namespace rp
