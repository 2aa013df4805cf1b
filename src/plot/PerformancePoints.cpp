// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PerformancePoints.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "model/ComparedAlignment.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "model/ValueKind.h"
#include "plot/ComparedColours.h"
#include "plot/ViewState.h"

namespace rp {

namespace {

struct Values {
  double x, y, z;
};

ValueKind ShownKind(const ViewState& s) { return s.valueKind; }

// The point of event k (an index from 0) in the kind the control panel shows
// now: x = event k's value, vertical (y) = event k + 2d's, depth (z) =
// event k + d's. Nothing when one of them is undefined; std::out_of_range
// for an index the performance does not reach.
std::optional<Values> EventValues(const ViewState& s, const Performance& performance, std::int64_t k) {
  if (k < 0 || k >= performance.EventCount()) throw std::out_of_range("no such event");
  const auto v = rp::EventValues(performance, static_cast<std::int32_t>(k), ShownKind(s), s.display.tempo);
  if (!v) return std::nullopt;
  return Values{(*v)[0], (*v)[2], (*v)[1]};
}

// Appends a point standing for `event` (nothing: a placeholder) at `v`; an
// event without values adds none and breaks the path. A point that could not
// be added takes no place in PointEvents either.
void AddEventPoint(ViewState& s, Dialogs& dialogs, std::optional<std::int32_t> event, std::string_view name,
                   const std::optional<Values>& v, double size, std::int32_t colour) {
  if (!v) {
    s.points.Break();
    return;
  }
  const std::size_t before = s.points.Count();
  s.AddEntry(dialogs, name, v->x, v->y, v->z, size, colour, "");
  if (s.points.Count() > before) s.pointEvents.push_back(event);
}

void ClearPoints(ViewState& s) {
  s.points = PointCollection{};
  s.pointEvents.clear();
  s.pointNote.clear();
}

// An empty group for each compared performance, in its colour; `label` is
// set to the name its points carry.
PointGroup NewGroup(std::size_t index, const Performance& performance, std::string& label) {
  PointGroup group;
  group.name = PerformanceDisplayName(performance);
  group.colour = ComparedColour(index);
  label = "Note (" + group.name + ")";
  return group;
}

}  // namespace

std::string NoPointNote(std::int64_t event) {
  return FormatText(QT_TRANSLATE_NOOP("returnplot", "event %1: no point (values past the end)"),
                    {std::to_string(event + 1)});
}

void SetEventAxisNames(PlotPoints& points) {
  points.xAxisName = QT_TRANSLATE_NOOP("returnplot", "event n");
  points.verticalAxisName = QT_TRANSLATE_NOOP("returnplot", "event n+2d");
  points.depthAxisName = QT_TRANSLATE_NOOP("returnplot", "event n+d");
}

void FillAllEventPoints(ViewState& s, Dialogs& dialogs, const Performance& performance) {
  ClearPoints(s);
  s.pointsName = PerformanceDisplayName(performance);
  const std::int32_t n = performance.EventCount();
  for (std::int32_t k = 0; k < n; ++k)
    AddEventPoint(s, dialogs, k, "Note", EventValues(s, performance, k), 1.0, kEventColour);
}

void FillTailPoints(ViewState& s, Dialogs& dialogs, const Performance& performance, const ReplayPosition& position) {
  ClearPoints(s);
  // None current: only placeholders (the tail ends before the first event).
  const std::int64_t last = position.currentEvent ? *position.currentEvent : -1;
  const std::int64_t first = last - position.tailLength;
  for (std::int64_t i = first; i <= last; ++i) {
    if (i < 0) {
      // Placeholders stand where the first event is (at the origin before any event).
      const Values at = performance.events.empty() ? Values{0.0, 0.0, 0.0}
                                                   : EventValues(s, performance, 0).value_or(Values{0.0, 0.0, 0.0});
      AddEventPoint(s, dialogs, std::nullopt, "", at, 0.0, kPlaceholderColour);
      continue;
    }
    const bool current = i == last;
    const std::optional<Values> values = EventValues(s, performance, i);
    AddEventPoint(s, dialogs, static_cast<std::int32_t>(i), "Note", values, current ? 2.0 : 1.0,
                  current ? kCurrentEventColour : kEventColour);
    if (current && !values) s.pointNote = NoPointNote(i);
  }
}

void FillComparedPoints(ViewState& s, Dialogs& dialogs, const Performance& main, const ComparedPerformances& compared) {
  FillComparedTailPoints(s, dialogs, main, compared, ReplayPosition{});
}

void FillComparedTailPoints(ViewState& s, Dialogs& dialogs, const Performance& main,
                            const ComparedPerformances& compared, const ReplayPosition& position) {
  s.compared.clear();
  const AlignBy by = EffectiveAlignBy(s.alignBy, main, compared);
  for (std::size_t g = 0; g < compared.size(); ++g) {
    const Performance& performance = compared[g];
    std::string label;
    PointGroup& group = s.compared.emplace_back(NewGroup(g, performance, label));
    for (const std::optional<std::int32_t> k : s.pointEvents) {
      const std::optional<std::int32_t> own = k ? AlignedEvent(main, *k, performance, by) : std::nullopt;
      const std::optional<Values> v = own ? EventValues(s, performance, *own) : std::nullopt;
      if (!k || !own || !v) {
        // No aligned event, or one past the end of its values: the path breaks.
        group.points.Break();
        continue;
      }
      const std::size_t before = group.points.Count();
      const bool current = position.currentEvent && *k == *position.currentEvent;
      AddPointEntry(group.points, dialogs, label, v->x, v->y, v->z, current ? 2.0 : 1.0, group.colour, "");
      if (group.points.Count() > before) group.pointEvents.push_back({*k, *own});
    }
  }
}

void ApplyPerformanceSettings(ViewState& s, const AnalysisSettings& settings) {
  s.captionNote = AnalysisSettingsNote(settings);
  s.xValueFormat = s.yValueFormat = s.zValueFormat = s.sizeValueFormat = "0.000";
  SetEventAxisNames(s);
  s.sizeName = "s";
}

}  // namespace rp
