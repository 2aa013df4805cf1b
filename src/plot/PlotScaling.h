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
// Turns the common scale (PlotPoints::scale) off: for a scatter file.
void ComputeRanges(PlotPoints& view);

// The one scale of all three axes from every defined data value of the
// points and the compared groups (RobustRange: the 1st to 99th percentile
// widened by 5 %, or min..max of fewer than 100 values); logarithmic from
// their values above 0; with none above 0 (loudness in dB) the scale is
// linear instead. With no value at all the scale spans 0..1. Turns the
// common scale on until ComputeRanges.
void ComputeCommonScale(PlotPoints& view, bool logarithmic);

// Writes the scene fields x, y, z, size and clipped of every point (compared
// groups included) from its data values (size is dataSize unchanged).
//
// With the common scale, each value goes to its place between the low and
// the high face; a value beyond the scale (or at or below 0 on a
// logarithmic one) stands on the face it lies beyond and the point is
// marked clipped, its data values kept. A point with an undefined value gets
// size 0 (it is neither drawn nor picked) and NaN for that coordinate.
//
// Without it, each axis by the last range pass: a point outside the last
// extremes lands outside the cube; a coordinate that would not be a finite
// float is put in the middle of its axis instead.
void ScaleGraph(PlotPoints& view);

}  // namespace rp
