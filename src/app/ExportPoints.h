// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --export-points FILE.csv`: loads a scatter file as the plot
// window would, scales it into the plot cube and prints every point.

#include <iosfwd>
#include <string>
#include <vector>

namespace rp {

// Prints the four axis titles as "# Name=value" lines, then the CSV header
// position,name,datax,datay,dataz,size_value,x,y,z,size,color,data and one row
// per point (color as AARRGGBB). Each message the window would show goes to
// `err` as one line. Returns 1 when an error was shown, 64 on a usage error,
// with `--strict` 2 (and nothing on `out`) when data rows were skipped, else 0.
int RunExportPoints(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rp
