// SPDX-License-Identifier: GPL-3.0-or-later
// The Python module `returnplot`: the program's readers, onset analysis and
// statistics one import away, with the numbers the program prints. Options
// are handed to the same option readers as the command line, so a value the
// program refuses is refused here with the program's words.

#include <dlfcn.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/LoadResult.h"
#include "app/AlignCommand.h"
#include "app/AnalysisOptions.h"
#include "app/BatchLoad.h"
#include "app/ExportTempo.h"
#include "app/StatsOptions.h"
#include "features/FeatureColumns.h"
#include "features/PerformanceFeatures.h"
#include "io/EventsCsv.h"
#include "io/RecordingModule.h"
#include "model/NumberReading.h"
#include "model/Performance.h"
#include "model/ScoreAlignment.h"
#include "stats/BlockBootstrap.h"
#include "stats/FeatureSeries.h"
#include "stats/PerformanceSeries.h"
#include "stats/SeriesStatistics.h"
#include "stats/SeriesWindows.h"
#include "stats/StatisticsConventions.h"

namespace py = pybind11;

namespace rp {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The error every failure of the program's own raises, with its message.
py::object& ErrorType() {
  static py::object type;
  return type;
}

[[noreturn]] void Fail(std::string message) {
  // The program's lines begin with its name; the exception's type says it.
  std::string text;
  std::istringstream lines(message);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("returnplot: ", 0) == 0) line.erase(0, 12);
    if (!text.empty()) text += '\n';
    text += line;
  }
  PyErr_SetString(ErrorType().ptr(), text.c_str());
  throw py::error_already_set();
}

// The option a keyword names: `cluster_ms` is `--cluster-ms`.
std::string OptionName(const py::handle& key) {
  std::string name = "--" + py::str(key).cast<std::string>();
  for (char& c : name)
    if (c == '_') c = '-';
  return name;
}

// The keyword arguments as the program's options: None leaves an option
// out, True names a flag, False leaves it out, anything else is its value.
std::vector<std::string> OptionArgs(const py::kwargs& options) {
  std::vector<std::string> args;
  for (const auto& [key, value] : options) {
    if (value.is_none()) continue;
    const std::string name = OptionName(key);
    if (py::isinstance<py::bool_>(value)) {
      if (value.cast<bool>()) args.push_back(name);
      continue;
    }
    args.push_back(name);
    args.push_back(py::str(value).cast<std::string>());
  }
  return args;
}

// Arguments left over by the option readers are options neither knows.
void RefuseRest(const std::vector<std::string>& rest, std::string_view function) {
  if (!rest.empty()) Fail(std::string(function) + "() does not know the option " + rest.front());
}

AnalysisSettings SettingsFrom(std::vector<std::string>& args) {
  std::ostringstream err;
  const std::optional<AnalysisOptions> options = TakeAnalysisOptions(args, err);
  if (!options) Fail(err.str());
  return options->Over();
}

// One loaded performance with what its load said.
struct LoadedPerformance {
  Performance performance;
  LoadResult load;
  std::vector<std::string> warnings;  // what the program prints on stderr for it
};

template <class T>
py::array_t<T> Column(std::size_t size, const std::function<T(std::size_t)>& value) {
  py::array_t<T> array(static_cast<py::ssize_t>(size));
  T* out = array.mutable_data();
  for (std::size_t i = 0; i < size; ++i) out[i] = value(i);
  return array;
}

double Defined(double value) { return IsDefined(value) ? value : kNaN; }
double Given(const std::optional<double>& value) { return value ? *value : kNaN; }

