#pragma once
// The performance shared by the control panel and the plot view: every note
// event of the loaded file, the analysed onset clusters, and the few scalars
// that say where the replay and the view stand. The control panel writes
// them, the view reads them; all access happens on the UI thread.
//
// Rules every reader may rely on:
// - Index 0 of both arrays exists and is all zero; so is every index above
//   its count. `PlotEvents` always reaches at least `PlotEventCount` + 10.
// - `PlotEvents`(k).`FirstNote` = j exactly when `NoteEvents`(j).`ClusterIndex` = k.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rp {

// Stored booleans are 16 bits with True = -1.
using VBBool = std::int16_t;
inline constexpr VBBool kTrue = -1;
inline constexpr VBBool kFalse = 0;

// One line of the performance file.
struct NoteEvent {
  VBBool IsNoteOn = kFalse;
  double TimeMs = 0.0;
  double LeadValue = 0.0;        // the number that opens the line; kept, never used
  std::uint8_t NoteVelocity = 0;
  std::int32_t ClusterIndex = 0;  // >= 1 on the note-on that opens a cluster
  std::uint8_t NoteKey = 0;
};

// One onset cluster: a chord or a single note.
struct PlotEvent {
  double OnsetMs = 0.0;
  double Interval0 = 0.0;
  double Interval1 = 0.0;
  double Interval2 = 0.0;
  std::uint8_t Velocity0 = 0;
  std::uint8_t Velocity1 = 0;
  std::uint8_t Velocity2 = 0;
  std::int32_t FirstNote = 0;
};

// Resizes `v` to `size` all-zero records. A much larger old array is freed
// before the new one is made, so a load never holds both.
template <class T>
void ResizeAllZero(std::vector<T>& v, std::size_t size) {
  if (v.capacity() < size || v.capacity() / 2 > size) {
    v.clear();
    v.shrink_to_fit();
  }
  v.assign(size, T{});
}

namespace global {
extern std::vector<NoteEvent> NoteEvents;  // indices 0..upper bound
extern std::int32_t NoteEventCount;
extern std::vector<PlotEvent> PlotEvents;
extern std::int32_t PlotEventCount;
extern std::int32_t CurrentEvent;
extern std::int32_t TailLength;
extern std::int32_t PlayFrom;
extern std::int32_t PlayTo;

// Program start: arrays unallocated, every scalar 0.
void ResetToProgramStart();
// What the control panel's load does before any file: both arrays sized to
// indices 0 to 5, all zero, both counts 5.
void InitializeEmptyPerformance();
}  // namespace global

}  // namespace rp
