#include "plot/PlotPoints.h"

#include <exception>

#include "base/Dialogs.h"

namespace rp {

void PlotPoints::AddEntry(Dialogs& dialogs, std::string_view sName, double x, double y, double z, double size,
                          std::int32_t color, std::string_view data) {
  AddPointEntry(Points, dialogs, sName, x, y, z, size, color, data);
}

void AddPointEntry(PointCollection& points, Dialogs& dialogs, std::string_view sName, double x, double y, double z,
                   double size, std::int32_t color, std::string_view data) {
  try {
    DataEntry entry;
    entry.dataname = sName;
    entry.datax = x;
    entry.datay = y;
    entry.dataz = z;
    entry.dataSize = size;
    entry.color = color;
    entry.data = data;
    points.Add(std::move(entry));
  } catch (const std::exception&) {
    dialogs.ShowMessage("unable to add entry", MessageKind::Error);
  }
}

}  // namespace rp
