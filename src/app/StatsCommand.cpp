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
#include "app/TextNumber.h"
#include "base/OrderedJobs.h"
#include "io/CsvWriter.h"
#include "model/Performance.h"
#include "stats/PerformanceSeries.h"
#include "stats/SeriesStatistics.h"

namespace rp {

namespace {

constexpr std::string_view kJobs = "--jobs";
constexpr std::string_view kRandomState = "--random-state";
constexpr unsigned kMaxJobs = 1024;

struct StatsRequest {
  AnalysisSettings settings;
  unsigned jobs = 1;
  std::uint64_t randomState = 1;
  std::vector<std::string> files;
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
  StatsRequest request;
  request.settings = analysis->Over();
  request.jobs = std::max(1U, std::min(kMaxJobs, std::thread::hardware_concurrency()));
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const std::string& a = rest[i];
    if (a == kJobs) {
      const std::optional<unsigned> jobs = i + 1 < rest.size() ? TextNumber<unsigned>(rest[++i]) : std::nullopt;
      if (!jobs || *jobs < 1 || *jobs > kMaxJobs) {
        err << "returnplot: --jobs takes a whole number from 1 to " << kMaxJobs << '\n';
        return std::nullopt;
      }
      request.jobs = *jobs;
    } else if (a == kRandomState) {
      const std::optional<std::uint64_t> state =
          i + 1 < rest.size() ? TextNumber<std::uint64_t>(rest[++i]) : std::nullopt;
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

void WriteHeader(std::ostream& out) {
  CsvWriter csv(out);
  csv.Text("file").Text("series").Text("n");
  for (const StatisticsColumn& column : StatisticsColumns()) csv.Text(column.name);
  csv.Text("error").EndRow();
}

// The row of a file that gives no measures: its name and why.
std::string ErrorRow(const std::string& path, const std::string& message) {
  std::ostringstream text;
  CsvWriter csv(text);
  csv.Field(path);
  for (std::size_t k = 0; k < StatisticsColumns().size() + 2; ++k) csv.Text("");
  csv.Field(message).EndRow();
  csv.Flush();
  return text.str();
}

FileRows MeasuredRows(const std::string& path, const StatsRequest& request) {
  FileRows rows;
  Performance performance = Performance::BeforeFirstFile(request.settings);
  const LoadResult load = LoadPerformanceFile(path, performance);
  // Measures of half a file would pass for the whole: a read that failed
  // half-way counts as failed.
  if (!load.Ok()) return {ErrorRow(path, load.message), {}, true};
  // What the load skipped or changed goes to stderr, as for the other commands.
  if (!load.warning.empty()) rows.notes += "returnplot: " + load.warning + "\n";
  if (const std::string split = ChordSplittingWarning(performance); !split.empty()) {
    rows.notes += "returnplot: " + path + ": " + split + "\n";
  }
  std::ostringstream text;
  CsvWriter csv(text);
  for (const NamedSeries& series : SeriesOfPerformance(performance)) {
    const SeriesStatistics s = ComputeSeriesStatistics(series.values, performance.settings.delay, request.randomState);
    csv.Field(path).Text(SeriesName(series.kind)).Integer(s.n);
    for (const StatisticsColumn& column : StatisticsColumns()) {
      const std::optional<double>& value = s.*column.value;
      if (value) {
        csv.Number(*value);
      } else {
        csv.Text("");
      }
    }
    csv.Text("").EndRow();
    if (s.sampleEntropy && s.sampleEntropyValues < s.n) {
      rows.notes += "returnplot: " + path + ": sampen of the " + std::string(SeriesName(series.kind)) +
                    " series is taken over its first " + std::to_string(s.sampleEntropyValues) + " of " +
                    std::to_string(s.n) + " values\n";
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
    return {ErrorRow(path, "Not enough memory to measure \"" + path + "\"."), {}, true};
  } catch (const std::exception& e) {
    // Whatever else goes wrong with one file, the others go on.
    return {ErrorRow(path, "Cannot measure \"" + path + "\": " + e.what()), {}, true};
  }
}

}  // namespace

int RunStats(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<StatsRequest> request = ReadRequest(args, err);
  if (!request) return kExitUsage;
  WriteHeader(out);
  bool anyFailed = false;
  RunJobsInOrder(
      request->files.size(), request->jobs, [&](std::size_t i) { return MeasureFile(request->files[i], *request); },
      [&](FileRows&& rows) {
        out << rows.csv;
        err << rows.notes;
        anyFailed = anyFailed || rows.failed;
      });
  out.flush();
  return anyFailed ? 1 : 0;
}

}  // namespace rp
