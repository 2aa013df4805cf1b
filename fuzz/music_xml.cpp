// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the MusicXML reader from bytes in memory, the performed order of
// what it reads under both repeat plans, and the alignment of a short fixed
// performance to it.
//
// Beyond "no crash, no sanitizer report": a score is read or refused with a
// message naming the file; an unfolded score's notes rise in position, have
// MIDI keys and no negative length; the alignment pairs each note at most once.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "FuzzInputFile.h"
#include "score/MusicXmlReader.h"
#include "score/NoteAlignment.h"
#include "score/ScoreUnfolding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rp;
  const NotatedScoreRead read = ParseMusicXml(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.xml");
  if (!read.Ok()) {
    RP_FUZZ_CHECK(read.error.find("fuzz.xml") != std::string::npos);
    return 0;
  }
  static const std::vector<PlayedNote> kPlayed = {
      {0.0, 400.0, 60, 64, 0}, {500.0, 900.0, 64, 64, 0}, {500.0, 900.0, 67, 64, 0}, {1000.0, 1400.0, 72, 64, 0}};
  for (const RepeatPlan plan : {RepeatPlan::Taken, RepeatPlan::Skipped}) {
    const ScoreUnfolded unfolded = UnfoldScore(read.score, plan, "fuzz.xml");
    if (!unfolded.Ok()) {
      RP_FUZZ_CHECK(unfolded.error.find("fuzz.xml") != std::string::npos);
      continue;
    }
    const std::vector<ScoreNote>& notes = unfolded.score.notes;
    for (std::size_t i = 0; i < notes.size(); ++i) {
      RP_FUZZ_CHECK(notes[i].pitch < 128 && notes[i].durationWhole >= Rational(0));
      if (i > 0) RP_FUZZ_CHECK(notes[i - 1].positionWhole <= notes[i].positionWhole);
    }
    if (notes.size() > 20000) continue;  // the alignment's time is not what is fuzzed
    const NoteAlignment alignment = AlignNotes(unfolded.score, kPlayed);
    std::vector<int> uses(kPlayed.size(), 0);
    for (std::size_t s = 0; s < notes.size(); ++s) {
      const std::int32_t p = alignment.playedOf[s];
      if (p < 0) continue;
      RP_FUZZ_CHECK(++uses[static_cast<std::size_t>(p)] == 1 &&
                    alignment.scoreOf[static_cast<std::size_t>(p)] == static_cast<std::int32_t>(s));
    }
  }
  return 0;
}
