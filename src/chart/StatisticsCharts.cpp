// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/StatisticsCharts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "base/TranslatableText.h"
#include "stats/PoincareEllipse.h"
#include "stats/ScoreAlignedSeries.h"
#include "stats/TempoCurve.h"
#include "stats/TempoLoudness.h"

namespace rp {

namespace {

constexpr int kTicks = 6;
constexpr double kPadShare = 0.04;
constexpr std::size_t kOutlinePoints = 96;

struct Quantity {
  std::string name;
  std::string unit;
};

// The values of `kind` as an axis names them.
Quantity ValueQuantity(SeriesKind kind, bool loudnessInDb) {
  switch (kind) {
    case SeriesKind::Timing:
      return {QT_TRANSLATE_NOOP("returnplot", "inter-onset interval"), QT_TRANSLATE_NOOP("returnplot", "ms")};
    case SeriesKind::Velocity:
      return loudnessInDb ? Quantity{QT_TRANSLATE_NOOP("returnplot", "loudness"), QT_TRANSLATE_NOOP("returnplot", "dB")}
                          : Quantity{QT_TRANSLATE_NOOP("returnplot", "velocity"),
                                     QT_TRANSLATE_NOOP("returnplot", "MIDI velocity")};
    case SeriesKind::Tempo:
      return {QT_TRANSLATE_NOOP("returnplot", "tempo"), QT_TRANSLATE_NOOP("returnplot", "ms per beat")};
    case SeriesKind::MelodyLead:
      return {QT_TRANSLATE_NOOP("returnplot", "melody lead"), QT_TRANSLATE_NOOP("returnplot", "ms")};
    case SeriesKind::Spread:
      return {QT_TRANSLATE_NOOP("returnplot", "chord spread"), QT_TRANSLATE_NOOP("returnplot", "ms")};
    case SeriesKind::Overlap:
      return {QT_TRANSLATE_NOOP("returnplot", "key overlap"), QT_TRANSLATE_NOOP("returnplot", "ms")};
  }
  return {};
}

// The range of the points of every series, a little wider.
struct Range {
  double xMin = INFINITY;
  double xMax = -INFINITY;
  double yMin = INFINITY;
  double yMax = -INFINITY;

  void Include(const ChartPoint& p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    xMin = std::min(xMin, p.x);
    xMax = std::max(xMax, p.x);
    yMin = std::min(yMin, p.y);
    yMax = std::max(yMax, p.y);
  }
  void Square() {
    xMin = yMin = std::min(xMin, yMin);
    xMax = yMax = std::max(xMax, yMax);
  }
};

void Widen(double& low, double& high) {
  if (!(low <= high)) {
    low = 0.0;
    high = 1.0;
    return;
  }
  const double span = high - low;
  const double pad = span > 0.0 ? span * kPadShare : std::max(1.0, std::abs(low) * 0.1);
  low -= pad;
  high += pad;
}

void SetAxes(ChartDescription& chart, Quantity x, Quantity y, std::optional<Range> given = std::nullopt) {
  Range range;
  if (given) {
    range = *given;
  } else {
    for (const ChartSeries& s : chart.series)
      for (const ChartPoint& p : s.points) range.Include(p);
    if (chart.square) range.Square();
    Widen(range.xMin, range.xMax);
    Widen(range.yMin, range.yMax);
  }
  chart.x = {std::move(x.name), std::move(x.unit), range.xMin, range.xMax, RoundTicks(range.xMin, range.xMax, kTicks)};
  chart.y = {std::move(y.name), std::move(y.unit), range.yMin, range.yMax, RoundTicks(range.yMin, range.yMax, kTicks)};
}

// The performances in drawing order: the selected one last, on top.
std::vector<std::size_t> DrawingOrder(std::size_t count, int selected) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < count; ++i)
    if (static_cast<int>(i) != selected) order.push_back(i);
  if (selected >= 0 && static_cast<std::size_t>(selected) < count) order.push_back(static_cast<std::size_t>(selected));
  return order;
}

