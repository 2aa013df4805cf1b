// SPDX-License-Identifier: GPL-3.0-or-later
// Recording through a real MIDI system, with the program's own --list-devices
// and --record: a private JACK server with jack_midiseq playing a known loop
// at chosen sample positions, or, where this machine has one, the ALSA
// sequencer with a port of the test playing notes at known times.

#include <RtMidi.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "analysis/PerformanceLoader.h"
#include "model/Performance.h"
#include "support/ChildProcess.h"
#include "support/PrivateJackServer.h"
#include "support/TempDir.h"
#include "support/WaitFor.h"

namespace rp::test {
namespace {

using namespace std::chrono_literals;

constexpr int kLoop = 172 * PrivateJackServer::kPeriod;  // about 1 s
// key, start and length in frames; the starts lie 37, 101, 190 and 255
// frames into a period, so a note stamped by its cycle instead of its own
// frame would be off by 1.5 to 5 ms.
struct SeqNote {
  int key;
  int start;
  int length;
};
constexpr SeqNote kNotes[] = {{60, 37, 2560}, {64, 11109, 2560}, {67, 22206, 5120}, {72, 30975, 2560}};
// An interval between two notes of a take: the frames' distance to 0.1 ms,
// plus the listing's rounding of both times to 0.1 ms.
constexpr double kIntervalToleranceMs = 0.1 + 0.1;

std::string Text(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Waits until the take being recorded into `output` holds `notes` note
// events on disk (the recorder hands them to the system once a second).
bool TakeHolds(const std::string& output, std::size_t notes) {
  return WaitFor(
      [&] {
        const std::string text = Text(output + ".recording");
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) >= notes;
      },
      30s, 20ms);
}

class RecordFromJack : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::filesystem::exists("/dev/snd/seq")) {
      GTEST_SKIP() << "skipped: this machine has an ALSA sequencer, which the program talks to before JACK";
    }
    if (!ProgramOnPath("jack_midiseq"))
      GTEST_SKIP() << "skipped: jack_midiseq is not installed (Debian package jackd2)";
    if (!server_.Start()) GTEST_SKIP() << "skipped: no private JACK server: " << server_.Why();
    std::vector<std::string> argv = {"jack_midiseq", "rp_keys", std::to_string(kLoop)};
    for (const auto& n : kNotes) {
      for (int v : {n.start, n.key, n.length}) argv.push_back(std::to_string(v));
    }
    ASSERT_TRUE(server_.StartClient(sequencer_, argv, "rp_keys:out")) << "jack_midiseq did not come up";
  }

  std::map<std::string, std::string> Env() const { return server_.ClientEnvironment(); }
  std::string Out(const char* name) const { return dir_.Path() + "/" + name; }

  PrivateJackServer server_;
  ChildProcess sequencer_;
  TempDir dir_{"rp_jack_record_"};
};

