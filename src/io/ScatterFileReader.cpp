// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/ScatterFileReader.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <new>
#include <string_view>
#include <vector>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "io/TextLines.h"
#include "io/WholeFile.h"
#include "model/NumberReading.h"
#include "model/RoundHalfEven.h"

namespace rp {

namespace {

std::string_view TrimSpaces(std::string_view line) {
  const std::size_t first = line.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

// The fields of a line: the first kKeptFields as they stand, and how many
// there are in all (what lies beyond them is never read).
constexpr std::size_t kKeptFields = 7;

struct LineFields {
  std::array<std::string_view, kKeptFields> kept;
  std::size_t count = 0;
  const std::string_view& operator[](std::size_t k) const { return kept[k]; }
  std::size_t size() const { return count; }
};

LineFields SplitFields(std::string_view line) {
  LineFields fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    const std::string_view field =
        line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (fields.count < kKeptFields) fields.kept[fields.count] = field;
    ++fields.count;
    if (comma == std::string_view::npos) return fields;
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
  // At most one row a line: reserved once, so the rows never need twice their room.
  std::size_t lineCount = 0;
  ForEachLine(text, [&lineCount](std::string_view) { return ++lineCount != 0; });
  file.rows.reserve(lineCount);
  ForEachLine(text, [&](std::string_view rawLine) {
    ++lineNumber;
    const std::string_view line = TrimSpaces(rawLine);
    if (line.empty() || line.front() == '#' || line.front() == ';') return true;
    const LineFields fields = SplitFields(line);
    if (fields.size() < 5) {
      file.status = ScatterReadStatus::TooFewColumns;
      file.shortLine = lineNumber;
      file.shortLineFields = fields.size();
      return false;
    }
    if (!dataSeen && !IsWholeNumber(fields[1]) && !IsWholeNumber(fields[2]) && !IsWholeNumber(fields[3])) {
      file.titles =
          ScatterTitles{std::string(fields[1]), std::string(fields[2]), std::string(fields[3]), std::string(fields[4])};
      return true;
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
      return true;
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
    return true;
  });
  file.rows.shrink_to_fit();
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
    std::string bytes;
    std::string why;
    if (!ReadWholeFile(path, kMaxScatterFileBytes, bytes, why)) {
      file.status = ScatterReadStatus::Failed;
      file.failure =
          FormatText(QT_TRANSLATE_NOOP("returnplot", "Cannot read the scatter file \"%1\": %2."), {path, why});
      return file;
    }
    // Most files are UTF-8 (or ASCII) already: read in place, not copied.
    if (IsUtf8WithoutByteOrderMark(bytes)) {
      ReadScatterText(file, bytes);
    } else {
      const std::string text = DecodeUtf8OrLatin1(bytes);
      bytes = std::string();
      ReadScatterText(file, text);
    }
  } catch (const std::exception& e) {
    const bool memory = dynamic_cast<const std::bad_alloc*>(&e) != nullptr;
    file = ScatterFile{};
    file.status = ScatterReadStatus::Failed;
    file.failure = FormatText(QT_TRANSLATE_NOOP("returnplot", "Cannot read the scatter file \"%1\": %2."),
                              {path, memory ? "there is not enough memory for it" : "the file cannot be read"});
  }
  return file;
}

}  // namespace rp
