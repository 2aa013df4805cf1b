#include "performance/global.h"

namespace rp::global {

std::vector<NoteEvent> NoteEvents;
std::int32_t NoteEventCount = 0;
std::vector<PlotEvent> PlotEvents;
std::int32_t PlotEventCount = 0;
std::int32_t CurrentEvent = 0;
std::int32_t TailLength = 0;
std::int32_t PlayFrom = 0;
std::int32_t PlayTo = 0;

void ResetToProgramStart() {
  NoteEvents.clear();
  NoteEventCount = 0;
  PlotEvents.clear();
  PlotEventCount = 0;
  CurrentEvent = 0;
  TailLength = 0;
  PlayFrom = 0;
  PlayTo = 0;
}

void InitializeEmptyPerformance() {
  NoteEvents.assign(6, NoteEvent{});
  NoteEventCount = 5;
  PlotEvents.assign(6, PlotEvent{});
  PlotEventCount = 5;
}

}  // namespace rp::global
