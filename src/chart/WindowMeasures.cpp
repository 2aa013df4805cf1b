// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/WindowMeasures.h"

namespace rp {

namespace {

WindowedSeries& SeriesOfKind(std::vector<WindowedSeries>& all, SeriesKind kind) {
  for (WindowedSeries& s : all)
    if (s.kind == kind) return s;
  return all.emplace_back(WindowedSeries{kind, {}});
}

}  // namespace

std::vector<EventWindow> ChosenWindows(const EventColumns& events, const WindowChoice& choice) {
  if (choice.events) {
    const auto size = static_cast<std::size_t>(*choice.events);
    return EventWindows(events.onsetMs.size(), size, static_cast<std::size_t>(choice.step.value_or(*choice.events)));
  }
  if (!choice.bars || !events.bars) return {};
  return BarWindows(*events.bars, *choice.bars, static_cast<std::int32_t>(choice.step.value_or(*choice.bars)));
}

std::vector<WindowedSeries> MeasureWindows(const EventColumns& events, std::span<const NamedSeries> features,
                                           const WindowChoice& choice, std::int32_t delay, std::uint64_t randomState,
                                           const StatisticsOptions& options) {
  std::vector<WindowedSeries> measured;
  for (const EventWindow& window : ChosenWindows(events, choice)) {
    const auto measure = [&](SeriesKind kind, const std::vector<double>& values) {
      SeriesOfKind(measured, kind)
          .windows.push_back(
              {window.first, window.firstBar, ComputeSeriesStatistics(values, delay, randomState, options)});
    };
    for (const NamedSeries& series : SeriesFromEvents(WindowColumns(events, window)))
      measure(series.kind, series.values);
    // A feature's values of the window: those of its events.
    for (const NamedSeries& feature : features) {
      std::vector<double> values;
      for (std::size_t i = 0; i < feature.values.size() && i < feature.events.size(); ++i) {
        const auto event = static_cast<std::size_t>(feature.events[i]);
        if (feature.events[i] >= 0 && event >= window.first && event <= window.last)
          values.push_back(feature.values[i]);
      }
      measure(feature.kind, values);
    }
  }
  return measured;
}

}  // namespace rp
