// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/PoincareEllipse.h"

#include <cmath>
#include <cstddef>
#include <numbers>

#include "stats/MeanAndSd.h"
#include "stats/PoincareDescriptors.h"

namespace rp {

std::vector<PlanePoint> ReturnMapPoints(std::span<const double> x, std::int32_t delay) {
  std::vector<PlanePoint> points;
  const auto d = static_cast<std::size_t>(delay);
  if (delay < 1 || x.size() <= d) return points;
  points.reserve(x.size() - d);
  for (std::size_t k = 0; k + d < x.size(); ++k) points.push_back({x[k], x[k + d]});
  return points;
}

std::optional<PoincareEllipse> PoincareEllipseOf(std::span<const double> x, std::int32_t delay) {
  const PoincareDescriptors descriptors = DescribeReturnMap(x, delay);
  if (!descriptors.sd1 || !descriptors.sd2) return std::nullopt;
  const auto d = static_cast<std::size_t>(delay);
  const std::size_t pairs = x.size() - d;
  PoincareEllipse ellipse;
  ellipse.centre.x = MeanAndSampleSd(pairs, [&](std::size_t k) { return x[k]; }).mean;
  ellipse.centre.y = MeanAndSampleSd(pairs, [&](std::size_t k) { return x[k + d]; }).mean;
  ellipse.sd1 = *descriptors.sd1;
  ellipse.sd2 = *descriptors.sd2;
  return ellipse;
}

std::vector<PlanePoint> EllipseOutline(const PoincareEllipse& ellipse, std::size_t count) {
  std::vector<PlanePoint> outline;
  outline.reserve(count);
  const double diagonal = 1.0 / std::numbers::sqrt2;
  for (std::size_t i = 0; i < count; ++i) {
    const double angle = 2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(count);
    const double along = ellipse.sd2 * std::cos(angle);
    const double across = ellipse.sd1 * std::sin(angle);
    outline.push_back({ellipse.centre.x + diagonal * (along - across), ellipse.centre.y + diagonal * (along + across)});
  }
  return outline;
}

}  // namespace rp
