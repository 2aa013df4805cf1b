// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/SceneMath.h"

#include <cmath>
#include <glm/geometric.hpp>
#include <numbers>

namespace rp {

glm::vec3 NormalizeOrZero(const glm::vec3& v) {
  const float len = glm::length(v);
  return len > 0.0f ? v * (1.0f / len) : glm::vec3(0.0f);
}

glm::mat4 ScalingMatrix(float x, float y, float z) {
  glm::mat4 m(0.0f);
  m[0][0] = x;
  m[1][1] = y;
  m[2][2] = z;
  m[3][3] = 1.0f;
  return m;
}

glm::mat4 TranslationMatrix(const glm::vec3& offset) {
  glm::mat4 m(1.0f);
  m[3][0] = offset.x;
  m[3][1] = offset.y;
  m[3][2] = offset.z;
  return m;
}

glm::mat4 RotationMatrix(const glm::vec3& axis, float angle) {
  const glm::vec3 n = NormalizeOrZero(axis);
  if (n.x == 0 && n.y == 0 && n.z == 0) return glm::mat4(1.0f);
  const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
  glm::mat4 m(1.0f);
  m[0][0] = t * n.x * n.x + c;
  m[0][1] = t * n.x * n.y + s * n.z;
  m[0][2] = t * n.x * n.z - s * n.y;
  m[1][0] = t * n.x * n.y - s * n.z;
  m[1][1] = t * n.y * n.y + c;
  m[1][2] = t * n.y * n.z + s * n.x;
  m[2][0] = t * n.x * n.z + s * n.y;
  m[2][1] = t * n.y * n.z - s * n.x;
  m[2][2] = t * n.z * n.z + c;
  return m;
}

glm::mat4 RotationMatrix(const glm::quat& q) {
  const float x = q.x, y = q.y, z = q.z, w = q.w;
  glm::mat4 m(1.0f);
  m[0][0] = 1 - 2 * (y * y + z * z);
  m[0][1] = 2 * (x * y + z * w);
  m[0][2] = 2 * (x * z - y * w);
  m[1][0] = 2 * (x * y - z * w);
  m[1][1] = 1 - 2 * (x * x + z * z);
  m[1][2] = 2 * (y * z + x * w);
  m[2][0] = 2 * (x * z + y * w);
  m[2][1] = 2 * (y * z - x * w);
  m[2][2] = 1 - 2 * (x * x + y * y);
  return m;
}

glm::mat4 AffineTransformation(float scaling, const glm::vec3& c, const glm::quat& q, const glm::vec3& p) {
  glm::mat4 m = ScalingMatrix(scaling, scaling, scaling);
  m = TranslationMatrix(-c) * m;
  m = RotationMatrix(q) * m;
  m = TranslationMatrix(c) * m;
  return TranslationMatrix(p) * m;
}

glm::mat4 LookAtLH(const glm::vec3& eye, const glm::vec3& at, const glm::vec3& up) {
  const glm::vec3 z = NormalizeOrZero(at - eye);
  const glm::vec3 x = NormalizeOrZero(glm::cross(up, z));
  const glm::vec3 y = glm::cross(z, x);
  glm::mat4 m(1.0f);
  m[0][0] = x.x;
  m[0][1] = y.x;
  m[0][2] = z.x;
  m[1][0] = x.y;
  m[1][1] = y.y;
  m[1][2] = z.y;
  m[2][0] = x.z;
  m[2][1] = y.z;
  m[2][2] = z.z;
  m[3][0] = -glm::dot(x, eye);
  m[3][1] = -glm::dot(y, eye);
  m[3][2] = -glm::dot(z, eye);
  return m;
}

glm::mat4 PerspectiveFovLH(float fovY, float aspect, float zn, float zf) {
  const float yScale = 1.0f / std::tan(fovY / 2);
  glm::mat4 m(0.0f);
  m[0][0] = yScale / aspect;
  m[1][1] = yScale;
  m[2][2] = zf / (zf - zn);
  m[2][3] = 1.0f;
  m[3][2] = -zn * zf / (zf - zn);
  return m;
}

glm::mat4 InverseOrZero(const glm::mat4& in) {
  double a[16];
  for (int i = 0; i < 16; ++i) a[i] = in[i / 4][i % 4];
  // Cofactors (adjugate, transposed into place).
  double inv[16];
  inv[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] + a[9] * a[7] * a[14] +
           a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
  inv[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] - a[8] * a[7] * a[14] -
           a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
  inv[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] + a[8] * a[7] * a[13] +
           a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
  inv[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] - a[8] * a[6] * a[13] -
            a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
  inv[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] - a[9] * a[3] * a[14] -
           a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
  inv[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] + a[8] * a[3] * a[14] +
           a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
  inv[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] - a[8] * a[3] * a[13] -
           a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
  inv[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] + a[8] * a[2] * a[13] +
            a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
  inv[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] + a[5] * a[3] * a[14] + a[13] * a[2] * a[7] -
           a[13] * a[3] * a[6];
  inv[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] - a[4] * a[3] * a[14] -
           a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
  inv[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] + a[4] * a[3] * a[13] +
            a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
  inv[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] - a[4] * a[2] * a[13] -
            a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
  inv[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] - a[5] * a[3] * a[10] - a[9] * a[2] * a[7] +
           a[9] * a[3] * a[6];
  inv[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] + a[4] * a[3] * a[10] + a[8] * a[2] * a[7] -
           a[8] * a[3] * a[6];
  inv[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] - a[4] * a[3] * a[9] - a[8] * a[1] * a[7] +
            a[8] * a[3] * a[5];
  inv[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] + a[4] * a[2] * a[9] + a[8] * a[1] * a[6] -
            a[8] * a[2] * a[5];

  const double det = a[0] * inv[0] + a[1] * inv[4] + a[2] * inv[8] + a[3] * inv[12];
  glm::mat4 out(0.0f);
  if (det == 0.0 || !std::isfinite(det)) return out;
  for (int i = 0; i < 16; ++i) out[i / 4][i % 4] = static_cast<float>(inv[i] / det);
  return out;
}

glm::quat QuatFromAxisAngle(const glm::vec3& axis, float angle) {
  const glm::vec3 n = NormalizeOrZero(axis);
  if (n.x == 0 && n.y == 0 && n.z == 0) return glm::quat(1, 0, 0, 0);
  const float s = std::sin(angle / 2);
  return glm::quat(std::cos(angle / 2), n.x * s, n.y * s, n.z * s);
}

glm::quat QuatFromAxisDegrees(float x, float y, float z, float degrees) {
  const auto angle = static_cast<float>(static_cast<double>(degrees) / 180.0 * std::numbers::pi);
  const glm::vec3 axis = NormalizeOrZero(glm::vec3(x, y, z)) * std::sin(angle / 2.0f);
  return glm::quat(std::cos(angle / 2.0f), axis.x, axis.y, axis.z);
}

glm::quat QuatThen(const glm::quat& a, const glm::quat& b) {
  // The Hamilton product b a.
  return glm::quat(b.w * a.w - b.x * a.x - b.y * a.y - b.z * a.z, b.w * a.x + b.x * a.w + b.y * a.z - b.z * a.y,
                   b.w * a.y - b.x * a.z + b.y * a.w + b.z * a.x, b.w * a.z + b.x * a.y - b.y * a.x + b.z * a.w);
}

glm::quat QuatFromYawPitchRoll(float yaw, float pitch, float roll) {
  const glm::quat r = QuatFromAxisAngle({0, 0, 1}, roll);
  const glm::quat p = QuatFromAxisAngle({1, 0, 0}, pitch);
  const glm::quat y = QuatFromAxisAngle({0, 1, 0}, yaw);
  return QuatThen(QuatThen(r, p), y);
}

glm::vec3 TransformPoint(const glm::vec3& v, const glm::mat4& m) {
  const float x = v.x * m[0][0] + v.y * m[1][0] + v.z * m[2][0] + m[3][0];
  const float y = v.x * m[0][1] + v.y * m[1][1] + v.z * m[2][1] + m[3][1];
  const float z = v.x * m[0][2] + v.y * m[1][2] + v.z * m[2][2] + m[3][2];
  const float w = v.x * m[0][3] + v.y * m[1][3] + v.z * m[2][3] + m[3][3];
  return {x / w, y / w, z / w};
}

glm::vec3 TransformDirection(const glm::vec3& v, const glm::mat4& m) {
  return {v.x * m[0][0] + v.y * m[1][0] + v.z * m[2][0], v.x * m[0][1] + v.y * m[1][1] + v.z * m[2][1],
          v.x * m[0][2] + v.y * m[1][2] + v.z * m[2][2]};
}

namespace {

// Sizes that would divide by zero count as 1 (an empty viewport has no
// pixels to map anyway).
float NonZero(float v) { return v == 0.0f ? 1.0f : v; }

}  // namespace

glm::vec3 ProjectToWindow(const glm::vec3& v, const Viewport& vp, const glm::mat4& projection, const glm::mat4& view,
                          const glm::mat4& world) {
  const glm::mat4 wvp = projection * (view * world);
  const glm::vec3 n = TransformPoint(v, wvp);
  return {float(vp.x) + (1.0f + n.x) * float(vp.width) / 2, float(vp.y) + (1.0f - n.y) * float(vp.height) / 2,
          vp.minDepth + n.z * (vp.maxDepth - vp.minDepth)};
}

glm::mat4 UnprojectMatrix(const Viewport& vp, const glm::mat4& projection, const glm::mat4& view,
                          const glm::mat4& world) {
  // Window coordinates back to normalised device coordinates...
  const float w = NonZero(float(vp.width)), h = NonZero(float(vp.height));
  const float depth = NonZero(vp.maxDepth - vp.minDepth);
  glm::mat4 toNdc(0.0f);
  toNdc[0][0] = 2.0f / w;
  toNdc[1][1] = -2.0f / h;
  toNdc[2][2] = 1.0f / depth;
  toNdc[3][0] = -2.0f * float(vp.x) / w - 1.0f;
  toNdc[3][1] = 2.0f * float(vp.y) / h + 1.0f;
  toNdc[3][2] = -vp.minDepth / depth;
  toNdc[3][3] = 1.0f;
  // ...then back through projection, view and world.
  const glm::mat4 wvp = projection * (view * world);
  return InverseOrZero(wvp) * toNdc;
}

}  // namespace rp
