// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --report [FILE]`: a readable account of a performance's
// analysis (the bundled example when no FILE is given).

#include <iosfwd>
#include <string>
#include <vector>

namespace rp {

struct AnalysisSettings;

// Loads `path` as the control panel would, analysed with `settings`, and
// prints a summary and the first events. Returns the exit status (0, or
// `kExitCannotOpen` with one line on `err`).
int PrintAnalysisReport(const std::string& path, const AnalysisSettings& settings, std::ostream& out,
                        std::ostream& err);

// The batch command: `--cluster-ms`/`--delay` and at most one file.
int RunAnalysisReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rp
