// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/ReplayMessages.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "model/RoundHalfEven.h"

namespace rp {

namespace {

constexpr int kNoteOn = 144;      // channel 1; the note's channel is added
constexpr int kNoteOff = 128;     // likewise
constexpr int kController = 176;  // likewise

constexpr int kHighestMidiKey = 127;

MidiMessage ControllerMessage(const ControllerEvent& c, double timeMs) {
  return {0, timeMs, kController | (c.channel & 0x0F), c.controller & 0x7F, c.value & 0x7F};
}

}  // namespace

int ScaledVelocity(std::uint8_t velocity, double scale) {
  if (velocity == 0) return 0;
  const double scaled = RoundHalfEven(velocity * scale);
  return static_cast<int>(std::clamp(scaled, 1.0, 127.0));
}

double ReplayStartMs(const NoteEvent& first) { return RoundHalfEven(first.timeMs); }

std::optional<MidiMessage> ReplayMessage(const NoteEvent& note, double startMs, double velocityScale) {
  MidiMessage m;
  m.tag = EventTag(note.opensEvent);  // 0 for a note that opens none
  m.timeMs = note.timeMs - startMs;
  if (note.noteKey > kHighestMidiKey) {
    if (m.tag == 0) return std::nullopt;
    m.status = kTagOnlyStatus;
    return m;
  }
  m.status = (note.isNoteOn ? kNoteOn : kNoteOff) | (note.channel & 0x0F);
  m.data1 = note.noteKey;
  m.data2 = ScaledVelocity(note.noteVelocity, velocityScale);
  return m;
}

bool IsUnsendableNote(const NoteEvent& note) { return note.isNoteOn && note.noteKey > kHighestMidiKey; }

std::string SkippedNotesText(int count) {
  if (count == 1)
    return QT_TRANSLATE_NOOP("returnplot", "1 note with a key above 127 was not sent: MIDI cannot carry it.");
  return FormatText(
      QT_TRANSLATE_NOOP("returnplot", "%1 notes with keys above 127 were not sent: MIDI cannot carry them."),
      {std::to_string(count)});
}

int ForEachReplayMessage(const Performance& performance, std::size_t from, std::size_t to, double velocityScale,
                         const std::function<void(const MidiMessage&)>& send,
                         const std::function<void(std::size_t)>& noteDone) {
  const auto& notes = performance.notes;
  const auto& controllers = performance.controllers;
  if (notes.empty() || from > to || to >= notes.size()) return 0;
  const double start = ReplayStartMs(notes[from]);
  const double fromMs = notes[from].timeMs;

  // The controllers' state where the replay starts: the last value of each.
  std::size_t next = 0;
  std::array<std::array<std::int16_t, 128>, 16> last{};
  for (auto& channel : last) channel.fill(-1);
  for (; next < controllers.size() && controllers[next].timeMs < fromMs; ++next) {
    const ControllerEvent& c = controllers[next];
    last[c.channel & 0x0F][c.controller & 0x7F] = c.value;
  }
  for (std::uint8_t channel = 0; channel < 16; ++channel) {
    for (std::uint8_t controller = 0; controller < 128; ++controller) {
      const std::int16_t value = last[channel][controller];
      if (value < 0) continue;
      send(ControllerMessage({fromMs, channel, controller, static_cast<std::uint8_t>(value)}, fromMs - start));
    }
  }

  int skipped = 0;
  for (std::size_t i = from; i <= to; ++i) {
    const NoteEvent& note = notes[i];
    for (; next < controllers.size() && controllers[next].timeMs <= note.timeMs; ++next) {
      send(ControllerMessage(controllers[next], controllers[next].timeMs - start));
    }
    if (const auto message = ReplayMessage(note, start, velocityScale)) send(*message);
    if (IsUnsendableNote(note)) ++skipped;
    if (noteDone) noteDone(i);
  }
  if (to + 1 == notes.size()) {
    for (; next < controllers.size(); ++next)
      send(ControllerMessage(controllers[next], controllers[next].timeMs - start));
  }
  return skipped;
}

}  // namespace rp
