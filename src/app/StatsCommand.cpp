// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StatsCommand.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <new>
#include <optional>
#include <ostream>
#include <sstream>
#include <thread>

#include "analysis/ChordSplitting.h"
#include "analysis/PerformanceLoader.h"
#include "app/AnalysisOptions.h"
#include "app/BatchLoad.h"
#include "app/StatsOptions.h"
#include "app/TerminalProgress.h"
#include "base/OrderedJobs.h"
#include "features/PerformanceFeatures.h"
#include "io/CsvWriter.h"
#include "model/NumberReading.h"
#include "model/Performance.h"
#include "model/ShortestNumber.h"
#include "stats/BlockBootstrap.h"
#include "stats/FeatureSeries.h"
#include "stats/PerformanceSeries.h"
#include "stats/SeriesStatistics.h"
#include "stats/SeriesWindows.h"
#include "stats/StatisticsConventions.h"

namespace rp {

namespace {

constexpr std::string_view kJobs = "--jobs";
constexpr std::string_view kRandomState = "--random-state";
constexpr unsigned kMaxJobs = 1024;

struct StatsRequest {
  AnalysisSettings settings;
  StatsOptions options;
  unsigned jobs = 1;
  std::uint64_t randomState = 1;
  std::vector<std::string> files;
  std::vector<ReportedMeasure> measures;  // the measure columns printed

