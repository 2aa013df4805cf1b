// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "analysis/PerformanceLoader.h"
#include "io/AsciiMidiWriter.h"
#include "support/ManualUiQueue.h"
#include "support/ScriptedMidiInput.h"
#include "support/TempDir.h"
#include "take/TakeSession.h"

namespace rp {
namespace {

using namespace std::chrono_literals;
using Clock = TakeSession::Clock;

std::string Contents(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct SessionRig {
  SessionRig() {
    hooks.notesAdded = [this](const LiveRecording& live) { seen.push_back(live.Take().NoteCount()); };
    hooks.ended = [this](const std::string& message) { endMessage = message; };
  }
  ScriptedMidiInput input{{"Port A", "Stage piano"}};
  ManualUiQueue ui;
  TakeSession::Hooks hooks;
  std::vector<std::int32_t> seen;
  std::string endMessage;
  test::TempDir dir{"rp_take_"};
  std::string takePath = dir.Path("recovery.txt");  // in a folder that exists, as TakeRecorder makes it
};

TEST(TakeSession, NotesReachTheTakeOnTheUiThreadAndTheTakeFileWithinASecond) {
  SessionRig rig;
  TakeSession session(rig.input, rig.ui.Poster(), {}, rig.hooks);
  const Clock::time_point t0 = Clock::now();
  ASSERT_FALSE(session.Start(1, rig.takePath, t0));
  EXPECT_EQ(session.DeviceName(), "Stage piano");
  // Delivered from another thread, as the MIDI system does: nothing changes
  // until the UI thread runs what was posted, and one drain takes all.
  std::thread midi([&] {
    rig.input.Deliver({0x90, 60, 70}, 0);
    rig.input.Deliver({0x90, 64, 90}, 500000);
  });
  midi.join();
  EXPECT_EQ(session.Live().Take().NoteCount(), 0);
  EXPECT_EQ(rig.ui.Drain(), 1u);
  EXPECT_EQ(rig.seen, (std::vector<std::int32_t>{2}));

  session.Tick(t0 + 400ms);
  EXPECT_EQ(Contents(rig.takePath), "") << "held back until a second has passed";
  session.Tick(t0 + 1001ms);
  EXPECT_EQ(Contents(rig.takePath), std::string(kOwnListingLine) + "\n1; /* 0 ms */+60 70;\n2; /* 500 ms */+64 90;\n");

  rig.input.Deliver({0x80, 60, 0}, 750000);  // still queued when the take stops
  session.Stop();
  EXPECT_FALSE(session.Recording());
  EXPECT_FALSE(rig.input.OpenDevice());
  EXPECT_EQ(session.Live().Take().NoteCount(), 3);
  EXPECT_EQ(rig.ui.Drain(), 1u);  // the stale drain finds nothing to do
  EXPECT_EQ(session.Live().Take().NoteCount(), 3);

  // The saved listing loads back to the very take.
  const std::string saved = rig.dir.Path() + "/take.txt";
  std::string error;
  ASSERT_TRUE(SaveAsciiMidiFile(saved, session.Live().Finished(), error)) << error;
  EXPECT_EQ(Contents(saved), Contents(rig.takePath));
  EXPECT_FALSE(std::filesystem::exists(saved + ".saving"));
  Performance loaded;
  ASSERT_TRUE(LoadPerformanceFile(saved, loaded).Ok());
  EXPECT_EQ(loaded.NoteCount(), 3);
  EXPECT_EQ(loaded.EventCount(), 2);
  EXPECT_DOUBLE_EQ(loaded.events[0].onsetMs, 0);
  EXPECT_DOUBLE_EQ(loaded.events[1].onsetMs, 500);
}

TEST(TakeSession, AVanishedInputEndsTheTakeWithAMessageAndKeepsTheNotes) {
  SessionRig rig;
  TakeSession session(rig.input, rig.ui.Poster(), {}, rig.hooks);
  ASSERT_FALSE(session.Start(0, rig.takePath, Clock::now()));
  rig.input.Deliver({0x90, 60, 70}, 0);
  rig.input.Vanish();
  session.Tick(Clock::now());
  EXPECT_FALSE(session.Recording());
  EXPECT_NE(rig.endMessage.find("\"Port A\""), std::string::npos) << rig.endMessage;
  EXPECT_EQ(session.Live().Take().NoteCount(), 1);
  EXPECT_EQ(Contents(rig.takePath), std::string(kOwnListingLine) + "\n1; /* 0 ms */+60 70;\n")
      << "closed with everything in it";

  // The take's file is kept until its owner removes it: a new start refuses it.
  const std::string kept = Contents(rig.takePath);
  const auto refused = session.Start(0, rig.takePath, Clock::now());
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->find(rig.takePath), std::string::npos) << *refused;
  EXPECT_EQ(Contents(rig.takePath), kept);

  // An input that cannot be opened leaves no file of its own behind.
  std::remove(rig.takePath.c_str());
  rig.input.FailOpen({MidiError::InputOpenFailed, "busy"});
  EXPECT_EQ(session.Start(0, rig.takePath, Clock::now()), "busy");
  EXPECT_FALSE(session.Recording());
  EXPECT_FALSE(std::ifstream(rig.takePath).is_open());
}

}  // namespace
}  // namespace rp