const MeasuredSeries* SeriesOf(const ChartPerformance& p, SeriesKind kind) {
  if (p.series == nullptr) return nullptr;
  for (const MeasuredSeries& s : *p.series)
    if (s.series.kind == kind) return &s;
  return nullptr;
}

std::optional<double> CurrentOnset(std::span<const ChartPerformance> performances, const ChartRequest& request) {
  if (!request.currentEvent || performances.empty()) return std::nullopt;
  const auto event = static_cast<std::size_t>(*request.currentEvent);
  if (*request.currentEvent < 0 || event >= performances.front().onsetMs.size()) return std::nullopt;
  return performances.front().onsetMs[event];
}

// Where the tempo curve draws `point`: at its event's number or onset.
double CurveX(const CurvePoint& point, const ChartRequest& request) {
  return request.againstEventNumber ? static_cast<double>(point.event) + 1.0 : point.timeMs / 1000.0;
}

void DescribeTempo(std::span<const ChartPerformance> performances, const ChartRequest& request,
                   ChartDescription& chart) {
  for (const std::size_t i : DrawingOrder(performances.size(), request.selected)) {
    const MeasuredSeries* s = SeriesOf(performances[i], request.series);
    if (s == nullptr) continue;
    ChartSeries line;
    line.performance = i;
    line.shape = SeriesShape::Line;
    line.emphasised = static_cast<int>(i) == request.selected && performances.size() > 1;
    for (const CurvePoint& p : s->curve) line.points.push_back({CurveX(p, request), p.value});
    chart.series.push_back(std::move(line));
  }
  SetAxes(chart,
          request.againstEventNumber
              ? Quantity{QT_TRANSLATE_NOOP("returnplot", "event"), ""}
              : Quantity{QT_TRANSLATE_NOOP("returnplot", "onset"), QT_TRANSLATE_NOOP("returnplot", "s")},
          ValueQuantity(request.series, !performances.empty() && performances.front().loudnessInDb));
}

void DescribePoincare(std::span<const ChartPerformance> performances, const ChartRequest& request,
                      ChartDescription& chart) {
  chart.square = true;
  chart.identityLine = true;
  for (const std::size_t i : DrawingOrder(performances.size(), request.selected)) {
    const MeasuredSeries* s = SeriesOf(performances[i], request.series);
    if (s == nullptr) continue;
    ChartSeries dots;
    dots.performance = i;
    dots.shape = SeriesShape::Points;
    for (const PlanePoint& p : s->returnMap) dots.points.push_back({p.x, p.y});
    chart.series.push_back(std::move(dots));
    if (s->ellipse) {
      ChartSeries outline;
      outline.performance = i;
      outline.shape = SeriesShape::Outline;
      outline.emphasised = static_cast<int>(i) == request.selected;
      for (const PlanePoint& p : EllipseOutline(*s->ellipse, kOutlinePoints)) outline.points.push_back({p.x, p.y});
      chart.series.push_back(std::move(outline));
    }
  }
  const Quantity value = ValueQuantity(request.series, !performances.empty() && performances.front().loudnessInDb);
  SetAxes(chart, {std::string(kReturnMapX) + value.name, value.unit},
          {std::string(kReturnMapY) + value.name, value.unit});
}

// The beat tempo is counted in: the chosen one, else that of the first
// score's time signature.
Beat ChartBeat(std::span<const ChartPerformance> performances, const ChartRequest& request) {
  if (request.tempo.beat) return *request.tempo.beat;
  for (const ChartPerformance& p : performances)
    if (p.scored != nullptr) return BeatOfTimeSignature(p.scored->signature);
  return {};
}

