// SPDX-License-Identifier: GPL-3.0-or-later
// Where a beat is heard: the median onset of its notes, each marked roll
// counted once by its earliest note.

#include <gtest/gtest.h>

#include <vector>

#include "model/BeatOnset.h"

namespace rp {
namespace {

TEST(BeatOnset, MedianOfTheNotesWithEachMarkedRollCountedAtItsStart) {
  // Unmarked notes: the median, of an even number the mean of the middle two.
  EXPECT_DOUBLE_EQ(BeatOnsetMs(std::vector<BeatNote>{{300.0}, {100.0}, {200.0}}), 200.0);
  EXPECT_DOUBLE_EQ(BeatOnsetMs(std::vector<BeatNote>{{100.0}, {400.0}, {200.0}, {1000.0}}), 300.0);
  // A bass and a melody note with a roll between them marked in the score:
  // the roll stands on the beat where it starts, however long it takes, and
  // its notes need not come in the order they were played.
  const std::vector<BeatNote> rolled = {{1010.0}, {1300.0, 7}, {1000.0, 7}, {1150.0, 7}, {1020.0}};
  EXPECT_DOUBLE_EQ(BeatOnsetMs(rolled), 1010.0);
  // The same notes unmarked: the roll's late notes pull the beat along.
  std::vector<BeatNote> spread = rolled;
  for (BeatNote& n : spread) n.roll = kNotRolled;
  EXPECT_DOUBLE_EQ(BeatOnsetMs(spread), 1020.0);
  // Two hands rolling apart: each roll counts once, by its own start.
  EXPECT_DOUBLE_EQ(BeatOnsetMs(std::vector<BeatNote>{{500.0, 1}, {620.0, 1}, {540.0, 2}, {700.0, 2}}), 520.0);
}

}  // namespace
}  // namespace rp
