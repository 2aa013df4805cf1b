#include "view/PlotPoints.h"

#include <exception>

#include "platform/Dialogs.h"

namespace rp {

void PlotPoints::AddEntry(Dialogs& dialogs, std::string_view sName, double x, double y, double z, double size,
                          std::int32_t color, std::string_view data) {
  try {
    DataEntry entry;
    entry.dataname = sName;
    entry.datax = x;
    entry.datay = y;
    entry.dataz = z;
    entry.dataSize = size;
    entry.color = color;
    entry.data = data;
    Points.Add(std::move(entry));
  } catch (const std::exception&) {
    dialogs.ShowMessage("unable to add entry", MessageKind::Error);
  }
}

}  // namespace rp
