#include "plot/PerformancePoints.h"

#include <algorithm>
#include <string_view>

#include "base/PlotViewLink.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "plot/ComparedColours.h"
#include "plot/ViewState.h"

namespace rp {

namespace {

struct Values {
  double x, y, z;
};

// Event k's three values in the mode the control panel shows now.
Values EventValues(const ViewState& s, const Performance& performance, std::int64_t k) {
  const bool timing = s.ControlPanel == nullptr || s.ControlPanel->timingChosen();
  const PlotEvent& e = performance.PlotEvents.at(static_cast<std::size_t>(k));
  if (timing) return {e.Interval0, e.Interval1, e.Interval2};
  return {static_cast<double>(e.Velocity0), static_cast<double>(e.Velocity1),
          static_cast<double>(e.Velocity2)};
}

// Appends a point standing for `event` (0: a placeholder); a point that could
// not be added takes no place in PointEvents either.
void AddEventPoint(ViewState& s, Dialogs& dialogs, std::int64_t event, std::string_view name, const Values& v,
                   double size, std::int32_t colour) {
  const std::size_t before = s.Points.Count();
  s.AddEntry(dialogs, name, v.x, v.y, v.z, size, colour, "");
  if (s.Points.Count() > before) s.PointEvents.push_back(static_cast<std::int32_t>(event));
}

void ClearPoints(ViewState& s) {
  s.Points = PointCollection{};
  s.PointEvents.clear();
}

// An empty group for each compared performance, in its colour; `label` is
// set to the name its points carry.
PointGroup NewGroup(std::size_t index, const Performance& performance, std::string& label) {
  PointGroup group;
  group.Name = PerformanceDisplayName(performance);
  group.Colour = ComparedColour(index);
  label = "Note (" + group.Name + ")";
  return group;
}

}  // namespace

void FillAllEventPoints(ViewState& s, Dialogs& dialogs, const Performance& performance) {
  ClearPoints(s);
  s.PointsName = PerformanceDisplayName(performance);
  const std::int32_t n = std::min(performance.PlotEventCount, kMaxFullViewEvents);
  for (std::int32_t k = 1; k <= n; ++k) AddEventPoint(s, dialogs, k, "Note", EventValues(s, performance, k), 1.0, kEventColour);
}

void FillTailPoints(ViewState& s, Dialogs& dialogs, const Performance& performance, const ReplayPosition& position) {
  ClearPoints(s);
  const std::int64_t last = position.CurrentEvent;
  const std::int64_t first = last - position.TailLength;
  for (std::int64_t i = first; i <= last; ++i) {
    if (i <= 1) {
      AddEventPoint(s, dialogs, 0, "", EventValues(s, performance, 1), 0.0, kPlaceholderColour);
      continue;
    }
    const bool current = i == last;
    AddEventPoint(s, dialogs, i, "Note", EventValues(s, performance, i), current ? 2.0 : 1.0,
                  current ? kCurrentEventColour : kEventColour);
  }
}

void FillComparedPoints(ViewState& s, Dialogs& dialogs, const ComparedPerformances& compared,
                        std::int32_t eventCount) {
  s.Compared.clear();
  for (std::size_t g = 0; g < compared.size(); ++g) {
    const Performance& performance = compared[g];
    std::string label;
    PointGroup& group = s.Compared.emplace_back(NewGroup(g, performance, label));
    const std::int32_t n = std::min(eventCount, performance.PlotEventCount);
    for (std::int32_t k = 1; k <= n; ++k) {
      const Values v = EventValues(s, performance, k);
      AddPointEntry(group.Points, dialogs, label, v.x, v.y, v.z, 1.0, group.Colour, "");
    }
  }
}

void FillComparedTailPoints(ViewState& s, Dialogs& dialogs, const ComparedPerformances& compared,
                            const ReplayPosition& position) {
  s.Compared.clear();
  const std::int64_t last = position.CurrentEvent;
  const std::int64_t first = std::max<std::int64_t>(last - position.TailLength, 2);
  for (std::size_t g = 0; g < compared.size(); ++g) {
    const Performance& performance = compared[g];
    std::string label;
    PointGroup& group = s.Compared.emplace_back(NewGroup(g, performance, label));
    const std::int64_t end = std::min<std::int64_t>(last, performance.PlotEventCount);
    for (std::int64_t i = first; i <= end; ++i) {
      const Values v = EventValues(s, performance, i);
      AddPointEntry(group.Points, dialogs, label, v.x, v.y, v.z, i == last ? 2.0 : 1.0, group.Colour, "");
    }
  }
}

void ApplyPerformanceSettings(ViewState& s, const AnalysisSettings& settings) {
  s.CaptionNote = AnalysisSettingsNote(settings);
  s.XValueFormat = s.YValueFormat = s.ZValueFormat = s.SizeValueFormat = "0.000";
  s.ShowConnectLines = true;
  s.ShowDropLines = false;
  s.ShowGlass = true;
  s.ShowFloorShadows = true;
  s.XAxisName = "actual event n";
  s.VerticalAxisName = "event n+2d";
  s.DepthAxisName = "event n+d";
  s.SizeName = "s";
}

}  // namespace rp
