// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which MIDI system RtMidi talks to on this machine, shared by the output
// ports and the inputs: the ALSA sequencer where /dev/snd/seq exists, else (or
// when ALSA offers no port) a running JACK server that offers one.

#include <RtMidi.h>

#include <memory>
#include <string>

#include "midi/JackServer.h"

namespace rp {

inline constexpr const char* kRtMidiClientName = "returnplot";

bool AlsaSequencerPresent();

// RtMidi's error callback: keeps the text of an error (not of a warning) in
// the std::string that `user` points to.
void KeepRtMidiError(RtMidiError::Type type, const std::string& text, void* user);
// The same for an output, which must hear of every failed send: RtMidi
// reports those as warnings.
void KeepRtMidiErrorOrWarning(RtMidiError::Type type, const std::string& text, void* user);

// An RtMidiIn or RtMidiOut on `api` with its errors routed to *lastError
// through `keep`, or nothing when that system cannot start.
template <class Port>
std::unique_ptr<Port> MakeRtMidi(RtMidi::Api api, std::string* lastError, RtMidiErrorCallback keep = &KeepRtMidiError) {
  try {
    auto port = std::make_unique<Port>(api, kRtMidiClientName);
    if (port->getCurrentApi() != api) return nullptr;
    port->setErrorCallback(keep, lastError);
    return port;
  } catch (const std::exception&) {
    return nullptr;
  }
}

// The port object of the machine's MIDI system; `apiName` becomes "ALSA",
// "JACK", or "" (and the result null) when there is none.
template <class Port>
std::unique_ptr<Port> MakeRtMidiOnThisMachine(std::string* lastError, std::string& apiName,
                                              RtMidiErrorCallback keep = &KeepRtMidiError) {
  std::unique_ptr<Port> port;
  apiName.clear();
  // ALSA first: its constructor throws without the sequencer device, so it is
  // not even tried then.
  if (AlsaSequencerPresent()) {
    port = MakeRtMidi<Port>(RtMidi::LINUX_ALSA, lastError, keep);
    if (port) apiName = "ALSA";
  }
  // JACK only when a server is confirmed: its socket is there and the client
  // connected (only a connected client lists ports). Preferred over an ALSA
  // sequencer without any port.
  if ((!port || port->getPortCount() == 0) && JackServerSocketPresent()) {
    auto jack = MakeRtMidi<Port>(RtMidi::UNIX_JACK, lastError, keep);
    if (jack && jack->getPortCount() > 0) {
      port = std::move(jack);
      apiName = "JACK";
    }
  }
  return port;
}

}  // namespace rp
