#pragma once
// Small inline vector arithmetic on D3DVECTOR, shared by the mesh code, the
// scene math and the tests.

#include <cmath>

#include "platform/D3DTypes.h"

namespace rp::vec {

inline D3DVECTOR Add(const D3DVECTOR& a, const D3DVECTOR& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline D3DVECTOR Sub(const D3DVECTOR& a, const D3DVECTOR& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline D3DVECTOR Scale(const D3DVECTOR& a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float Dot(const D3DVECTOR& a, const D3DVECTOR& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline D3DVECTOR Cross(const D3DVECTOR& a, const D3DVECTOR& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(const D3DVECTOR& a) { return std::sqrt(Dot(a, a)); }
// The zero vector stays zero.
inline D3DVECTOR Normalize(const D3DVECTOR& a) {
  const float len = Length(a);
  return len > 0.0f ? Scale(a, 1.0f / len) : D3DVECTOR{0, 0, 0};
}

}  // namespace rp::vec
