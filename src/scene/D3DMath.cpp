#include "scene/D3DMath.h"

#include <cmath>

#include "platform/VectorOps.h"

namespace rp {

D3DMATRIX D3DXMatrixIdentity() {
  D3DMATRIX m{};
  for (int i = 0; i < 4; ++i) m.m[i][i] = 1.0f;
  return m;
}

bool D3DXMatrixIsIdentity(const D3DMATRIX& m) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (m.m[r][c] != (r == c ? 1.0f : 0.0f)) return false;
  return true;
}

D3DMATRIX D3DXMatrixMultiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX out{};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      out.m[r][c] = a.m[r][0] * b.m[0][c] + a.m[r][1] * b.m[1][c] + a.m[r][2] * b.m[2][c] +
                    a.m[r][3] * b.m[3][c];
  return out;
}

D3DMATRIX D3DXMatrixInverse(const D3DMATRIX& in, float* determinant) {
  double a[16];
  for (int i = 0; i < 16; ++i) a[i] = in.m[i / 4][i % 4];
  // Cofactors (adjugate, transposed into place).
  double inv[16];
  inv[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] +
           a[9] * a[7] * a[14] + a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
  inv[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] -
           a[8] * a[7] * a[14] - a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
  inv[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] +
           a[8] * a[7] * a[13] + a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
  inv[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] -
            a[8] * a[6] * a[13] - a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
  inv[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] -
           a[9] * a[3] * a[14] - a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
  inv[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] +
           a[8] * a[3] * a[14] + a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
  inv[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] -
           a[8] * a[3] * a[13] - a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
  inv[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] +
            a[8] * a[2] * a[13] + a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
  inv[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] +
           a[5] * a[3] * a[14] + a[13] * a[2] * a[7] - a[13] * a[3] * a[6];
  inv[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] -
           a[4] * a[3] * a[14] - a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
  inv[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] +
            a[4] * a[3] * a[13] + a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
  inv[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] -
            a[4] * a[2] * a[13] - a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
  inv[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] -
           a[5] * a[3] * a[10] - a[9] * a[2] * a[7] + a[9] * a[3] * a[6];
  inv[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] +
           a[4] * a[3] * a[10] + a[8] * a[2] * a[7] - a[8] * a[3] * a[6];
  inv[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] -
            a[4] * a[3] * a[9] - a[8] * a[1] * a[7] + a[8] * a[3] * a[5];
  inv[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] +
            a[4] * a[2] * a[9] + a[8] * a[1] * a[6] - a[8] * a[2] * a[5];

  const double det = a[0] * inv[0] + a[1] * inv[4] + a[2] * inv[8] + a[3] * inv[12];
  D3DMATRIX out{};
  if (det == 0.0 || !std::isfinite(det)) {
    if (determinant) *determinant = 0.0f;
    return out;
  }
  if (determinant) *determinant = static_cast<float>(det);
  for (int i = 0; i < 16; ++i) out.m[i / 4][i % 4] = static_cast<float>(inv[i] / det);
  return out;
}

D3DMATRIX D3DXMatrixTranspose(const D3DMATRIX& m) {
  D3DMATRIX out{};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) out.m[r][c] = m.m[c][r];
  return out;
}

D3DMATRIX D3DXMatrixScaling(float x, float y, float z) {
  D3DMATRIX m{};
  m.m[0][0] = x;
  m.m[1][1] = y;
  m.m[2][2] = z;
  m.m[3][3] = 1.0f;
  return m;
}

D3DMATRIX D3DXMatrixTranslation(float x, float y, float z) {
  D3DMATRIX m = D3DXMatrixIdentity();
  m.m[3][0] = x;
  m.m[3][1] = y;
  m.m[3][2] = z;
  return m;
}

D3DMATRIX D3DXMatrixRotationAxis(const D3DVECTOR& axis, float angle) {
  const D3DVECTOR n = vec::Normalize(axis);
  if (n.x == 0 && n.y == 0 && n.z == 0) return D3DXMatrixIdentity();
  const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
  D3DMATRIX m = D3DXMatrixIdentity();
  m.m[0][0] = t * n.x * n.x + c;
  m.m[0][1] = t * n.x * n.y + s * n.z;
  m.m[0][2] = t * n.x * n.z - s * n.y;
  m.m[1][0] = t * n.x * n.y - s * n.z;
  m.m[1][1] = t * n.y * n.y + c;
  m.m[1][2] = t * n.y * n.z + s * n.x;
  m.m[2][0] = t * n.x * n.z + s * n.y;
  m.m[2][1] = t * n.y * n.z - s * n.x;
  m.m[2][2] = t * n.z * n.z + c;
  return m;
}