void DescribeBars(std::span<const ChartPerformance> performances, const ChartRequest& request,
                  ChartDescription& chart) {
  const Beat beat = ChartBeat(performances, request);
  const double smooth = request.smoothBeats.value_or(0.0);
  for (const std::size_t i : DrawingOrder(performances.size(), request.selected)) {
    if (performances[i].scored == nullptr) continue;
    const BeatTempo tempo = MakeBeatTempo(*performances[i].scored, beat, smooth);
    ChartSeries line;
    line.performance = i;
    line.shape = SeriesShape::Line;
    line.emphasised = static_cast<int>(i) == request.selected && performances.size() > 1;
    for (const ScoreCurvePoint& p : TempoCurveAgainstBars(tempo, request.tempo.unit, smooth > 1.0))
      line.points.push_back({p.barPosition, p.value});
    chart.series.push_back(std::move(line));
  }
  SetAxes(chart, {QT_TRANSLATE_NOOP("returnplot", "score position"), QT_TRANSLATE_NOOP("returnplot", "bars")},
          {QT_TRANSLATE_NOOP("returnplot", "tempo"), TempoLabel(request.tempo.unit, beat)});
}

void DescribeWorm(std::span<const ChartPerformance> performances, const ChartRequest& request,
                  ChartDescription& chart) {
  const Beat beat = ChartBeat(performances, request);
  const std::optional<double> onset = CurrentOnset(performances, request);
  std::vector<std::vector<TrajectoryPoint>> paths(performances.size());
  for (std::size_t i = 0; i < performances.size(); ++i) {
    const ScoredEvents* scored = performances[i].scored;
    if (scored == nullptr) continue;
    // About a bar, unless chosen.
    const double bar = beat.bar ? 1.0 : scored->signature.count / BeatInSignatureUnits(beat, scored->signature);
    paths[i] =
        TempoLoudnessTrajectory(MakeBeatTempo(*scored, beat, request.smoothBeats.value_or(bar)), request.tempo.unit);
  }
  // The main performance's point at the current event, and the score
  // position it stands at, where the compared ones stand too.
  std::optional<double> reachedBar;
  if (onset && !paths.empty())
    if (const std::optional<std::size_t> at = TrajectoryPointAt(paths.front(), *onset))
      reachedBar = paths.front()[*at].barPosition;
  Range range;
  for (std::size_t i = 0; i < paths.size(); ++i)
    for (const TrajectoryPoint& p : paths[i]) range.Include({p.tempo, p.loudness});
  for (const std::size_t i : DrawingOrder(performances.size(), request.selected)) {
    if (paths[i].empty()) continue;
    ChartSeries path;
    path.performance = i;
    path.shape = SeriesShape::FadingPath;
    path.head = paths[i].size() - 1;
    if (onset) {
      path.head = 0;
      std::optional<std::size_t> at;
      for (std::size_t k = 0; k < paths[i].size(); ++k)
        if (reachedBar && paths[i][k].barPosition <= *reachedBar) at = k;
      if (!at) continue;  // not begun
      path.head = *at;
    }
    for (const TrajectoryPoint& p : paths[i]) path.points.push_back({p.tempo, p.loudness});
    chart.series.push_back(std::move(path));
  }
  Widen(range.xMin, range.xMax);
  Widen(range.yMin, range.yMax);
  const bool db = !performances.empty() && performances.front().loudnessInDb;
  SetAxes(chart, {QT_TRANSLATE_NOOP("returnplot", "tempo"), TempoLabel(request.tempo.unit, beat)},
          db ? Quantity{QT_TRANSLATE_NOOP("returnplot", "loudness"), QT_TRANSLATE_NOOP("returnplot", "dB")}
             : Quantity{QT_TRANSLATE_NOOP("returnplot", "loudness"), QT_TRANSLATE_NOOP("returnplot", "MIDI velocity")},
          range);
}

std::string Measure(const char* name, const std::optional<double>& value) {
  std::array<char, 64> text{};
  if (value) {
    std::snprintf(text.data(), text.size(), "%s %.4g", name, *value);
  } else {
    std::snprintf(text.data(), text.size(), "%s \u2013", name);
  }
  return text.data();
}