TEST_F(RecordFromJack, TheInputIsListedAndATakeHasTheLoopsNotesWithTheirIntervalsAsTheFramesGiveThem) {
  ASSERT_EQ(RunToEnd({RP_PROGRAM, "--list-devices"}, Env(), 60s, Out("list.txt")), 0);
  EXPECT_NE(Text(Out("list.txt")).find("input 1: rp_keys:out\n"), std::string::npos) << Text(Out("list.txt"));
  EXPECT_EQ(Text(Out("list.txt")).rfind("output 1: Built-in synthesizer (General MIDI)\n", 0), 0u)
      << "the outputs as the control panel lists them";

  ASSERT_EQ(RunToEnd({RP_PROGRAM, "--record", Out("take.txt"), "--input", "rp_keys", "--seconds", "3.5"}, Env(), 120s,
                     Out("stdout.txt")),
            0);
  Performance take;
  ASSERT_TRUE(LoadPerformanceFile(Out("take.txt"), take).Ok());
  EXPECT_EQ(Text(Out("stdout.txt")), "Recorded " + std::to_string(take.NoteCount()) + " notes.\n");
  EXPECT_FALSE(std::filesystem::exists(Out("take.txt.recording")));
  std::vector<const NoteEvent*> ons;
  int offs = 0;
  for (std::int32_t j = 1; j <= take.NoteCount(); ++j) {
    const NoteEvent& n = take.notes[std::size_t(j) - 1];
    if (n.isNoteOn)
      ons.push_back(&n);
    else
      ++offs;
  }
  ASSERT_GE(ons.size(), 10u) << "three loops hold twelve note-ons";
  EXPECT_GE(offs, int(ons.size()) - 1);
  auto slot = [](int key) {
    for (int i = 0; i < 4; ++i) {
      if (kNotes[i].key == key) return i;
    }
    return -1;
  };
  for (std::size_t i = 1; i < ons.size(); ++i) {
    const int a = slot(ons[i - 1]->noteKey);
    ASSERT_GE(a, 0);
    ASSERT_EQ(ons[i]->noteKey, kNotes[(a + 1) % 4].key) << "note-on " << i << " out of order";
    const int frames = (a == 3 ? kLoop + kNotes[0].start : kNotes[a + 1].start) - kNotes[a].start;
    const double off = ons[i]->timeMs - ons[i - 1]->timeMs - 1000.0 * frames / PrivateJackServer::kRate;
    EXPECT_TRUE(server_.Explains(off, kIntervalToleranceMs))
        << "between note-ons " << i << " and " << i + 1 << ": " << off
        << " ms off; xruns logged by the server: " << server_.XrunsLogged();
  }
}

TEST_F(RecordFromJack, AVanishingInputAndATerminationEachEndTheTakeAndKeepWhatWasPlayed) {
  ChildProcess recorder;
  ASSERT_TRUE(
      recorder.Start({RP_PROGRAM, "--record", Out("gone.txt"), "--input", "rp_keys"}, Env(), "", Out("gone.log")));
  ASSERT_TRUE(TakeHolds(Out("gone.txt"), 2)) << Text(Out("gone.log"));
  sequencer_.Stop();  // the keyboard's program ends mid-take
  recorder.Wait(30s);
  ASSERT_FALSE(recorder.Running()) << "the recording went on without its input";
  EXPECT_NE(Text(Out("gone.log")).find("\"rp_keys:out\" is gone"), std::string::npos) << Text(Out("gone.log"));
  Performance take;
  ASSERT_TRUE(LoadPerformanceFile(Out("gone.txt"), take).Ok());
  EXPECT_GE(take.NoteCount(), 2);

  // SIGTERM (as SIGINT) ends a take without --seconds and saves it.
  ChildProcess keys;
  ASSERT_TRUE(
      server_.StartClient(keys, {"jack_midiseq", "rp_keys", std::to_string(kLoop), "0", "60", "2560"}, "rp_keys:out"));
  ASSERT_TRUE(recorder.Start({RP_PROGRAM, "--record", Out("term.txt"), "--input", "rp_keys"}, Env(), "", ""));
  ASSERT_TRUE(TakeHolds(Out("term.txt"), 2));
  recorder.Stop(20s);
  Performance term;
  ASSERT_TRUE(LoadPerformanceFile(Out("term.txt"), term).Ok());
  EXPECT_GE(term.NoteCount(), 2);
  EXPECT_FALSE(std::filesystem::exists(Out("term.txt.recording")));
}

