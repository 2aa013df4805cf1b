// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a JACK server appears to run for this user.

namespace rp {

// True when a JACK server's socket is there (JACK 2, JACK 1, or PipeWire's
// JACK emulation). Connecting without a server makes the JACK client library
// print complaints, and RtMidi's JACK backend even crashes, so every JACK
// client of the program asks this first.
bool JackServerSocketPresent();

// True when a JACK server takes a connection on its socket: a server that
// was killed may leave its socket behind, and the JACK client library then
// keeps answering from what it knew.
bool JackServerAnswers();

}  // namespace rp
