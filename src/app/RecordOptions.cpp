// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RecordOptions.h"

#include <cmath>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "app/AnalysisOptions.h"
#include "app/OutputPath.h"
#include "model/NumberReading.h"

namespace rp {

std::optional<RecordOptions> ParseRecordOptions(const std::vector<std::string>& given, std::ostream& err) {
  std::vector<std::string> args = given;
  const std::optional<AnalysisOptions> analysis = TakeAnalysisOptions(args, err);
  if (!analysis) return std::nullopt;
  RecordOptions options;
  options.settings = analysis->Over();
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--overwrite") {
      options.overwrite = true;
      continue;
    }
    if (a != "--input" && a != "--seconds") {
      if (a.rfind("--", 0) == 0) {
        err << "returnplot: --record does not know " << a << "; usage: returnplot --record " << kRecordUsage << '\n';
        return std::nullopt;
      }
      positional.push_back(a);
      continue;
    }
    if (i + 1 == args.size()) {
      err << "returnplot: " << a << " needs a value; usage: returnplot --record " << kRecordUsage << '\n';
      return std::nullopt;
    }
    const std::string& value = args[++i];
    if (a == "--input") {
      options.input = value;
      continue;
    }
    const double seconds = StrictNumber<double>(value).value_or(0.0);
    if (!std::isfinite(seconds) || seconds <= 0) {
      err << "returnplot: --seconds takes a number of seconds above 0, not \"" << value << "\"\n";
      return std::nullopt;
    }
    options.seconds = seconds;
  }
  if (positional.size() != 1 || options.input.empty()) {
    err << "returnplot: usage: returnplot --record " << kRecordUsage << '\n';
    return std::nullopt;
  }
  options.output = positional.front();
  if (const std::string problem = OutputPathProblem("--record", options.output, {".txt"}, {}); !problem.empty()) {
    err << "returnplot: " << problem << '\n';
    return std::nullopt;
  }
  return options;
}

std::string TakeDestinationProblem(const RecordOptions& options) {
  namespace fs = std::filesystem;
  const fs::path output(options.output);
  std::error_code ec;
  const fs::path folder = output.parent_path().empty() ? fs::path(".") : output.parent_path();
  if (!fs::is_directory(folder, ec))
    return "--record cannot write " + options.output + ": there is no folder " + folder.string();
  const fs::file_status status = fs::symlink_status(output, ec);
  if (fs::is_directory(status)) return "--record cannot write " + options.output + ": it is a folder";
  if (fs::exists(status) && !options.overwrite) {
    return options.output + " exists; --record replaces it only with --overwrite";
  }
  // An earlier take kept in the recovery file (or anything else of that
  // name) stays; an empty file holds none and gives way when recording starts.
  const std::string recovery = RecoveryPathOf(options);
  const fs::file_status kept = fs::symlink_status(recovery, ec);
  if (fs::exists(kept) && !(fs::is_regular_file(kept) && fs::file_size(recovery, ec) == 0)) {
    return "an earlier take is kept in " + recovery + "; open it and save it, or move it away, before recording again";
  }
  return {};
}

std::string RecoveryPathOf(const RecordOptions& options) { return options.output + ".recording"; }

}  // namespace rp
