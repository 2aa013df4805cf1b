// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StatsOptions.h"

#include <cmath>
#include <ostream>

#include "model/NumberReading.h"

namespace rp {

namespace {

// An option with a value: its name, what it takes in words, and how it
// reads the value into the options (false: not a value it takes).
struct ValueOption {
  std::string_view name;
  std::string_view expected;
  bool (*take)(const std::string& value, StatsOptions& options);
};

template <class T>
std::optional<T> InRange(const std::string& text, T lowest, T highest) {
  const std::optional<T> value = StrictNumber<T>(text);
  if (!value || !(*value >= lowest) || !(*value <= highest)) return std::nullopt;
  return value;
}

// Reads `text` into `into` when it is a number from `lowest` to `highest`.
template <class T>
bool TakeInRange(const std::string& text, T lowest, T highest, T& into) {
  const std::optional<T> value = InRange<T>(text, lowest, highest);
  if (value) into = *value;
  return value.has_value();
}

// Reads `text` into `into` when it is a number above `lowest` and at most
// `highest`.
bool TakeAbove(const std::string& text, double lowest, double highest, double& into) {
  const std::optional<double> value = InRange<double>(text, lowest, highest);
  if (!value || *value <= lowest) return false;
  into = *value;
  return true;
}

RecurrenceSettings& Recurrence(StatsOptions& options) {
  if (!options.measures.recurrence) options.measures.recurrence.emplace();
  return *options.measures.recurrence;
}

BootstrapSettings& Bootstrap(StatsOptions& options) {
  if (!options.ci) options.ci.emplace();
  return *options.ci;
}

const ValueOption kValueOptions[] = {
    {"--permutations", "a whole number from 0 to 1000000",
     [](const std::string& v, StatsOptions& o) { return TakeInRange<int>(v, 0, 1000000, o.measures.permutations); }},
    {"--sampen-m", "a whole number from 1 to 10",
     [](const std::string& v, StatsOptions& o) {
       return TakeInRange<int>(v, 1, 10, o.measures.sampleEntropyTemplate);
     }},
    {"--sampen-r", "a fraction of the sd above 0 and at most 10",
     [](const std::string& v, StatsOptions& o) { return TakeAbove(v, 0.0, 10.0, o.measures.sampleEntropyTolerance); }},
    {"--dfa-scales", "MIN:MAX, whole numbers with 3 <= MIN < MAX",
     [](const std::string& v, StatsOptions& o) {
       const std::size_t colon = v.find(':');
       if (colon == std::string::npos) return false;
       const auto min = InRange<std::int64_t>(v.substr(0, colon), 3, 1000000000);
       const auto max = InRange<std::int64_t>(v.substr(colon + 1), 4, 1000000000);
       if (!min || !max || *min >= *max) return false;
       o.measures.dfaScales = {*min, *max};
       return true;
     }},
    {"--ci", "a level above 0 and below 1 (0.9) or in percent from 1 to below 100 (90)",
     [](const std::string& v, StatsOptions& o) {
       // "0.9" and "90" both ask for 90 %: an interval under 1 % would be a
       // sliver around the median of the resampled values, which need not
       // hold the measure at all.
       double level = 0.0;
       if (!TakeAbove(v, 0.0, 100.0, level) || level >= 100.0) return false;
       Bootstrap(o).level = level < 1.0 ? level : level / 100.0;
       return true;
     }},
    {"--ci-block", "a whole number of values from 1 to 1000000",
     [](const std::string& v, StatsOptions& o) {
       return TakeInRange<std::int64_t>(v, 1, 1000000, Bootstrap(o).block);
     }},
    {"--ci-resamples", "a whole number from 10 to 100000",
     [](const std::string& v, StatsOptions& o) {
       return TakeInRange<std::int32_t>(v, 10, 100000, Bootstrap(o).resamples);
     }},
    {"--window", "a whole number of events from 2 to 1000000000",
     [](const std::string& v, StatsOptions& o) {
       o.windowEvents = InRange<std::int64_t>(v, 2, 1000000000);
       return o.windowEvents.has_value();
     }},
    {"--window-bars", "a whole number of bars from 1 to 100000",
     [](const std::string& v, StatsOptions& o) {
       o.windowBars = InRange<std::int32_t>(v, 1, 100000);
       return o.windowBars.has_value();
     }},
    {"--step", "a whole number from 1 to 1000000000",
     [](const std::string& v, StatsOptions& o) {
       o.step = InRange<std::int64_t>(v, 1, 1000000000);
       return o.step.has_value();
     }},
    {"--rqa-dim", "a whole number from 1 to 20",
     [](const std::string& v, StatsOptions& o) {
       return TakeInRange<std::int32_t>(v, 1, 20, Recurrence(o).dimension);
     }},
    {"--rqa-delay", "a whole number from 1 to 100",
     [](const std::string& v, StatsOptions& o) { return TakeInRange<std::int32_t>(v, 1, 100, Recurrence(o).delay); }},
    {"--rqa-radius", "a distance above 0 in the series' units",
     [](const std::string& v, StatsOptions& o) {
       const auto r = StrictNumber<double>(v);
       if (!r || !(*r > 0.0) || !std::isfinite(*r)) return false;
       Recurrence(o).radius = *r;
       return true;
     }},
    {"--rqa-rate", "a recurrence rate above 0 and at most 1",
     [](const std::string& v, StatsOptions& o) { return TakeAbove(v, 0.0, 1.0, Recurrence(o).rate); }},
    {"--rqa-theiler", "a whole number from 0 to 100000",
     [](const std::string& v, StatsOptions& o) {
       return TakeInRange<std::int32_t>(v, 0, 100000, Recurrence(o).theilerWindow);
     }},
};

const ValueOption* ValueOptionNamed(std::string_view name) {
  for (const ValueOption& option : kValueOptions)
    if (option.name == name) return &option;
  return nullptr;
}

}  // namespace

std::optional<StatsOptions> TakeStatsOptions(std::vector<std::string>& args, std::ostream& err) {
  StatsOptions options;
  std::vector<std::string> rest;
  bool radiusGiven = false;
  bool rateGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--extended") {
      options.extended = true;
    } else if (a == "--header-comments") {
      options.headerComments = true;
    } else if (a == "--features") {
      options.features = true;
    } else if (a == "--rqa") {
      Recurrence(options);
    } else if (const ValueOption* option = ValueOptionNamed(a)) {
      if (i + 1 == args.size()) {
        err << "returnplot: " << a << " needs " << option->expected << '\n';
        return std::nullopt;
      }
      const std::string& value = args[++i];
      if (!option->take(value, options)) {
        err << "returnplot: " << a << " takes " << option->expected << ", not \"" << value << "\"\n";
        return std::nullopt;
      }
      radiusGiven = radiusGiven || a == "--rqa-radius";
      rateGiven = rateGiven || a == "--rqa-rate";
    } else {
      rest.push_back(a);
    }
  }
  const char* clash = nullptr;
  if (radiusGiven && rateGiven) clash = "--rqa-radius and --rqa-rate do not go together";
  if (options.windowEvents && options.windowBars) clash = "--window and --window-bars do not go together";
  if (options.step && !options.windowEvents && !options.windowBars) clash = "--step needs --window or --window-bars";
  if (clash != nullptr) {
    err << "returnplot: " << clash << '\n';
    return std::nullopt;
  }
  args = std::move(rest);
  return options;
}

std::vector<EventWindow> WindowsOf(const EventColumns& events, const StatsOptions& options, std::string& error) {
  if (options.windowBars && !events.bars) {
    error = "--window-bars needs a performance aligned to a score (with bar numbers)";
    return {};
  }
  return ChosenWindows(events, WindowChoiceOf(options));
}

WindowChoice WindowChoiceOf(const StatsOptions& options) {
  return {options.windowEvents, options.windowBars, options.step};
}

}  // namespace rp