// The columns of `--export-events`, named as there.
py::dict EventArrays(const Performance& p) {
  const std::size_t n = p.events.size();
  const bool velocities = HasVelocity(p);
  const auto& e = p.events;
  using Field = double OnsetEvent::*;
  const auto values = [&](Field field, bool defined) {
    return Column<double>(n, [&e, field, defined](std::size_t i) { return defined ? Defined(e[i].*field) : kNaN; });
  };
  const std::array<py::object, kEventColumns.size()> columns{
      Column<std::int64_t>(n, [](std::size_t i) { return static_cast<std::int64_t>(i) + 1; }),
      values(&OnsetEvent::onsetMs, true),
      values(&OnsetEvent::interval0, true),
      values(&OnsetEvent::interval1, true),
      values(&OnsetEvent::interval2, true),
      values(&OnsetEvent::velocity0, velocities),
      values(&OnsetEvent::velocity1, velocities),
      values(&OnsetEvent::velocity2, velocities),
      Column<std::int64_t>(n, [&e](std::size_t i) { return std::int64_t{e[i].firstNote} + 1; })};
  py::dict arrays;
  for (std::size_t c = 0; c < columns.size(); ++c) arrays[py::str(std::string(kEventColumns[c]))] = columns[c];
  if (!p.score) return arrays;
  const auto scoreValue = [&p, n](const std::function<double(const ScoreEvent&)>& of) {
    return Column<double>(n, [&p, &of](std::size_t i) {
      const ScoreEvent* s = ScoreEventOf(p, static_cast<std::int32_t>(i));
      return s != nullptr ? of(*s) : kNaN;
    });
  };
  const std::array<py::object, kScoreEventColumns.size()> scored{
      scoreValue([](const ScoreEvent& s) { return s.onsetBeats; }),
      scoreValue([](const ScoreEvent& s) { return Given(s.beatPeriod0); }),
      scoreValue([](const ScoreEvent& s) { return Given(s.beatPeriod1); }),
      scoreValue([](const ScoreEvent& s) { return Given(s.beatPeriod2); }),
      scoreValue([](const ScoreEvent& s) { return s.asynchronyMs; })};
  for (std::size_t c = 0; c < scored.size(); ++c) arrays[py::str(std::string(kScoreEventColumns[c]))] = scored[c];
  return arrays;
}

// The columns of `--export-notes`, named as there.
py::dict NoteArrays(const Performance& p) {
  const std::size_t n = p.notes.size();
  const auto& v = p.notes;
  const std::array<py::object, kNoteColumns.size()> columns{
      Column<std::int64_t>(n, [](std::size_t i) { return static_cast<std::int64_t>(i) + 1; }),
      Column<std::int64_t>(n, [&v](std::size_t i) { return v[i].isNoteOn ? 1 : 0; }),
      Column<double>(n, [&v](std::size_t i) { return v[i].timeMs; }),
      Column<double>(n, [&v](std::size_t i) { return v[i].leadValue; }),
      Column<std::int64_t>(n, [&v](std::size_t i) { return v[i].noteKey; }),
      Column<std::int64_t>(n, [&v](std::size_t i) { return v[i].noteVelocity; }),
      Column<std::int64_t>(n, [&v](std::size_t i) { return std::int64_t{v[i].opensEvent} + 1; })};
  py::dict arrays;
  for (std::size_t c = 0; c < columns.size(); ++c) arrays[py::str(std::string(kNoteColumns[c]))] = columns[c];
  return arrays;
}

