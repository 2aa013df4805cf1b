// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PlotPoints.h"

#include <exception>

#include "base/TranslatableText.h"
#include "frontend/Dialogs.h"

namespace rp {

void PlotPoints::AddEntry(Dialogs& dialogs, std::string_view sName, double x, double y, double z, double size,
                          std::int32_t colour, std::string_view data) {
  AddPointEntry(points, dialogs, sName, x, y, z, size, colour, data);
}

void AddPointEntry(PointCollection& points, Dialogs& dialogs, std::string_view sName, double x, double y, double z,
                   double size, std::int32_t colour, std::string_view data) {
  try {
    DataEntry entry;
    entry.dataName = sName;
    entry.dataX = x;
    entry.dataY = y;
    entry.dataZ = z;
    entry.dataSize = size;
    entry.colour = colour;
    entry.data = data;
    points.Add(std::move(entry));
  } catch (const std::exception&) {
    dialogs.ShowMessage(QT_TRANSLATE_NOOP("returnplot", "unable to add entry"), MessageKind::Error);
  }
}

}  // namespace rp
