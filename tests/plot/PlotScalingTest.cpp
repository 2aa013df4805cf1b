// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "frontend/Dialogs.h"
#include "plot/PlotPoints.h"
#include "plot/PlotScaling.h"
#include "plot/ScatterPoints.h"
#include "support/ScriptedDialogs.h"

namespace rp {
namespace {

struct Scene {
  float x, y, z;
};

Scene At(const PlotPoints& view, std::size_t position) {
  const DataEntry& p = view.points.Item(position);
  return {p.x, p.y, p.z};
}

void ExpectScene(const PlotPoints& view, std::size_t position, Scene expected) {
  const Scene s = At(view, position);
  EXPECT_FLOAT_EQ(s.x, expected.x) << "point " << position;
  EXPECT_FLOAT_EQ(s.y, expected.y) << "point " << position;
  EXPECT_FLOAT_EQ(s.z, expected.z) << "point " << position;
}

void ExpectAllFinite(const PlotPoints& view) {
  for (const DataEntry& p : view.points) {
    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << p.dataName;
  }
}

TEST(PlotScaling, FillsTheCubeStandingOnTheFloor) {
  ScriptedDialogs dialogs;
  PlotPoints view;
  LoadFile(view, dialogs, RP_TEST_DATA_DIR "/scatter_cube.csv");
  ComputeRanges(view);
  EXPECT_EQ(view.minX, -2);
  EXPECT_EQ(view.maxY, 18);
  EXPECT_EQ(view.rangeZ, 16);
  EXPECT_EQ(view.scaleX, 1.0f);
  EXPECT_EQ(view.scaleY, 0.5f);
  EXPECT_EQ(view.scaleZ, 0.25f);
  ScaleGraph(view);
  ExpectScene(view, 0, {-4, 0, -4});  // exactly the low corner
  EXPECT_EQ(At(view, 0).x, -4.0f);
  EXPECT_EQ(At(view, 0).y, 0.0f);
  ExpectScene(view, 1, {0, 4, 0});
  ExpectScene(view, 2, {4, 8, 4});
  EXPECT_EQ(view.points.Item(1).size, 0.5);

  // Without a new range pass, points outside the old extremes leave the cube.
  view.points = PointCollection();
  view.AddEntry(dialogs, "below", -4, 5, -24, 2, 0, "");
  ScaleGraph(view);
  ExpectScene(view, 0, {-8, -5, -12});
  EXPECT_EQ(view.points.Item(0).size, 2);
}

TEST(PlotScaling, ZeroRangeAxesGoToTheMiddle) {
  ScriptedDialogs dialogs;
  PlotPoints view;
  view.AddEntry(dialogs, "alone", 3, -7, 1e6, 1, 0, "");
  ComputeRanges(view);
  EXPECT_EQ(view.rangeX, 0);
  EXPECT_EQ(view.scaleX, 0.0f);
  ScaleGraph(view);
  ExpectScene(view, 0, {0, 4, 0});

  LoadFile(view, dialogs, RP_TEST_DATA_DIR "/scatter_flat.csv");  // y and z all equal
  ComputeRanges(view);
  ScaleGraph(view);
  ExpectScene(view, 0, {-4, 4, 0});
  ExpectScene(view, 2, {4, 4, 0});

  // Ranges at the ends of what a double holds give no usable scale either.
  view.points = PointCollection();
  view.AddEntry(dialogs, "a", -1.5e308, 0, 0, 1, 0, "");
  view.AddEntry(dialogs, "b", 1.5e308, 1e-300, 5e-324, 1, 0, "");
  ComputeRanges(view);
  ScaleGraph(view);
  ExpectAllFinite(view);
  ExpectScene(view, 1, {0, 4, 0});

  // A range of 7e42 gives a subnormal float scale, which would put the far
  // point at x = 4.004, outside the cube; 1e38 still scales normally.
  view.points = PointCollection();
  view.AddEntry(dialogs, "a", 1, 0, 0, 1, 0, "");
  view.AddEntry(dialogs, "b", 7e42, 1e38, 0, 1, 0, "");
  ComputeRanges(view);
  EXPECT_EQ(view.scaleX, 0.0f);
  EXPECT_GT(view.scaleY, 0.0f);
  ScaleGraph(view);
  ExpectScene(view, 1, {0, 8, 0});

  // A tail point far outside a tiny range would not fit a float.
  view.points = PointCollection();
  view.AddEntry(dialogs, "a", 0, 0, 0, 1, 0, "");
  view.AddEntry(dialogs, "b", 1e-30, 1e-30, 1e-30, 1, 0, "");
  ComputeRanges(view);
  view.AddEntry(dialogs, "far", 1e20, 1, 1, 1, 0, "");
  ScaleGraph(view);
  ExpectAllFinite(view);
  EXPECT_EQ(At(view, 2).x, 0.0f);
}

TEST(PlotScaling, NoPointsYetIsAnEmptySet) {
  PlotPoints view;  // as before any performance or file filled it
  ComputeRanges(view);
  ScaleGraph(view);
  EXPECT_EQ(view.points.Count(), 0u);
  EXPECT_EQ(view.maxX, -static_cast<double>(9e20f));
  EXPECT_EQ(view.minZ, static_cast<double>(9e20f));
  EXPECT_DOUBLE_EQ(view.rangeY, -2 * static_cast<double>(9e20f));
  EXPECT_LT(view.scaleX, 0.0f);
}

}  // namespace
}  // namespace rp
