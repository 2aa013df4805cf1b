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

enum class ScatterLoadOutcome {
  Loaded,   // the points are the file's
  Failed,   // the previous points stay; an error was shown
  Refused,  // `strict` and data rows were skipped: the previous points stay
};

// Replaces view.Points with the points of the scatter file at `sFile`.
// Problems are shown through `dialogs`, never thrown:
//  - no file there: "Unable to find <path>"; nothing changes;
//  - a line with fewer than five fields: "Comma delimited file must have at
//    least 5 columns (name,x,y,z,size); line L has N."; nothing changes;
//  - an unreadable file: "there was an error loading <path>"; nothing changes;
//  - data rows skipped and colours that could not be read: one message after
//    the load (with `strict`, skipped rows are an error and nothing changes).
ScatterLoadOutcome LoadFile(PlotPoints& view, Dialogs& dialogs, const std::string& sFile, bool strict = false);

}  // namespace rp
