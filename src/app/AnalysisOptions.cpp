#include "app/AnalysisOptions.h"

#include <ostream>

#include "app/TextNumber.h"

namespace rp {

namespace {

constexpr std::string_view kClusterMs = "--cluster-ms";
constexpr std::string_view kDelay = "--delay";

}  // namespace

AnalysisSettings AnalysisOptions::Over(AnalysisSettings base) const {
  if (clusterWindowMs) base.clusterWindowMs = *clusterWindowMs;
  if (delay) base.delay = *delay;
  return base;
}

bool IsAnalysisOption(std::string_view arg) { return arg == kClusterMs || arg == kDelay; }

std::optional<AnalysisOptions> TakeAnalysisOptions(std::vector<std::string>& args, std::ostream& err) {
  AnalysisOptions options;
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!IsAnalysisOption(a)) {
      rest.push_back(a);
      continue;
    }
    if (i + 1 == args.size()) {
      err << "returnplot: " << a
          << (a == kClusterMs ? " needs a number of milliseconds from 0 to 1000\n"
                              : " needs a whole number from 1 to 50\n");
      return std::nullopt;
    }
    const std::string& value = args[++i];
    if (a == kClusterMs) {
      const std::optional<double> ms = TextNumber<double>(value);
      if (!ms || !IsValidClusterWindow(*ms)) {
        err << "returnplot: --cluster-ms takes a number of milliseconds from 0 to 1000, not \"" << value << "\"\n";
        return std::nullopt;
      }
      options.clusterWindowMs = *ms;
    } else {
      const std::optional<std::int64_t> d = TextNumber<std::int64_t>(value);
      if (!d || !IsValidDelay(*d)) {
        err << "returnplot: --delay takes a whole number from 1 to 50, not \"" << value << "\"\n";
        return std::nullopt;
      }
      options.delay = static_cast<std::int32_t>(*d);
    }
  }
  args = std::move(rest);
  return options;
}

}  // namespace rp
