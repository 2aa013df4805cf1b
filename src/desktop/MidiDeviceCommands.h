// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The batch commands that talk to the machine's MIDI system through RtMidi:
// `--list-devices` and `--record`.

#include <iosfwd>
#include <string>
#include <vector>

namespace rp {

// Prints the MIDI outputs, numbered as the control panel lists them (1 is the
// built-in synthesizer), and the MIDI inputs, numbered as the recording
// dialog lists them: one "output N: NAME" or "input N: NAME" line each.
int ListDevices(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// `--record OUT.txt --input NAME ...` on the machine's MIDI inputs; SIGINT and
// SIGTERM end the take as --seconds would.
int RecordFromMidiInput(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rp
