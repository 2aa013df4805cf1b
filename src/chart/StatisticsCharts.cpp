// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/StatisticsCharts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "base/TranslatableText.h"
#include "stats/PoincareEllipse.h"
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
  if (request.beat) return *request.beat;
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
    for (const ScoreCurvePoint& p : TempoCurveAgainstBars(tempo, request.unit, smooth > 1.0))
      line.points.push_back({p.barPosition, p.value});
    chart.series.push_back(std::move(line));
  }
  SetAxes(chart, {QT_TRANSLATE_NOOP("returnplot", "score position"), QT_TRANSLATE_NOOP("returnplot", "bars")},
          {QT_TRANSLATE_NOOP("returnplot", "tempo"), TempoLabel(request.unit, beat)});
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
    paths[i] = TempoLoudnessTrajectory(MakeBeatTempo(*scored, beat, request.smoothBeats.value_or(bar)), request.unit);
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
  SetAxes(chart, {QT_TRANSLATE_NOOP("returnplot", "tempo"), TempoLabel(request.unit, beat)},
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

void DescribeRecurrence(std::span<const ChartPerformance> performances, const ChartRequest& request,
                        ChartDescription& chart) {
  chart.square = true;
  const std::size_t shown = request.selected >= 0 && static_cast<std::size_t>(request.selected) < performances.size()
                                ? static_cast<std::size_t>(request.selected)
                                : 0;
  const MeasuredSeries* s = performances.empty() ? nullptr : SeriesOf(performances[shown], request.series);
  const Quantity value = ValueQuantity(request.series, !performances.empty() && performances[shown].loudnessInDb);
  std::size_t vectors = 0;
  if (s != nullptr) {
    const std::span<const double> values(s->series.values.data(),
                                         std::min(s->series.values.size(), kMaxRecurrenceValues));
    const RecurrenceMatrix matrix = RecurrencePlot(values, request.recurrence);
    ChartRaster raster{matrix.Rows(), matrix.Columns(), {}, shown};
    raster.cells.resize(raster.rows * raster.columns);
    for (std::size_t r = 0; r < raster.rows; ++r)
      for (std::size_t c = 0; c < raster.columns; ++c) raster.cells[r * raster.columns + c] = matrix.At(r, c) ? 1 : 0;
    vectors = raster.rows;
    chart.raster = std::move(raster);
    const RecurrenceQuantification q = QuantifyRecurrence(values, request.recurrence);
    const RecurrenceSettings& settings = request.recurrence;
    std::array<char, 96> line{};
    std::snprintf(line.data(), line.size(), "m %d, \u03c4 %d, w %d", settings.dimension, settings.delay,
                  settings.theilerWindow);
    chart.notes.push_back(std::string(SeriesName(request.series)) + ", " +
                          (s->series.values.size() > kMaxRecurrenceValues
                               ? "first " + std::to_string(kMaxRecurrenceValues) + " values"
                               : std::to_string(s->series.values.size()) + " values"));
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
  chart.legend.clear();
  if (!performances.empty()) chart.legend.push_back({performances[shown].name, shown});
  const double high = static_cast<double>(std::max<std::size_t>(vectors, 1)) + 0.5;
  const Range range{0.5, high, 0.5, high};
  SetAxes(chart, {QT_TRANSLATE_NOOP("returnplot", "vector i"), QT_TRANSLATE_NOOP("returnplot", "value number")},
          {QT_TRANSLATE_NOOP("returnplot", "vector j"), QT_TRANSLATE_NOOP("returnplot", "value number")}, range);
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
      for (const ScoreCurvePoint& p : TempoCurveAgainstBars(tempo, request.unit, smooth > 1.0))
        if (p.onsetMs <= *onset) reached = ChartCursor{{p.barPosition, p.value}, true};
      return reached;
    }
    case ChartKind::Worm:  // its trail is its mark
    case ChartKind::Recurrence:
      return std::nullopt;
  }
  return std::nullopt;
}

bool CursorRedrawsChart(ChartKind kind) { return kind == ChartKind::Worm; }

}  // namespace rp
