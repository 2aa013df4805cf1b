// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PlotScaling.h"

#include <cmath>

#include "plot/PlotPoints.h"

namespace rp {

namespace {

// Starting extremes, the float nearest 9e20 held in a double.
const double kExtremeStart = static_cast<double>(9e20f);

// A subnormal float scale (ranges beyond about 3e38) has lost most of its
// digits and would throw points far out of the cube: unusable as well.
float ScaleFor(double range) {
  const auto scale = static_cast<float>(static_cast<double>(kAxisExtent) / range);
  return std::isnormal(scale) ? scale : 0.0f;
}

// One scene coordinate: (value - min) * 2 * scale - offset, or `middle` when
// the axis has no usable scale or the result is not a finite float.
float SceneCoordinate(double value, double min, float scale, double offset, float middle) {
  if (scale == 0.0f) return middle;
  const auto coordinate = static_cast<float>((value - min) * 2.0 * static_cast<double>(scale) - offset);
  return std::isfinite(coordinate) ? coordinate : middle;
}

void WidenExtremes(PlotPoints& view, const PointCollection& points) {
  for (const DataEntry& p : points) {
    if (p.dataX > view.maxX) view.maxX = p.dataX;
    if (p.dataX < view.minX) view.minX = p.dataX;
    if (p.dataY > view.maxY) view.maxY = p.dataY;
    if (p.dataY < view.minY) view.minY = p.dataY;
    if (p.dataZ > view.maxZ) view.maxZ = p.dataZ;
    if (p.dataZ < view.minZ) view.minZ = p.dataZ;
  }
}

void ScalePoints(const PlotPoints& view, PointCollection& points) {
  const double extent = kAxisExtent;
  for (DataEntry& p : points) {
    p.x = SceneCoordinate(p.dataX, view.minX, view.scaleX, extent, 0.0f);
    p.y = SceneCoordinate(p.dataY, view.minY, view.scaleY, 0.0, kAxisExtent);
    p.z = SceneCoordinate(p.dataZ, view.minZ, view.scaleZ, extent, 0.0f);
    p.size = p.dataSize;
  }
}

}  // namespace

void ComputeRanges(PlotPoints& view) {
  view.maxX = view.maxY = view.maxZ = -kExtremeStart;
  view.minX = view.minY = view.minZ = kExtremeStart;
  WidenExtremes(view, view.points);
  for (const PointGroup& group : view.compared) WidenExtremes(view, group.points);
  view.rangeX = view.maxX - view.minX;
  view.rangeY = view.maxY - view.minY;
  view.rangeZ = view.maxZ - view.minZ;
  view.scaleX = ScaleFor(view.rangeX);
  view.scaleY = ScaleFor(view.rangeY);
  view.scaleZ = ScaleFor(view.rangeZ);
}

void ScaleGraph(PlotPoints& view) {
  ScalePoints(view, view.points);
  for (PointGroup& group : view.compared) ScalePoints(view, group.points);
}

}  // namespace rp
