// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/ScatterFileReader.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "io/TextLines.h"
#include "model/NumberReading.h"

namespace rp {

namespace {

// A failure to read the file at all.
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

// Why a data row is skipped: "an x that is not a number".
std::string NumberProblem(std::string_view what, const NumberReading& reading) {
  return std::string(what) + (reading.tooLarge ? " too large for a number" : " that is not a number");
}

// The value of a hexadecimal digit; -1 for any other character.
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Appends the rows of `text` to `file`.
void ReadScatterText(ScatterFile& file, std::string_view text) {
  static constexpr std::string_view kNumberNames[] = {"an x", "a y", "a z", "a size"};
  bool dataSeen = false;
  std::int64_t row = 0;
  std::int64_t lineNumber = 0;
  file.status = ScatterReadStatus::Complete;
  for (std::string_view rawLine : SplitLines(text)) {
    ++lineNumber;
    const std::string_view line = TrimSpaces(rawLine);
    if (line.empty() || line.front() == '#' || line.front() == ';') continue;
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() < 5) {
      file.status = ScatterReadStatus::TooFewColumns;
      file.shortLine = lineNumber;
      file.shortLineFields = fields.size();
      return;
    }
    if (!dataSeen && !IsWholeNumber(fields[1]) && !IsWholeNumber(fields[2]) && !IsWholeNumber(fields[3])) {
      file.titles =
          ScatterTitles{std::string(fields[1]), std::string(fields[2]), std::string(fields[3]), std::string(fields[4])};
      continue;
    }
    dataSeen = true;
    ++row;
    double values[4];
    std::string problem;
    for (std::size_t k = 0; k < 4 && problem.empty(); ++k) {
      const NumberReading reading = ReadFieldNumber(fields[k + 1]);
      if (!reading.Ok()) problem = NumberProblem(kNumberNames[k], reading);
      values[k] = reading.value;
    }
    if (!problem.empty()) {
      if (file.skippedRows.Count(lineNumber)) {
        file.skippedRows.firstText = ShownLine(line);
        file.skippedRows.firstReason = std::move(problem);
      }
      continue;
    }
    ScatterRow r;
    r.name = fields[0];
    r.x = values[0];
    r.y = values[1];
    r.z = values[2];
    r.size = values[3];
    if (fields.size() > 5 && !TrimSpaces(fields[5]).empty()) {
      r.colour = ReadColourField(fields[5]);
      if (!r.colour && file.unreadableColours.Count(lineNumber))
        file.unreadableColours.firstText = ShownLine(fields[5]);
    }
    r.row = row;
    if (fields.size() > 6) r.payload = fields[6];
    file.rows.push_back(std::move(r));
  }
}

}  // namespace

std::optional<std::int32_t> ReadColourField(std::string_view field) {
  std::string text;
  for (char c : field) {
    if (c != ' ' && c != '\t' && c != '\n') text.push_back(c);
  }
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && HexDigit(text[2]) >= 0) {
    std::uint64_t value = 0;
    for (std::size_t i = 2; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
      value = value * 16 + static_cast<std::uint64_t>(HexDigit(text[i]));
      if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  }
  // Decimal, "&H" or "&O"; a negative decimal is the signed form.
  const NumberReading reading = ReadFieldNumber(text);
  const double rounded = RoundHalfEven(reading.value);
  if (!reading.Ok() || !(rounded >= -2147483648.0 && rounded <= 4294967295.0)) return std::nullopt;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(rounded)));
}

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
