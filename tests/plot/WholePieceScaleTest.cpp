// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/DescribeFrame.h"
#include "plot/FullViewScale.h"
#include "plot/PerformancePoints.h"
#include "plot/PlotScaling.h"
#include "plot/RobustRange.h"
#include "plot/ViewState.h"
#include "support/LongPerformance.h"
#include "support/ScriptedDialogs.h"

namespace rp {
namespace {

struct FullView {
  ViewState s;
  ScriptedDialogs dialogs;
  Performance performance;

  explicit FullView(Performance p) : performance(std::move(p)) {}
  SceneDescription Show() {
    FillAllEventPoints(s, dialogs, performance);
    ScaleFullView(s, performance);
    return DescribeFrame(s);
  }
};

bool InsideCube(const glm::vec3& c) {
  return std::abs(c.x) <= kAxisExtent && c.y >= 0.0f && c.y <= 2 * kAxisExtent && std::abs(c.z) <= kAxisExtent;
}

TEST(WholePieceScale, PercentilesByNearestRankWidenedOrMinToMaxForFewValues) {
  std::vector<double> few = {3, 1, kUndefinedValue, 2.5};
  const ValueRange small = RobustRange(few).value();
  EXPECT_EQ(small.low, 1);
  EXPECT_EQ(small.high, 3);

  std::vector<double> many;
  for (int v = 200; v >= 1; --v) many.push_back(v);
  many.push_back(1e6);  // 201 values: P1 is rank 3, P99 rank 199
  const ValueRange range = RobustRange(many).value();
  EXPECT_DOUBLE_EQ(range.low, 3 - 0.05 * 196);
  EXPECT_DOUBLE_EQ(range.high, 199 + 0.05 * 196);

  std::vector<double> none = {kUndefinedValue};
  EXPECT_FALSE(RobustRange(none));
}

// 500 steady intervals around 500 ms and one pause of 30 s: the pause's
// points stand clipped on the high faces, the rest fill the cube.
TEST(WholePieceScale, APauseIsClippedToAFaceAndTheRestFillsTheCube) {
  std::vector<double> intervals;
  for (int k = 1; k <= 500; ++k) intervals.push_back(500 + 25 * std::sin(k));
  intervals.insert(intervals.begin() + 250, 30000.0);
  FullView v(testing::PerformanceOfIntervals(intervals));
  const SceneDescription scene = v.Show();

  glm::vec3 low(1e9f), high(-1e9f);
  int clipped = 0;
  for (const SphereInstance& sphere : scene.spheres) {
    if (sphere.radius == 0.0f) continue;
    const DataEntry& p = v.s.points.Item(sphere.point.position);
    const bool pause = p.dataX == 30000 || p.dataY == 30000 || p.dataZ == 30000;
    EXPECT_EQ(sphere.clipped, pause) << "event index " << v.s.pointEvents[sphere.point.position].value_or(-1);
    EXPECT_TRUE(InsideCube(sphere.centre));
    if (pause) {
      ++clipped;
      const glm::vec3 c = sphere.centre;
      EXPECT_TRUE(c.x == kAxisExtent || c.y == 2 * kAxisExtent || c.z == kAxisExtent) << "on a face";
      continue;
    }
    low = glm::min(low, sphere.centre);
    high = glm::max(high, sphere.centre);
  }
  EXPECT_EQ(clipped, 3);
  const glm::vec3 span = high - low;
  for (const float edge : {span.x, span.y, span.z}) EXPECT_GE(edge, 0.8f * 2 * kAxisExtent);
  const DataEntry& pause = v.s.points.Item(248);
  EXPECT_EQ(std::max({pause.dataX, pause.dataY, pause.dataZ}), 30000) << "the true value is kept for the hover label";
}

// A whole piece of 7,562 events: one sphere for every point whose values
// are all defined, each inside the cube, in one scale for every event.
TEST(WholePieceScale, EveryDefinedPointOfALongPieceIsASphereInsideTheCube) {
  FullView v(testing::PerformanceOfIntervals(testing::LongPieceIntervals(7562)));
  const SceneDescription scene = v.Show();
  std::size_t defined = 0;
  for (const DataEntry& p : v.s.points) defined += IsDefined(p.dataX) && IsDefined(p.dataY) && IsDefined(p.dataZ);
  EXPECT_EQ(defined, 7562u - 3);
  std::size_t drawn = 0;
  for (const SphereInstance& sphere : scene.spheres) {
    if (sphere.radius == 0.0f) continue;
    ++drawn;
    EXPECT_TRUE(InsideCube(sphere.centre)) << "point " << sphere.point.position;
  }
  EXPECT_EQ(drawn, defined);

  v.s.display.logarithmic = true;
  for (const SphereInstance& sphere : v.Show().spheres)
    EXPECT_TRUE(InsideCube(sphere.centre) || sphere.radius == 0.0f) << "logarithmic axes too";
}

}  // namespace
}  // namespace rp
