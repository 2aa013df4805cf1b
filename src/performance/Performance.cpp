#include "performance/Performance.h"

#include <algorithm>

namespace rp {

Performance Performance::BeforeFirstFile(AnalysisSettings settings) {
  Performance p;
  p.NoteEvents.assign(6, NoteEvent{});
  p.NoteEventCount = 5;
  p.PlotEvents.assign(6, PlotEvent{});
  p.PlotEventCount = 5;
  p.Settings = settings;
  return p;
}

void Performance::ZeroUpToCounts() {
  const auto noteEnd =
      std::min<std::size_t>(NoteEvents.size(), static_cast<std::size_t>(std::max(NoteEventCount, 0)) + 1);
  const auto plotEnd =
      std::min<std::size_t>(PlotEvents.size(), static_cast<std::size_t>(std::max(PlotEventCount, 0)) + 1);
  std::fill(NoteEvents.begin(), NoteEvents.begin() + static_cast<std::ptrdiff_t>(noteEnd), NoteEvent{});
  std::fill(PlotEvents.begin(), PlotEvents.begin() + static_cast<std::ptrdiff_t>(plotEnd), PlotEvent{});
}

}  // namespace rp
