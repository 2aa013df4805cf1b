// SPDX-License-Identifier: GPL-3.0-or-later
#include "midi/MidiError.h"

#include <array>
#include <utility>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"

namespace rp {

namespace {

// Every user-visible text of the MIDI devices, by code: %1 is the device's
// name or number, %2 the reason (": ..." or nothing).
constexpr std::array<std::pair<MidiError, std::string_view>, 15> kTexts = {{
    {MidiError::NoOutput,
     QT_TRANSLATE_NOOP(
         "returnplot",
         "No MIDI output is available: no ALSA sequencer (/dev/snd/seq) and no JACK server was found, or they offer no "
         "output port.")},
    {MidiError::NoInput,
     QT_TRANSLATE_NOOP(
         "returnplot",
         "No MIDI input is available: no ALSA sequencer (/dev/snd/seq) and no JACK server was found, or they offer no "
         "input.")},
    {MidiError::NoSuchOutput, QT_TRANSLATE_NOOP("returnplot", "There is no MIDI output device number %1.")},
    {MidiError::NoSuchInput, QT_TRANSLATE_NOOP("returnplot", "There is no MIDI input device number %1.")},
    {MidiError::OutputOpenFailed, QT_TRANSLATE_NOOP("returnplot", "The MIDI output \"%1\" could not be opened%2.")},
    {MidiError::InputOpenFailed, QT_TRANSLATE_NOOP("returnplot", "The MIDI input \"%1\" could not be opened%2.")},
    {MidiError::NotOpen, QT_TRANSLATE_NOOP("returnplot", "The MIDI output is not open.")},
    {MidiError::SendFailed,
     QT_TRANSLATE_NOOP("returnplot", "Sending to the MIDI output \"%1\" failed%2. The replay stopped.")},
    {MidiError::OutputGone,
     QT_TRANSLATE_NOOP("returnplot",
                       "The MIDI output \"%1\" is gone (unplugged, or its program ended). The replay stopped.")},
    {MidiError::InvalidMessage, QT_TRANSLATE_NOOP("returnplot", "Invalid MIDI message (%1); it was not queued.")},
    {MidiError::SynthFailed, QT_TRANSLATE_NOOP("returnplot", "The built-in synthesizer could not be started%2.")},
    {MidiError::NoSoundFont,
     QT_TRANSLATE_NOOP(
         "returnplot",
         "The built-in synthesizer found no General MIDI SoundFont (install the package timgm6mb-soundfont, or place "
         "TimGM6mb.sf2 in the program's data folder)%2.")},
    {MidiError::NoSoundOutput,
     QT_TRANSLATE_NOOP(
         "returnplot",
         "The built-in synthesizer cannot play: no sound server (PulseAudio, PipeWire or JACK) is running and there is "
         "no sound card. Choose a MIDI output device instead.")},
    {MidiError::SoundOutputFailed,
     QT_TRANSLATE_NOOP(
         "returnplot",
         "The built-in synthesizer could not open the sound output%2. Choose a MIDI output device instead.")},
    {MidiError::SoundOutputStopped,
     QT_TRANSLATE_NOOP("returnplot", "The built-in synthesizer's sound output has stopped. The replay stopped.")},
}};

}  // namespace

MidiFailure MakeMidiFailure(MidiError code, std::string_view name, std::string_view why) {
  std::string_view format;
  for (const auto& [entry, words] : kTexts) {
    if (entry == code) format = words;
  }
  // %1: the device's name or number; %2: ": <reason>", or nothing.
  const std::string reason = why.empty() ? std::string() : ": " + std::string(why);
  return {code, FormatText(format, {name, reason})};
}

}  // namespace rp
