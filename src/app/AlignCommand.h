// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --align SCORE PERFORMANCE -o OUT.match`: the performance (a
// MIDI file, an ASCII MIDI listing, a take) aligned note by note to the
// MusicXML score and written as a match file. A score with repeats is
// aligned as the repeats are taken and as they are skipped, and the better
// of the two is written.

#include <iosfwd>
#include <string>
#include <vector>

namespace rp {

inline constexpr const char* kAlignUsage = "SCORE.musicxml|SCORE.mxl PERFORMANCE -o OUT.match";

int RunAlign(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rp
