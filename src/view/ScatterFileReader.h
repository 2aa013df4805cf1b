#pragma once
// The scatter file: comma-separated text with one named point per line.
//
//   name,x,y,z,size[,colour[,payload]]     (fields after the seventh are ignored)
//
// Lines are trimmed of spaces; empty lines and lines starting with "#" or ";"
// are skipped. Before the first data row, a line whose field 1 is not a
// number is a header row: its fields 1-4 become the titles of x, y (vertical),
// z and size, the last such row winning. Numbers follow the lenient rules of
// LeadingNumber.h. Without a colour field, data row n (counted from 1) gets a
// default colour cycling through purples and blues.

#include <cstdint>
#include <string>

namespace rp {

class Dialogs;
struct PlotPoints;

// Default packed colour of data row `row` (1-based).
std::int32_t DefaultPointColor(std::int64_t row);

// Replaces view.Points with the points of the scatter file at `sFile`.
// Problems are shown through `dialogs`, never thrown:
//  - no file there: "Unable to find <path>"; nothing changes;
//  - a line with fewer than five fields: "Comma delimited file must have at
//    least 4 columns (name,x,y,z)"; the points read before it stay;
//  - unreadable file, a number too large, a colour beyond signed 32 bits:
//    "there was an error loading <path>"; the previous points and titles return.
void LoadFile(PlotPoints& view, Dialogs& dialogs, const std::string& sFile);

}  // namespace rp