// SIGTERM mid-take: the saved take has every note played before it, also
// those not yet handed to the system by the once-a-second flush.
TEST_F(RecordFromJack, ATakeEndedBySigtermHoldsEveryNotePlayedBeforeIt) {
  server_.UseInThisProcess();
  RtMidiOut pads(RtMidi::UNIX_JACK, "rp_pads");
  pads.openVirtualPort("out");
  ChildProcess recorder;
  ASSERT_TRUE(
      recorder.Start({RP_PROGRAM, "--record", Out("pads.txt"), "--input", "rp_pads"}, Env(), "", Out("pads.log")));
  ASSERT_TRUE(WaitFor([&] { return Text(Out("pads.log")).find("recording from") != std::string::npos; }, 30s))
      << Text(Out("pads.log"));
  constexpr int kNotes = 8;
  for (int i = 0; i < kNotes; ++i) {
    std::vector<unsigned char> on = {0x90, static_cast<unsigned char>(60 + i), 70};
    pads.sendMessage(&on);
    std::vector<unsigned char> off = {0x80, static_cast<unsigned char>(60 + i), 0};
    pads.sendMessage(&off);
    LetTimePass(100ms);  // the player's pace; the last note has arrived a JACK cycle (6 ms) after it left
  }
  recorder.Stop(20s);
  Performance take;
  ASSERT_TRUE(LoadPerformanceFile(Out("pads.txt"), take).Ok()) << Text(Out("pads.log"));
  ASSERT_EQ(take.NoteCount(), 2 * kNotes);
  for (int i = 0; i < kNotes; ++i) EXPECT_EQ(take.notes[2 * std::size_t(i)].noteKey, 60 + i);
  EXPECT_FALSE(std::filesystem::exists(Out("pads.txt.recording")));
}

// The note-ons of a take, in order.
std::vector<NoteEvent> NoteOns(const std::string& path) {
  Performance take;
  EXPECT_TRUE(LoadPerformanceFile(path, take).Ok()) << path;
  std::vector<NoteEvent> ons;
  for (std::int32_t j = 1; j <= take.NoteCount(); ++j) {
    if (take.notes[std::size_t(j) - 1].isNoteOn) ons.push_back(take.notes[std::size_t(j) - 1]);
  }
  return ons;
}

TEST(RecordFromAlsa, ATakeHasTheNotesPlayedWithTheirIntervalsWithinAMillisecondAndSurvivesTheInputGoing) {
  if (!std::filesystem::exists("/dev/snd/seq")) GTEST_SKIP() << "skipped: no ALSA sequencer (/dev/snd/seq) here";
  RtMidiOut keys(RtMidi::LINUX_ALSA, "rp_keys");
  keys.openVirtualPort("out");
  TempDir dir("rp_alsa_record_");
  const std::string out = dir.Path() + "/take.txt";
  ChildProcess recorder;
  ASSERT_TRUE(recorder.Start({RP_PROGRAM, "--record", out, "--input", "rp_keys"}, {}, "", dir.Path() + "/log"));
  ASSERT_TRUE(WaitFor([&] { return Text(dir.Path() + "/log").find("recording from") != std::string::npos; }, 30s))
      << "the program did not connect: " << Text(dir.Path() + "/log");
  // Twelve notes at uneven gaps; what counts is when each actually left.
  std::vector<double> sentMs;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 12; ++i) {
    std::this_thread::sleep_until(start + std::chrono::milliseconds(150 * i + 40 * (i % 3)));
    std::vector<unsigned char> on = {0x90, static_cast<unsigned char>(60 + i), 70};
    keys.sendMessage(&on);
    sentMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    std::vector<unsigned char> off = {0x80, static_cast<unsigned char>(60 + i), 0};
    keys.sendMessage(&off);
  }
  TakeHolds(out, 2 * sentMs.size());  // every note has arrived
  keys.closePort();                   // the keyboard goes away mid-take
  recorder.Wait(30s);
  ASSERT_FALSE(recorder.Running()) << "the recording went on without its input";
  const auto ons = NoteOns(out);
  ASSERT_EQ(ons.size(), sentMs.size());
  for (std::size_t i = 1; i < ons.size(); ++i) {
    EXPECT_EQ(ons[i].noteKey, 60 + int(i));
    EXPECT_NEAR(ons[i].timeMs - ons[i - 1].timeMs, sentMs[i] - sentMs[i - 1], 1.0) << "note-on " << i;
  }
}

}  // namespace
}  // namespace rp::test
