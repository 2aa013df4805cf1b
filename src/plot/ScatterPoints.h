// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scatter file's points in the plot: what the plot window shows of a file
// read by ReadScatterFile, and the default colours of rows written without one.

#include <cstdint>
#include <string>

namespace rp {

class Dialogs;
struct PlotPoints;

// Default packed colour of data row `row` (1-based): cycling through purples
// and blues.
std::int32_t DefaultPointColour(std::int64_t row);

// Replaces view.Points with the points of the scatter file at `sFile`.
// Problems are shown through `dialogs`, never thrown:
//  - no file there: "Unable to find <path>"; nothing changes;
//  - a line with fewer than five fields: "Comma delimited file must have at
//    least 4 columns (name,x,y,z)"; the points read before it stay;
//  - unreadable file, a number too large, a colour beyond signed 32 bits:
//    "there was an error loading <path>"; the previous points and titles return.
void LoadFile(PlotPoints& view, Dialogs& dialogs, const std::string& sFile);

}  // namespace rp
