// SPDX-License-Identifier: GPL-3.0-or-later
// Reading MusicXML and unfolding it into the performed order: small scores
// written here, each with what a notation program writes for the case.

#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "io/MatchFileReader.h"
#include "score/MatchFileWriter.h"
#include "score/MusicXmlReader.h"
#include "score/NoteAlignment.h"
#include "score/ScoreUnfolding.h"
#include "support/TempDir.h"
#include "support/TestDataFiles.h"

namespace rp {
namespace {

// One quarter note of `step` and `octave`; `extra` goes inside the note.
std::string Quarter(const std::string& step = "C", int octave = 4, const std::string& extra = "") {
  return "<note>" + extra + "<pitch><step>" + step + "</step><octave>" + std::to_string(octave) +
         "</octave></pitch><duration>2</duration><voice>1</voice></note>";
}

// A 2/4 bar numbered `number` holding one note named after the bar (C4 for
// bar 1, D4 for 2, ...) and then `inside` (barlines, directions).
std::string Bar(int number, const std::string& inside = "") {
  const std::string steps = "CDEFGAB";
  std::string bar = "<measure number=\"" + std::to_string(number) + "\">";
  if (number == 1)
    bar += "<attributes><divisions>2</divisions><time><beats>2</beats><beat-type>4</beat-type></time></attributes>";
  return bar + Quarter(std::string(1, steps[static_cast<std::size_t>(number - 1) % 7]), 4) +
         "<forward><duration>2</duration></forward>" + inside + "</measure>";
}

std::string ScoreOf(const std::string& measures) {
  return "<?xml version=\"1.0\"?><score-partwise><part-list><score-part id=\"P1\"/></part-list><part id=\"P1\">" +
         measures + "</part></score-partwise>";
}

// The bar of each note in performed order.
std::vector<int> PlayedBars(const std::string& xml, RepeatPlan plan = RepeatPlan::Taken) {
  const NotatedScoreRead read = ParseMusicXml(xml, "test.musicxml");
  EXPECT_TRUE(read.Ok()) << read.error;
  const ScoreUnfolded unfolded = UnfoldScore(read.score, plan, "test.musicxml");
  EXPECT_TRUE(unfolded.Ok()) << unfolded.error;
  std::vector<int> bars;
  for (const ScoreNote& n : unfolded.score.notes) bars.push_back(n.bar);
  return bars;
}

const std::string kForward = "<barline location=\"left\"><repeat direction=\"forward\"/></barline>";
const std::string kBackward = "<barline location=\"right\"><repeat direction=\"backward\"/></barline>";
std::string Ending(const std::string& numbers, const std::string& type, const std::string& more = "") {
  return "<barline><ending number=\"" + numbers + "\" type=\"" + type + "\"/>" + more + "</barline>";
}

TEST(ScoreUnfolding, RepeatsAndEndingsTakenOrSkipped) {
  const std::string xml = ScoreOf(Bar(1) + Bar(2, kForward) + Bar(3, Ending("1", "start")) +
                                  Bar(4, Ending("1", "stop", "<repeat direction=\"backward\"/>")) +
                                  Bar(5, Ending("2", "start") + Ending("2", "discontinue")) + Bar(6));
  EXPECT_EQ(PlayedBars(xml), (std::vector<int>{1, 2, 3, 4, 2, 5, 6}));
  EXPECT_EQ(PlayedBars(xml, RepeatPlan::Skipped), (std::vector<int>{1, 2, 5, 6}));
  // Without a forward sign the repeat goes back to the start; times="3" plays it thrice.
  EXPECT_EQ(
      PlayedBars(ScoreOf(Bar(1) + Bar(2, "<barline><repeat direction=\"backward\" times=\"3\"/></barline>") + Bar(3))),
      (std::vector<int>{1, 2, 1, 2, 1, 2, 3}));
}

TEST(ScoreUnfolding, JumpsFollowTheirMarks) {
  // Da capo al fine: back to the start, repeats not taken again, end at the fine.
  EXPECT_EQ(PlayedBars(ScoreOf(Bar(1) + Bar(2, kBackward) + Bar(3, "<sound fine=\"yes\"/>") +
                               Bar(4, "<sound dacapo=\"yes\"/>"))),
            (std::vector<int>{1, 2, 1, 2, 3, 4, 1, 2, 3}));
  // Dal segno al coda.
  EXPECT_EQ(PlayedBars(ScoreOf(Bar(1) + Bar(2, "<direction><direction-type><segno/></direction-type></direction>") +
                               Bar(3, "<sound tocoda=\"coda\"/>") + Bar(4, "<sound dalsegno=\"segno\"/>") +
                               Bar(5, "<direction><direction-type><coda/></direction-type></direction>"))),
            (std::vector<int>{1, 2, 3, 4, 2, 3, 5}));
}

TEST(ScoreUnfolding, WhatCannotBeFollowedNamesTheBar) {
  const NotatedScoreRead read = ParseMusicXml(ScoreOf(Bar(1) + Bar(2) + Bar(3, "<sound dalsegno=\"s\"/>")), "x.xml");
  ASSERT_TRUE(read.Ok());
  const ScoreUnfolded unfolded = UnfoldScore(read.score, RepeatPlan::Taken, "x.xml");
  EXPECT_NE(unfolded.error.find("bar 3"), std::string::npos) << unfolded.error;
  const NotatedScoreRead unended = ParseMusicXml(ScoreOf(Bar(1) + Bar(2, Ending("1", "start"))), "x.xml");
  EXPECT_NE(UnfoldScore(unended.score, RepeatPlan::Taken, "x.xml").error.find("bar 2"), std::string::npos);
  const NotatedScoreRead badBackup = ParseMusicXml(
      ScoreOf(Bar(1) + "<measure number=\"2\"><backup><duration>1</duration></backup></measure>"), "x.xml");
  EXPECT_NE(badBackup.error.find("bar 2"), std::string::npos) << badBackup.error;
  const NotatedScoreRead twoParts = ParseMusicXml("<score-partwise><part id=\"P1\">" + Bar(1) + Bar(2) +
                                                      "</part><part id=\"P2\">" + Bar(1) + "</part></score-partwise>",
                                                  "x.xml");
  EXPECT_NE(twoParts.error.find("P2"), std::string::npos) << twoParts.error;
}

TEST(ScoreUnfolding, TwoPartsWithEndingsSegnoAndCoda) {
  const NotatedScoreRead read = ReadMusicXmlFile(test::DataFile("repeats_and_jumps.musicxml"));
  ASSERT_TRUE(read.Ok()) << read.error;
  EXPECT_EQ(read.score.title, "Repeats and jumps");
  for (const auto& [plan, expected] : {std::pair{RepeatPlan::Taken, std::vector<int>{0, 1, 2, 3, 1, 2, 4, 5, 2, 4, 6}},
                                       std::pair{RepeatPlan::Skipped, std::vector<int>{0, 1, 2, 4, 5, 2, 4, 6}}}) {
    const ScoreUnfolded unfolded = UnfoldScore(read.score, plan, "repeats_and_jumps.musicxml");
    ASSERT_TRUE(unfolded.Ok()) << unfolded.error;
    std::vector<int> bars;
    for (const BarAt& b : unfolded.score.bars) bars.push_back(b.number);
    EXPECT_EQ(bars, expected);
    // The tie into bar 2 holds on both passes through bar 1; after the jump
    // to the segno the tied note of bar 2 has nothing to hold on to and sounds.
    int tiedD5 = 0;
    int plainD5InBar2 = 0;
    for (const ScoreNote& n : unfolded.score.notes) {
      if (n.pitch == 74 && n.tieMerged) ++tiedD5;
      if (n.pitch == 74 && n.bar == 2) ++plainD5InBar2;
    }
    EXPECT_EQ(tiedD5, plan == RepeatPlan::Taken ? 2 : 1);
    EXPECT_EQ(plainD5InBar2, 1);
    // The second part's notes stand in the same bars.
    EXPECT_EQ(std::count_if(unfolded.score.notes.begin(), unfolded.score.notes.end(),
                            [](const ScoreNote& n) { return n.part == "P2" && n.bar == 6; }),
              1);
  }
}

TEST(MusicXmlReader, VoicesChordsTiesGraceNotesAndTuplets) {
  // 3/4 at 6 divisions a quarter, an upbeat of one quarter, then: a chord
  // whose C is tied into the next bar's C (voice 1); after a backup a
  // triplet of eighths, a forward, and a grace note before the bar's last
  // quarter (voice 2).
  const std::string xml = ScoreOf(
      "<measure number=\"0\" implicit=\"yes\"><attributes><divisions>6</divisions><key><fifths>-1</fifths></key>"
      "<time><beats>3</beats><beat-type>4</beat-type></time></attributes>"
      "<note><pitch><step>G</step><octave>4</octave></pitch><duration>6</duration></note></measure>"
      "<measure number=\"1\">"
      "<note><pitch><step>C</step><octave>5</octave></pitch><duration>18</duration><tie "
      "type=\"start\"/><voice>1</voice></note>"
      "<note><chord/><pitch><step>E</step><octave>4</octave></pitch><duration>12</duration><voice>1</voice></note>"
      "<backup><duration>18</duration></backup>"
      "<note><pitch><step>C</step><octave>3</octave></pitch><duration>2</duration><time-modification>"
      "<actual-notes>3</actual-notes><normal-notes>2</normal-notes></time-modification><voice>2</voice></note>"
      "<note><pitch><step>D</step><octave>3</octave></pitch><duration>2</duration><voice>2</voice></note>"
      "<note><pitch><step>E</step><octave>3</octave></pitch><duration>2</duration><voice>2</voice></note>"
      "<forward><duration>6</duration></forward>"
      "<note><grace/><pitch><step>B</step><alter>-1</alter><octave>4</octave></pitch><voice>2</voice></note>"
      "<note><pitch><step>A</step><octave>4</octave></pitch><duration>6</duration><voice>2</voice></note>"
      "</measure><measure number=\"2\">"
      "<note><pitch><step>C</step><octave>5</octave></pitch><duration>18</duration><tie type=\"stop\"/></note>"
      "</measure>");
  const NotatedScoreRead read = ParseMusicXml(xml, "t.xml");
  ASSERT_TRUE(read.Ok()) << read.error;
  const ScoreUnfolded unfolded = UnfoldScore(read.score, RepeatPlan::Taken, "t.xml");
  ASSERT_TRUE(unfolded.Ok()) << unfolded.error;
  const Score& score = unfolded.score;
  EXPECT_DOUBLE_EQ(score.upbeatBeats, 1.0);
  ASSERT_EQ(score.keySignatures.size(), 1u);
  EXPECT_EQ(KeyName(score.keySignatures[0]), "F Maj");
  struct Expected {
    int pitch;
    double quarters;
    double durationBeats;
    int bar;
    int beat;
    std::string offset;
    bool grace;
  };
  const std::vector<Expected> expected = {
      {67, 0.0, 1.0, 0, 3, "0", false},
      {48, 1.0, 1.0 / 3, 1, 1, "0", false},
      {64, 1.0, 2.0, 1, 1, "0", false},
      {72, 1.0, 6.0, 1, 1, "0", false},
      {50, 1.0 + 1.0 / 3, 1.0 / 3, 1, 1, "1/12", false},
      {52, 1.0 + 2.0 / 3, 1.0 / 3, 1, 1, "1/6", false},
      {70, 3.0, 0.0, 1, 3, "0", true},
      {69, 3.0, 1.0, 1, 3, "0", false},
  };
  ASSERT_EQ(score.notes.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const ScoreNote& n = score.notes[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(n.pitch, expected[i].pitch);
    EXPECT_DOUBLE_EQ(n.positionQuarters, expected[i].quarters);
    EXPECT_DOUBLE_EQ(n.durationBeats, expected[i].durationBeats);
    EXPECT_EQ(n.bar, expected[i].bar);
    EXPECT_EQ(n.beat, expected[i].beat);
    EXPECT_EQ(n.offsetInBeat.Text(), expected[i].offset);
    EXPECT_EQ(n.grace, expected[i].grace);
    EXPECT_EQ(n.tieMerged, n.pitch == 72);
  }
}

TEST(MusicXmlReader, RolledChordsKeepTheirMarkIntoTheMatchFileAndTheBeat) {
  // Beat 1: G3 B3 E4 rolled in the right hand, D2 A2 in the left; D5 on beat 2.
  const std::string roll = "<notations><arpeggiate/></notations>";
  const std::string chord = "<chord/>" + roll;
  const std::string left = "<staff>2</staff>";
  const ScoreUnfolded unfolded = UnfoldScore(
      ParseMusicXml(ScoreOf("<measure number=\"1\"><attributes><divisions>2</divisions><time><beats>2</beats>"
                            "<beat-type>4</beat-type></time></attributes>" +
                            Quarter("G", 3, roll) + Quarter("B", 3, chord) + Quarter("E", 4, chord) + Quarter("D", 5) +
                            "<backup><duration>4</duration></backup>" + Quarter("D", 2, roll + left) +
                            Quarter("A", 2, chord + left) + "</measure>"),
                    "r.xml")
          .score,
      RepeatPlan::Taken, "r.xml");
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

TEST(MusicXmlReader, CompressedScoreThroughItsContainer) {
  // The container names the score; another XML file stands first in the archive.
  const test::TempDir dir;
  const std::string path = dir.Path("score.mxl");
  const std::string container =
      "<container><rootfiles><rootfile full-path=\"music/piece.musicxml\"/></rootfiles></container>";
  const std::string decoy = "<not-a-score/>";
  const std::string xml = ScoreOf(Bar(1) + Bar(2));
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(archive, nullptr);
  for (const auto& [name, text] : {std::pair{"aaa.xml", &decoy}, std::pair{"META-INF/container.xml", &container},
                                   std::pair{"music/piece.musicxml", &xml}}) {
    zip_source_t* source = zip_source_buffer(archive, text->data(), text->size(), 0);
    ASSERT_GE(zip_file_add(archive, name, source, ZIP_FL_OVERWRITE), 0);
  }
  ASSERT_EQ(zip_close(archive), 0);
  const NotatedScoreRead read = ReadMusicXmlFile(path);
  ASSERT_TRUE(read.Ok()) << read.error;
  EXPECT_EQ(read.score.bars.size(), 2u);
  EXPECT_FALSE(ReadMusicXmlFile(dir.Write("broken.mxl", "not a zip")).Ok());
}

}  // namespace
}  // namespace rp
