// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Comparisons of matrices and vectors with a tolerance, for the scene tests.

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "scene/GraphicsTypes.h"

namespace rp::testing_util {

// m[i][j] compared element by element (i the glm column).
inline ::testing::AssertionResult MatrixNear(const glm::mat4& a, const glm::mat4& b, float tol = 1e-5f) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (std::abs(a[r][c] - b[r][c]) > tol)
        return ::testing::AssertionFailure() << "[" << r << "][" << c << "]: " << a[r][c] << " vs " << b[r][c];
  return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult VectorNear(const glm::vec3& a, const glm::vec3& b, float tol = 1e-5f) {
  if (std::abs(a.x - b.x) > tol || std::abs(a.y - b.y) > tol || std::abs(a.z - b.z) > tol)
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") vs (" << b.x << ", " << b.y
                                         << ", " << b.z << ")";
  return ::testing::AssertionSuccess();
}

// Sixteen numbers in memory order: four per glm column, which is the order
// the scene's row-vector formulas list them in (translation last).
inline glm::mat4 Rows(std::initializer_list<float> v) {
  glm::mat4 m(0.0f);
  int i = 0;
  for (float x : v) m[i / 4][i % 4] = x, ++i;
  return m;
}

}  // namespace rp::testing_util