// The plot of `matrix` and its quantification `q` beside it, on axes of its
// vectors; `what` says which values it goes over.
void DescribeRecurrenceCells(const RecurrenceMatrix& matrix, const RecurrenceQuantification& q, std::size_t colour,
                             const std::string& what, const Quantity& value, const RecurrenceSettings& settings,
                             ChartDescription& chart) {
  ChartRaster raster{matrix.Rows(), matrix.Columns(), {}, colour};
  raster.cells.resize(raster.rows * raster.columns);
  for (std::size_t r = 0; r < raster.rows; ++r)
    for (std::size_t c = 0; c < raster.columns; ++c) raster.cells[r * raster.columns + c] = matrix.At(r, c) ? 1 : 0;
  chart.raster = std::move(raster);
  std::array<char, 96> line{};
  std::snprintf(line.data(), line.size(), "m %d, \u03c4 %d, w %d", settings.dimension, settings.delay,
                settings.theilerWindow);
  chart.notes.push_back(what);
  chart.notes.emplace_back(line.data());
  chart.notes.push_back(Measure("\u03b5", q.radius) + (value.unit.empty() || !q.radius ? "" : " " + value.unit));
  chart.notes.push_back(Measure("rr", q.rate));
  chart.notes.push_back(Measure("det", q.determinism));
  chart.notes.push_back(Measure("l", q.meanLine));
  chart.notes.push_back(Measure("lmax", q.longestLine));
  chart.notes.push_back(Measure("entr", q.lineEntropy));
  chart.notes.push_back(Measure("lam", q.laminarity));
  chart.notes.push_back(Measure("tt", q.trappingTime));
}

// The plot's axes over `rows` by `columns` vectors.
void SetRecurrenceAxes(ChartDescription& chart, std::size_t rows, std::size_t columns, Quantity x, Quantity y) {
  const double high = static_cast<double>(std::max<std::size_t>({rows, columns, 1})) + 0.5;
  SetAxes(chart, std::move(x), std::move(y), Range{0.5, high, 0.5, high});
}

std::size_t ShownIndex(int index, std::size_t count) {
  return index >= 0 && static_cast<std::size_t>(index) < count ? static_cast<std::size_t>(index) : 0;
}

void DescribeRecurrence(std::span<const ChartPerformance> performances, const ChartRequest& request,
                        ChartDescription& chart) {
  chart.square = true;
  const std::size_t shown = ShownIndex(request.selected, performances.size());
  const MeasuredSeries* s = performances.empty() ? nullptr : SeriesOf(performances[shown], request.series);
  const Quantity value = ValueQuantity(request.series, !performances.empty() && performances[shown].loudnessInDb);
  std::size_t vectors = 0;
  if (s != nullptr) {
    const std::span<const double> values(s->series.values.data(),
                                         std::min(s->series.values.size(), kMaxRecurrenceValues));
    const RecurrenceMatrix matrix = RecurrencePlot(values, request.recurrence);
    vectors = matrix.Rows();
    DescribeRecurrenceCells(matrix, QuantifyRecurrence(values, request.recurrence), shown,
                            std::string(SeriesName(request.series)) + ", " +
                                (s->series.values.size() > kMaxRecurrenceValues
                                     ? "first " + std::to_string(kMaxRecurrenceValues) + " values"
                                     : std::to_string(s->series.values.size()) + " values"),
                            value, request.recurrence, chart);
  }
  chart.legend.clear();
  if (!performances.empty()) chart.legend.push_back({performances[shown].name, shown});
  SetRecurrenceAxes(chart, vectors, vectors,
                    {QT_TRANSLATE_NOOP("returnplot", "vector i"), QT_TRANSLATE_NOOP("returnplot", "value number")},
                    {QT_TRANSLATE_NOOP("returnplot", "vector j"), QT_TRANSLATE_NOOP("returnplot", "value number")});
}

