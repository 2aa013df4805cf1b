// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --render-wav OUT.wav [--speed F] [--velocity-scale auto|S]
// FILE`: replays FILE from its first event through the built-in synthesizer,
// offline and faster than real time, into a 44.1 kHz 16-bit stereo WAV file.
// The messages, their times and velocities are those a replay from the first
// event sends (the controllers among them); F is the tempo factor (2 or 2x
// twice as fast, 0.25 to 10, default 1), S the velocity scale (default: by
// the file's provenance). OUT.wav is written beside itself under another
// name and renamed into place when complete.

#include <iosfwd>
#include <string>
#include <vector>

#include "midi/MidiMessage.h"

namespace rp {

struct Performance;

int RenderWav(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The messages a replay of `performance` from its first event sends at
// `velocityScale`, and in `skippedNotes` how many notes MIDI cannot carry it
// leaves out (a rendering has no plot, so it needs no tag-only messages).
std::vector<MidiMessage> ReplayFromFirstEvent(const Performance& performance, double velocityScale,
                                              int* skippedNotes = nullptr);

}  // namespace rp