// The columns of `--export-features`, named as there: numbers as arrays
// (NaN where the CSV is empty), `beat` as a list of texts.
py::dict FeatureArrays(const Performance& p) {
  PerformanceFeatures f;
  {
    const py::gil_scoped_release released;
    f = FeaturesOf(p);
  }
  const std::size_t n = f.events.size();
  const auto& e = f.events;
  const auto played = [&e](std::size_t i) { return e[i].notes > 0; };
  const auto values = [&](double EventFeatures::*field) {
    return Column<double>(n, [&e, field](std::size_t i) { return Defined(e[i].*field); });
  };
  const auto bar = [&e](std::size_t i) {
    const std::size_t colon = e[i].barBeat.find(':');
    if (colon == std::string::npos) return kNaN;
    const std::optional<double> number = StrictNumber<double>(e[i].barBeat.substr(0, colon));
    return number ? *number : kNaN;
  };
  py::list beats;
  for (const EventFeatures& x : e) {
    const std::size_t colon = x.barBeat.find(':');
    beats.append(colon == std::string::npos ? std::string() : x.barBeat.substr(colon + 1));
  }
  const std::array<py::object, kFeatureColumns.size()> columns{
      Column<std::int64_t>(n, [](std::size_t i) { return static_cast<std::int64_t>(i) + 1; }),
      Column<double>(n, bar),
      beats,
      values(&EventFeatures::scoreBeats),
      Column<std::int64_t>(n, [&e](std::size_t i) { return std::int64_t{e[i].notes}; }),
      Column<double>(n, [&](std::size_t i) { return played(i) ? e[i].melodyKey : kNaN; }),
      Column<double>(n, [&](std::size_t i) { return played(i) ? (e[i].melodyByVoice ? 1.0 : 0.0) : kNaN; }),
      values(&EventFeatures::melodyOnsetMs),
      values(&EventFeatures::melodyVelocity),
      values(&EventFeatures::melodyLeadMs),
      values(&EventFeatures::spreadMs),
      values(&EventFeatures::velocityDifference),
      values(&EventFeatures::overlapMs),
      values(&EventFeatures::overlapRatio),
      values(&EventFeatures::lowOverlapMs),
      values(&EventFeatures::lowOverlapRatio),
      values(&EventFeatures::sustainFraction),
      values(&EventFeatures::softFraction)};
  py::dict arrays;
  for (std::size_t c = 0; c < columns.size(); ++c) arrays[py::str(std::string(kFeatureColumns[c]))] = columns[c];
  return arrays;
}

py::object ScoreOf(const Performance& p) {
  if (!p.score) return py::none();
  const ScoreInfo& s = *p.score;
  py::list barBeats;
  for (const ScoreEvent& e : s.events) barBeats.append(e.barBeat);
  py::dict score;
  score["piece"] = s.piece;
  score["performer"] = s.performer;
  score["composer"] = s.composer;
  score["time_signature"] = s.timeSignature;
  score["key_signature"] = s.keySignature;
  score["bar_beat"] = barBeats;
  return score;
}

py::dict SkippedOf(const LoadedPerformance& loaded) {
  const LoadResult& r = loaded.load;
  py::dict skipped;
  skipped["count"] = r.skipped.count;
  skipped["first_line"] = r.skipped.firstLine;
  skipped["first_text"] = r.skipped.firstText;
  skipped["first_reason"] = r.skipped.firstReason;
  skipped["summary"] = SkippedLinesSummary(r.skipped, r.path, r.skippedKind);
  return skipped;
}

// A path as text, a path-like object, or a sequence of them.
std::vector<std::string> Paths(const py::object& paths) {
  std::vector<std::string> files;
  const py::object fspath = py::module_::import("os").attr("fspath");
  if (py::isinstance<py::str>(paths) || py::hasattr(paths, "__fspath__")) {
    files.push_back(py::str(fspath(paths)).cast<std::string>());
  } else {
    for (const py::handle p : paths) files.push_back(py::str(fspath(p)).cast<std::string>());
  }
  return files;
}

std::shared_ptr<LoadedPerformance> Read(const std::string& path, const py::kwargs& options) {
  std::vector<std::string> args = OptionArgs(options);
  const bool strict = TakeStrictOption(args);
  auto loaded = std::make_shared<LoadedPerformance>();
  loaded->performance.settings = SettingsFrom(args);
  RefuseRest(args, "read");
  std::ostringstream err;
  int status = 0;
  bool ok = false;
  {
    // A long read lets the other Python threads run.
    const py::gil_scoped_release released;
    ok = LoadFileForBatch(path, loaded->performance, err, status, &loaded->load, strict);
  }
  if (!ok) Fail(err.str());
  std::istringstream lines(err.str());
  for (std::string line; std::getline(lines, line);) loaded->warnings.push_back(line.substr(line.find(' ') + 1));
  return loaded;
}

// The request of `--stats` from keyword arguments.
struct StatsRequest {
  std::int32_t delay = 1;
  std::uint64_t randomState = 1;
  StatsOptions options;
  std::vector<ReportedMeasure> measures;
};

