// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scatter file: comma-separated text with one named point per line.
//
//   name,x,y,z,size[,colour[,payload]]     (fields after the seventh are ignored)
//
// Lines are trimmed of spaces; empty lines and lines starting with "#" or ";"
// are skipped. Before the first data row, a line whose field 1 is not a
// number is a header row: its fields 1-4 become the titles of x, y (vertical),
// z and size, the last such row winning. Numbers follow the lenient rules of
// io/LegacyText.h. A row without a colour field keeps its row number (from 1),
// by which the plot gives it a default colour.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
  TooFewColumns,  // stopped at a line with fewer than five fields; the rows before it stand
  Failed,         // unreadable file, a number too large, a colour beyond signed 32 bits
};

struct ScatterFile {
  ScatterReadStatus status = ScatterReadStatus::Missing;
  std::vector<ScatterRow> rows;
  std::optional<ScatterTitles> titles;  // of the last header row, if any
};

// Reads the scatter file at `path`; never throws for what the file holds.
ScatterFile ReadScatterFile(const std::string& path);

}  // namespace rp
