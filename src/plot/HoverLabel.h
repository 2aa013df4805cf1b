// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text and the place of the hover label: the point's name and its four
// data values, one per line, drawn beside the cursor.

#include <string>
#include <string_view>

#include "scene/GraphicsTypes.h"

namespace rp {

struct DataEntry;
struct PlotPoints;

// Five lines joined by CR (the last without a line end):
//   name
//    <XAxisName>=<datax>          each value under its format
//    <VerticalAxisName>=<datay>   (XValueFormat, YValueFormat, ...)
//    <DepthAxisName>=<dataz>
//    <SizeName>=<dataSize>
std::string HoverLabelText(const PlotPoints& titles, const DataEntry& point, std::string_view decimalSeparator);

// Top-left corner of the label for the cursor at (x, y): 20 pixels left of
// and 70 above it, rounded to whole pixels; a negative coordinate becomes 1.
// Right and bottom stay 0.
Rect HoverLabelRect(float x, float y);

}  // namespace rp