StatsRequest StatsRequestFrom(const py::kwargs& kwargs, AnalysisSettings& settings) {
  std::vector<std::string> args = OptionArgs(kwargs);
  StatsRequest request;
  for (std::size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] != "--random-state") continue;
    const std::optional<std::uint64_t> state = StrictNumber<std::uint64_t>(args[i + 1]);
    if (!state) Fail("--random-state takes a whole number from 0 to 18446744073709551615");
    request.randomState = *state;
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    break;
  }
  settings = SettingsFrom(args);
  std::ostringstream err;
  const std::optional<StatsOptions> options = TakeStatsOptions(args, err);
  if (!options) Fail(err.str());
  RefuseRest(args, "stats");
  request.delay = settings.delay;
  request.options = *options;
  request.measures = ReportedMeasures(options->extended, options->measures.recurrence.has_value());
  return request;
}

// The measures of one series as `--stats` prints them in its row; undefined
// measures are NaN.
py::dict MeasuresOf(const std::vector<double>& values, const StatsRequest& request) {
  SeriesStatistics s;
  std::vector<Interval> intervals;
  {
    const py::gil_scoped_release released;
    s = ComputeSeriesStatistics(values, request.delay, request.randomState, request.options.measures);
    if (request.options.ci) {
      std::vector<std::optional<double> SeriesStatistics::*> members;
      for (const ReportedMeasure& m : request.measures)
        if (m.hasInterval) members.push_back(m.value);
      intervals = BootstrapIntervals(values, request.delay, request.options.measures, *request.options.ci,
                                     request.randomState, members);
    }
  }
  py::dict row;
  row["n"] = s.n;
  std::size_t next = 0;
  for (const ReportedMeasure& m : request.measures) {
    const std::string name(m.name);
    row[py::str(name)] = Given(s.*m.value);
    if (request.options.ci && m.hasInterval) {
      row[py::str(name + "_lo")] = Given(intervals[next].lo);
      row[py::str(name + "_hi")] = Given(intervals[next].hi);
      ++next;
    }
  }
  if (request.options.ci) {
    row["ci_block"] = BootstrapBlock(values.size(), *request.options.ci);
    row["ci_resamples"] = request.options.ci->resamples;
  }
  if (request.options.extended) row["warning"] = s.warning;
  return row;
}

// The measures of a series the performance cannot give, as --stats's row says it.
py::dict MissingRow(const FeatureSeries& series) {
  py::dict row;
  row["n"] = 0;
  row["error"] = series.missing;
  return row;
}

// With windows: each series a list with a dict per window, the window's
// events (from 1) and bars first, then its measures, as --stats's rows.
py::dict WindowedStatsOf(const Performance& performance, const StatsRequest& request) {
  const StatsOptions& o = request.options;
  const EventColumns events = EventColumnsOf(performance);
  std::string error;
  const std::vector<EventWindow> windows = WindowsOf(events, o, error);
  if (!error.empty()) Fail(error);
  const std::optional<PerformanceFeatures> features =
      o.features ? std::optional(FeaturesOf(performance)) : std::nullopt;
  py::dict bySeries;
  const auto add = [&bySeries](std::string_view name, const EventWindow& window, const py::dict& measures) {
    py::dict row;
    row["first_event"] = window.first + 1;
    row["last_event"] = window.last + 1;
    if (window.firstBar) row["first_bar"] = *window.firstBar;
    if (window.lastBar) row["last_bar"] = *window.lastBar;
    for (const auto& [key, value] : measures) row[key] = value;
    const py::str key{std::string(name)};
    if (!bySeries.contains(key)) bySeries[key] = py::list();
    bySeries[key].cast<py::list>().append(row);
  };
  for (const EventWindow& window : windows) {
    for (const NamedSeries& series : SeriesFromEvents(WindowColumns(events, window)))
      add(SeriesName(series.kind), window, MeasuresOf(series.values, request));
    if (!features) continue;
    for (const FeatureSeries& series : SeriesOfFeatures(*features, &window))
      add(series.name, window, series.missing.empty() ? MeasuresOf(series.values, request) : MissingRow(series));
  }
  return bySeries;
}

