#include <gtest/gtest.h>

#include <cmath>

#include "MatrixTestUtil.h"
#include "scene/D3DMath.h"

namespace rp {
namespace {

using testing_util::MatrixNear;
using testing_util::Rows;
using testing_util::VectorNear;

constexpr float kPi = 3.14159265358979f;

TEST(D3DMath, RowVectorConventionAndBasicMatrices) {
  // A quarter turn about +y takes +x to -z (left-handed, clockwise seen from +y).
  EXPECT_TRUE(MatrixNear(D3DXMatrixRotationY(kPi / 2),
                         Rows({0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1})));
  EXPECT_TRUE(VectorNear(D3DXVec3TransformCoord({1, 0, 0}, D3DXMatrixRotationY(kPi / 2)), {0, 0, -1}));
  // A quarter turn about +x takes +y to +z; about +z takes +x to +y.
  EXPECT_TRUE(VectorNear(D3DXVec3TransformCoord({0, 1, 0}, D3DXMatrixRotationX(kPi / 2)), {0, 0, 1}));
  EXPECT_TRUE(VectorNear(D3DXVec3TransformCoord({1, 0, 0}, D3DXMatrixRotationZ(kPi / 2)), {0, 1, 0}));
  // The axis is normalised; a zero axis is no rotation at all.
  EXPECT_TRUE(MatrixNear(D3DXMatrixRotationAxis({0, 5, 0}, 0.3f), D3DXMatrixRotationY(0.3f)));
  EXPECT_TRUE(D3DXMatrixIsIdentity(D3DXMatrixRotationAxis({0, 0, 0}, 1.0f)));

  EXPECT_TRUE(MatrixNear(D3DXMatrixTranslation(1, 2, 3),
                         Rows({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1})));
  EXPECT_TRUE(MatrixNear(D3DXMatrixScaling(2, 3, 4),
                         Rows({2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1})));
  // A x B applies A first: translate then turn moves the origin to (0, 0, -1).
  const D3DMATRIX tr = D3DXMatrixMultiply(D3DXMatrixTranslation(1, 0, 0), D3DXMatrixRotationY(kPi / 2));
  EXPECT_TRUE(VectorNear(D3DXVec3TransformCoord({0, 0, 0}, tr), {0, 0, -1}));
  EXPECT_TRUE(MatrixNear(tr, Rows({0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, -1, 1})));
  // Directions ignore the translation.
  EXPECT_TRUE(VectorNear(D3DXVec3TransformNormal({1, 0, 0}, tr), {0, 0, -1}));
  EXPECT_TRUE(VectorNear(D3DXVec3Lerp({0, 0, 0}, {2, 4, 6}, 0.25f), {0.5f, 1, 1.5f}));
  EXPECT_TRUE(VectorNear(D3DXVec3Normalize({3, 0, 4}), {0.6f, 0, 0.8f}));
  EXPECT_TRUE(VectorNear(D3DXVec3Normalize({0, 0, 0}), {0, 0, 0}));
}

TEST(D3DMath, InverseIncludingSingularMatrices) {
  const D3DMATRIX m = D3DXMatrixMultiply(
      D3DXMatrixMultiply(D3DXMatrixScaling(2, 0.5f, 3), D3DXMatrixRotationAxis({1, 2, 3}, 0.7f)),
      D3DXMatrixTranslation(4, -5, 6));
  float det = 0;
  const D3DMATRIX inv = D3DXMatrixInverse(m, &det);
  EXPECT_NEAR(det, 3.0f, 1e-4f);
  EXPECT_TRUE(MatrixNear(D3DXMatrixMultiply(m, inv), D3DXMatrixIdentity()));
  EXPECT_TRUE(MatrixNear(D3DXMatrixInverse(D3DXMatrixTranslation(1, 2, 3)), D3DXMatrixTranslation(-1, -2, -3)));
  // A frame scaled to 0 has no inverse: all zero, determinant 0.
  const D3DMATRIX none = D3DXMatrixInverse(D3DXMatrixScaling(0, 0, 0), &det);
  EXPECT_EQ(det, 0.0f);
  EXPECT_TRUE(MatrixNear(none, D3DMATRIX{}, 0));
}

TEST(D3DMath, QuaternionsAgreeWithMatrices) {
  const D3DQUATERNION q = D3DXQuaternionRotationAxis({0, 2, 0}, kPi / 2);
  EXPECT_NEAR(q.y, std::sin(kPi / 4), 1e-6f);
  EXPECT_NEAR(q.w, std::cos(kPi / 4), 1e-6f);
  EXPECT_EQ(q.x, 0.0f);
  const D3DVECTOR axis{1, -2, 0.5f};
  EXPECT_TRUE(MatrixNear(D3DXMatrixRotationQuaternion(D3DXQuaternionRotationAxis(axis, 1.1f)),
                         D3DXMatrixRotationAxis(axis, 1.1f)));
  const D3DQUATERNION id = D3DXQuaternionIdentity();
  EXPECT_TRUE(D3DXMatrixIsIdentity(D3DXMatrixRotationQuaternion(id)));

  // Multiply(a, b) is a followed by b.
  const D3DQUATERNION a = D3DXQuaternionRotationAxis({1, 0, 0}, 0.4f);
  const D3DQUATERNION b = D3DXQuaternionRotationAxis({0, 1, 1}, -1.3f);
  EXPECT_TRUE(MatrixNear(D3DXMatrixRotationQuaternion(D3DXQuaternionMultiply(a, b)),
                         D3DXMatrixMultiply(D3DXMatrixRotationQuaternion(a), D3DXMatrixRotationQuaternion(b))));
  // Yaw-pitch-roll: roll about z, then pitch about x, then yaw about y.
  const D3DMATRIX ypr = D3DXMatrixRotationQuaternion(D3DXQuaternionRotationYawPitchRoll(0.5f, -0.3f, 0.2f));
  EXPECT_TRUE(MatrixNear(ypr, D3DXMatrixMultiply(D3DXMatrixMultiply(D3DXMatrixRotationZ(0.2f),
                                                                    D3DXMatrixRotationX(-0.3f)),
                                                 D3DXMatrixRotationY(0.5f))));
  // Affine transformation: scale, rotate about the centre, move.
  const D3DMATRIX af = D3DXMatrixAffineTransformation(
      2, {1, 0, 0}, D3DXQuaternionRotationAxis({0, 1, 0}, kPi), {0, 0, 3});
  EXPECT_TRUE(VectorNear(D3DXVec3TransformCoord({0.5f, 0, 0}, af), {1, 0, 3}));
  EXPECT_TRUE(VectorNear(D3DXVec3TransformCoord({0, 0, 0}, af), {2, 0, 3}));
}

TEST(D3DMath, CameraProjectionProjectAndUnproject) {
  // The eye on the -z axis looking at the origin: only a shift along z.
  EXPECT_TRUE(MatrixNear(D3DXMatrixLookAtLH({0, 0, -20}, {0, 0, 0}, {0, 1, 0}), D3DXMatrixTranslation(0, 0, 20)));
  const D3DMATRIX view = D3DXMatrixLookAtLH({0, 5, -20}, {0, 0, 0}, {0, 1, 0});
  EXPECT_TRUE(VectorNear(D3DXVec3TransformCoord({0, 5, -20}, view), {0, 0, 0}, 1e-4f));
  EXPECT_TRUE(VectorNear(D3DXVec3TransformCoord({0, 0, 0}, view), {0, 0, std::sqrt(425.0f)}, 1e-4f));
  EXPECT_TRUE(VectorNear(D3DXVec3TransformNormal({1, 0, 0}, view), {1, 0, 0}));

  const D3DMATRIX proj = D3DXMatrixPerspectiveFovLH(kPi / 2, 2.0f, 1, 3000);
  EXPECT_TRUE(MatrixNear(proj, Rows({0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 3000.0f / 2999, 1, 0, 0,
                                     -3000.0f / 2999, 0})));
  // Division by w: near plane to depth 0, far plane to depth 1.
  EXPECT_NEAR(D3DXVec3TransformCoord({0, 0, 1}, proj).z, 0.0f, 1e-6f);
  EXPECT_NEAR(D3DXVec3TransformCoord({0, 0, 3000}, proj).z, 1.0f, 1e-6f);
  EXPECT_TRUE(VectorNear(D3DXVec3TransformCoord({2, 1, 1}, proj), {1, 1, 0}));

  const D3DVIEWPORT vp{10, 20, 606, 443, 0, 1};
  const D3DMATRIX p2 = D3DXMatrixPerspectiveFovLH(3.1415f / 4, 606.0f / 443, 1, 3000);
  const D3DMATRIX world = D3DXMatrixMultiply(D3DXMatrixScaling(2, 2, 2), D3DXMatrixRotationY(0.3f));
  // The look-at point lands in the viewport's centre.
  const D3DVECTOR centre = D3DXVec3Project({0, 0, 0}, vp, p2, view, D3DXMatrixIdentity());
  EXPECT_NEAR(centre.x, 10 + 303.0f, 1e-3f);
  EXPECT_NEAR(centre.y, 20 + 221.5f, 1e-3f);
  // A point above the centre appears higher (smaller y) on screen.
  EXPECT_LT(D3DXVec3Project({0, 1, 0}, vp, p2, view, D3DXMatrixIdentity()).y, centre.y);
  const D3DVECTOR pt{1.5f, -0.5f, 2.0f};
  const D3DVECTOR win = D3DXVec3Project(pt, vp, p2, view, world);
  EXPECT_TRUE(VectorNear(D3DXVec3Unproject(win, vp, p2, view, world), pt, 1e-3f));
}

}  // namespace
}  // namespace rp
