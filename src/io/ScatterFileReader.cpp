// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/ScatterFileReader.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "io/LegacyText.h"
#include "io/TextLines.h"

namespace rp {

namespace {

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
std::int32_t ColourField(std::string_view field) {
  const double rounded = RoundHalfEven(NumberField(field));
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) throw LoadFailure("colour out of range");
  return static_cast<std::int32_t>(rounded);
}

// Appends the rows of `text` to `file`; throws LoadFailure.
void ReadScatterText(ScatterFile& file, std::string_view text) {
  bool dataSeen = false;
  std::int64_t row = 0;
  file.status = ScatterReadStatus::Complete;
  for (std::string_view rawLine : SplitLines(text)) {
    const std::string_view line = TrimSpaces(rawLine);
    if (line.empty() || line.front() == '#' || line.front() == ';') continue;
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() < 5) {
      file.status = ScatterReadStatus::TooFewColumns;
      return;
    }
    if (!dataSeen && !IsWholeNumber(fields[1])) {
      file.titles =
          ScatterTitles{std::string(fields[1]), std::string(fields[2]), std::string(fields[3]), std::string(fields[4])};
      continue;
    }
    dataSeen = true;
    ++row;
    ScatterRow r;
    r.name = fields[0];
    r.x = NumberField(fields[1]);
    r.y = NumberField(fields[2]);
    r.z = NumberField(fields[3]);
    r.size = NumberField(fields[4]);
    if (fields.size() > 5) r.colour = ColourField(fields[5]);
    r.row = row;
    if (fields.size() > 6) r.payload = fields[6];
    file.rows.push_back(std::move(r));
  }
}

}  // namespace

ScatterFile ReadScatterFile(const std::string& path) {
  ScatterFile file;
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return file;
  try {
    ReadScatterText(file, DecodeUtf8OrLatin1(ReadAllBytes(path)));
  } catch (const std::exception&) {
    file = ScatterFile{};
    file.status = ScatterReadStatus::Failed;
  }
  return file;
}

}  // namespace rp
