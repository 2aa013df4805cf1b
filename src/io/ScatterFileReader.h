// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scatter file: comma-separated text with one named point per line.
//
//   name,x,y,z,size[,colour[,payload]]     (fields after the seventh are ignored)
//
// Lines are trimmed of spaces; empty lines and lines starting with "#" or ";"
// are skipped. A line with fewer than five fields stops the read: nothing of
// the file is taken. Before the first data row, a line whose fields 1, 2 and
// 3 are none of them a number (the whole field, apart from blanks) is a
// header row: its fields 1-4 become the titles of x, y (vertical), z and
// size, the last such row winning. Every other line is a data row. Its
// numbers follow the lenient rules of model/NumberReading.h; a data row whose x, y,
// z or size holds no number (or one too large) is skipped and counted.
//
// A colour is decimal, 0 to 4294967295 (or, as a signed value, down to
// -2147483648), rounded to a whole number, or hexadecimal after "&H" or "0x"
// (octal after "&O") of up to 32 bits: the packed 0xAARRGGBB. A row with an
// empty colour field or none, or with one that cannot be read (counted),
// keeps its data row number (from 1, skipped rows counted too), by which the
// plot gives it a default colour.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/SkippedLines.h"

namespace rp {

struct ScatterRow {
  std::string name;
  double x = 0.0, y = 0.0, z = 0.0, size = 0.0;
  std::optional<std::int32_t> colour;  // packed 0xAARRGGBB, as written
  std::int64_t row = 0;                // data row number, from 1
  std::string payload;
};

struct ScatterTitles {
  std::string x, vertical, depth, size;
};

enum class ScatterReadStatus {
  Missing,        // no file there
  Complete,       // every line read
  TooFewColumns,  // stopped at a line with fewer than five fields
  Failed,         // the file could not be read
};

struct ScatterFile {
  ScatterReadStatus status = ScatterReadStatus::Missing;
  std::vector<ScatterRow> rows;
  std::optional<ScatterTitles> titles;  // of the last header row, if any
  SkippedLines skippedRows;             // data rows whose x, y, z or size is no number
  SkippedLines unreadableColours;       // data rows read with the default colour for want of theirs
  std::int64_t shortLine = 0;           // `TooFewColumns`: the line (from 1) and its fields
  std::size_t shortLineFields = 0;
  std::string failure;  // `Failed`: why, as one sentence naming the file
};

// The largest scatter file read: its rows take up to about 13 times its size.
inline constexpr std::uintmax_t kMaxScatterFileBytes = 256u << 20;

// Reads the scatter file at `path`; never throws for what the file holds.
ScatterFile ReadScatterFile(const std::string& path);

// The colour a colour field gives by the rules above; nothing when it
// cannot be read.
std::optional<std::int32_t> ReadColourField(std::string_view field);

}  // namespace rp