// Rows from the selected performance, columns from the second, their values
// paired by score position (only the positions both played).
void DescribeCrossRecurrence(std::span<const ChartPerformance> performances, const ChartRequest& request,
                             ChartDescription& chart) {
  chart.square = true;
  chart.legend.clear();
  const std::size_t first = ShownIndex(request.selected, performances.size());
  std::size_t second = ShownIndex(request.second, performances.size());
  if (second == first && performances.size() > 1) second = first == 0 ? 1 : 0;
  const Quantity value = ValueQuantity(request.series, !performances.empty() && performances[first].loudnessInDb);
  std::size_t rows = 0;
  std::size_t columns = 0;
  if (performances.size() > 1 && second != first) {
    const ChartPerformance& a = performances[first];
    const ChartPerformance& b = performances[second];
    chart.legend.push_back({a.name, first});
    chart.legend.push_back({b.name, second});
    const MeasuredSeries* sa = SeriesOf(a, request.series);
    const MeasuredSeries* sb = SeriesOf(b, request.series);
    if (sa == nullptr || sb == nullptr || a.scoreBeats.empty() || b.scoreBeats.empty()) {
      chart.notes.emplace_back(QT_TRANSLATE_NOOP("returnplot", "needs two performances aligned to a score"));
    } else {
      const AlignedSeries aligned = AlignByScore(sa->series, a.scoreBeats, sb->series, b.scoreBeats);
      const std::size_t count = std::min(aligned.first.size(), kMaxRecurrenceValues);
      const std::span<const double> x(aligned.first.data(), count);
      const std::span<const double> y(aligned.second.data(), count);
      const RecurrenceMatrix matrix = CrossRecurrencePlot(x, y, request.recurrence);
      rows = matrix.Rows();
      columns = matrix.Columns();
      DescribeRecurrenceCells(
          matrix, QuantifyCrossRecurrence(x, y, request.recurrence), first,
          std::string(SeriesName(request.series)) + ", " + std::to_string(count) + " score positions both played",
          value, request.recurrence, chart);
    }
  } else if (!performances.empty()) {
    chart.legend.push_back({performances[first].name, first});
    chart.notes.emplace_back(QT_TRANSLATE_NOOP("returnplot", "needs two performances"));
  }
  SetRecurrenceAxes(chart, rows, columns,
                    {QT_TRANSLATE_NOOP("returnplot", "vector j of the second"),
                     QT_TRANSLATE_NOOP("returnplot", "paired value number")},
                    {QT_TRANSLATE_NOOP("returnplot", "vector i of the first"),
                     QT_TRANSLATE_NOOP("returnplot", "paired value number")});
}

const WindowedSeries* WindowsOf(const ChartPerformance& p, SeriesKind kind) {
  if (p.windows == nullptr) return nullptr;
  for (const WindowedSeries& s : *p.windows)
    if (s.kind == kind) return &s;
  return nullptr;
}

// The unit of `measure` of a series in `unit`: the series' own for its
// level and spreads, squared for the area, none for the ratios.
std::string MeasureUnit(std::string_view measure, const std::string& unit) {
  if (unit.empty()) return {};
  if (measure == "mean" || measure == "sd" || measure == "sd1" || measure == "sd2") return unit;
  if (measure == "area") return unit + "\u00b2";
  return {};
}

// How the windows were chosen, in words: "windows of 32 events every 16".
std::string WindowsInWords(const WindowChoice& windows) {
  if (windows.events)
    return "windows of " + std::to_string(*windows.events) + " events every " +
           std::to_string(windows.step.value_or(*windows.events));
  if (windows.bars)
    return "windows of " + std::to_string(*windows.bars) + " bars every " +
           std::to_string(windows.step.value_or(*windows.bars));
  return "no windows chosen";
}

// The member of SeriesStatistics a measure's name stands for; none for "n"
// and unknown names.
std::optional<double> SeriesStatistics::*MeasureMember(std::string_view name) {
  for (const StatisticsColumn& column : StatisticsColumns())
    if (column.name == name) return column.value;
  return nullptr;
}

