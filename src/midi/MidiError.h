// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What can go wrong with MIDI devices and the built-in synthesizer, and what
// the user is told. Every text lives in one table (MidiError.cpp); a text may
// name a device ({name}) and add the system's own words ({why}).

#include <string>
#include <string_view>

namespace rp {

enum class MidiError {
  NoOutput,            // no MIDI system, or it offers no output port
  NoInput,             // no MIDI system, or it offers no input
  NoSuchOutput,        // an output number outside the list
  NoSuchInput,         // an input number outside the list
  OutputOpenFailed,    // the output exists but could not be opened
  InputOpenFailed,     // the input exists but could not be opened
  NotOpen,             // a message for an output that is not open
  SendFailed,          // the device refused a message; the replay ends
  OutputGone,          // the device left the system during a replay; the replay ends
  InvalidMessage,      // a message that is no channel message; not queued
  SynthFailed,         // the built-in synthesizer could not be made
  NoSoundFont,         // the built-in synthesizer found no SoundFont to play with
  NoSoundOutput,       // no sound server or card for the built-in synthesizer
  SoundOutputFailed,   // the sound output could not be opened
  SoundOutputStopped,  // the sound output ended during a replay
};

struct MidiFailure {
  MidiError code = MidiError::NotOpen;
  std::string text;  // shown to the user as it is
};

// The failure `code` with its text from the table: {name} becomes `name`,
// {why} becomes ": " and `why` (nothing when `why` is empty).
MidiFailure MakeMidiFailure(MidiError code, std::string_view name = {}, std::string_view why = {});

}  // namespace rp
