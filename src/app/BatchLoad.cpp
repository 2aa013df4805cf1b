// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BatchLoad.h"

#include <charconv>
#include <ostream>

#include "analysis/PerformanceLoader.h"
#include "app/AnalysisOptions.h"
#include "app/CommandLine.h"
#include "model/Performance.h"

namespace rp {

bool LoadForBatch(std::string_view flag, const std::vector<std::string>& args, Performance& performance,
                  std::ostream& err, int& status) {
  if (args.size() != 1) {
    err << "returnplot: usage: returnplot " << flag << " FILE\n";
    status = kExitUsage;
    return false;
  }
  return LoadFileForBatch(args.front(), performance, err, status);
}

bool LoadAnalysedForBatch(std::string_view flag, const std::vector<std::string>& args, Performance& performance,
                          std::ostream& err, int& status) {
  std::vector<std::string> files = args;
  const std::optional<AnalysisOptions> options = TakeAnalysisOptions(files, err);
  if (!options) {
    status = kExitUsage;
    return false;
  }
  if (files.size() != 1) {
    err << "returnplot: usage: returnplot " << flag << ' ' << kAnalysisOptionsUsage << " FILE\n";
    status = kExitUsage;
    return false;
  }
  performance.settings = options->Over();
  return LoadFileForBatch(files.front(), performance, err, status);
}

bool LoadFileForBatch(const std::string& path, Performance& performance, std::ostream& err, int& status,
                      std::int64_t* noteOns) {
  performance = Performance::BeforeFirstFile(performance.settings);
  const LoadResult result = LoadPerformanceFile(path, performance);
  if (result.status != LoadStatus::Loaded && result.status != LoadStatus::ReadError) {
    err << "returnplot: " << result.message << '\n';
    status = kExitCannotOpen;
    return false;
  }
  // A read that failed half-way still leaves a consistent performance; say so
  // and go on with it.
  if (!result.message.empty()) err << "returnplot: " << result.message << '\n';
  if (!result.warning.empty()) err << "returnplot: " << result.warning << '\n';
  if (noteOns != nullptr) *noteOns = result.noteOnCount;
  status = 0;
  return true;
}

std::string ShortestNumber(double value) {
  char text[64];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  (void)ec;  // 64 characters always hold a double
  return {text, end};
}

}  // namespace rp
