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
// prints a summary (with the count of lines skipped) and the first events.
// Returns the exit status (0, or `kExitCannotOpen` with one line on `err`;
// with `strict` also when lines were skipped).
int PrintAnalysisReport(const std::string& path, const AnalysisSettings& settings, std::ostream& out, std::ostream& err,
                        bool strict = false);

// The batch command: the analysis options, `--strict` and at most one file.
int RunAnalysisReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rp
