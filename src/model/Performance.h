#pragma once
// One performance as the program holds it: every note event of a file, the
// onset events the analysis made of them, and the settings that analysis
// used. The load writes it; the plot, the replay and the exports only read it.
// Several may exist at once.
//
// Rules every reader may rely on:
// - Index 0 of both arrays exists and is all zero; so is every index above
//   its count. `PlotEvents` always reaches at least `PlotEventCount` + 10.
// - `PlotEvents`[k].`FirstNote` = j exactly when `NoteEvents`[j].`ClusterIndex` = k.
// A default-made performance (nothing loaded, arrays empty, counts 0) is the
// one exception: it holds no index 0 until a load or `BeforeFirstFile`.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/AnalysisSettings.h"
#include "model/VelocityKind.h"

namespace rp {

// One line of the performance file. The doubles come first so a record
// takes 24 bytes: a load of a million lines writes every byte of them.
struct NoteEvent {
  double timeMs = 0.0;
  double leadValue = 0.0;         // the number that opens the line; kept, never used
  std::int32_t clusterIndex = 0;  // >= 1 on the note-on that opens a cluster
  bool isNoteOn = false;
  std::uint8_t noteVelocity = 0;
  std::uint8_t noteKey = 0;
};
static_assert(sizeof(NoteEvent) == 24);

// One onset cluster: a chord or a single note. Its plotted values are those of
// itself, of the event `Delay` later and of the event 2 `Delay` later. The
// velocities are of the performance's `velocityKind`: MIDI velocities, or a
// recording's loudness in dB.
struct PlotEvent {
  double onsetMs = 0.0;
  double interval0 = 0.0;
  double interval1 = 0.0;
  double interval2 = 0.0;
  double velocity0 = 0.0;
  double velocity1 = 0.0;
  double velocity2 = 0.0;
  std::int32_t firstNote = 0;
};

struct Performance {
  std::vector<NoteEvent> noteEvents;  // indices 0..upper bound
  std::int32_t noteEventCount = 0;
  std::vector<PlotEvent> plotEvents;
  std::int32_t plotEventCount = 0;
  AnalysisSettings settings;
  // The file it was read from; empty until a load changes it.
  std::string sourcePath;
  // MIDI velocities, or a recording's loudness in dB: then `noteLoudnessDb`
  // holds each note event's loudness, indexed as `noteEvents`, and the onset
  // analysis takes the events' velocities from there.
  VelocityKind velocityKind = VelocityKind::Midi;
  std::vector<double> noteLoudnessDb;

  // What the control panel holds before its first file: both arrays sized to
  // indices 0 to 5, all zero, both counts 5.
  static Performance BeforeFirstFile(AnalysisSettings settings = {});

  // Zeroes `NoteEvents` up to `NoteEventCount` and `PlotEvents` up to
  // `PlotEventCount`.
  void ZeroUpToCounts();
};

// Asks the system to back the untouched block with large pages where it
// can: a million records then cost a few dozen page faults, not thousands.
void AskForLargePages(void* block, std::size_t bytes);

// Empties `v` for `size` records that the caller appends one by one, and
// appends the all-zero record 0: the records are written once, in place,
// instead of zeroed first and written again. A much larger old array is freed
// before the new one is made, so a load never holds both.
template <class T>
void StartRecords(std::vector<T>& v, std::size_t size) {
  if (v.capacity() < size || v.capacity() / 2 > size) {
    v.clear();
    v.shrink_to_fit();
  }
  v.clear();
  v.reserve(size);
  AskForLargePages(v.data(), v.capacity() * sizeof(T));
  v.emplace_back();
}

}  // namespace rp