D3DMATRIX D3DXMatrixRotationX(float angle) { return D3DXMatrixRotationAxis({1, 0, 0}, angle); }
D3DMATRIX D3DXMatrixRotationY(float angle) { return D3DXMatrixRotationAxis({0, 1, 0}, angle); }
D3DMATRIX D3DXMatrixRotationZ(float angle) { return D3DXMatrixRotationAxis({0, 0, 1}, angle); }

D3DMATRIX D3DXMatrixRotationQuaternion(const D3DQUATERNION& q) {
  const float x = q.x, y = q.y, z = q.z, w = q.w;
  D3DMATRIX m = D3DXMatrixIdentity();
  m.m[0][0] = 1 - 2 * (y * y + z * z);
  m.m[0][1] = 2 * (x * y + z * w);
  m.m[0][2] = 2 * (x * z - y * w);
  m.m[1][0] = 2 * (x * y - z * w);
  m.m[1][1] = 1 - 2 * (x * x + z * z);
  m.m[1][2] = 2 * (y * z + x * w);
  m.m[2][0] = 2 * (x * z + y * w);
  m.m[2][1] = 2 * (y * z - x * w);
  m.m[2][2] = 1 - 2 * (x * x + y * y);
  return m;
}

D3DMATRIX D3DXMatrixAffineTransformation(float scaling, const D3DVECTOR& c, const D3DQUATERNION& q,
                                         const D3DVECTOR& p) {
  D3DMATRIX m = D3DXMatrixScaling(scaling, scaling, scaling);
  m = D3DXMatrixMultiply(m, D3DXMatrixTranslation(-c.x, -c.y, -c.z));
  m = D3DXMatrixMultiply(m, D3DXMatrixRotationQuaternion(q));
  m = D3DXMatrixMultiply(m, D3DXMatrixTranslation(c.x, c.y, c.z));
  return D3DXMatrixMultiply(m, D3DXMatrixTranslation(p.x, p.y, p.z));
}

D3DMATRIX D3DXMatrixLookAtLH(const D3DVECTOR& eye, const D3DVECTOR& at, const D3DVECTOR& up) {
  const D3DVECTOR z = vec::Normalize(vec::Sub(at, eye));
  const D3DVECTOR x = vec::Normalize(vec::Cross(up, z));
  const D3DVECTOR y = vec::Cross(z, x);
  D3DMATRIX m = D3DXMatrixIdentity();
  m.m[0][0] = x.x; m.m[0][1] = y.x; m.m[0][2] = z.x;
  m.m[1][0] = x.y; m.m[1][1] = y.y; m.m[1][2] = z.y;
  m.m[2][0] = x.z; m.m[2][1] = y.z; m.m[2][2] = z.z;
  m.m[3][0] = -vec::Dot(x, eye);
  m.m[3][1] = -vec::Dot(y, eye);
  m.m[3][2] = -vec::Dot(z, eye);
  return m;
}

D3DMATRIX D3DXMatrixPerspectiveFovLH(float fovY, float aspect, float zn, float zf) {
  const float yScale = 1.0f / std::tan(fovY / 2);
  D3DMATRIX m{};
  m.m[0][0] = yScale / aspect;
  m.m[1][1] = yScale;
  m.m[2][2] = zf / (zf - zn);
  m.m[2][3] = 1.0f;
  m.m[3][2] = -zn * zf / (zf - zn);
  return m;
}

D3DQUATERNION D3DXQuaternionIdentity() { return {0, 0, 0, 1}; }

D3DQUATERNION D3DXQuaternionRotationAxis(const D3DVECTOR& axis, float angle) {
  const D3DVECTOR n = vec::Normalize(axis);
  if (n.x == 0 && n.y == 0 && n.z == 0) return D3DXQuaternionIdentity();
  const float s = std::sin(angle / 2);
  return {n.x * s, n.y * s, n.z * s, std::cos(angle / 2)};
}

D3DQUATERNION D3DXQuaternionMultiply(const D3DQUATERNION& a, const D3DQUATERNION& b) {
  // Hamilton product b a: with this library's matrix of a quaternion, that
  // is the rotation a followed by b.
  return {b.w * a.x + b.x * a.w + b.y * a.z - b.z * a.y,
          b.w * a.y - b.x * a.z + b.y * a.w + b.z * a.x,
          b.w * a.z + b.x * a.y - b.y * a.x + b.z * a.w,
          b.w * a.w - b.x * a.x - b.y * a.y - b.z * a.z};
}

