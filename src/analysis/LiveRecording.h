// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A take as it is played: MIDI messages with the MIDI system's delta times go
// in, note events and onset events come out at once. Event k's plot values
// need events k + d, k + 2d and the onset of k + 2d + 1, so event k is
// complete, and its values final, as soon as event k + 2d + 1 has begun. The
// finished take is analysed exactly as a loaded file is.
//
// Rules: times are in ms from the first message (of any kind), by the MIDI
// system's time stamps, and a note's time is rounded to the take's resolution
// of 0.1 ms, so that the take in memory is the listing saved from it; a
// stamp earlier than the one before counts as that one. A note-on with
// velocity 0 is a note-off; every message other than note-on and note-off is
// ignored (though the first one is the take's zero); all channels are one
// performance. Each note event's leading number is its position in the take.

#include <cstdint>
#include <optional>
#include <span>

#include "model/Performance.h"

namespace rp {

class LiveRecording {
 public:
  // The resolution of a take's times.
  static constexpr std::int64_t kResolutionUs = 100;

  explicit LiveRecording(AnalysisSettings settings = {});

  // One message, played at `timeUs` on the input's clock; the note event it
  // made, if it made one.
  std::optional<NoteEvent> Add(std::span<const std::uint8_t> bytes, std::int64_t timeUs);

  // The take so far: its events are those begun; only the first
  // `CompleteEventCount()` have their final values, the others zeros.
  const Performance& Take() const { return take_; }
  std::int32_t CompleteEventCount() const;
  // Time of the last message, in ms from the first.
  double LastMessageMs() const { return static_cast<double>(elapsedUs_) / 1000.0; }

  // The complete events alone, as a performance of their own: the notes
  // before the first note of the first incomplete event, and the first
  // `CompleteEventCount()` events with their final values. What the plot shows
  // while the take goes on.
  Performance CompletePart() const;
  // The take analysed as a load would analyse the same notes.
  Performance Finished() const;

 private:
  void AddNote(bool on, std::uint8_t key, std::uint8_t velocity);

  Performance take_;
  bool anyMessage_ = false;
  std::int64_t zeroUs_ = 0;       // the first message's stamp
  std::int64_t elapsedUs_ = 0;    // the newest message's time from the first
  double clusterOnsetMs_ = 0.0;   // first note-on of the newest event
  std::int32_t velocityKey_ = 0;  // the key of the note-on that gives the newest event its velocity
};

}  // namespace rp
