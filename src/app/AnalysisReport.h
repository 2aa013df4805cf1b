#pragma once
// A readable account of a performance's analysis, printed by `returnplot
// FILE` while the program has no windows.

#include <iosfwd>
#include <string>

namespace rp {

// Loads `path` as the control panel would and prints a summary and the first
// events. Returns the exit status (0, or `kExitCannotOpen` with one line on
// `err`).
int PrintAnalysisReport(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace rp
