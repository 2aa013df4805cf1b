// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PlotScaling.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/UndefinedValue.h"
#include "plot/PlotPoints.h"
#include "plot/RobustRange.h"

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

void AddValues(std::vector<double>& values, const PointCollection& points, bool logarithmic) {
  for (const DataEntry& p : points) {
    for (const double v : {p.dataX, p.dataY, p.dataZ}) {
      if (!IsDefined(v) || (logarithmic && !(v > 0.0))) continue;
      values.push_back(logarithmic ? std::log10(v) : v);
    }
  }
}

// The fraction of the way from the low face to the high one, kept on the
// cube; `clipped` is set when it had to be moved there.
double OnCube(double fraction, bool& clipped) {
  if (std::isnan(fraction)) return fraction;
  if (fraction >= 0.0 && fraction <= 1.0) return fraction;
  clipped = true;
  return fraction < 0.0 ? 0.0 : 1.0;
}

void ScalePointsCommon(const AxisScale& scale, PointCollection& points) {
  const double width = 2.0 * kAxisExtent;
  for (DataEntry& p : points) {
    bool clipped = false;
    const double fx = OnCube(scale.Fraction(p.dataX), clipped);
    const double fy = OnCube(scale.Fraction(p.dataY), clipped);
    const double fz = OnCube(scale.Fraction(p.dataZ), clipped);
    p.x = static_cast<float>(fx * width - kAxisExtent);
    p.y = static_cast<float>(fy * width);
    p.z = static_cast<float>(fz * width - kAxisExtent);
    p.clipped = clipped;
    const bool defined = !std::isnan(fx) && !std::isnan(fy) && !std::isnan(fz);
    p.size = defined ? p.dataSize : 0.0;
  }
}

void ScalePoints(const PlotPoints& view, PointCollection& points) {
  if (view.scale.active) {
    ScalePointsCommon(view.scale, points);
    return;
  }
  const double extent = kAxisExtent;
  for (DataEntry& p : points) {
    p.x = SceneCoordinate(p.dataX, view.minX, view.scaleX, extent, 0.0f);
    p.y = SceneCoordinate(p.dataY, view.minY, view.scaleY, 0.0, kAxisExtent);
    p.z = SceneCoordinate(p.dataZ, view.minZ, view.scaleZ, extent, 0.0f);
    p.size = p.dataSize;
    p.clipped = false;
  }
}

}  // namespace

void ComputeRanges(PlotPoints& view) {
  view.scale.active = false;
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

void ComputeCommonScale(PlotPoints& view, bool logarithmic) {
  std::vector<double> values;
  for (const bool log : {logarithmic, false}) {
    logarithmic = log;
    AddValues(values, view.points, log);
    for (const PointGroup& group : view.compared) AddValues(values, group.points, log);
    // Nothing above 0 (loudness in dB): a logarithmic scale would put every
    // point in one corner, so the linear one is made.
    if (!values.empty() || !log) break;
  }
  const ValueRange range = RobustRange(values).value_or(ValueRange{0.0, 1.0});
  view.scale.active = true;
  view.scale.logarithmic = logarithmic;
  view.scale.low = logarithmic ? std::pow(10.0, range.low) : range.low;
  view.scale.high = logarithmic ? std::pow(10.0, range.high) : range.high;
}

void ScaleGraph(PlotPoints& view) {
  ScalePoints(view, view.points);
  for (PointGroup& group : view.compared) ScalePoints(view, group.points);
}

}  // namespace rp
