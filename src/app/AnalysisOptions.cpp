// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AnalysisOptions.h"

#include <ostream>

#include "model/NumberReading.h"

namespace rp {

namespace {

constexpr std::string_view kClusterMs = "--cluster-ms";
constexpr std::string_view kDelay = "--delay";
constexpr std::string_view kTimesUnit = "--times-unit";
constexpr std::string_view kEventVelocity = "--event-velocity";
constexpr std::string_view kScoreOnset = "--score-onset";
constexpr std::string_view kOnsetMethod = "--onset-method";
constexpr std::string_view kOnsetThreshold = "--onset-threshold";
constexpr std::string_view kOnsetSilenceDb = "--onset-silence-db";
constexpr std::string_view kOnsetMinIoiMs = "--onset-min-ioi-ms";

// What each option takes, for its messages.
std::string Expected(std::string_view option) {
  if (option == kClusterMs) return "a number of milliseconds from 0 to 1000";
  if (option == kDelay) return "a whole number from 1 to 50";
  if (option == kTimesUnit) return "s or ms";
  if (option == kEventVelocity) return "first, loudest or highest";
  if (option == kScoreOnset) return "earliest, mean, melody or highest";
  if (option == kOnsetMethod) return "one of " + OnsetMethodNames();
  if (option == kOnsetThreshold) return "a number from 0.001 to 10";
  if (option == kOnsetSilenceDb) return "a level in dB from -120 to 0";
  return "a number of milliseconds from 0 to 1000";  // --onset-min-ioi-ms
}

// Reads `value` into the option `option` of `options`; false when it is not
// a value the option takes.
bool TakeValue(std::string_view option, const std::string& value, AnalysisOptions& options) {
  if (option == kTimesUnit) {
    if (value != "s" && value != "ms") return false;
    options.timesUnit = value == "s" ? TimesUnit::Seconds : TimesUnit::Milliseconds;
    return true;
  }
  if (option == kEventVelocity) {
    options.eventVelocity = EventVelocityFromName(value);
    return options.eventVelocity.has_value();
  }
  if (option == kScoreOnset) {
    options.scoreOnset = ScoreOnsetFromName(value);
    return options.scoreOnset.has_value();
  }
  if (option == kOnsetMethod) {
    options.onsetMethod = OnsetMethodNamed(value);
    return options.onsetMethod.has_value();
  }
  if (option == kDelay) {
    const std::optional<std::int64_t> d = StrictNumber<std::int64_t>(value);
    if (!d || !IsValidDelay(*d)) return false;
    options.delay = static_cast<std::int32_t>(*d);
    return true;
  }
  const std::optional<double> number = StrictNumber<double>(value);
  if (!number) return false;
  if (option == kClusterMs && IsValidClusterWindow(*number)) {
    options.clusterWindowMs = number;
  } else if (option == kOnsetThreshold && IsValidOnsetThreshold(*number)) {
    options.onsetThreshold = number;
  } else if (option == kOnsetSilenceDb && IsValidSilenceDb(*number)) {
    options.onsetSilenceDb = number;
  } else if (option == kOnsetMinIoiMs && IsValidOnsetIoi(*number)) {
    options.onsetMinIoiMs = number;
  } else {
    return false;
  }
  return true;
}

}  // namespace

AnalysisSettings AnalysisOptions::Over(AnalysisSettings base) const {
  if (clusterWindowMs) base.clusterWindowMs = *clusterWindowMs;
  if (delay) base.delay = *delay;
  if (timesUnit) base.timesUnit = *timesUnit;
  if (eventVelocity) base.eventVelocity = *eventVelocity;
  if (scoreOnset) base.scoreOnset = *scoreOnset;
  if (onsetMethod) base.onsets.method = *onsetMethod;
  if (onsetThreshold) base.onsets.threshold = *onsetThreshold;
  if (onsetSilenceDb) base.onsets.silenceDb = *onsetSilenceDb;
  if (onsetMinIoiMs) base.onsets.minIoiMs = *onsetMinIoiMs;
  return base;
}

bool IsAnalysisOption(std::string_view arg) {
  return arg == kClusterMs || arg == kDelay || arg == kTimesUnit || arg == kEventVelocity || arg == kScoreOnset ||
         arg == kOnsetMethod || arg == kOnsetThreshold || arg == kOnsetSilenceDb || arg == kOnsetMinIoiMs;
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
      err << "returnplot: " << a << " needs " << Expected(a) << '\n';
      return std::nullopt;
    }
    const std::string& value = args[++i];
    if (!TakeValue(a, value, options)) {
      err << "returnplot: " << a << " takes " << Expected(a) << ", not \"" << value << "\"\n";
      return std::nullopt;
    }
  }
  args = std::move(rest);
  return options;
}

}  // namespace rp
