// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ChartCommand.h"

#include <ostream>

#include "app/AnalysisOptions.h"
#include "app/BatchLoad.h"
#include "app/ExportTempo.h"
#include "app/OutputPath.h"
#include "app/StatsOptions.h"
#include "app/TempoMeasureOption.h"
#include "features/PerformanceFeatures.h"
#include "model/ComparedPerformances.h"
#include "model/NumberReading.h"
#include "model/Performance.h"
#include "stats/FeatureSeries.h"
#include "stats/PerformanceSeries.h"

namespace rp {

namespace {

// The permutation test's random state, as --stats takes it by default.
constexpr std::uint64_t kRandomState = 1;
constexpr double kMinSize = 100.0;
constexpr double kMaxSize = 20000.0;
constexpr double kMinDpi = 24.0;
constexpr double kMaxDpi = 2400.0;

std::optional<double> NumberIn(const std::string& option, const std::string& value, double low, double high,
                               std::ostream& err) {
  const std::optional<double> number = StrictNumber<double>(value);
  if (!number || !(*number >= low && *number <= high)) {
    err << "returnplot: " << option << " takes a number from " << low << " to " << high << ", not \"" << value
        << "\"\n";
    return std::nullopt;
  }
  return number;
}

// Takes the value of one chart option into `options`; false after saying
// what is wrong.
bool TakeValue(const std::string& option, const std::string& value, ChartOptions& options, std::ostream& err) {
  ChartRequest& r = options.request;
  if (option == "--theme") {
    const std::optional<ChartTheme> theme = ParseChartTheme(value);
    if (!theme) err << "returnplot: --theme takes light or dark, not \"" << value << "\"\n";
    if (theme) r.theme = *theme;
    return theme.has_value();
  }
  if (option == "--title") {
    r.title = value;
    return true;
  }
  if (option == "--series") {
    for (const SeriesKind kind : {SeriesKind::Timing, SeriesKind::Velocity, SeriesKind::Tempo, SeriesKind::MelodyLead,
                                  SeriesKind::Spread, SeriesKind::Overlap}) {
      if (SeriesName(kind) == value) {
        r.series = kind;
        return true;
      }
    }
    err << "returnplot: --series takes timing, velocity, tempo, melody_lead, spread or overlap, not \"" << value
        << "\"\n";
    return false;
  }
  if (option == "--measure") {
    for (const StatisticsColumn& column : StatisticsColumns()) {
      if (column.name == value) {
        r.measure = value;
        return true;
      }
    }
    err << "returnplot: --measure takes one of mean, sd, cv, sd1, sd2, sd1_sd2, area, r_d, rd_p, dfa_alpha, sampen, "
           "not \""
        << value << "\"\n";
    return false;
  }
  if (option == "--against") {
    if (value != "time" && value != "event") {
      err << "returnplot: --against takes time or event, not \"" << value << "\"\n";
      return false;
    }
    r.againstEventNumber = value == "event";
    return true;
  }
  if (IsTempoMeasureOption(option)) {
    if (const std::optional<std::string> error = ReadTempoMeasureOption(option, value, r.tempo)) {
      err << "returnplot: " << *error << '\n';
      return false;
    }
    return true;
  }
  std::optional<double> number;
  if (option == "--width" || option == "--height") {
    number = NumberIn(option, value, kMinSize, kMaxSize, err);
    if (number) (option == "--width" ? r.width : r.height) = *number;
  } else if (option == "--dpi") {
    number = NumberIn(option, value, kMinDpi, kMaxDpi, err);
    if (number) options.dpi = *number;
  } else {
    number = NumberIn(option, value, 0.0, kMaxSmoothBeats, err);
    if (number) r.smoothBeats = *number;
  }
  return number.has_value();
}

bool IsChartOption(const std::string& arg) {
  for (const char* name : {"--theme", "--title", "--series", "--against", "--beat", "--tempo-unit", "--width",
                           "--height", "--dpi", "--smooth", "--measure"})
    if (arg == name) return true;
  return false;
}

}  // namespace

std::optional<ChartOptions> ParseChartOptions(const std::vector<std::string>& args, std::ostream& err) {
  if (args.size() < 2) {
    err << "returnplot: usage: returnplot --chart " << kChartUsage << '\n';
    return std::nullopt;
  }
  ChartOptions options;
  const std::optional<ChartKind> kind = ParseChartKind(args[0]);
  if (!kind) {
    err << "returnplot: --chart draws tempo, poincare, bars, worm, recurrence, windows, cross-recurrence or features, "
           "not \""
        << args[0] << "\"\n";
    return std::nullopt;
  }
  options.request.kind = *kind;
  options.output = args[1];
  std::vector<std::string> rest(args.begin() + 2, args.end());
  options.strict = TakeStrictOption(rest);
  const std::optional<AnalysisOptions> analysis = TakeAnalysisOptions(rest, err);
  if (!analysis) return std::nullopt;
  options.settings = analysis->Over();
  const std::optional<StatsOptions> stats = TakeStatsOptions(rest, err);
  if (!stats) return std::nullopt;
  if (stats->measures.recurrence) options.request.recurrence = *stats->measures.recurrence;
  options.measures = stats->measures;
  options.measures.recurrence.reset();
  options.request.windows = WindowChoiceOf(*stats);
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const std::string& a = rest[i];
    if (IsChartOption(a)) {
      if (i + 1 >= rest.size()) {
        err << "returnplot: " << a << " needs a value\n";
        return std::nullopt;
      }
      if (!TakeValue(a, rest[++i], options, err)) return std::nullopt;
    } else if (a.size() > 2 && a.rfind("--", 0) == 0) {
      err << "returnplot: --chart does not know " << a << '\n';
      return std::nullopt;
    } else {
      options.files.push_back(a);
    }
  }
  if (options.files.empty()) {
    err << "returnplot: --chart needs at least one FILE; usage: returnplot --chart " << kChartUsage << '\n';
    return std::nullopt;
  }
  if (options.request.kind == ChartKind::Windows && !options.request.windows.Chosen()) {
    err << "returnplot: --chart windows needs --window N or --window-bars B\n";
    return std::nullopt;
  }
  if (options.request.kind == ChartKind::CrossRecurrence && options.files.size() != 2) {
    err << "returnplot: --chart cross-recurrence takes two files, not " << options.files.size() << '\n';
    return std::nullopt;
  }
  if (options.files.size() > kMaxShownPerformances) {
    err << "returnplot: --chart draws at most " << kMaxShownPerformances << " performances, not "
        << options.files.size() << '\n';
    return std::nullopt;
  }
  if (const std::string problem = OutputPathProblem("--chart", options.output, {".png", ".svg", ".pdf"}, options.files);
      !problem.empty()) {
    err << problem << '\n';
    return std::nullopt;
  }
  return options;
}

