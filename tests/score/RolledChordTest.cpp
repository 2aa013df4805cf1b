// SPDX-License-Identifier: GPL-3.0-or-later
// A chord the score marks to be rolled: the reader keeps the mark, the match
// file carries it, and the aligned beat stands where the roll starts.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "io/MatchFileReader.h"
#include "score/MatchFileWriter.h"
#include "score/MusicXmlReader.h"
#include "score/NoteAlignment.h"
#include "score/ScoreUnfolding.h"

namespace rp {
namespace {

std::string Note(const std::string& step, int octave, int staff, bool chord, bool rolled) {
  return std::string("<note>") + (chord ? "<chord/>" : "") + "<pitch><step>" + step + "</step><octave>" +
         std::to_string(octave) + "</octave></pitch><duration>1</duration><voice>" + std::to_string(staff) +
         "</voice><staff>" + std::to_string(staff) + "</staff>" +
         (rolled ? "<notations><arpeggiate/></notations>" : "") + "</note>";
}

TEST(RolledChord, MarkReadWrittenAndBeatAtTheRollsStart) {
  // 3/4, a quarter a beat: on beat 1 a bass D2 and above it G3 B3 E4 marked
  // to be rolled; then single notes on beats 2 and 3.
  const std::string xml =
      "<?xml version=\"1.0\"?><score-partwise><part-list><score-part id=\"P1\"/></part-list><part id=\"P1\">"
      "<measure number=\"1\"><attributes><divisions>1</divisions><staves>2</staves><time><beats>3</beats>"
      "<beat-type>4</beat-type></time></attributes>" +
      Note("G", 3, 1, false, true) + Note("B", 3, 1, true, true) + Note("E", 4, 1, true, true) +
      Note("D", 5, 1, false, false) + Note("C", 5, 1, false, false) + "<backup><duration>3</duration></backup>" +
      Note("D", 2, 2, false, false) + "<forward><duration>2</duration></forward></measure></part></score-partwise>";
  const NotatedScoreRead read = ParseMusicXml(xml, "rolled.musicxml");
  ASSERT_TRUE(read.Ok()) << read.error;
  const ScoreUnfolded unfolded = UnfoldScore(read.score, RepeatPlan::Taken, "rolled.musicxml");
  ASSERT_TRUE(unfolded.Ok()) << unfolded.error;
  const Score& score = unfolded.score;
  ASSERT_EQ(score.notes.size(), 6u);
  for (const ScoreNote& n : score.notes) EXPECT_EQ(n.arpeggio, n.pitch == 55 || n.pitch == 59 || n.pitch == 64);

  // Played: the bass at 1010 ms, the roll from 1000 ms over 300 ms, then
  // beats 2 and 3 at 1600 and 2200 ms.
  const std::vector<PlayedNote> played = {{1000.0, 1500.0, 55, 60, 0}, {1010.0, 1500.0, 38, 60, 0},
                                          {1150.0, 1500.0, 59, 60, 0}, {1300.0, 1500.0, 64, 60, 0},
                                          {1600.0, 2100.0, 74, 60, 0}, {2200.0, 2700.0, 72, 60, 0}};
  const NoteAlignment alignment = AlignNotes(score, played);
  ASSERT_EQ(alignment.Matched(), 6u);
  // The median of the bass and the roll's start, not of all four notes (1080 ms).
  EXPECT_DOUBLE_EQ(AlignedTimeMap(score, played, alignment).TimeAt(0.0), 1005.0);

  std::ostringstream text;
  WriteMatchFile(text, {}, score, played, alignment, {});
  const MatchFile file = ParseMatchFile(text.str(), "rolled.match");
  ASSERT_TRUE(file.Ok()) << file.error;
  ASSERT_EQ(file.matched.size(), 6u);
  for (const MatchPair& pair : file.matched)
    EXPECT_EQ(pair.score.arpeggio, pair.played.key != 38 && pair.played.key < 70);
}

}  // namespace
}  // namespace rp
