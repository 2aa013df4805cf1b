// SPDX-License-Identifier: GPL-3.0-or-later
#include "midi/MidiError.h"

#include <array>
#include <utility>

namespace rp {

namespace {

// Every user-visible text of the MIDI devices, by code.
constexpr std::array<std::pair<MidiError, std::string_view>, 15> kTexts = {{
    {MidiError::NoOutput,
     "No MIDI output is available: no ALSA sequencer (/dev/snd/seq) and no JACK server was found, or they offer no "
     "output port."},
    {MidiError::NoInput,
     "No MIDI input is available: no ALSA sequencer (/dev/snd/seq) and no JACK server was found, or they offer no "
     "input."},
    {MidiError::NoSuchOutput, "There is no MIDI output device number {name}."},
    {MidiError::NoSuchInput, "There is no MIDI input device number {name}."},
    {MidiError::OutputOpenFailed, "The MIDI output \"{name}\" could not be opened{why}."},
    {MidiError::InputOpenFailed, "The MIDI input \"{name}\" could not be opened{why}."},
    {MidiError::NotOpen, "The MIDI output is not open."},
    {MidiError::SendFailed, "Sending to the MIDI output \"{name}\" failed{why}. The replay stopped."},
    {MidiError::OutputGone,
     "The MIDI output \"{name}\" is gone (unplugged, or its program ended). The replay stopped."},
    {MidiError::InvalidMessage, "Invalid MIDI message ({name}); it was not queued."},
    {MidiError::SynthFailed, "The built-in synthesizer could not be started{why}."},
    {MidiError::NoSoundFont,
     "The built-in synthesizer found no General MIDI SoundFont (install the package timgm6mb-soundfont, or place "
     "TimGM6mb.sf2 in the program's data folder){why}."},
    {MidiError::NoSoundOutput,
     "The built-in synthesizer cannot play: no sound server (PulseAudio, PipeWire or JACK) is running and there is "
     "no sound card. Choose a MIDI output device instead."},
    {MidiError::SoundOutputFailed,
     "The built-in synthesizer could not open the sound output{why}. Choose a MIDI output device instead."},
    {MidiError::SoundOutputStopped, "The built-in synthesizer's sound output has stopped. The replay stopped."},
}};

void Replace(std::string& text, std::string_view placeholder, std::string_view by) {
  const std::size_t at = text.find(placeholder);
  if (at != std::string::npos) text.replace(at, placeholder.size(), by);
}

}  // namespace

MidiFailure MakeMidiFailure(MidiError code, std::string_view name, std::string_view why) {
  std::string text;
  for (const auto& [entry, words] : kTexts) {
    if (entry == code) text = words;
  }
  Replace(text, "{name}", name);
  Replace(text, "{why}", why.empty() ? std::string() : ": " + std::string(why));
  return {code, std::move(text)};
}

}  // namespace rp
