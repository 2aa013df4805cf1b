// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text and the place of the hover label, drawn beside the cursor: for a
// point of a performance what identifies its event (performance, event
// number, onset, keys, bar:beat) and its three values with units; for a
// scatter file's point its name and its four data values.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/ValueKind.h"
#include "scene/GraphicsTypes.h"

namespace rp {

struct DataEntry;
struct Performance;
struct PlotPoints;

// A scatter file's point: five lines:
//   name
//    <XAxisName>=<datax>          each value under its format
//    <VerticalAxisName>=<datay>   (XValueFormat, YValueFormat, ...)
//    <DepthAxisName>=<dataz>
//    <SizeName>=<dataSize>
std::vector<std::string> HoverLabelText(const PlotPoints& titles, const DataEntry& point,
                                        std::string_view decimalSeparator);

// The label of event `event` (an index from 0) of `performance` shown in
// `kind`, one item a line (the event numbered from 1, as users count):
//   <file name>
//   event 12 at 0:03.456             onset as m:ss.sss
//   keys E4 G#4 B4                   where the performance has notes
//   bar 3:2                          for a performance aligned to its score
//   event n = 412.500 ms             the point's data values (true values,
//   event n+2d = 398.125 ms          also for a point drawn on a face),
//   event n+d = –                    under the titles' names and formats
// Units: ms, velocity, dB, or tempo as `tempo` counts it ("ms per quarter",
// "BPM (dotted quarter)"); an undefined value is "–".
std::vector<std::string> PerformancePointText(const PlotPoints& titles, const DataEntry& point,
                                              const Performance& performance, std::int32_t event, ValueKind kind,
                                              std::string_view decimalSeparator, const TempoMeasure& tempo = {});

// Key number as a note name, middle C (60) "C4": "C-1" to "G9".
std::string NoteName(int key);

// Top-left corner of the label for the cursor at (x, y): 20 pixels left of
// and 70 above it, rounded to whole pixels; a negative coordinate becomes 1.
// Right and bottom stay 0.
Rect HoverLabelRect(float x, float y);

}  // namespace rp