void DescribeWindows(std::span<const ChartPerformance> performances, const ChartRequest& request,
                     ChartDescription& chart) {
  const auto member = MeasureMember(request.measure);
  const bool byBars = request.windows.bars.has_value();
  for (const std::size_t i : DrawingOrder(performances.size(), request.selected)) {
    const WindowedSeries* s = WindowsOf(performances[i], request.series);
    if (s == nullptr) continue;
    ChartSeries line;
    line.performance = i;
    line.shape = SeriesShape::Line;
    line.emphasised = static_cast<int>(i) == request.selected && performances.size() > 1;
    for (const WindowMeasure& w : s->windows) {
      const std::optional<double> value =
          member != nullptr ? w.statistics.*member : std::optional(static_cast<double>(w.statistics.n));
      const double x = byBars && w.firstBar ? *w.firstBar : static_cast<double>(w.firstEvent) + 1.0;
      // A window without the measure breaks the line there.
      line.points.push_back({x, value.value_or(NAN)});
    }
    if (!line.points.empty()) chart.series.push_back(std::move(line));
  }
  if (chart.series.empty())
    chart.notes.emplace_back(byBars ? QT_TRANSLATE_NOOP("returnplot", "no windows: bars need a score")
                                    : QT_TRANSLATE_NOOP("returnplot", "no windows"));
  const Quantity value = ValueQuantity(request.series, !performances.empty() && performances.front().loudnessInDb);
  if (chart.title.empty())
    chart.title =
        request.measure + " of " + std::string(SeriesName(request.series)) + ", " + WindowsInWords(request.windows);
  SetAxes(chart,
          byBars ? Quantity{QT_TRANSLATE_NOOP("returnplot", "first bar of the window"), ""}
                 : Quantity{QT_TRANSLATE_NOOP("returnplot", "first event of the window"), ""},
          {request.measure, MeasureUnit(request.measure, value.unit)});
}

constexpr std::array<SeriesKind, 3> kFeatureKinds = {SeriesKind::MelodyLead, SeriesKind::Spread, SeriesKind::Overlap};

// Where event `event` of a performance aligned to its score stands, in
// bars: bar 1 begins at the first downbeat.
std::optional<double> EventBar(const ChartPerformance& p, std::int32_t event) {
  if (p.scored == nullptr || event < 0 || static_cast<std::size_t>(event) >= p.scored->positions.size())
    return std::nullopt;
  return 1.0 + p.scored->positions[static_cast<std::size_t>(event)] / p.scored->signature.count;
}

// The selected performance's melody lead, chord spread and key overlap at
// the score positions of their events, one dot each, a legend entry (and
// colour) per feature.
void DescribeFeatures(std::span<const ChartPerformance> performances, const ChartRequest& request,
                      ChartDescription& chart) {
  chart.legend.clear();
  Range range{INFINITY, -INFINITY, 0.0, 0.0};  // 0 ms in sight: the sign of a lead or overlap matters
  if (!performances.empty()) {
    const ChartPerformance& p = performances[ShownIndex(request.selected, performances.size())];
    if (chart.title.empty()) chart.title = p.name + ": chord and melody features";
    for (std::size_t f = 0; f < kFeatureKinds.size(); ++f) {
      const MeasuredSeries* s = SeriesOf(p, kFeatureKinds[f]);
      chart.legend.push_back({ValueQuantity(kFeatureKinds[f], false).name, f});
      if (s == nullptr) continue;
      ChartSeries dots;
      dots.performance = f;
      dots.shape = SeriesShape::Points;
      for (std::size_t i = 0; i < s->series.values.size() && i < s->series.events.size(); ++i)
        if (const std::optional<double> bar = EventBar(p, s->series.events[i]))
          dots.points.push_back({*bar, s->series.values[i]});
      for (const ChartPoint& point : dots.points) range.Include(point);
      chart.series.push_back(std::move(dots));
    }
    if (p.scored == nullptr)
      chart.notes.emplace_back(QT_TRANSLATE_NOOP("returnplot", "needs a performance aligned to a score"));
  }
  if (!(range.xMin <= range.xMax)) range.xMin = range.xMax = 1.0;
  Widen(range.xMin, range.xMax);
  Widen(range.yMin, range.yMax);
  SetAxes(chart, {QT_TRANSLATE_NOOP("returnplot", "score position"), QT_TRANSLATE_NOOP("returnplot", "bars")},
          {QT_TRANSLATE_NOOP("returnplot", "time"), QT_TRANSLATE_NOOP("returnplot", "ms")}, range);
}

