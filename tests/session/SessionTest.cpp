// SPDX-License-Identifier: GPL-3.0-or-later
// The application without any window: a session on a recording MIDI output
// and a manual clock, driven as the windows drive it, heard through what it
// announces.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "SessionRig.h"
#include "model/TimeDisplay.h"
#include "session/Session.h"
#include "support/TestDataFiles.h"

namespace rp {
namespace {

using namespace std::chrono_literals;

const std::string kVienna = RP_SHARED_DATA_DIR "/vienna4x22";

using Rig = test::SessionRig;
TEST(Session, OpenSeekPlayStopAndChooseValuesAsTheWindowsDo) {
  Rig rig;
  EXPECT_FALSE(rig.session.HasPerformance());
  EXPECT_EQ(rig.session.CurrentEvent(), std::nullopt);
  EXPECT_EQ(rig.session.EventCount(), 0);

  rig.session.Open(RP_BUILD_DATA_DIR "/performance.txt");
  ASSERT_TRUE(rig.session.HasPerformance()) << (rig.dialogs.messages.empty() ? "" : rig.dialogs.messages[0].text);
  const std::int32_t count = rig.session.EventCount();
  ASSERT_GT(count, 10);
  EXPECT_EQ(rig.session.CurrentEvent(), 0);
  EXPECT_TRUE(rig.Heard(SessionChange::Points) > 0);

  rig.heard.clear();
  rig.session.SeekTo(2);
  EXPECT_EQ(rig.session.CurrentEvent(), 2);
  EXPECT_EQ(rig.session.TimeText(), FormatTimeDisplay(rig.session.Main().events[2].onsetMs));
  EXPECT_TRUE(rig.Heard(SessionChange::Position) > 0);
  rig.session.SeekTo(count + 50);  // the end of the slider: the last event
  EXPECT_EQ(rig.session.CurrentEvent(), count - 1);
  rig.session.SeekTo(1);

  // Play from the second event: the replay follows what the output sent.
  rig.session.Play();
  ASSERT_EQ(rig.session.State(), ProgramState::Replaying);
  EXPECT_TRUE(rig.session.BorderFixed());
  rig.heard.clear();
  const double toFourth = rig.session.Main().events[3].onsetMs - rig.session.Main().events[1].onsetMs;
  rig.Advance(std::chrono::microseconds(static_cast<std::int64_t>(toFourth * 1000) + 1000));
  EXPECT_EQ(rig.session.CurrentEvent(), 3);
  EXPECT_TRUE(rig.Heard(SessionChange::Tail) > 0);
  // A second Play and a new file are refused or stop it first; Stop ends it.
  rig.session.Play();
  EXPECT_EQ(rig.session.State(), ProgramState::Replaying);
  rig.session.Stop();
  EXPECT_EQ(rig.session.State(), ProgramState::Idle);
  EXPECT_FALSE(rig.session.BorderFixed());
  EXPECT_EQ(rig.session.CurrentEvent(), 3) << "a stop keeps where the replay stood";

  // Values: a listing has velocities but no score: Tempo is not offered.
  rig.session.ChooseValueKind(ValueKind::Velocity);
  EXPECT_EQ(rig.session.ChosenValueKind(), ValueKind::Velocity);
  EXPECT_FALSE(rig.session.OfferedValueKinds().Offers(ValueKind::Tempo));
  rig.session.ChooseValueKind(ValueKind::Tempo);
  EXPECT_EQ(rig.session.ChosenValueKind(), ValueKind::Timing);
}

// The outputs as the program lists them, the synthesizer first and the ports
// after it: every entry chosen is the device that then plays. The replay is
// of a performance from the Vienna 4x22 Piano Corpus (W. Goebl, CC BY 4.0).
TEST(Session, EachOutputEntryIsTheDeviceThatPlays) {
  if (!std::filesystem::exists(kVienna)) GTEST_SKIP() << "skipped: no Vienna 4x22 data in " << kVienna;
  Rig rig({"Midi Through Port-0", "Organ"});
  EXPECT_EQ(rig.session.OutputDevices(), (std::vector<std::string>{"Built-in", "Midi Through Port-0", "Organ"}));
  EXPECT_EQ(rig.session.ChosenDeviceEntry(), 2) << "a real instrument is preferred";
  rig.session.Open(kVienna + "/match/Chopin_op10_no3_p01.match");
  ASSERT_TRUE(rig.session.HasPerformance());

  const auto playBriefly = [&rig] {
    rig.session.SeekTo(1);
    rig.session.Play();
    EXPECT_EQ(rig.session.State(), ProgramState::Replaying);
    rig.Advance(1ms);
    rig.session.Stop();
  };
  rig.session.ChooseDevice(0);
  playBriefly();
  EXPECT_FALSE(rig.builtIn->SentMessages().empty());
  EXPECT_TRUE(rig.backend->SentMessages().empty());
  EXPECT_FALSE(rig.builtIn->OpenDevice().has_value()) << "the stop closes it";

  rig.session.ChooseDevice(1);
  playBriefly();
  ASSERT_FALSE(rig.backend->SentMessages().empty());
  EXPECT_EQ(rig.builtIn->SentMessages().size(), rig.backend->SentMessages().size()) << "the same first notes";

  // Out of the list: the choice stays.
  rig.session.ChooseDevice(3);
  EXPECT_EQ(rig.session.ChosenDeviceEntry(), 1);
}

TEST(Session, ComparedPerformancesComeAndGoAndANewMainFileTakesThemAway) {
  if (!std::filesystem::exists(kVienna)) GTEST_SKIP() << "skipped: no Vienna 4x22 data in " << kVienna;
  Rig rig;
  rig.session.Open(kVienna + "/match/Chopin_op10_no3_p01.match");
  ASSERT_TRUE(rig.session.HasPerformance());
  rig.session.ChooseValueKind(ValueKind::Tempo);
  EXPECT_EQ(rig.session.ChosenValueKind(), ValueKind::Tempo);
  rig.session.AddCompared({kVienna + "/match/Chopin_op10_no3_p02.match", kVienna + "/match/Chopin_op10_no3_p03.match"});
  EXPECT_EQ(rig.session.Compared().size(), 2U);
  EXPECT_EQ(rig.session.ChosenValueKind(), ValueKind::Tempo) << "every shown performance has score positions";
  // A MIDI file beside them has no score: Tempo gives way to Timing.
  rig.session.AddCompared({kVienna + "/midi/Chopin_op10_no3_p04.mid"});
  EXPECT_EQ(rig.session.Compared().size(), 3U);
  EXPECT_EQ(rig.session.ChosenValueKind(), ValueKind::Timing);
  EXPECT_FALSE(rig.session.OfferedValueKinds().tempoWhyNot.empty());
  rig.session.RemoveCompared();
  EXPECT_TRUE(rig.session.Compared().empty());
  EXPECT_TRUE(rig.session.OfferedValueKinds().Offers(ValueKind::Tempo));
  rig.session.AddCompared({kVienna + "/match/Chopin_op10_no3_p02.match"});
  rig.session.Open(kVienna + "/midi/Chopin_op10_no3_p01.mid");
  EXPECT_TRUE(rig.session.Compared().empty()) << "a new main file shows alone";
  // At the 50 ms cluster window this MIDI file's spread chords fall apart: said after the load.
  ASSERT_FALSE(rig.dialogs.messages.empty());
  EXPECT_NE(rig.dialogs.messages.back().text.find("cluster window"), std::string::npos)
      << rig.dialogs.messages.back().text;
}

// "Open performance with score...": the performance as the match file
// --align writes would give it, and compared files aligned to the same score.
TEST(Session, APerformanceOpenedWithItsScoreIsAlignedAsItIsRead) {
  const std::string piece = RP_SHARED_DATA_DIR "/asap-sample/Bach_Fugue_bwv_846";
  if (!std::filesystem::exists(piece)) GTEST_SKIP() << "skipped: no ASAP sample in " << piece;
  Rig rig;
  rig.dialogs.fileAnswers = {piece + "/xml_score.musicxml", piece + "/Shi05M.mid"};
  rig.session.ChooseAndOpenWithScore();
  ASSERT_TRUE(rig.session.HasPerformance()) << (rig.dialogs.messages.empty() ? "" : rig.dialogs.messages[0].text);
  EXPECT_EQ(rig.session.Main().source, PerformanceSource::ScoreAligned);
  EXPECT_EQ(rig.session.Main().sourcePath, piece + "/Shi05M.mid");
  EXPECT_TRUE(rig.session.OfferedValueKinds().Offers(ValueKind::Tempo)) << "beats from the score";
  const int events = rig.session.EventCount();
  EXPECT_GT(events, 300);
  rig.session.AddCompared({piece + "/Shi05M.mid"});
  ASSERT_EQ(rig.session.Compared().size(), 1U);
  EXPECT_EQ(rig.session.Compared()[0].source, PerformanceSource::ScoreAligned);
  // A plain open afterwards reads the file as it is.
  rig.session.Open(piece + "/Shi05M.mid");
  EXPECT_EQ(rig.session.Main().source, PerformanceSource::Notes);
  // A recording or list of times has no pitches to align: said, nothing taken.
  rig.session.OpenWithScore(piece + "/xml_score.musicxml", piece + "/Shi05M_annotations.txt");
  EXPECT_EQ(rig.session.Main().source, PerformanceSource::Notes);
  ASSERT_FALSE(rig.dialogs.messages.empty());
  EXPECT_NE(rig.dialogs.messages.back().text.find("cannot be aligned to a score"), std::string::npos);
}

TEST(Session, CommandsThatDoNotFitTheStateAreRefusedAndChangeNothing) {
  Rig rig;
  // A file that cannot be read: one message naming it, nothing changes.
  rig.session.Open(test::DataFile("no such file.txt"));
  EXPECT_FALSE(rig.session.HasPerformance());
  ASSERT_EQ(rig.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig.dialogs.messages[0].kind, MessageKind::Error);
  EXPECT_NE(rig.dialogs.messages[0].text.find("no such file.txt"), std::string::npos);
  // Before a file: nothing to replay.
  rig.session.Play();
  EXPECT_NE(rig.session.State(), ProgramState::Replaying);
  rig.session.Stop();
  rig.session.Open(test::DataFile("lf.txt"));
  ASSERT_TRUE(rig.session.HasPerformance());
  const std::int32_t count = rig.session.EventCount();

  rig.session.Play();
  ASSERT_EQ(rig.session.State(), ProgramState::Replaying);
  // During a replay a seek stops it first; the settings dialog's answer too.
  rig.session.SeekTo(1);
  EXPECT_EQ(rig.session.State(), ProgramState::Idle);
  EXPECT_EQ(rig.session.CurrentEvent(), 1);

  // After the end nothing is accepted, and nothing changes.
  rig.session.Shutdown(TakeEnding::KeepForRecovery);
  EXPECT_EQ(rig.session.State(), ProgramState::Closed);
  rig.session.Play();
  rig.session.SeekTo(0);
  rig.session.Open(test::DataFile("keys_velocities.txt"));
  rig.session.AddCompared({test::DataFile("lf.txt")});
  EXPECT_FALSE(rig.session.ApplyAnalysisSettings(rig.session.Settings()));
  EXPECT_EQ(rig.session.State(), ProgramState::Closed);
  EXPECT_EQ(rig.session.CurrentEvent(), 1);
  EXPECT_EQ(rig.session.EventCount(), count);
  EXPECT_TRUE(rig.session.Compared().empty());
}

// A seek lands on an event that exists: the first before the start, the last
// past the end; a file without events has no current event wherever the
// slider goes.
TEST(Session, SeeksStopAtTheEndsAndAFileWithoutEventsHasNoCurrentEvent) {
  Rig rig;
  rig.session.Open(RP_BUILD_DATA_DIR "/performance.txt");
  ASSERT_TRUE(rig.session.HasPerformance());
  const std::int32_t count = rig.session.EventCount();
  rig.session.SeekTo(-3);
  EXPECT_EQ(rig.session.CurrentEvent(), 0);
  EXPECT_EQ(rig.session.TimeText(), FormatTimeDisplay(rig.session.Main().events.front().onsetMs));
  rig.session.SeekTo(count - 1);
  EXPECT_EQ(rig.session.CurrentEvent(), count - 1);
  EXPECT_EQ(rig.session.TimeText(), FormatTimeDisplay(rig.session.Main().events.back().onsetMs));

  rig.session.Open(test::DataFile("empty.txt"));
  ASSERT_TRUE(rig.session.HasPerformance());
  ASSERT_EQ(rig.session.EventCount(), 0);
  EXPECT_EQ(rig.session.CurrentEvent(), std::nullopt);
  EXPECT_EQ(rig.session.Position().currentEvent, std::nullopt);
  rig.session.SeekTo(0);
  EXPECT_EQ(rig.session.CurrentEvent(), std::nullopt);
  EXPECT_EQ(rig.session.TimeText(), "0:00:00.0");
}

}  // namespace
}  // namespace rp
