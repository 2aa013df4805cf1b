// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "MatrixTestUtil.h"
#include "scene/SceneMath.h"

namespace rp {
namespace {

using testing_util::MatrixNear;
using testing_util::Rows;
using testing_util::VectorNear;

constexpr float kPi = std::numbers::pi_v<float>;

bool IsIdentity(const glm::mat4& m) { return m == glm::mat4(1.0f); }

TEST(SceneMath, LeftHandedTurnsAndThenOrder) {
  // A quarter turn about +y takes +x to -z (clockwise seen from +y).
  EXPECT_TRUE(MatrixNear(RotationMatrix({0, 1, 0}, kPi / 2), Rows({0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1})));
  EXPECT_TRUE(VectorNear(TransformPoint({1, 0, 0}, RotationMatrix({0, 1, 0}, kPi / 2)), {0, 0, -1}));
  // A quarter turn about +x takes +y to +z; about +z takes +x to +y.
  EXPECT_TRUE(VectorNear(TransformPoint({0, 1, 0}, RotationMatrix({1, 0, 0}, kPi / 2)), {0, 0, 1}));
  EXPECT_TRUE(VectorNear(TransformPoint({1, 0, 0}, RotationMatrix({0, 0, 1}, kPi / 2)), {0, 1, 0}));
  // The axis is normalised; a zero axis is no rotation at all.
  EXPECT_TRUE(MatrixNear(RotationMatrix({0, 5, 0}, 0.3f), RotationMatrix({0, 1, 0}, 0.3f)));
  EXPECT_TRUE(IsIdentity(RotationMatrix({0, 0, 0}, 1.0f)));

  EXPECT_TRUE(MatrixNear(TranslationMatrix({1, 2, 3}), Rows({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1})));
  EXPECT_TRUE(MatrixNear(ScalingMatrix(2, 3, 4), Rows({2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1})));
  // "Translate, then turn" is turn * translate: the origin goes to (0, 0, -1).
  const glm::mat4 tr = RotationMatrix({0, 1, 0}, kPi / 2) * TranslationMatrix({1, 0, 0});
  EXPECT_TRUE(VectorNear(TransformPoint({0, 0, 0}, tr), {0, 0, -1}));
  EXPECT_TRUE(MatrixNear(tr, Rows({0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, -1, 1})));
  // Directions ignore the translation.
  EXPECT_TRUE(VectorNear(TransformDirection({1, 0, 0}, tr), {0, 0, -1}));
  EXPECT_TRUE(VectorNear(NormalizeOrZero({3, 0, 4}), {0.6f, 0, 0.8f}));
  EXPECT_TRUE(VectorNear(NormalizeOrZero({0, 0, 0}), {0, 0, 0}));
}

TEST(SceneMath, GlmProductAddsInTheOrderOfTheRowVectorFormula) {
  // The drawn pictures depend on the last bit: B * A must be exactly
  // sum over k of a[r][k] * b[k][c], added k = 0, 1, 2, 3.
  const glm::mat4 a = AffineTransformation(1.7f, {0.3f, -1, 2}, QuatFromAxisAngle({1, 2, 3}, 0.9f), {4, 5, 6});
  const glm::mat4 b = PerspectiveFovLH(0.7f, 1.37f, 1, 3000) * LookAtLH({0, 5, -20}, {0, 0, 0}, {0, 1, 0});
  const glm::mat4 product = b * a;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      EXPECT_EQ(product[r][c], a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c] + a[r][3] * b[3][c]);
}

TEST(SceneMath, InverseIncludingSingularMatrices) {
  const glm::mat4 m = TranslationMatrix({4, -5, 6}) * (RotationMatrix({1, 2, 3}, 0.7f) * ScalingMatrix(2, 0.5f, 3));
  EXPECT_TRUE(MatrixNear(InverseOrZero(m) * m, glm::mat4(1.0f)));
  EXPECT_TRUE(MatrixNear(InverseOrZero(TranslationMatrix({1, 2, 3})), TranslationMatrix({-1, -2, -3})));
  // A node scaled to 0 has no inverse: all zero.
  EXPECT_TRUE(MatrixNear(InverseOrZero(ScalingMatrix(0, 0, 0)), glm::mat4(0.0f), 0));
}

TEST(SceneMath, QuaternionsAgreeWithMatrices) {
  const glm::quat q = QuatFromAxisAngle({0, 2, 0}, kPi / 2);
  EXPECT_NEAR(q.y, std::sin(kPi / 4), 1e-6f);
  EXPECT_NEAR(q.w, std::cos(kPi / 4), 1e-6f);
  EXPECT_EQ(q.x, 0.0f);
  const glm::vec3 axis{1, -2, 0.5f};
  EXPECT_TRUE(MatrixNear(RotationMatrix(QuatFromAxisAngle(axis, 1.1f)), RotationMatrix(axis, 1.1f)));
  EXPECT_TRUE(IsIdentity(RotationMatrix(glm::quat(1, 0, 0, 0))));

  // QuatThen(a, b) is a followed by b.
  const glm::quat a = QuatFromAxisAngle({1, 0, 0}, 0.4f);
  const glm::quat b = QuatFromAxisAngle({0, 1, 1}, -1.3f);
  EXPECT_TRUE(MatrixNear(RotationMatrix(QuatThen(a, b)), RotationMatrix(b) * RotationMatrix(a)));
  // Yaw-pitch-roll: roll about z, then pitch about x, then yaw about y.
  const glm::mat4 ypr = RotationMatrix(QuatFromYawPitchRoll(0.5f, -0.3f, 0.2f));
  EXPECT_TRUE(MatrixNear(
      ypr, RotationMatrix({0, 1, 0}, 0.5f) * RotationMatrix({1, 0, 0}, -0.3f) * RotationMatrix({0, 0, 1}, 0.2f)));
  // Affine transformation: scale, rotate about the centre, move.
  const glm::mat4 af = AffineTransformation(2, {1, 0, 0}, QuatFromAxisAngle({0, 1, 0}, kPi), {0, 0, 3});
  EXPECT_TRUE(VectorNear(TransformPoint({0.5f, 0, 0}, af), {1, 0, 3}));
  EXPECT_TRUE(VectorNear(TransformPoint({0, 0, 0}, af), {2, 0, 3}));

  // Degrees with pi itself: 180 is a half turn.
  const glm::quat half = QuatFromAxisDegrees(1, 0, 0, 180);
  EXPECT_FLOAT_EQ(half.x, 1.0f);
  EXPECT_NEAR(half.w, 0.0f, 1e-7f);
  const glm::quat tilted = QuatFromAxisDegrees(0, 3, 4, 90);
  EXPECT_NEAR(tilted.y, 0.6f * std::sin(kPi / 4.0f), 1e-6);
  EXPECT_NEAR(tilted.z, 0.8f * std::sin(kPi / 4.0f), 1e-6);
  const glm::quat none = QuatFromAxisDegrees(0, 0, 0, 90);
  EXPECT_EQ(none.x, 0.0f);
  EXPECT_FALSE(std::isnan(none.w));
}

TEST(SceneMath, CameraProjectionProjectAndUnproject) {
  // The eye on the -z axis looking at the origin: only a shift along z.
  EXPECT_TRUE(MatrixNear(LookAtLH({0, 0, -20}, {0, 0, 0}, {0, 1, 0}), TranslationMatrix({0, 0, 20})));
  const glm::mat4 view = LookAtLH({0, 5, -20}, {0, 0, 0}, {0, 1, 0});
  EXPECT_TRUE(VectorNear(TransformPoint({0, 5, -20}, view), {0, 0, 0}, 1e-4f));
  EXPECT_TRUE(VectorNear(TransformPoint({0, 0, 0}, view), {0, 0, std::sqrt(425.0f)}, 1e-4f));
  EXPECT_TRUE(VectorNear(TransformDirection({1, 0, 0}, view), {1, 0, 0}));

  const glm::mat4 proj = PerspectiveFovLH(kPi / 2, 2.0f, 1, 3000);
  EXPECT_TRUE(MatrixNear(proj, Rows({0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 3000.0f / 2999, 1, 0, 0, -3000.0f / 2999, 0})));
  // Division by w: near plane to depth 0, far plane to depth 1.
  EXPECT_NEAR(TransformPoint({0, 0, 1}, proj).z, 0.0f, 1e-6f);
  EXPECT_NEAR(TransformPoint({0, 0, 3000}, proj).z, 1.0f, 1e-6f);
  EXPECT_TRUE(VectorNear(TransformPoint({2, 1, 1}, proj), {1, 1, 0}));

  const Viewport vp{10, 20, 606, 443, 0, 1};
  const glm::mat4 p2 = PerspectiveFovLH(kPi / 4, 606.0f / 443, 1, 3000);
  const glm::mat4 world = RotationMatrix({0, 1, 0}, 0.3f) * ScalingMatrix(2, 2, 2);
  // The look-at point lands in the viewport's centre.
  const glm::vec3 centre = ProjectToWindow({0, 0, 0}, vp, p2, view, glm::mat4(1.0f));
  EXPECT_NEAR(centre.x, 10 + 303.0f, 1e-3f);
  EXPECT_NEAR(centre.y, 20 + 221.5f, 1e-3f);
  // A point above the centre appears higher (smaller y) on screen.
  EXPECT_LT(ProjectToWindow({0, 1, 0}, vp, p2, view, glm::mat4(1.0f)).y, centre.y);
  const glm::vec3 pt{1.5f, -0.5f, 2.0f};
  const glm::vec3 win = ProjectToWindow(pt, vp, p2, view, world);
  EXPECT_TRUE(VectorNear(TransformPoint(win, UnprojectMatrix(vp, p2, view, world)), pt, 1e-3f));
}

}  // namespace
}  // namespace rp
