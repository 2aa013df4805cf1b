// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "io/AsciiMidiReader.h"
#include "io/AsciiMidiWriter.h"

namespace rp {
namespace {

NoteEvent Event(bool on, double ms, double lead, int key, int velocity) {
  NoteEvent e;
  e.isNoteOn = on;
  e.timeMs = ms;
  e.leadValue = lead;
  e.noteKey = static_cast<std::uint8_t>(key);
  e.noteVelocity = static_cast<std::uint8_t>(velocity);
  return e;
}

TEST(AsciiMidiWriter, LinesHoldEveryPieceWhereTheReaderLooks) {
  EXPECT_EQ(AsciiMidiLine(Event(true, 1500.25, 12, 60, 64)), "12; /* 1500.25 ms */+60 64;");
  // Keys below 10 keep two characters; keys above 99 and velocities of three
  // digits stand whole; the velocity always takes exactly three characters.
  EXPECT_EQ(AsciiMidiLine(Event(false, 0, 3, 5, 100)), "3; /* 0 ms */-05100;");
  EXPECT_EQ(AsciiMidiLine(Event(true, 7, 4, 108, 7)), "4; /* 7 ms */+108  7;");
  EXPECT_EQ(AsciiMidiLine(Event(false, 1, 5, 0, 255)), "5; /* 1 ms */-00255;");
  // No exponent, and the shortest digits that read back to the same value.
  EXPECT_EQ(AsciiMidiLine(Event(true, 1e-7, 1, 60, 1)), "1; /* 0.0000001 ms */+60  1;");
  EXPECT_EQ(AsciiMidiLine(Event(true, 1.0 / 3, 1e22, 60, 1)),
            "10000000000000000000000; /* 0.3333333333333333 ms */+60  1;");

  // Each line reads back to its event, edge values included.
  for (const NoteEvent& e : {Event(true, 1e-7, 1, 5, 0), Event(false, 123456.789, 1e22, 0, 255),
                             Event(false, 0.1 + 0.2, 7, 108, 9), Event(true, 5e-324, 0, 127, 127)}) {
    const NoteEvent back = ReadNoteLine(AsciiMidiLine(e)).note;
    EXPECT_EQ(std::tie(back.isNoteOn, back.timeMs, back.leadValue, back.noteKey, back.noteVelocity),
              std::tie(e.isNoteOn, e.timeMs, e.leadValue, e.noteKey, e.noteVelocity))
        << AsciiMidiLine(e);
  }

  const std::vector<NoteEvent> events = {Event(true, 0, 1, 60, 80), Event(false, 500, 2, 60, 0)};
  std::ostringstream all, none;
  WriteAsciiMidi(all, events);
  const std::string first = std::string(kOwnListingLine) + "\n";
  EXPECT_EQ(all.str(), first + "1; /* 0 ms */+60 80;\n2; /* 500 ms */-60  0;\n");
  WriteAsciiMidi(none, {});
  EXPECT_EQ(none.str(), first);
  // The first line says whose listing it is, and is no note line.
  EXPECT_TRUE(IsOwnListing(all.str()));
  EXPECT_FALSE(IsOwnListing("1; /* 0 ms */+60 80;\n"));
  EXPECT_FALSE(IsOwnListing(first.substr(0, first.size() - 2) + "X\n"));
  EXPECT_FALSE(IsNoteLine(kOwnListingLine));
}

}  // namespace
}  // namespace rp
