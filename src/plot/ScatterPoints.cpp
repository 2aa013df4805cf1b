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

std::int32_t DefaultPointColor(std::int64_t row) {
  const auto red = static_cast<float>(static_cast<double>(row % 20 + 10) / 30.0);
  const auto blue = static_cast<float>(static_cast<double>(row % 40 + 10) / 50.0);
  return ColorToArgb(ColorF{red, 0.3f, blue, 1.0f});
}

void LoadFile(PlotPoints& view, Dialogs& dialogs, const std::string& sFile) {
  ScatterFile file = ReadScatterFile(sFile);
  switch (file.Status) {
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
  view.Points = PointCollection();
  view.PointEvents.clear();
  view.CaptionNote.clear();
  if (file.Titles) {
    view.XAxisName = std::move(file.Titles->X);
    view.VerticalAxisName = std::move(file.Titles->Vertical);
    view.DepthAxisName = std::move(file.Titles->Depth);
    view.SizeName = std::move(file.Titles->Size);
  }
  for (const ScatterRow& r : file.Rows) {
    view.AddEntry(dialogs, r.Name, r.X, r.Y, r.Z, r.Size, r.Colour ? *r.Colour : DefaultPointColor(r.Row), r.Payload);
  }
  if (file.Status == ScatterReadStatus::TooFewColumns) dialogs.ShowMessage(kColumnsMessage, MessageKind::Error);
  // Scatter points are compared with nothing.
  view.Compared.clear();
  view.PointsName.clear();
}

}  // namespace rp
