#pragma once
// `returnplot --report [FILE]`: a readable account of a performance's
// analysis (the bundled example when no FILE is given).

#include <iosfwd>
#include <string>
#include <vector>

namespace rp {

// Loads `path` as the control panel would and prints a summary and the first
// events. Returns the exit status (0, or `kExitCannotOpen` with one line on
// `err`).
int PrintAnalysisReport(const std::string& path, std::ostream& out, std::ostream& err);

// The batch command: at most one argument.
int RunAnalysisReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rp
