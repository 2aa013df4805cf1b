// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// From data values to the plot cube: x and z span [-kAxisExtent, kAxisExtent],
// y (vertical) spans [0, 2 * kAxisExtent], so the points stand on the floor
// plane y = 0 centred on the vertical axis.

namespace rp {

struct PlotPoints;

// Half the width of the plot cube.
inline constexpr float kAxisExtent = 4.0f;

// The range pass: extremes of datax, datay, dataz over all points (the
// compared groups' too, so every performance is drawn in one scale), their
// ranges, and per axis the scale kAxisExtent / range. An axis whose range
// gives no finite, non-zero scale (all values equal, a single point), or one
// too small to hold its digits as a float (ranges beyond about 3e38), gets
// scale 0: ScaleGraph puts every point in the middle of that axis. With no
// points the extremes stay at their starting values (max -9e20, min +9e20).
void ComputeRanges(PlotPoints& view);

// Writes the scene fields x, y, z and size of every point (compared groups
// included) from its data
// values and the last range pass (size is dataSize unchanged). A point
// outside the last extremes lands outside the cube; a coordinate that would
// not be a finite float is put in the middle of its axis instead.
void ScaleGraph(PlotPoints& view);

}  // namespace rp
