// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/ScatterPoints.h"

#include <string>
#include <string_view>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "frontend/Dialogs.h"
#include "io/ScatterFileReader.h"
#include "model/SkippedLines.h"
#include "plot/PlotPoints.h"
#include "scene/ArgbColour.h"

namespace rp {

namespace {

constexpr SkippedKind kDataRows{QT_TRANSLATE_NOOP("returnplot", "a data row"),
                                QT_TRANSLATE_NOOP("returnplot", "data rows")};

std::string ColumnsMessage(const ScatterFile& file) {
  return FormatText(
      QT_TRANSLATE_NOOP("returnplot",
                        "Comma delimited file must have at least 5 columns (name,x,y,z,size); line %1 has %2."),
      {std::to_string(file.shortLine), std::to_string(file.shortLineFields)});
}

// What the user is told about colours that could not be read; empty when
// there were none.
std::string ColoursMessage(const SkippedLines& colours, const std::string& path) {
  if (colours.count == 0) return {};
  const std::string line = std::to_string(colours.firstLine);
  if (colours.count == 1) {
    return FormatText(
        QT_TRANSLATE_NOOP("returnplot",
                          "In \"%1\", the colour at line %2 (\"%3\") could not be read; the point has the "
                          "default colour."),
        {path, line, colours.firstText});
  }
  return FormatText(QT_TRANSLATE_NOOP("returnplot",
                                      "In \"%1\", %4 colours could not be read; the first at line %2 (\"%3\"). Those "
                                      "points have the default colour."),
                    {path, line, colours.firstText, std::to_string(colours.count)});
}

}  // namespace

std::int32_t DefaultPointColour(std::int64_t row) {
  const auto red = static_cast<float>(static_cast<double>(row % 20 + 10) / 30.0);
  const auto blue = static_cast<float>(static_cast<double>(row % 40 + 10) / 50.0);
  return ColourToArgb(ColourF{red, 0.3f, blue, 1.0f});
}

ScatterLoadOutcome LoadFile(PlotPoints& view, Dialogs& dialogs, const std::string& sFile, bool strict) {
  ScatterFile file = ReadScatterFile(sFile);
  // On failure the previous points, their events, note and titles stay.
  switch (file.status) {
    case ScatterReadStatus::Missing:
      dialogs.ShowMessage(FormatText(QT_TRANSLATE_NOOP("returnplot", "Unable to find %1"), {sFile}),
                          MessageKind::Error);
      return ScatterLoadOutcome::Failed;
    case ScatterReadStatus::Failed:
      // The reader names what it could not do (a file beyond the size limit); else the general message.
      dialogs.ShowMessage(file.failure.empty()
                              ? FormatText(QT_TRANSLATE_NOOP("returnplot", "there was an error loading %1"), {sFile})
                              : file.failure,
                          MessageKind::Error);
      return ScatterLoadOutcome::Failed;
    case ScatterReadStatus::TooFewColumns:
      dialogs.ShowMessage(ColumnsMessage(file), MessageKind::Error);
      return ScatterLoadOutcome::Failed;
    case ScatterReadStatus::Complete:
      break;
  }
  std::string notice = SkippedLinesSummary(file.skippedRows, sFile, kDataRows);
  if (strict && file.skippedRows.count > 0) {
    dialogs.ShowMessage(notice, MessageKind::Error);
    return ScatterLoadOutcome::Refused;
  }
  if (const std::string colours = ColoursMessage(file.unreadableColours, sFile); !colours.empty()) {
    notice += (notice.empty() ? "" : " ") + colours;
  }
  // A scatter file's points stand for no performance event.
  view.points = PointCollection();
  view.pointEvents.clear();
  view.captionNote.clear();
  view.pointNote.clear();
  if (file.titles) {
    view.xAxisName = std::move(file.titles->x);
    view.verticalAxisName = std::move(file.titles->vertical);
    view.depthAxisName = std::move(file.titles->depth);
    view.sizeName = std::move(file.titles->size);
  }
  for (const ScatterRow& r : file.rows) {
    view.AddEntry(dialogs, r.name, r.x, r.y, r.z, r.size, r.colour ? *r.colour : DefaultPointColour(r.row), r.payload);
  }
  // Scatter points are compared with nothing.
  view.compared.clear();
  view.pointsName.clear();
  if (!notice.empty()) dialogs.ShowMessage(notice, MessageKind::Information);
  return ScatterLoadOutcome::Loaded;
}

}  // namespace rp
