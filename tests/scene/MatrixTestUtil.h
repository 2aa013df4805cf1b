#pragma once
// Comparisons of matrices and vectors with a tolerance, for the scene tests.

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "platform/GraphicsTypes.h"

namespace rp::testing_util {

inline ::testing::AssertionResult MatrixNear(const D3DMATRIX& a, const D3DMATRIX& b, float tol = 1e-5f) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (std::abs(a.m[r][c] - b.m[r][c]) > tol)
        return ::testing::AssertionFailure()
               << "m" << r + 1 << c + 1 << ": " << a.m[r][c] << " vs " << b.m[r][c];
  return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult VectorNear(const D3DVECTOR& a, const D3DVECTOR& b, float tol = 1e-5f) {
  if (std::abs(a.x - b.x) > tol || std::abs(a.y - b.y) > tol || std::abs(a.z - b.z) > tol)
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") vs (" << b.x
                                         << ", " << b.y << ", " << b.z << ")";
  return ::testing::AssertionSuccess();
}

inline D3DMATRIX Rows(std::initializer_list<float> v) {
  D3DMATRIX m{};
  int i = 0;
  for (float x : v) m.m[i / 4][i % 4] = x, ++i;
  return m;
}

}  // namespace rp::testing_util
