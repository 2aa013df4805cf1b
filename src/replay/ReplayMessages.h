// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The messages a replay sends, in the order it sends them: the note events
// of a performance and, beside them, its controllers (the pedals above all),
// so that a replay sounds like the file. The live replay queues them on the
// MIDI output port; the WAV render plays the same messages.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "midi/MidiMessage.h"
#include "model/Performance.h"

namespace rp {

// A recorded key velocity as sent: times `scale`, halves to the even
// neighbour, at most 127, and at least 1 for any velocity above 0 (at 1.5:
// 1 gives 2, 3 gives 4, 84 gives 126, 85 and above 127).
int ScaledVelocity(std::uint8_t velocity, double scale);

// The time a replay that starts at `first` counts from: its time rounded to
// whole ms, halves to the even neighbour.
double ReplayStartMs(const NoteEvent& first);

// The message a note event becomes: note-on (144) or note-off (128) on its
// channel (1 for every note of a file; 10 for the clicks of a list of times),
// its key, its velocity scaled by `velocityScale`, its time after `startMs`,
// and its cluster index as the tag. A key MIDI cannot carry (above 127; the
// reader takes keys up to 255) sends nothing: a note that opens a cluster
// becomes a tag-only message, so that the plot still moves at its time, any
// other gives no message.
std::optional<MidiMessage> ReplayMessage(const NoteEvent& note, double startMs, double velocityScale);

// A message's tag names the event its note opens as the event's index + 1,
// so that a message's default tag, 0, names none.
inline int EventTag(std::int32_t event) { return event + 1; }
inline std::optional<std::int32_t> TaggedEvent(int tag) {
  if (tag <= 0) return std::nullopt;
  return tag - 1;
}

// A note-on whose key MIDI cannot carry: the notes a replay reports skipped.
bool IsUnsendableNote(const NoteEvent& note);
// What the user is told once per replay (or render) that skipped `count`
// such notes (count > 0).
std::string SkippedNotesText(int count);

// Hands `send` every message of a replay of notes `from` to `to` (indices
// from 0, both included; `to` below the note count) in order, times after
// ReplayStartMs of note `from`: first each controller's last value before
// that note (a replay from the middle starts with the pedals as they were
// there), then the notes and the controllers due meanwhile by time (a
// controller before a note of the same time), and when `to` is the last
// note the controllers after it. A controller message carries tag 0.
// `noteDone(i)`, when given, follows the messages of note i. Returns how
// many notes MIDI cannot carry were left out.
int ForEachReplayMessage(const Performance& performance, std::size_t from, std::size_t to, double velocityScale,
                         const std::function<void(const MidiMessage&)>& send,
                         const std::function<void(std::size_t)>& noteDone = {});

}  // namespace rp
