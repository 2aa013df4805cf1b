// SPDX-License-Identifier: GPL-3.0-or-later
// A performance file opened while another one is being replayed: the
// replay stops before anything of the new file is read, the session and the
// port say so, and no message of the old replay reaches the views afterwards
// (its cluster numbers would mean other events in the new file).

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "SessionRig.h"
#include "replay/MidiOutputPort.h"
#include "support/TempDir.h"

namespace rp {
namespace {

using namespace std::chrono_literals;

// Twenty notes of 60 ms, 100 ms apart: twenty clusters.
std::string TwentyNotes() {
  std::string text;
  for (int i = 0; i < 20; ++i) {
    const std::string key = std::to_string(40 + i);
    text += std::to_string(2 * i) + "; /* " + std::to_string(100 * i) + " ms */+" + key + " 64;\n";
    text += std::to_string(2 * i + 1) + "; /* " + std::to_string(100 * i + 60) + " ms */-" + key + " 64;\n";
  }
  return text;
}

TEST(ReplayDuringLoad, OpeningAFileStopsTheReplayFirstAndNothingStaleArrives) {
  test::TempDir dir;
  const std::string twenty = dir.Write("twenty.txt", TwentyNotes());
  const std::string two = dir.Write("two.txt", "1; /* 0 ms */+60 64;\n2; /* 500 ms */+62 64;\n");
  for (bool throughTheDialog : {false, true}) {
    test::SessionRig r;
    r.session.Open(twenty);
    ASSERT_EQ(r.session.EventCount(), 20);

    r.session.Play();
    ASSERT_EQ(r.session.State(), ProgramState::Replaying);
    r.Advance(1050ms);  // clusters 1 to 11 sent...
    EXPECT_EQ(r.session.CurrentEvent(), 10);
    r.clock->Advance(200ms);  // ...and 12, 13 waiting for the UI
    ASSERT_TRUE(r.clock->AwaitSleeper());
    ASSERT_GT(r.ui.Pending(), 0u);
    const std::size_t sentBefore = r.backend->SentMessages().size();
    r.heard.clear();

    if (throughTheDialog) {
      r.dialogs.fileAnswers.push_back(two);
      r.session.ChooseAndOpen();
    } else {
      r.session.Open(two);
    }
    r.ui.Drain();
    r.clock->Advance(5s);
    r.ui.Drain();

    EXPECT_FALSE(r.session.IsPortOpen());
    EXPECT_EQ(r.session.State(), ProgramState::Idle);
    EXPECT_FALSE(r.session.BorderFixed());
    EXPECT_EQ(r.session.Main().NoteCount(), 2);
    EXPECT_EQ(r.session.CurrentEvent(), 0);
    EXPECT_EQ(r.Heard(SessionChange::Points), 1u) << "the new file's points";
    EXPECT_EQ(r.Heard(SessionChange::Tail), 0u) << "no stale replayed event";
    // After the stop only the note-off of the sounding note went out.
    const auto sent = r.backend->SentMessages();
    ASSERT_EQ(sent.size(), sentBefore + 1);
    EXPECT_EQ(sent.back().bytes[0], 128);

    // The new file replays from its first event.
    r.session.Play();
    r.Advance(600ms);
    EXPECT_EQ(r.session.CurrentEvent(), 1);
    r.session.Stop();
  }
}

}  // namespace
}  // namespace rp