D3DQUATERNION D3DXQuaternionRotationYawPitchRoll(float yaw, float pitch, float roll) {
  const D3DQUATERNION r = D3DXQuaternionRotationAxis({0, 0, 1}, roll);
  const D3DQUATERNION p = D3DXQuaternionRotationAxis({1, 0, 0}, pitch);
  const D3DQUATERNION y = D3DXQuaternionRotationAxis({0, 1, 0}, yaw);
  return D3DXQuaternionMultiply(D3DXQuaternionMultiply(r, p), y);
}

D3DQUATERNION D3DXQuaternionNormalize(const D3DQUATERNION& q) {
  const float len = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
  if (len == 0.0f) return {0, 0, 0, 0};
  return {q.x / len, q.y / len, q.z / len, q.w / len};
}

D3DVECTOR D3DXVec3Add(const D3DVECTOR& a, const D3DVECTOR& b) { return vec::Add(a, b); }
D3DVECTOR D3DXVec3Subtract(const D3DVECTOR& a, const D3DVECTOR& b) { return vec::Sub(a, b); }
D3DVECTOR D3DXVec3Scale(const D3DVECTOR& v, float s) { return vec::Scale(v, s); }
float D3DXVec3Dot(const D3DVECTOR& a, const D3DVECTOR& b) { return vec::Dot(a, b); }
D3DVECTOR D3DXVec3Cross(const D3DVECTOR& a, const D3DVECTOR& b) { return vec::Cross(a, b); }
float D3DXVec3Length(const D3DVECTOR& v) { return vec::Length(v); }
D3DVECTOR D3DXVec3Normalize(const D3DVECTOR& v) { return vec::Normalize(v); }

D3DVECTOR D3DXVec3Lerp(const D3DVECTOR& a, const D3DVECTOR& b, float s) {
  return {a.x + s * (b.x - a.x), a.y + s * (b.y - a.y), a.z + s * (b.z - a.z)};
}

D3DVECTOR D3DXVec3TransformCoord(const D3DVECTOR& v, const D3DMATRIX& m) {
  const float x = v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0];
  const float y = v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1];
  const float z = v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2];
  const float w = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3];
  return {x / w, y / w, z / w};
}

D3DVECTOR D3DXVec3TransformNormal(const D3DVECTOR& v, const D3DMATRIX& m) {
  return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
          v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
          v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

namespace {

// Sizes that would divide by zero count as 1 (an empty viewport has no
// pixels to map anyway).
float NonZero(float v) { return v == 0.0f ? 1.0f : v; }

}  // namespace

D3DVECTOR D3DXVec3Project(const D3DVECTOR& v, const D3DVIEWPORT& vp, const D3DMATRIX& proj,
                          const D3DMATRIX& view, const D3DMATRIX& world) {
  const D3DMATRIX wvp = D3DXMatrixMultiply(D3DXMatrixMultiply(world, view), proj);
  const D3DVECTOR n = D3DXVec3TransformCoord(v, wvp);
  return {float(vp.X) + (1.0f + n.x) * float(vp.Width) / 2,
          float(vp.Y) + (1.0f - n.y) * float(vp.Height) / 2,
          vp.MinZ + n.z * (vp.MaxZ - vp.MinZ)};
}

D3DMATRIX UnprojectMatrix(const D3DVIEWPORT& vp, const D3DMATRIX& proj, const D3DMATRIX& view,
                          const D3DMATRIX& world) {
  // Window coordinates back to normalised device coordinates...
  const float w = NonZero(float(vp.Width)), h = NonZero(float(vp.Height));
  const float depth = NonZero(vp.MaxZ - vp.MinZ);
  D3DMATRIX toNdc{};
  toNdc.m[0][0] = 2.0f / w;
  toNdc.m[1][1] = -2.0f / h;
  toNdc.m[2][2] = 1.0f / depth;
  toNdc.m[3][0] = -2.0f * float(vp.X) / w - 1.0f;
  toNdc.m[3][1] = 2.0f * float(vp.Y) / h + 1.0f;
  toNdc.m[3][2] = -vp.MinZ / depth;
  toNdc.m[3][3] = 1.0f;
  // ...then back through projection, view and world.
  const D3DMATRIX wvp = D3DXMatrixMultiply(D3DXMatrixMultiply(world, view), proj);
  return D3DXMatrixMultiply(toNdc, D3DXMatrixInverse(wvp));
}

D3DVECTOR D3DXVec3Unproject(const D3DVECTOR& v, const D3DVIEWPORT& vp, const D3DMATRIX& proj,
                            const D3DMATRIX& view, const D3DMATRIX& world) {
  return D3DXVec3TransformCoord(v, UnprojectMatrix(vp, proj, view, world));
}

}  // namespace rp
