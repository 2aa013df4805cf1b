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
    if (p.datax > view.MaxX) view.MaxX = p.datax;
    if (p.datax < view.MinX) view.MinX = p.datax;
    if (p.datay > view.MaxY) view.MaxY = p.datay;
    if (p.datay < view.MinY) view.MinY = p.datay;
    if (p.dataz > view.MaxZ) view.MaxZ = p.dataz;
    if (p.dataz < view.MinZ) view.MinZ = p.dataz;
  }
}

void ScalePoints(const PlotPoints& view, PointCollection& points) {
  const double extent = kAxisExtent;
  for (DataEntry& p : points) {
    p.x = SceneCoordinate(p.datax, view.MinX, view.ScaleX, extent, 0.0f);
    p.y = SceneCoordinate(p.datay, view.MinY, view.ScaleY, 0.0, kAxisExtent);
    p.z = SceneCoordinate(p.dataz, view.MinZ, view.ScaleZ, extent, 0.0f);
    p.size = p.dataSize;
  }
}

}  // namespace

void ComputeRanges(PlotPoints& view) {
  view.MaxX = view.MaxY = view.MaxZ = -kExtremeStart;
  view.MinX = view.MinY = view.MinZ = kExtremeStart;
  WidenExtremes(view, view.Points);
  for (const PointGroup& group : view.Compared) WidenExtremes(view, group.Points);
  view.RangeX = view.MaxX - view.MinX;
  view.RangeY = view.MaxY - view.MinY;
  view.RangeZ = view.MaxZ - view.MinZ;
  view.ScaleX = ScaleFor(view.RangeX);
  view.ScaleY = ScaleFor(view.RangeY);
  view.ScaleZ = ScaleFor(view.RangeZ);
}

void ScaleGraph(PlotPoints& view) {
  ScalePoints(view, view.Points);
  for (PointGroup& group : view.Compared) ScalePoints(view, group.Points);
}

}  // namespace rp
