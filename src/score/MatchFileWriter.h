// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a performance aligned to its score as a match file, in the form
// io/MatchFileReader reads: the info header, the time and key signatures as
// score properties, one line per score note (snote(...)-note(...) when it
// was played, snote(...)-deletion when not), one per played note the score
// lacks (insertion-note(...)), and the sustain and soft pedals. A score
// note's attributes name its voice first, then its staff ("[v1,staff1]",
// "[v2,staff1,grace]"). A tick is a microsecond, so the times read back to
// the microsecond.

#include <iosfwd>
#include <string>
#include <vector>

#include "model/Performance.h"
#include "score/NoteAlignment.h"
#include "score/PlayedNotes.h"
#include "score/Score.h"

namespace rp {

struct MatchFileHeader {
  std::string piece;
  std::string composer;
  std::string performer;
  std::string scoreFileName;
  std::string midiFileName;
};

void WriteMatchFile(std::ostream& out, const MatchFileHeader& header, const Score& score,
                    const std::vector<PlayedNote>& played, const NoteAlignment& alignment,
                    const std::vector<ControllerEvent>& controllers);

}  // namespace rp
