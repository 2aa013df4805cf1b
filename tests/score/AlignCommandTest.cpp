// SPDX-License-Identifier: GPL-3.0-or-later
// `--align` on a real piece: the match file it writes reads back through the
// program's own reader and loader to the alignment's notes and pedals. Data:
// ASAP dataset, Foscarin et al. (2020), CC BY-NC-SA 4.0.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "analysis/PerformanceLoader.h"
#include "app/AlignCommand.h"
#include "app/CommandLine.h"
#include "io/MatchFileReader.h"
#include "io/StandardMidiFileReader.h"
#include "score/MusicXmlReader.h"
#include "score/NoteAlignment.h"
#include "score/ScoreUnfolding.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"

namespace rp {
namespace {

namespace fs = std::filesystem;

const fs::path kPiece = fs::path(RP_SHARED_DATA_DIR) / "asap-sample" / "Bach_Fugue_bwv_846";

TEST(AlignCommand, WritesAMatchFileThatReadsBackToTheAlignment) {
  if (!fs::is_directory(kPiece)) GTEST_SKIP() << "the ASAP sample is not at " << kPiece;
  const std::string score = (kPiece / "xml_score.musicxml").string();
  const std::string midi = (kPiece / "Shi05M.mid").string();
  const test::TempDir dir;
  const std::string output = dir.Path("bach.match");
  std::ostringstream out, err;
  ASSERT_EQ(RunAlign({score, midi, "-o", output}, out, err), 0) << err.str();

  // The same alignment made here.
  const ScoreUnfolded unfolded = UnfoldScore(ReadMusicXmlFile(score).score, RepeatPlan::Taken, score);
  const MidiFileReadResult read = ReadStandardMidiFile(midi);
  Performance performance;
  performance.notes = read.events;
  const std::vector<PlayedNote> played = PlayedNotesOf(performance);
  const NoteAlignment alignment = AlignNotes(unfolded.score, played);

  const MatchFile file = ReadMatchFile(output);
  ASSERT_TRUE(file.Ok()) << file.error;
  EXPECT_EQ(file.damagedLines.count, 0);
  EXPECT_EQ(file.otherLines.count, 0);
  ASSERT_EQ(file.matched.size(), alignment.Matched());
  EXPECT_EQ(file.deletions.size(), unfolded.score.notes.size() - alignment.Matched());
  EXPECT_EQ(file.insertions.size(), played.size() - alignment.Matched());
  std::size_t k = 0;
  for (std::size_t s = 0; s < unfolded.score.notes.size(); ++s) {
    const std::int32_t p = alignment.playedOf[s];
    if (p < 0) continue;
    const MatchPair& pair = file.matched[k++];
    const PlayedNote& note = played[static_cast<std::size_t>(p)];
    EXPECT_EQ(pair.score.anchor, unfolded.score.notes[s].id);
    EXPECT_FALSE(pair.score.anchor.empty());
    EXPECT_EQ(pair.score.voice, unfolded.score.notes[s].voice);
    EXPECT_NEAR(pair.score.onsetInBeats, unfolded.score.notes[s].positionBeats - unfolded.score.upbeatBeats, 1e-9);
    EXPECT_NEAR(pair.played.onsetMs, note.onsetMs, 0.001);    // a tick is a microsecond
    EXPECT_NEAR(pair.played.offsetMs, note.offsetMs, 0.001);  // a tick is a microsecond
    EXPECT_EQ(pair.played.key, note.key);
    EXPECT_EQ(pair.played.velocity, note.velocity);
  }
  std::size_t pedals = 0;
  for (const ControllerEvent& c : read.controllers) pedals += c.controller == 64 || c.controller == 67 ? 1 : 0;
  EXPECT_EQ(file.pedals.size(), pedals);
  EXPECT_EQ(file.Info("timeSignature"), "4/4");

  // And the program opens it as a score-aligned performance of every played note.
  Performance loaded;
  const LoadResult result = LoadPerformanceFile(output, loaded);
  EXPECT_EQ(result.status, LoadStatus::Loaded) << result.message;
  EXPECT_EQ(loaded.source, PerformanceSource::ScoreAligned);
  EXPECT_EQ(loaded.notes.size(), 2 * (file.matched.size() + file.insertions.size()));

  // `--score` (any command, the windows' "Open performance with score...")
  // reads the MIDI file to the same events, named by the MIDI file.
  Performance onTheFly;
  onTheFly.settings.scoreFile = score;
  ASSERT_TRUE(LoadPerformanceFile(midi, onTheFly).Ok());
  EXPECT_EQ(onTheFly.source, PerformanceSource::ScoreAligned);
  EXPECT_EQ(onTheFly.sourcePath, midi);
  ASSERT_EQ(onTheFly.EventCount(), loaded.EventCount());
  for (std::size_t e = 0; e < loaded.events.size(); ++e) {
    EXPECT_EQ(onTheFly.events[e].onsetMs, loaded.events[e].onsetMs) << e;
    EXPECT_EQ(onTheFly.events[e].velocity0, loaded.events[e].velocity0) << e;
  }
}

TEST(AlignCommand, FollowsARepeatTakenOrSkipped) {
  // C | D |: E :| F, a quarter note a bar; played with the repeat and without.
  std::string bars;
  const char* steps = "CDEF";
  for (int b = 0; b < 4; ++b) {
    bars += "<measure number=\"" + std::to_string(b + 1) + "\">";
    if (b == 0)
      bars += "<attributes><divisions>1</divisions><time><beats>2</beats><beat-type>4</beat-type></time></attributes>";
    if (b == 2) bars += "<barline location=\"left\"><repeat direction=\"forward\"/></barline>";
    bars += std::string("<note><pitch><step>") + steps[b] +
            "</step><octave>4</octave></pitch><duration>1</duration></note><forward><duration>1</duration></forward>";
    if (b == 2) bars += "<barline location=\"right\"><repeat direction=\"backward\"/></barline>";
    bars += "</measure>";
  }
  const test::TempDir dir;
  const std::string xml =
      dir.Write("s.musicxml", "<score-partwise><part id=\"P1\">" + bars + "</part></score-partwise>");
  for (const std::vector<int>& keys : {std::vector<int>{60, 62, 64, 65}, std::vector<int>{60, 62, 64, 64, 65}}) {
    test::TrackBuilder track;
    track.Tempo(0, 500000);
    for (const int key : keys) track.On(0, key, 64).Off(480, key).Raw(480, {0xFF, 0x01, 0x00});
    const test::Bytes bytes = test::MidiFile(0, 480, {track.End()});
    const std::string midi = dir.Write("p.mid", std::string(bytes.begin(), bytes.end()));
    std::ostringstream out, err;
    ASSERT_EQ(RunAlign({xml, midi, "-o", dir.Path("p.match")}, out, err), 0) << err.str();
    const MatchFile file = ReadMatchFile(dir.Path("p.match"));
    EXPECT_EQ(file.matched.size(), keys.size());
    EXPECT_TRUE(file.deletions.empty());
    EXPECT_TRUE(file.insertions.empty());
  }
}

TEST(AlignCommand, RefusesWhatItCannotAlign) {
  const test::TempDir dir;
  const std::string times = dir.Write("beats.txt", "1.0\n2.0\n3.0\n");
  const std::string xml =
      dir.Write("s.musicxml",
                "<score-partwise><part id=\"P1\"><measure number=\"1\"><attributes><divisions>1</divisions>"
                "</attributes><note><pitch><step>C</step><octave>4</octave></pitch><duration>4</duration></note>"
                "</measure></part></score-partwise>");
  std::ostringstream out, err;
  EXPECT_EQ(RunAlign({xml, times, "-o", dir.Path("x.match")}, out, err), 2);
  EXPECT_NE(err.str().find("no pitch"), std::string::npos) << err.str();
  EXPECT_FALSE(fs::exists(dir.Path("x.match")));
  // Swapped or missing arguments.
  EXPECT_EQ(RunAlign({times, xml, "-o", dir.Path("x.match")}, out, err), 64);
  EXPECT_EQ(RunAlign({xml, times, "-o", dir.Path("x.csv")}, out, err), 64);
  EXPECT_EQ(RunAlign({xml, times}, out, err), 64);
  // The command line knows the command and its help names it.
  EXPECT_EQ(ParseCommandLine({"--align", xml}, out, err).exitStatus, 64);
  std::ostringstream help;
  ParseCommandLine({"--help"}, help, err);
  EXPECT_NE(help.str().find("--align SCORE.musicxml|SCORE.mxl PERFORMANCE -o OUT.match"), std::string::npos);
}

}  // namespace
}  // namespace rp
