// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BatchLoad.h"

#include <algorithm>
#include <ostream>

#include "analysis/ChordSplitting.h"
#include "analysis/PerformanceLoader.h"
#include "app/AnalysisOptions.h"
#include "app/CommandLine.h"
#include "model/Performance.h"

namespace rp {

bool TakeStrictOption(std::vector<std::string>& args) {
  const auto rest = std::remove(args.begin(), args.end(), kStrictOption);
  const bool strict = rest != args.end();
  args.erase(rest, args.end());
  return strict;
}

bool LoadForBatch(std::string_view flag, const std::vector<std::string>& args, Performance& performance,
                  std::ostream& err, int& status) {
  std::vector<std::string> files = args;
  const bool strict = TakeStrictOption(files);
  if (files.size() != 1) {
    err << "returnplot: usage: returnplot " << flag << " [--strict] FILE\n";
    status = kExitUsage;
    return false;
  }
  return LoadFileForBatch(files.front(), performance, err, status, nullptr, strict);
}

bool LoadAnalysedForBatch(std::string_view flag, const std::vector<std::string>& args, Performance& performance,
                          std::ostream& err, int& status) {
  std::vector<std::string> files = args;
  const bool strict = TakeStrictOption(files);
  const std::optional<AnalysisOptions> options = TakeAnalysisOptions(files, err);
  if (!options) {
    status = kExitUsage;
    return false;
  }
  if (files.size() != 1) {
    err << "returnplot: usage: returnplot " << flag << ' ' << kAnalysisOptionsUsage << " [--strict] FILE\n";
    status = kExitUsage;
    return false;
  }
  performance.settings = options->Over();
  return LoadFileForBatch(files.front(), performance, err, status, nullptr, strict);
}

bool LoadFileForBatch(const std::string& path, Performance& performance, std::ostream& err, int& status,
                      LoadResult* loaded, bool strict) {
  performance = Performance::Empty(performance.settings);
  LoadResult result = LoadPerformanceFile(path, performance);
  if (result.status != LoadStatus::Loaded && result.status != LoadStatus::ReadError) {
    err << "returnplot: " << result.message << '\n';
    status = kExitCannotOpen;
    return false;
  }
  if (strict && result.skipped.count > 0) {
    err << "returnplot: " << SkippedLinesSummary(result.skipped, path, result.skippedKind) << " (an error with "
        << kStrictOption << ")\n";
    status = kExitCannotOpen;
    return false;
  }
  // A read that failed half-way still leaves a consistent performance; say so
  // and go on with it.
  if (!result.message.empty()) err << "returnplot: " << result.message << '\n';
  if (!result.warning.empty()) err << "returnplot: " << result.warning << '\n';
  if (const std::string split = ChordSplittingWarning(performance); !split.empty()) {
    err << "returnplot: " << path << ": " << split << '\n';
  }
  if (loaded != nullptr) *loaded = std::move(result);
  status = 0;
  return true;
}

}  // namespace rp
