// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/HoverLabel.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "io/LegacyText.h"
#include "plot/DataEntry.h"
#include "plot/PlotPoints.h"

namespace rp {

namespace {

constexpr char kLineEnd = '\r';

std::string ValueLine(const std::string& title, double value, const std::string& format, std::string_view separator) {
  return " " + title + "=" + FormatNumber(value, format, separator);
}

// Nearest whole pixel (halves to even); values beyond 32 bits are clamped.
std::int32_t RoundPixel(double v) {
  const double r = std::nearbyint(v);
  if (!(r >= std::numeric_limits<std::int32_t>::min())) return std::numeric_limits<std::int32_t>::min();
  if (r > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(r);
}

std::int32_t NotNegative(std::int32_t v) { return v < 0 ? 1 : v; }

}  // namespace

std::string HoverLabelText(const PlotPoints& titles, const DataEntry& point, std::string_view decimalSeparator) {
  std::string text = point.dataName;
  text += kLineEnd;
  text += ValueLine(titles.xAxisName, point.dataX, titles.xValueFormat, decimalSeparator);
  text += kLineEnd;
  text += ValueLine(titles.verticalAxisName, point.dataY, titles.yValueFormat, decimalSeparator);
  text += kLineEnd;
  text += ValueLine(titles.depthAxisName, point.dataZ, titles.zValueFormat, decimalSeparator);
  text += kLineEnd;
  text += ValueLine(titles.sizeName, point.dataSize, titles.sizeValueFormat, decimalSeparator);
  return text;
}

Rect HoverLabelRect(float x, float y) {
  return Rect{NotNegative(RoundPixel(static_cast<double>(x) - 20.0)),
              NotNegative(RoundPixel(static_cast<double>(y) - 70.0)), 0, 0};
}

}  // namespace rp
