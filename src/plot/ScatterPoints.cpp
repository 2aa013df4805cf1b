// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/ScatterPoints.h"

#include <string_view>

#include "base/Dialogs.h"
#include "io/ScatterFileReader.h"
#include "plot/PlotPoints.h"
#include "scene/ArgbColour.h"

namespace rp {

namespace {

constexpr std::string_view kColumnsMessage = "Comma delimited file must have at least 4 columns (name,x,y,z)";

}  // namespace

std::int32_t DefaultPointColour(std::int64_t row) {
  const auto red = static_cast<float>(static_cast<double>(row % 20 + 10) / 30.0);
  const auto blue = static_cast<float>(static_cast<double>(row % 40 + 10) / 50.0);
  return ColourToArgb(ColourF{red, 0.3f, blue, 1.0f});
}

void LoadFile(PlotPoints& view, Dialogs& dialogs, const std::string& sFile) {
  ScatterFile file = ReadScatterFile(sFile);
  switch (file.status) {
    case ScatterReadStatus::Missing:
      dialogs.ShowMessage("Unable to find " + sFile, MessageKind::Error);
      return;
    case ScatterReadStatus::Failed:
      // The previous points, their events, note and titles stay.
      dialogs.ShowMessage("there was an error loading " + sFile, MessageKind::Error);
      return;
    case ScatterReadStatus::Complete:
    case ScatterReadStatus::TooFewColumns:
      break;
  }
  // A scatter file's points stand for no performance event.
  view.points = PointCollection();
  view.pointEvents.clear();
  view.captionNote.clear();
  if (file.titles) {
    view.xAxisName = std::move(file.titles->x);
    view.verticalAxisName = std::move(file.titles->vertical);
    view.depthAxisName = std::move(file.titles->depth);
    view.sizeName = std::move(file.titles->size);
  }
  for (const ScatterRow& r : file.rows) {
    view.AddEntry(dialogs, r.name, r.x, r.y, r.z, r.size, r.colour ? *r.colour : DefaultPointColour(r.row), r.payload);
  }
  if (file.status == ScatterReadStatus::TooFewColumns) dialogs.ShowMessage(kColumnsMessage, MessageKind::Error);
  // Scatter points are compared with nothing.
  view.compared.clear();
  view.pointsName.clear();
}

}  // namespace rp
