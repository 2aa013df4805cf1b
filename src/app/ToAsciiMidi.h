// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --to-ascii-midi FILE`: the performance of FILE (a MIDI file, or
// a listing) printed as an ASCII MIDI listing that reads back to the same
// note events.

#include <iosfwd>
#include <string>
#include <vector>

namespace rp {

int ToAsciiMidi(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rp