  bool Windows() const { return options.windowEvents || options.windowBars; }
  // The names of the columns, in order.
  std::vector<std::string> Header() const {
    std::vector<std::string> names{"file", "series"};
    if (options.windowBars) names.insert(names.end(), {"first_bar", "last_bar"});
    if (Windows()) names.insert(names.end(), {"first_event", "last_event"});
    names.emplace_back("n");
    for (const ReportedMeasure& m : measures) {
      names.emplace_back(m.name);
      if (options.ci && m.hasInterval) names.insert(names.end(), {names.back() + "_lo", names.back() + "_hi"});
    }
    if (options.ci) names.insert(names.end(), {"ci_block", "ci_resamples"});
    if (options.extended) names.emplace_back("warning");
    names.emplace_back("error");
    return names;
  }
};

// What one file gives: its CSV rows, lines for stderr, and whether it failed.
struct FileRows {
  std::string csv;
  std::string notes;
  bool failed = false;
};

std::optional<StatsRequest> ReadRequest(const std::vector<std::string>& args, std::ostream& err) {
  std::vector<std::string> rest = args;
  const std::optional<AnalysisOptions> analysis = TakeAnalysisOptions(rest, err);
  if (!analysis) return std::nullopt;
  const std::optional<StatsOptions> options = TakeStatsOptions(rest, err);
  if (!options) return std::nullopt;
  StatsRequest request;
  request.settings = analysis->Over();
  request.options = *options;
  request.measures = ReportedMeasures(request.options.extended, request.options.measures.recurrence.has_value());
  request.jobs = std::max(1U, std::min(kMaxJobs, std::thread::hardware_concurrency()));
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const std::string& a = rest[i];
    if (a == kJobs) {
      const std::optional<unsigned> jobs = i + 1 < rest.size() ? StrictNumber<unsigned>(rest[++i]) : std::nullopt;
      if (!jobs || *jobs < 1 || *jobs > kMaxJobs) {
        err << "returnplot: --jobs takes a whole number from 1 to " << kMaxJobs << '\n';
        return std::nullopt;
      }
      request.jobs = *jobs;
    } else if (a == kRandomState) {
      const std::optional<std::uint64_t> state =
          i + 1 < rest.size() ? StrictNumber<std::uint64_t>(rest[++i]) : std::nullopt;
      if (!state) {
        err << "returnplot: --random-state takes a whole number from 0 to 18446744073709551615\n";
        return std::nullopt;
      }
      request.randomState = *state;
    } else if (a.size() > 2 && a.rfind("--", 0) == 0) {
      err << "returnplot: --stats does not know " << a << '\n';
      return std::nullopt;
    } else {
      request.files.push_back(a);
    }
  }
  if (request.files.empty()) {
    err << "returnplot: usage: returnplot --stats " << kStatsUsage << '\n';
    return std::nullopt;
  }
  return request;
}

// The conventions as comment lines, for `--header-comments`.
void WriteHeaderComments(std::ostream& out, const StatsRequest& request) {
  const StatsOptions& o = request.options;
  out << "# returnplot --stats: " << DescribeStatisticsOptions(request.settings.delay, request.randomState, o.measures)
      << '\n';
  out << "# file: the file as given; series: timing (ms from an onset to the next), velocity, tempo (ms per beat)";
  if (o.features) {
    out << ", melody_lead (mean onset of a chord's other notes minus its melody note's, ms), spread (latest minus "
           "earliest onset of a chord, ms), overlap (release of a melody note minus the onset of the next, ms); a "
           "series the file cannot give has n 0 and says why in error";
  }
  out << '\n';
  if (o.windowEvents) {
    out << "# first_event, last_event: the window's events, counted from 1; windows of " << *o.windowEvents
        << " events every " << o.step.value_or(*o.windowEvents) << " events, the last one up to the last event\n";
  } else if (o.windowBars) {
    out << "# first_bar, last_bar: the bars of the window, first_event, last_event: its events, counted from 1; "
           "windows of "
        << *o.windowBars << " bars every " << o.step.value_or(*o.windowBars) << " bars\n";
  }
  out << "# n: N, the number of values of the series\n";
  for (const ReportedMeasure& m : request.measures) out << "# " << m.name << ": " << m.convention << '\n';
  if (o.ci) {
    out << "# _lo, _hi: the " << ShortestNumber(o.ci->level * 100.0)
        << "% percentile interval of a moving-block bootstrap (blocks of ci_block values starting anywhere, "
        << o.ci->resamples << " resamples, the random state's std::mt19937_64; the rqa radius kept)\n";
  }
  if (o.extended)
    out << "# warning: measures resting on fewer than " << kFewValues
        << " values, and dfa_alpha when N is under 4 times its largest scale\n";
}

void WriteHeader(std::ostream& out, const StatsRequest& request) {
  if (request.options.headerComments) WriteHeaderComments(out, request);
  CsvWriter csv(out);
  for (const std::string& name : request.Header()) csv.Text(name);
  csv.EndRow();
}

// The row of a file that gives no measures: its name and why.
std::string ErrorRow(const std::string& path, const std::string& message, const StatsRequest& request) {
  std::ostringstream text;
  CsvWriter csv(text);
  csv.Field(path);
  for (std::size_t k = 0; k + 2 < request.Header().size(); ++k) csv.Text("");
  csv.Field(message).EndRow();
  csv.Flush();
  return text.str();
}

void WriteValue(CsvWriter& csv, const std::optional<double>& value) {
  if (value) {
    csv.Number(*value);
  } else {
    csv.Text("");
  }
}

// The file, series and window columns that open a row.
void WriteRowStart(CsvWriter& csv, const std::string& path, std::string_view name, const EventWindow* window,
                   const StatsRequest& request) {
  csv.Field(path).Text(name);
  if (window != nullptr) {
    if (request.options.windowBars) csv.Integer(*window->firstBar).Integer(*window->lastBar);
    csv.Integer(static_cast<std::int64_t>(window->first) + 1).Integer(static_cast<std::int64_t>(window->last) + 1);
  }
}

// The measures of one series (of a window, when `window` is given) as one row.
void WriteSeriesRow(CsvWriter& csv, const std::string& path, std::string_view name, const std::vector<double>& values,
                    const EventWindow* window, const StatsRequest& request, std::string& notes) {
  const StatsOptions& o = request.options;
  const std::int32_t delay = request.settings.delay;
  const SeriesStatistics s = ComputeSeriesStatistics(values, delay, request.randomState, o.measures);
  std::vector<Interval> intervals;
  if (o.ci) {
    std::vector<std::optional<double> SeriesStatistics::*> members;
    for (const ReportedMeasure& m : request.measures)
      if (m.hasInterval) members.push_back(m.value);
    intervals = BootstrapIntervals(values, delay, o.measures, *o.ci, request.randomState, members);
  }
  WriteRowStart(csv, path, name, window, request);
  csv.Integer(s.n);
  std::size_t next = 0;
  for (const ReportedMeasure& m : request.measures) {
    WriteValue(csv, s.*m.value);
    if (o.ci && m.hasInterval) {
      WriteValue(csv, intervals[next].lo);
      WriteValue(csv, intervals[next].hi);
      ++next;
    }
  }
  if (o.ci) csv.Integer(BootstrapBlock(values.size(), *o.ci)).Integer(o.ci->resamples);
  if (o.extended) csv.Field(s.warning);
  csv.Text("").EndRow();
  if (s.lagCorrelationP && s.lagCorrelationPValues < s.n) {
    notes += "returnplot: " + path + ": rd_p of the " + std::string(name) + " series is taken over its first " +
             std::to_string(s.lagCorrelationPValues) + " of " + std::to_string(s.n) + " values\n";
  }
  if (s.sampleEntropy && s.sampleEntropyValues < s.n) {
    notes += "returnplot: " + path + ": sampen of the " + std::string(name) + " series is taken over its first " +
             std::to_string(s.sampleEntropyValues) + " of " + std::to_string(s.n) + " values\n";
  }
}

// The row of a series the file cannot give: n 0, no measures, and why.
void WriteMissingRow(CsvWriter& csv, const std::string& path, const FeatureSeries& series, const EventWindow* window,
                     const StatsRequest& request) {
  WriteRowStart(csv, path, series.name, window, request);
  const std::size_t opening = request.Windows() ? (request.options.windowBars ? 6 : 4) : 2;
  csv.Integer(0);
  for (std::size_t k = opening + 1; k + 1 < request.Header().size(); ++k) csv.Text("");
  csv.Field(series.missing).EndRow();
}

// The feature series of the performance (of a window, when `window` is given) as rows.
void WriteFeatureRows(CsvWriter& csv, const std::string& path, const PerformanceFeatures& features,
                      const EventWindow* window, const StatsRequest& request, std::string& notes) {
  for (const FeatureSeries& series : SeriesOfFeatures(features, window)) {
    if (series.missing.empty()) {
      WriteSeriesRow(csv, path, series.name, series.values, window, request, notes);
    } else {
      WriteMissingRow(csv, path, series, window, request);
    }
  }
}

FileRows MeasuredRows(const std::string& path, const StatsRequest& request) {
  FileRows rows;
  Performance performance = Performance::Empty(request.settings);
  const LoadResult load = LoadPerformanceFile(path, performance);
  // Measures of half a file would pass for the whole: a read that failed
  // half-way counts as failed.
  if (!load.Ok()) return {ErrorRow(path, load.message, request), {}, true};
  // What the load skipped or changed goes to stderr, as for the other commands.
  if (!load.warning.empty()) rows.notes += "returnplot: " + load.warning + "\n";
  if (const std::string split = ChordSplittingWarning(performance); !split.empty()) {
    rows.notes += "returnplot: " + path + ": " + split + "\n";
  }
  std::ostringstream text;
  CsvWriter csv(text);
  const EventColumns events = EventColumnsOf(performance);
  const std::optional<PerformanceFeatures> features =
      request.options.features ? std::optional(FeaturesOf(performance)) : std::nullopt;
  if (!request.Windows()) {
    for (const NamedSeries& series : SeriesFromEvents(events))
      WriteSeriesRow(csv, path, SeriesName(series.kind), series.values, nullptr, request, rows.notes);
    if (features) WriteFeatureRows(csv, path, *features, nullptr, request, rows.notes);
  } else {
    std::string error;
    const std::vector<EventWindow> windows = WindowsOf(events, request.options, error);
    if (!error.empty()) return {ErrorRow(path, error, request), rows.notes, true};
    for (const EventWindow& window : windows) {
      for (const NamedSeries& series : SeriesFromEvents(WindowColumns(events, window)))
        WriteSeriesRow(csv, path, SeriesName(series.kind), series.values, &window, request, rows.notes);
      if (features) WriteFeatureRows(csv, path, *features, &window, request, rows.notes);
    }
  }
  csv.Flush();
  rows.csv = text.str();
  return rows;
}

FileRows MeasureFile(const std::string& path, const StatsRequest& request) {
  try {
    return MeasuredRows(path, request);
  } catch (const std::bad_alloc&) {
    return {ErrorRow(path, "Not enough memory to measure \"" + path + "\".", request), {}, true};
  } catch (const std::exception& e) {
    // Whatever else goes wrong with one file, the others go on.
    return {ErrorRow(path, "Cannot measure \"" + path + "\": " + e.what(), request), {}, true};
  }
}

}  // namespace

int RunStats(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<StatsRequest> request = ReadRequest(args, err);
  if (!request) return kExitUsage;
  WriteHeader(out, *request);
  bool anyFailed = false;
  std::size_t done = 0;
  TerminalProgress progress(err, ReachesTerminal(err), "--stats", request->files.size(), "files", &MonotonicSeconds);
  RunJobsInOrder(
      request->files.size(), request->jobs, [&](std::size_t i) { return MeasureFile(request->files[i], *request); },
      [&](FileRows&& rows) {
        progress.Clear();
        out << rows.csv;
        err << rows.notes;
        anyFailed = anyFailed || rows.failed;
        progress.Show(++done);
      });
  progress.Clear();
  out.flush();
  return anyFailed ? 1 : 0;
}

}  // namespace rp
