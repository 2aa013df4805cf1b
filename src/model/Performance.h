// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One performance as the program holds it: every note event of a file, the
// onset events the analysis made of them, and the settings that analysis
// used. The load writes it; the plot, the replay and the exports only read it.
// Several may exist at once.
//
// Both lists count from 0 and hold exactly their events.
// `events`[k].`firstNote` = j exactly when `notes`[j].`opensEvent` = k. Users
// see event and note numbers from 1 (exports, the control panel, the plot).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/AnalysisSettings.h"
#include "model/ScoreInfo.h"
#include "model/UndefinedValue.h"
#include "model/VelocityKind.h"

namespace rp {

// One line of the performance file. The doubles come first so a record
// takes 24 bytes: a load of a million lines writes every byte of them.
struct NoteEvent {
  double timeMs = 0.0;
  double leadValue = 0.0;        // the number that opens the line; kept, never used
  std::int32_t opensEvent = -1;  // on the note-on that opens an onset event: that event's index
  bool isNoteOn = false;
  std::uint8_t noteVelocity = 0;
  std::uint8_t noteKey = 0;
  std::uint8_t channel = 0;  // 0 to 15: MIDI channel 1 to 16 (the clicks of a list of times go on 10)
};
static_assert(sizeof(NoteEvent) == 24);

// A controller message of the replay: those of a Standard MIDI File (the
// pedals, 64 sustain, 66 sostenuto and 67 soft, and the others) and the
// pedals of a score-aligned performance.
struct ControllerEvent {
  double timeMs = 0.0;
  std::uint8_t channel = 0;  // 0 to 15
  std::uint8_t controller = 0;
  std::uint8_t value = 0;
};

// Where a performance's onset events come from. Only note performances are
// clustered by the cluster window; the others bring their events with them.
enum class PerformanceSource {
  Notes,          // ASCII MIDI listing, Standard MIDI File, live take
  ScoreAligned,   // a match file: events at score positions
  LabelledTimes,  // an Audacity label track or Sonic Visualiser time instants: seconds
  PlainTimes,     // a plain list of times in the settings' unit
};

// One onset cluster: a chord or a single note. Its plotted values are those of
// itself, of the event `Delay` later and of the event 2 `Delay` later. The
// velocities are of the performance's `velocityKind`: MIDI velocities, or a
// recording's loudness in dB.
struct OnsetEvent {
  double onsetMs = 0.0;
  double interval0 = 0.0;
  double interval1 = 0.0;
  double interval2 = 0.0;
  double velocity0 = 0.0;
  double velocity1 = 0.0;
  double velocity2 = 0.0;
  std::int32_t firstNote = 0;  // index of the note-on that opens it
};

struct Performance {
  std::vector<NoteEvent> notes;
  std::vector<OnsetEvent> events;
  AnalysisSettings settings;
  // The file it was read from; empty until a load changes it.
  std::string sourcePath;
  PerformanceSource source = PerformanceSource::Notes;
  // Only for `ScoreAligned`.
  std::optional<ScoreInfo> score;
  // Replayed beside the note events, in time order.
  std::vector<ControllerEvent> controllers;
  // How much louder than recorded its velocities are replayed, by where the
  // file comes from (see model/VelocityScale.h): 1.5 for an ASCII MIDI
  // listing this program did not write, 1 for everything else.
  double provenanceVelocityScale = 1.0;
  // MIDI velocities, or a recording's loudness in dB: then `noteLoudnessDb`
  // holds each note event's loudness, indexed as `notes`, and the onset
  // analysis takes the events' velocities from there.
  VelocityKind velocityKind = VelocityKind::Midi;
  std::vector<double> noteLoudnessDb;

  // No notes and no events, analysed with `settings` once a file is read.
  static Performance Empty(AnalysisSettings settings = {});

  std::int32_t NoteCount() const { return static_cast<std::int32_t>(notes.size()); }
  std::int32_t EventCount() const { return static_cast<std::int32_t>(events.size()); }
};

// A list of times has onsets only: no velocities.
inline bool HasVelocity(const Performance& performance) {
  return performance.source == PerformanceSource::Notes || performance.source == PerformanceSource::ScoreAligned;
}
// Whether the cluster window makes the performance's events.
inline bool UsesClusterWindow(const Performance& performance) { return performance.source == PerformanceSource::Notes; }

// Asks the system to back the untouched block with large pages where it
// can: a million records then cost a few dozen page faults, not thousands.
void AskForLargePages(void* block, std::size_t bytes);

// Empties `v` for `size` records that the caller appends one by one: the
// records are written once, in place, instead of zeroed first and written
// again. A much larger old array is freed
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
}

}  // namespace rp
