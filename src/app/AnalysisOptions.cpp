// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AnalysisOptions.h"

#include <charconv>
#include <ostream>

namespace rp {

namespace {

constexpr std::string_view kClusterMs = "--cluster-ms";
constexpr std::string_view kDelay = "--delay";
constexpr std::string_view kTimesUnit = "--times-unit";
constexpr std::string_view kEventVelocity = "--event-velocity";

// The whole of `text` as a number, else nothing.
template <class T>
std::optional<T> WholeText(const std::string& text) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || stop != end || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

AnalysisSettings AnalysisOptions::Over(AnalysisSettings base) const {
  if (clusterWindowMs) base.clusterWindowMs = *clusterWindowMs;
  if (delay) base.delay = *delay;
  if (timesUnit) base.timesUnit = *timesUnit;
  if (eventVelocity) base.eventVelocity = *eventVelocity;
  return base;
}

bool IsAnalysisOption(std::string_view arg) {
  return arg == kClusterMs || arg == kDelay || arg == kTimesUnit || arg == kEventVelocity;
}

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
          << (a == kClusterMs   ? " needs a number of milliseconds from 0 to 1000\n"
              : a == kDelay     ? " needs a whole number from 1 to 50\n"
              : a == kTimesUnit ? " needs s or ms\n"
                                : " needs first, loudest or highest\n");
      return std::nullopt;
    }
    const std::string& value = args[++i];
    if (a == kEventVelocity) {
      options.eventVelocity = EventVelocityFromName(value);
      if (!options.eventVelocity) {
        err << "returnplot: --event-velocity takes first, loudest or highest, not \"" << value << "\"\n";
        return std::nullopt;
      }
    } else if (a == kTimesUnit) {
      if (value != "s" && value != "ms") {
        err << "returnplot: --times-unit takes s or ms, not \"" << value << "\"\n";
        return std::nullopt;
      }
      options.timesUnit = value == "s" ? TimesUnit::Seconds : TimesUnit::Milliseconds;
    } else if (a == kClusterMs) {
      const std::optional<double> ms = WholeText<double>(value);
      if (!ms || !IsValidClusterWindow(*ms)) {
        err << "returnplot: --cluster-ms takes a number of milliseconds from 0 to 1000, not \"" << value << "\"\n";
        return std::nullopt;
      }
      options.clusterWindowMs = *ms;
    } else {
      const std::optional<std::int64_t> d = WholeText<std::int64_t>(value);
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
