#include "view/ScatterFileReader.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "platform/Dialogs.h"
#include "scene/ArgbColor.h"
#include "view/LeadingNumber.h"
#include "view/PlotPoints.h"
#include "view/TextLines.h"

namespace rp {

namespace {

constexpr std::string_view kColumnsMessage = "Comma delimited file must have at least 4 columns (name,x,y,z)";

// A failure that abandons the load and brings the previous points back.
struct LoadFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string ReadAllBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw LoadFailure("cannot open");
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad() || bytes.bad()) throw LoadFailure("cannot read");
  return std::move(bytes).str();
}

std::string_view TrimSpaces(std::string_view line) {
  const std::size_t first = line.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    if (comma == std::string_view::npos) {
      fields.push_back(line.substr(start));
      return fields;
    }
    fields.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
}

double NumberField(std::string_view field) {
  const std::optional<double> value = ReadLeadingNumber(field);
  if (!value) throw LoadFailure("number out of range");
  return *value;
}

// Rounded to the nearest integer, halves to even; must fit a signed 32-bit value.
std::int32_t ColorField(std::string_view field) {
  const double rounded = std::nearbyint(NumberField(field));
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) throw LoadFailure("colour out of range");
  return static_cast<std::int32_t>(rounded);
}

struct Titles {
  std::string x, vertical, depth, size;
};

Titles TitlesOf(const PlotPoints& view) {
  return {view.XAxisName, view.VerticalAxisName, view.DepthAxisName, view.SizeName};
}

void SetTitles(PlotPoints& view, Titles titles) {
  view.XAxisName = std::move(titles.x);
  view.VerticalAxisName = std::move(titles.vertical);
  view.DepthAxisName = std::move(titles.depth);
  view.SizeName = std::move(titles.size);
}

enum class Outcome { Complete, TooFewColumns };

// Adds the points of `text` to view.Points; throws LoadFailure.
Outcome ReadScatterText(PlotPoints& view, Dialogs& dialogs, std::string_view text) {
  bool dataSeen = false;
  std::int64_t row = 0;
  for (std::string_view rawLine : SplitLines(text)) {
    const std::string_view line = TrimSpaces(rawLine);
    if (line.empty() || line.front() == '#' || line.front() == ';') continue;
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() < 5) return Outcome::TooFewColumns;
    if (!dataSeen && !IsWholeNumber(fields[1])) {
      SetTitles(view, {std::string(fields[1]), std::string(fields[2]), std::string(fields[3]),
                       std::string(fields[4])});
      continue;
    }
    dataSeen = true;
    ++row;
    const double x = NumberField(fields[1]);
    const double y = NumberField(fields[2]);
    const double z = NumberField(fields[3]);
    const double size = NumberField(fields[4]);
    const std::int32_t color = fields.size() > 5 ? ColorField(fields[5]) : DefaultPointColor(row);
    const std::string_view payload = fields.size() > 6 ? fields[6] : std::string_view();
    view.AddEntry(dialogs, fields[0], x, y, z, size, color, payload);
  }
  return Outcome::Complete;
}

}  // namespace

std::int32_t DefaultPointColor(std::int64_t row) {
  const auto red = static_cast<float>(static_cast<double>(row % 20 + 10) / 30.0);
  const auto blue = static_cast<float>(static_cast<double>(row % 40 + 10) / 50.0);
  return ColorToArgb(ColorF{red, 0.3f, blue, 1.0f});
}

void LoadFile(PlotPoints& view, Dialogs& dialogs, const std::string& sFile) {
  std::error_code ec;
  if (sFile.empty() || !std::filesystem::is_regular_file(sFile, ec)) {
    dialogs.ShowMessage("Unable to find " + sFile, MessageKind::Error);
    return;
  }
  PointCollection previousPoints = std::move(view.Points);
  Titles previousTitles = TitlesOf(view);
  // A scatter file's points stand for no performance event.
  std::vector<std::int32_t> previousEvents = std::move(view.PointEvents);
  std::string previousNote = std::move(view.CaptionNote);
  view.Points = PointCollection();
  view.PointEvents.clear();
  view.CaptionNote.clear();
  try {
    const std::string text = DecodeUtf8OrLatin1(ReadAllBytes(sFile));
    if (ReadScatterText(view, dialogs, text) == Outcome::TooFewColumns) {
      dialogs.ShowMessage(kColumnsMessage, MessageKind::Error);
    }
    // Scatter points are compared with nothing.
    view.Compared.clear();
    view.PointsName.clear();
  } catch (const std::exception&) {
    // Header rows of the failed file must not relabel the points that return.
    view.Points = std::move(previousPoints);
    view.PointEvents = std::move(previousEvents);
    view.CaptionNote = std::move(previousNote);
    SetTitles(view, std::move(previousTitles));
    dialogs.ShowMessage("there was an error loading " + sFile, MessageKind::Error);
  }
}

}  // namespace rp
