// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --render-wav OUT.wav [--speed S] FILE`: replays FILE from its
// first event through the built-in synthesizer, offline and faster than real
// time, into a 44.1 kHz 16-bit stereo WAV file. The messages, their times and
// velocities are those a replay from the first event sends; S is the "Replay
// speed" slider's value (-1000 to 9000, default 0).

#include <iosfwd>
#include <string>
#include <vector>

#include "replay/MidiOutputPort.h"

namespace rp {

struct Performance;

int RenderWav(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The messages a replay of `performance` from its first event sends, and
// in `skippedNotes` how many notes MIDI cannot carry it leaves out (a
// rendering has no plot, so it needs no tag-only messages).
std::vector<MidiMessage> ReplayFromFirstEvent(const Performance& performance, int* skippedNotes = nullptr);

}  // namespace rp