// The current event's score position, marked on the zero line.
std::optional<ChartCursor> FeaturesCursor(const ChartPerformance& main, std::int32_t event) {
  const std::optional<double> bar = EventBar(main, event);
  if (!bar) return std::nullopt;
  return ChartCursor{{*bar, 0.0}, true};
}

}  // namespace

ChartDescription DescribeChart(std::span<const ChartPerformance> performances, const ChartRequest& request) {
  ChartDescription chart;
  chart.kind = request.kind;
  chart.theme = request.theme;
  chart.width = request.width;
  chart.height = request.height;
  chart.title = request.title;
  for (std::size_t i = 0; i < performances.size(); ++i) chart.legend.push_back({performances[i].name, i});
  switch (request.kind) {
    case ChartKind::Tempo:
      DescribeTempo(performances, request, chart);
      break;
    case ChartKind::Poincare:
      DescribePoincare(performances, request, chart);
      break;
    case ChartKind::Bars:
      DescribeBars(performances, request, chart);
      break;
    case ChartKind::Worm:
      DescribeWorm(performances, request, chart);
      break;
    case ChartKind::Recurrence:
      DescribeRecurrence(performances, request, chart);
      break;
    case ChartKind::Windows:
      DescribeWindows(performances, request, chart);
      break;
    case ChartKind::CrossRecurrence:
      DescribeCrossRecurrence(performances, request, chart);
      break;
    case ChartKind::Features:
      DescribeFeatures(performances, request, chart);
      break;
  }
  chart.cursor = DescribeCursor(performances, request);
  return chart;
}

std::optional<ChartCursor> DescribeCursor(std::span<const ChartPerformance> performances, const ChartRequest& request) {
  if (performances.empty() || !request.currentEvent) return std::nullopt;
  const ChartPerformance& main = performances.front();
  const MeasuredSeries* s = SeriesOf(main, request.series);
  switch (request.kind) {
    case ChartKind::Tempo:
      if (s != nullptr)
        if (const std::optional<std::size_t> at = CurvePointAtEvent(s->curve, *request.currentEvent))
          return ChartCursor{{CurveX(s->curve[*at], request), s->curve[*at].value}, true};
      return std::nullopt;
    case ChartKind::Poincare:
      if (s != nullptr) {
        const std::optional<std::size_t> at = CurvePointAtEvent(s->curve, *request.currentEvent);
        if (at && *at < s->returnMap.size()) return ChartCursor{{s->returnMap[*at].x, s->returnMap[*at].y}, false};
      }
      return std::nullopt;
    case ChartKind::Bars: {
      const std::optional<double> onset = CurrentOnset(performances, request);
      if (main.scored == nullptr || !onset) return std::nullopt;
      const double smooth = request.smoothBeats.value_or(0.0);
      const BeatTempo tempo = MakeBeatTempo(*main.scored, ChartBeat(performances, request), smooth);
      std::optional<ChartCursor> reached;
      for (const ScoreCurvePoint& p : TempoCurveAgainstBars(tempo, request.tempo.unit, smooth > 1.0))
        if (p.onsetMs <= *onset) reached = ChartCursor{{p.barPosition, p.value}, true};
      return reached;
    }
    case ChartKind::Features:
      return FeaturesCursor(main, *request.currentEvent);
    case ChartKind::Worm:  // its trail is its mark
    case ChartKind::Recurrence:
    case ChartKind::Windows:
    case ChartKind::CrossRecurrence:
      return std::nullopt;
  }
  return std::nullopt;
}

bool CursorRedrawsChart(ChartKind kind) { return kind == ChartKind::Worm; }

}  // namespace rp
