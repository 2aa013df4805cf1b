// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "base/ProgramState.h"

namespace rp {
namespace {

using S = ProgramState;

TEST(ProgramStates, WhatEachStateAllowsAndTheWayFromStartToEnd) {
  ProgramStates states;
  std::vector<S> heard;
  states.SetListener([&](S s) { heard.push_back(s); });

  // While a file loads only its Cancel and the end of the program fit.
  ASSERT_TRUE(states.MoveTo(S::Loading));
  for (UserAction refused :
       {UserAction::Play, UserAction::Stop, UserAction::OpenFile, UserAction::ChangeView, UserAction::RecordingTick}) {
    EXPECT_FALSE(states.Allows(refused)) << static_cast<int>(refused);
  }
  EXPECT_TRUE(states.Allows(UserAction::CancelLoad));
  EXPECT_TRUE(states.Allows(UserAction::Close));
  EXPECT_FALSE(states.MoveTo(S::OpeningOutput)) << "no replay starts during a load";
  EXPECT_FALSE(states.MoveTo(S::Recording));
  ASSERT_TRUE(states.MoveTo(S::Idle));

  // A replay: Play only when idle; Stop, another file or view while it starts or runs.
  EXPECT_TRUE(states.Allows(UserAction::Play));
  EXPECT_FALSE(states.Allows(UserAction::Stop));
  ASSERT_TRUE(states.MoveTo(S::OpeningOutput));
  EXPECT_FALSE(states.Allows(UserAction::Play)) << "a second Play must not nest into the first";
  EXPECT_TRUE(states.Allows(UserAction::Stop));
  EXPECT_TRUE(states.Allows(UserAction::OpenFile));
  EXPECT_FALSE(states.MoveTo(S::Loading)) << "the replay stops before a load begins";
  ASSERT_TRUE(states.MoveTo(S::Replaying));
  EXPECT_FALSE(states.MoveTo(S::Recording));
  ASSERT_TRUE(states.MoveTo(S::Idle));

  // A take: only Stop, its timer and the values shown.
  ASSERT_TRUE(states.MoveTo(S::Recording));
  EXPECT_TRUE(states.Allows(UserAction::RecordingTick));
  EXPECT_TRUE(states.Allows(UserAction::ChooseValues));
  EXPECT_FALSE(states.Allows(UserAction::OpenFile));
  EXPECT_FALSE(states.Allows(UserAction::Play));

  // The end refuses everything, a second close included, and is final.
  ASSERT_TRUE(states.MoveTo(S::Closing));
  EXPECT_FALSE(states.Allows(UserAction::Close));
  EXPECT_FALSE(states.Allows(UserAction::ChooseValues));
  EXPECT_FALSE(states.MoveTo(S::Idle));
  ASSERT_TRUE(states.MoveTo(S::Closed));
  for (S next : {S::Idle, S::Loading, S::OpeningOutput, S::Replaying, S::Recording, S::Closing}) {
    EXPECT_FALSE(states.MoveTo(next));
  }
  EXPECT_TRUE(states.Is(S::Closed));

  // The listener heard every change and nothing that was refused or stood still.
  EXPECT_TRUE(states.MoveTo(S::Closed));
  EXPECT_EQ(heard, (std::vector<S>{S::Loading, S::Idle, S::OpeningOutput, S::Replaying, S::Idle, S::Recording,
                                   S::Closing, S::Closed}));
}

}  // namespace
}  // namespace rp