py::dict StatsOfPerformance(const Performance& performance, const StatsRequest& request) {
  if (request.options.windowEvents || request.options.windowBars) return WindowedStatsOf(performance, request);
  py::dict bySeries;
  for (const NamedSeries& series : SeriesFromEvents(EventColumnsOf(performance)))
    bySeries[py::str(std::string(SeriesName(series.kind)))] = MeasuresOf(series.values, request);
  if (!request.options.features) return bySeries;
  // A series the performance cannot give: n 0 and why, as the error column of --stats says.
  for (const FeatureSeries& series : SeriesOfFeatures(FeaturesOf(performance))) {
    bySeries[py::str(std::string(series.name))] =
        series.missing.empty() ? MeasuresOf(series.values, request) : MissingRow(series);
  }
  return bySeries;
}

py::dict Stats(const py::object& what, const py::kwargs& kwargs) {
  AnalysisSettings settings;
  const StatsRequest request = StatsRequestFrom(kwargs, settings);
  if (py::isinstance<LoadedPerformance>(what)) {
    // The performance keeps the events it was read with, and its delay
    // unless another is asked for.
    const Performance& performance = what.cast<const LoadedPerformance&>().performance;
    StatsRequest own = request;
    if (!kwargs.contains("delay")) own.delay = performance.settings.delay;
    return StatsOfPerformance(performance, own);
  }
  if (py::isinstance<py::str>(what) || py::hasattr(what, "__fspath__")) {
    py::kwargs analysis;
    for (const auto& [key, value] : kwargs)
      if (IsAnalysisOption(OptionName(key))) analysis[key] = value;
    return StatsOfPerformance(Read(Paths(what).front(), analysis)->performance, request);
  }
  const auto values = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(what);
  if (!values || values.ndim() != 1) Fail("stats() takes a performance, a file's path or a series of numbers");
  std::vector<double> series(values.data(), values.data() + values.size());
  return MeasuresOf(series, request);
}

// Runs one of the program's commands, its output returned, its failure
// raised with its message.
std::string RunCommand(int (*command)(const std::vector<std::string>&, std::ostream&, std::ostream&),
                       const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  int status = 0;
  {
    const py::gil_scoped_release released;
    status = command(args, out, err);
  }
  if (status != 0) Fail(err.str());
  return out.str();
}

// The folder of this module's own file: the recording module is found from
// there, as the program finds it from its own folder.
std::string ModuleFolder() {
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&ModuleFolder), &info) == 0 || info.dli_fname == nullptr) return ".";
  const std::string path(info.dli_fname);
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

}  // namespace rp

