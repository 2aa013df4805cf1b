// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "stats/PoincareDescriptors.h"
#include "stats/PoincareEllipse.h"

namespace rp {
namespace {

TEST(PoincareEllipse, AxesAreTheDescriptorsAlongTheDiagonals) {
  const std::vector<double> x{510, 480, 530, 470, 560, 440, 520, 505, 495, 600, 450};
  const std::int32_t delay = 2;

  const std::vector<PlanePoint> points = ReturnMapPoints(x, delay);
  ASSERT_EQ(points.size(), x.size() - 2);
  EXPECT_EQ(points[3].x, 470);
  EXPECT_EQ(points[3].y, 440);

  const std::optional<PoincareEllipse> ellipse = PoincareEllipseOf(x, delay);
  ASSERT_TRUE(ellipse);
  const PoincareDescriptors descriptors = DescribeReturnMap(x, delay);
  EXPECT_DOUBLE_EQ(ellipse->sd1, *descriptors.sd1);
  EXPECT_DOUBLE_EQ(ellipse->sd2, *descriptors.sd2);
  double meanX = 0;
  double meanY = 0;
  for (const PlanePoint& p : points) {
    meanX += p.x / static_cast<double>(points.size());
    meanY += p.y / static_cast<double>(points.size());
  }
  EXPECT_NEAR(ellipse->centre.x, meanX, 1e-9);
  EXPECT_NEAR(ellipse->centre.y, meanY, 1e-9);

  // Seen from the centre, the outline reaches sd2 along the identity line
  // and sd1 across it, and lies on the ellipse everywhere.
  double along = 0;
  double across = 0;
  for (const PlanePoint& p : EllipseOutline(*ellipse, 64)) {
    const double u = (p.x - ellipse->centre.x + p.y - ellipse->centre.y) / std::numbers::sqrt2;
    const double v = (p.y - ellipse->centre.y - (p.x - ellipse->centre.x)) / std::numbers::sqrt2;
    along = std::max(along, std::abs(u));
    across = std::max(across, std::abs(v));
    EXPECT_NEAR(u * u / (ellipse->sd2 * ellipse->sd2) + v * v / (ellipse->sd1 * ellipse->sd1), 1.0, 1e-9);
  }
  EXPECT_NEAR(along, ellipse->sd2, 1e-9);
  EXPECT_NEAR(across, ellipse->sd1, 1e-9);
}

TEST(PoincareEllipse, TooFewValuesGiveNoEllipse) {
  const std::vector<double> x{500, 520, 480};
  EXPECT_EQ(ReturnMapPoints(x, 2).size(), 1U);
  EXPECT_FALSE(PoincareEllipseOf(x, 2));
  EXPECT_TRUE(ReturnMapPoints(x, 3).empty());
  EXPECT_TRUE(ReturnMapPoints(x, 0).empty());
}

}  // namespace
}  // namespace rp