std::optional<ChartDescription> DescribeChartOfFiles(const ChartOptions& options, std::ostream& err, int& status) {
  struct Loaded {
    std::vector<MeasuredSeries> series;
    std::vector<double> onsetMs;
    std::optional<ScoredEvents> scored;
    std::vector<WindowedSeries> windows;
    std::vector<double> scoreBeats;
  };
  const ChartKind kind = options.request.kind;
  const bool featureSeries = options.request.series == SeriesKind::MelodyLead ||
                             options.request.series == SeriesKind::Spread ||
                             options.request.series == SeriesKind::Overlap;
  std::vector<Loaded> loaded;
  std::vector<ChartPerformance> performances;
  loaded.reserve(options.files.size());
  for (const std::string& path : options.files) {
    Performance performance = Performance::Empty(options.settings);
    if (!LoadFileForBatch(path, performance, err, status, nullptr, options.strict)) return std::nullopt;
    const bool needsScore = kind == ChartKind::Bars || kind == ChartKind::Worm || kind == ChartKind::Features;
    Loaded& l = loaded.emplace_back();
    const EventColumns events = EventColumnsOf(performance);
    l.series = MeasureEvents(events, performance.settings.delay, kRandomState);
    l.onsetMs = events.onsetMs;
    l.scored = ScoredEventsOf(performance);
    if (needsScore && !l.scored) {
      err << "returnplot: \"" << path
          << "\" has no score positions in bars: that needs a performance aligned to its score (a match file) with a "
             "time signature N/D\n";
      status = 1;
      return std::nullopt;
    }
    if (kind == ChartKind::CrossRecurrence && !events.scoreBeats) {
      err << "returnplot: \"" << path
          << "\" has no score positions: a cross-recurrence pairs values by score position (a match file, or "
             "--score)\n";
      status = 1;
      return std::nullopt;
    }
    if (events.scoreBeats) l.scoreBeats = *events.scoreBeats;
    // The chord and melody features, as the Statistics window measures them.
    std::vector<NamedSeries> features;
    if ((kind == ChartKind::Features || featureSeries) && performance.source == PerformanceSource::ScoreAligned)
      features = NamedFeatureSeries(FeaturesOf(performance));
    for (const NamedSeries& feature : features)
      l.series.push_back(MeasureSeries(feature, events.onsetMs, performance.settings.delay, kRandomState));
    if (kind == ChartKind::Windows) {
      if (options.request.windows.bars && !events.bars) {
        err << "returnplot: \"" << path
            << "\": --window-bars needs a performance aligned to a score (with bar numbers)\n";
        status = 1;
        return std::nullopt;
      }
      l.windows = MeasureWindows(events, features, options.request.windows, performance.settings.delay, kRandomState,
                                 options.measures);
    }
    performances.push_back({PerformanceDisplayName(performance),
                            nullptr,
                            {},
                            nullptr,
                            performance.velocityKind == VelocityKind::Decibel,
                            nullptr,
                            {}});
  }
  for (std::size_t i = 0; i < loaded.size(); ++i) {
    performances[i].series = &loaded[i].series;
    performances[i].onsetMs = loaded[i].onsetMs;
    performances[i].scored = loaded[i].scored ? &*loaded[i].scored : nullptr;
    performances[i].windows = &loaded[i].windows;
    performances[i].scoreBeats = loaded[i].scoreBeats;
  }
  return DescribeChart(performances, options.request);
}

}  // namespace rp