PYBIND11_MODULE(returnplot, m) {
  using namespace rp;
  m.doc() =
      "returnplot's readers, onset analysis and statistics: read() a performance file (MIDI, ASCII MIDI listing, "
      "match file, list of times, recording) into NumPy arrays with the columns of --export-notes and "
      "--export-events, and stats() gives the measures of --stats.";
  m.attr("__version__") = RP_VERSION;
  UseRecordingModuleAt(ModuleFolder() + "/" + RP_RECORDING_MODULE_FROM_PYTHON);
  ErrorType() = py::reinterpret_borrow<py::object>(PyErr_NewExceptionWithDoc(
      "returnplot.Error", "A file or an option returnplot refuses, with its message.", PyExc_ValueError, nullptr));
  m.attr("Error") = ErrorType();

  py::class_<LoadedPerformance, std::shared_ptr<LoadedPerformance>>(m, "Performance",
                                                                    "A performance as read and analysed by read().")
      .def_property_readonly(
          "path", [](const LoadedPerformance& p) { return p.performance.sourcePath; }, "The file it was read from.")
      .def_property_readonly(
          "notes", [](const LoadedPerformance& p) { return NoteArrays(p.performance); },
          "The note events as a dict of arrays with the columns of --export-notes.")
      .def_property_readonly(
          "events", [](const LoadedPerformance& p) { return EventArrays(p.performance); },
          "The onset events as a dict of arrays with the columns of --export-events; undefined values are NaN.")
      .def_property_readonly(
          "score", [](const LoadedPerformance& p) { return ScoreOf(p.performance); },
          "For a match file: piece, performer, composer, time and key signature and each event's bar:beat; "
          "else None.")
      .def_property_readonly("skipped", &SkippedOf, "The lines the reader left out: count, first line, summary.")
      .def_property_readonly(
          "warnings", [](const LoadedPerformance& p) { return p.warnings; },
          "What the program says on stderr about this file.")
      .def_property_readonly(
          "cluster_ms", [](const LoadedPerformance& p) { return p.performance.settings.clusterWindowMs; },
          "The cluster window the events were made with.")
      .def_property_readonly(
          "delay", [](const LoadedPerformance& p) { return p.performance.settings.delay; },
          "The delay of the interval and velocity columns.")
      .def("__len__", [](const LoadedPerformance& p) { return p.performance.events.size(); })
      .def("__repr__", [](const LoadedPerformance& p) {
        return "<returnplot.Performance " + p.performance.sourcePath + ": " +
               std::to_string(p.performance.notes.size()) + " notes, " + std::to_string(p.performance.events.size()) +
               " events>";
      });

  m.def(
      "read", [](const py::object& path, const py::kwargs& options) { return Read(Paths(path).front(), options); },
      py::arg("path"),
      "read(path, cluster_ms=50, delay=1, strict=False, **options) -> Performance\n\n"
      "Reads and analyses a performance file as --export-events does. Further options are those of the program "
      "with '_' for '-': times_unit, event_velocity, score_onset, onset_method, onset_threshold, "
      "onset_silence_db, onset_min_ioi_ms, score (a MusicXML score the performance is aligned to as it is read, "
      "as --score does). strict=True makes skipped lines an error. Raises returnplot.Error.");
  m.def("stats", &Stats, py::arg("what"),
        "stats(what, delay=1, permutations=999, random_state=1, **options) -> dict\n\n"
        "The measures of --stats. `what` is a Performance or a file's path (a dict by series: timing, velocity, "
        "tempo) or a sequence of numbers (one dict of measures). Options as the program's: sampen_m, sampen_r, "
        "dfa_scales='MIN:MAX', extended=True, ci=LEVEL, ci_block, ci_resamples, rqa=True, rqa_dim, rqa_delay, "
        "rqa_radius, rqa_rate, rqa_theiler, features=True (the series melody_lead, spread and overlap; one the "
        "performance cannot give is {'n': 0, 'error': why}), window=N or window_bars=B with step=M (each series "
        "then a list of dicts, one per window, its first_event, last_event and by bars first_bar, last_bar "
        "first), and for a path the options of read(). Undefined measures are NaN.");
  m.def(
      "features",
      [](const py::object& what, const py::kwargs& options) {
        if (py::isinstance<LoadedPerformance>(what))
          return FeatureArrays(what.cast<const LoadedPerformance&>().performance);
        return FeatureArrays(Read(Paths(what).front(), options)->performance);
      },
      py::arg("what"),
      "features(path_or_performance, **options) -> dict\n\n"
      "What the performance gives beyond its onsets, one entry per event, as a dict of arrays with the columns of "
      "--export-features (beat as a list of texts; NaN where the CSV is empty). A path takes the options of "
      "read().");
  m.def(
      "tempo",
      [](const py::object& paths, const py::kwargs& options) {
        std::vector<std::string> args = OptionArgs(options);
        const std::vector<std::string> files = Paths(paths);
        args.insert(args.end(), files.begin(), files.end());
        return RunCommand(&ExportTempo, args);
      },
      py::arg("paths"),
      "tempo(paths, beat=None, tempo_unit=None, smooth=None, score_onset=None, strict=False) -> str\n\n"
      "The CSV of --export-tempo for one or more score-aligned files, as text (numpy.genfromtxt or "
      "pandas.read_csv of io.StringIO(text) make arrays of it).");
  m.def(
      "align",
      [](const py::object& score, const py::object& performance, const py::object& out) {
        std::vector<std::string> args = Paths(score);
        const std::vector<std::string> rest = Paths(performance);
        args.insert(args.end(), rest.begin(), rest.end());
        args.emplace_back("-o");
        args.push_back(Paths(out).front());
        return RunCommand(&RunAlign, args);
      },
      py::arg("score"), py::arg("performance"), py::arg("out"),
      "align(score, performance, out) -> str\n\n"
      "Aligns the performance note by note to the MusicXML score and writes the match file `out`, as --align "
      "does; returns the program's report line. read(out) then gives the aligned events.");
}
