// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The played notes of each onset event, with their releases and voices, as
// the measures of a chord and of a line take them. A performance aligned to
// its score gives the matched notes of each score position (grace and
// inserted notes make no event and are not among them) with the voices the
// score marks; a MIDI performance gives the note-ons of each onset cluster,
// each ended by the next note-off of its key and channel, without voices.
// Lists of times and recordings give none.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace rp {

struct Performance;

struct ChordNote {
  double onsetMs = 0.0;
  double offsetMs = 0.0;   // the key's release; the onset itself when the file never releases it
  std::int32_t voice = 0;  // from 1; 0 when the file gives none
  std::uint8_t key = 0;
  std::uint8_t velocity = 0;
  bool arpeggio = false;  // the score marks it arpeggiated
};

struct EventNotes {
  std::vector<ChordNote> notes;  // event by event
  // Event k's notes are notes[first[k]] to notes[first[k + 1] - 1]; one
  // entry more than there are events (none when the performance has no notes
  // of its events).
  std::vector<std::size_t> first;
  bool voices = false;    // some note names its voice
  bool releases = false;  // the notes' releases are known

  std::size_t EventCount() const { return first.empty() ? 0 : first.size() - 1; }
  std::span<const ChordNote> Of(std::size_t event) const {
    return std::span<const ChordNote>(notes).subspan(first[event], first[event + 1] - first[event]);
  }
};

// The notes of `performance`'s events; empty for a list of times or a
// recording.
EventNotes EventNotesOf(const Performance& performance);

}  // namespace rp
