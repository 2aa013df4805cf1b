// SPDX-License-Identifier: GPL-3.0-or-later
// Chords the score marks to be rolled: the reader keeps the mark, the match
// file carries it, and the aligned beat counts each hand's roll at its start.

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

TEST(RolledChord, MarkReadWrittenAndEachHandsRollCountedAtItsStart) {
  // 2/4: on beat 1 G3 B3 E4 rolled in the right hand and D2 A2 in the left; D5 on beat 2.
  const std::string xml =
      "<score-partwise><part-list><score-part id=\"P1\"/></part-list><part id=\"P1\"><measure number=\"1\">"
      "<attributes><divisions>1</divisions><staves>2</staves><time><beats>2</beats><beat-type>4</beat-type></time>"
      "</attributes>" +
      Note("G", 3, 1, false, true) + Note("B", 3, 1, true, true) + Note("E", 4, 1, true, true) +
      Note("D", 5, 1, false, false) + "<backup><duration>2</duration></backup>" + Note("D", 2, 2, false, true) +
      Note("A", 2, 2, true, true) + "<forward><duration>1</duration></forward></measure></part></score-partwise>";
  const ScoreUnfolded unfolded = UnfoldScore(ParseMusicXml(xml, "r.xml").score, RepeatPlan::Taken, "r.xml");
  ASSERT_TRUE(unfolded.Ok()) << unfolded.error;
  const std::vector<PlayedNote> played = {{1000.0, 1500.0, 55}, {1040.0, 1500.0, 38}, {1150.0, 1500.0, 59},
                                          {1200.0, 1500.0, 45}, {1300.0, 1500.0, 64}, {1700.0, 2000.0, 74}};
  const NoteAlignment alignment = AlignNotes(unfolded.score, played);
  ASSERT_EQ(alignment.Matched(), 6u);
  // The median of the two rolls' starts; all five notes alike would give 1150 ms, one roll 1000 ms.
  EXPECT_DOUBLE_EQ(AlignedTimeMap(unfolded.score, played, alignment).TimeAt(0.0), 1020.0);

  std::ostringstream text;
  WriteMatchFile(text, {}, unfolded.score, played, alignment, {});
  const MatchFile file = ParseMatchFile(text.str(), "r.match");
  ASSERT_EQ(file.matched.size(), 6u);
  for (const MatchPair& pair : file.matched) EXPECT_EQ(pair.score.arpeggio, pair.played.key != 74);
}

}  // namespace
}  // namespace rp
