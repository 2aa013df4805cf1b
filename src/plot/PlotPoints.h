// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot window's points and everything that describes them: the four axis
// titles, the number formats of the hover label, the extremes, ranges and
// scales of the last range pass, and the folder the scatter-file dialog opens
// in. Plain data; the window owns one.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plot/AxisScale.h"
#include "plot/PointCollection.h"
#include "plot/PointGroup.h"

namespace rp {

class Dialogs;

struct PlotPoints {
  // Starts empty: until a performance or a scatter file fills it, the range
  // pass and the scaling see no points.
  PointCollection points;
  // The compared performances' points, each group in its own colour. They
  // share the range pass and the scaling with Points; a scatter file has none.
  std::vector<PointGroup> compared;
  // The file name of Points' performance, heading the legend.
  std::string pointsName;

  // Titles of datax, datay (the vertical value), dataz and dataSize.
  std::string xAxisName;
  std::string verticalAxisName;
  std::string depthAxisName;
  std::string sizeName;

  // Said beside the caption of the vertical axis (e.g. analysis settings
  // that differ from the defaults); empty: nothing.
  std::string captionNote;
  // Said under the caption while the replay's current event has no point
  // (NoPointNote); empty: nothing.
  std::string pointNote;

  // The performance event each point stands for (its index, from 0), by
  // position (pointEvents[p]); nothing for a placeholder. Shorter than Points
  // (empty for a scatter file's points): the points beyond stand for no event.
  std::vector<std::optional<std::int32_t>> pointEvents;

  // Number formats of datax, datay, dataz and dataSize in the hover label.
  std::string xValueFormat = "0.000";
  std::string yValueFormat = "0.000";
  std::string zValueFormat = "0.000";
  std::string sizeValueFormat = "0.000";

  // The one scale of all three axes, while a performance is shown
  // (ComputeCommonScale); inactive, each axis has its own range below.
  AxisScale scale;
  // The unit of the values on all three axes ("ms", "dB", ...; empty for
  // velocities and a scatter file's values).
  std::string valueUnit;

  // From the last range pass.
  double maxX = 0.0, minX = 0.0, maxY = 0.0, minY = 0.0, maxZ = 0.0, minZ = 0.0;
  double rangeX = 0.0, rangeY = 0.0, rangeZ = 0.0;
  float scaleX = 0.0f, scaleY = 0.0f, scaleZ = 0.0f;

  // Start folder of the scatter-file dialog, ending in "/".
  std::string mediaFolder;

  // Appends one point with these data values (scene fields 0). Never fails
  // towards the caller: when the point cannot be made or stored, the message
  // "unable to add entry" is shown and the point is left out.
  void AddEntry(Dialogs& dialogs, std::string_view sName, double x, double y, double z, double size,
                std::int32_t colour, std::string_view data);
};

// AddEntry into any collection.
void AddPointEntry(PointCollection& points, Dialogs& dialogs, std::string_view sName, double x, double y, double z,
                   double size, std::int32_t colour, std::string_view data);

}  // namespace rp
