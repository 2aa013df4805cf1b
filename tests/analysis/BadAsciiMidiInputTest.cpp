// SPDX-License-Identifier: GPL-3.0-or-later
// ASCII MIDI files that are damaged, hostile, change under the reader or are
// no files at all: each has a defined outcome, and none may crash, hang or
// take memory out of proportion.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "analysis/PerformanceLoader.h"
#include "frontend/ProgressSink.h"
#include "io/AsciiMidiReader.h"
#include "model/Performance.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestDataFiles.h"
#include "support/ThisProcess.h"

namespace rp {
namespace {

using test::kBadData;
using test::TempDir;

// A performance of two notes is loaded: what a bad file must either replace
// by its own (possibly empty) notes or leave alone.
void LoadTwoNotes(const TempDir& dir, Performance& p) {
  p = Performance::Empty();
  ASSERT_TRUE(LoadPerformanceFile(dir.Write("two.txt", "1; /* 0 ms */+60 64;\n2; /* 100 ms */+62 64;\n"), p).Ok());
  ASSERT_EQ(p.NoteCount(), 2);
}

// Every rule the view and the replay rely on, whatever the file was.
void ExpectConsistent(const Performance& p) {
  for (std::int32_t k = 0; k < p.EventCount(); ++k) {
    const std::int32_t first = p.events[static_cast<std::size_t>(k)].firstNote;
    ASSERT_TRUE(first >= 0 && first < p.NoteCount()) << k;
    EXPECT_EQ(p.notes[static_cast<std::size_t>(first)].opensEvent, k);
  }
}

TEST(BadAsciiMidiInput, FilesWithoutNoteLinesLoadAsAnEmptyPerformance) {
  Performance p = Performance::Empty();
  TempDir dir;
  for (const char* name : {"empty", "only_blank_lines", "only_commas", "colour_2pow31.csv"}) {
    LoadTwoNotes(dir, p);
    const LoadResult r = LoadPerformanceFile(kBadData + name, p);
    EXPECT_TRUE(r.Ok()) << name << ": " << r.message;
    EXPECT_NE(r.warning.find("no note line"), std::string::npos) << name << ": " << r.warning;
    EXPECT_EQ(p.NoteCount(), 0) << name;
    EXPECT_EQ(p.EventCount(), 0) << name;
    ExpectConsistent(p);
  }
  // Not text and no note line: no reader finds anything, and nothing changes.
  LoadTwoNotes(dir, p);
  const LoadResult r = LoadPerformanceFile(kBadData + std::string("binary_nul"), p);
  EXPECT_EQ(r.status, LoadStatus::Unrecognised) << r.message;
  EXPECT_EQ(p.NoteCount(), 2);
  ExpectConsistent(p);
  // Fields that are empty views of nothing at all (sanitizer builds check it).
  EXPECT_FALSE(IsNoteLine(std::string_view()));
  EXPECT_FALSE(ReadNoteLine(std::string_view()).Ok());
}

// Loads `name` from the bad inputs as the windows do (two passes) and as a
// batch command does (one pass); both must read and say the same.
LoadResult LoadBothWays(const std::string& name, Performance& p) {
  NullProgressSink progress;
  Performance watched = Performance::Empty();
  const LoadResult two = LoadPerformanceFile(kBadData + name, watched, &progress);
  p = Performance::Empty();
  const LoadResult one = LoadPerformanceFile(kBadData + name, p);
  EXPECT_EQ(two.warning, one.warning) << name;
  EXPECT_EQ(watched.NoteCount(), p.NoteCount()) << name;
  EXPECT_EQ(watched.EventCount(), p.EventCount()) << name;
  ExpectConsistent(p);
  return one;
}

TEST(BadAsciiMidiInput, NumbersThatDoNotFitSkipTheirLines) {
  Performance p;
  // 1e999, -1e999, NaN and inf are no times; a velocity of 1e9 is none.
  LoadResult r = LoadBothWays("huge_numbers.txt", p);
  EXPECT_TRUE(r.Ok());
  ASSERT_EQ(p.NoteCount(), 1);
  EXPECT_EQ(p.notes[0].noteKey, 60);
  EXPECT_EQ(r.skipped.count, 5);
  EXPECT_EQ(r.skipped.firstLine, 2);
  EXPECT_EQ(r.warning, "In \"" + kBadData +
                           "huge_numbers.txt\", 5 lines that look like notes were skipped; the first at line 2: a "
                           "time that is not a number (\"2; /* 1e999 ms */+62 64;\").");

  // 2^31 and beyond: a key and a velocity out of range.
  r = LoadBothWays("two_pow_31.txt", p);
  EXPECT_EQ(p.NoteCount(), 0);
  EXPECT_EQ(r.skipped.count, 2);
  EXPECT_EQ(r.skipped.firstReason, "a key that is not a number from 0 to 255");
}

TEST(BadAsciiMidiInput, UnreadableNoteLinesAreSkippedAndTold) {
  Performance p;
  const LoadResult r = LoadBothWays("unreadable_notes.txt", p);
  EXPECT_TRUE(r.Ok());
  // No "ms */", a time, key or velocity that is no number from 0 to 255, no
  // sign after "ms */": skipped, never read as 0. A negative or exponent
  // lead does not take the note-off's sign.
  ASSERT_EQ(p.NoteCount(), 4);
  EXPECT_EQ(p.notes[1].noteKey, 60);
  EXPECT_FALSE(p.notes[1].isNoteOn);
  EXPECT_EQ(p.notes[2].noteKey, 62);
  EXPECT_FALSE(p.notes[2].isNoteOn);
  EXPECT_EQ(p.notes[3].timeMs, 900);
  EXPECT_EQ(r.skipped.count, 6);
  EXPECT_EQ(r.skipped.firstLine, 2);
  EXPECT_EQ(r.skipped.firstReason, "no \"ms */\" after \"/*\"");
  EXPECT_EQ(r.skipped.firstText, "2; /* 100 */+62 64;");
}

TEST(BadAsciiMidiInput, ALoadSaysAllOfItInOneWarning) {
  Performance p = Performance::Empty();
  TempDir dir;
  const std::string path =
      dir.Write("both.txt", "1; /* 100 ms */+60 64;\n2; /* 50 ms */+62 64;\n3; /* x ms */+64 64;\n");
  NullProgressSink progress;
  const LoadResult r = LoadPerformanceFile(path, p, &progress);
  EXPECT_TRUE(r.Ok());
  EXPECT_EQ(p.NoteCount(), 2);
  EXPECT_TRUE(r.message.empty());
  EXPECT_EQ(r.warning,
            "In \"" + path +
                "\", 1 line that looks like a note was skipped, line 3: a time that is not a number (\"3; "
                "/* x ms */+64 64;\"). In \"" +
                path +
                "\", the note-on at line 2 is earlier than the note-on before it; it is kept in file order and joins "
                "the onset event before it.");
}

TEST(BadAsciiMidiInput, AStrayQuoteHidesNothing) {
  // A quote on a line of its own once hid every note up to the next quote.
  Performance p;
  const LoadResult r = LoadBothWays("stray_quotes.txt", p);
  EXPECT_TRUE(r.Ok());
  EXPECT_TRUE(r.warning.empty()) << r.warning;
  ASSERT_EQ(p.NoteCount(), 7);
  ASSERT_EQ(p.EventCount(), 7);
  EXPECT_EQ(p.events[1].interval0, 500);
  EXPECT_EQ(p.events[3].interval2, 500);
}

TEST(BadAsciiMidiInput, TimesThatGoBackwardsJoinTheCurrentClusterWithOneWarning) {
  Performance p;
  const LoadResult r = LoadBothWays("backwards_times.txt", p);
  ASSERT_TRUE(r.Ok());
  EXPECT_EQ(r.warning, "In \"" + kBadData +
                           "backwards_times.txt\", 4 note-ons are earlier than the note-on before them; the first at "
                           "line 2. They are kept in file order, each in the onset event before it.");
  EXPECT_EQ(r.skipped.count, 0);
  ASSERT_EQ(p.NoteCount(), 9);
  // 1000 opens; 500 and 0 are earlier and join it; 1100 opens; 1040 joins;
  // 1200 opens; 1150 joins; 1300 opens.
  ASSERT_EQ(p.EventCount(), 4);
  EXPECT_EQ(p.events[0].firstNote, 0);
  EXPECT_EQ(p.events[1].firstNote, 4);
  EXPECT_EQ(p.events[2].firstNote, 6);
  EXPECT_EQ(p.events[3].firstNote, 8);
  EXPECT_EQ(p.events[0].interval0, 100);
  EXPECT_EQ(p.events[0].interval2, 100);
  EXPECT_EQ(p.events[0].velocity1, 90);
  ExpectConsistent(p);
}

TEST(BadAsciiMidiInput, A64MegabyteLine) {
  Performance p = Performance::Empty();
  constexpr std::size_t k64Mb = std::size_t{64} << 20;
  TempDir dir;
  // No note line: nothing but the field count.
  LoadTwoNotes(dir, p);
  LoadResult r = LoadPerformanceFile(dir.WriteLong("letters.txt", "", 'x', k64Mb, "\n"), p);
  EXPECT_TRUE(r.Ok());
  EXPECT_EQ(r.fieldCount, 1);
  EXPECT_EQ(p.NoteCount(), 0);

  // A note line whose time has 64 million digits: too large, skipped, and
  // the message quotes only its start.
  r = LoadPerformanceFile(dir.WriteLong("digits.txt", "1; /* ", '9', k64Mb, " ms */+60 64;\n2; /* 9 ms */-60 0;\n"), p);
  EXPECT_TRUE(r.Ok());
  ASSERT_EQ(p.NoteCount(), 1);
  EXPECT_EQ(p.notes[0].timeMs, 9);
  EXPECT_EQ(r.skipped.firstReason, "a time that is not a number");
  EXPECT_LT(r.warning.size(), 500u);
  ExpectConsistent(p);
  // The read buffer grows to the longest field, a few times 64 MB at most.
  EXPECT_LT(test::PeakRssBytes(), std::int64_t{1} << 30);
}

// Runs `between` when the progress window opens: after the first pass has
// counted the file, before the second reads it.
class BetweenThePasses final : public NullProgressSink {
 public:
  explicit BetweenThePasses(std::function<void()> between) : between_(std::move(between)) {}
  void ShowWindow() override {
    if (between_) between_();
    between_ = nullptr;
  }

 private:
  std::function<void()> between_;
};

TEST(BadAsciiMidiInput, AFileThatChangesBetweenThePasses) {
  Performance p = Performance::Empty();
  TempDir dir;
  const std::string three = "1; /* 0 ms */+60 64;\n2; /* 100 ms */+62 64;\n3; /* 200 ms */+64 64;\n";
  auto loadChangingTo = [&](const std::function<void(const std::string&)>& change) {
    const std::string path = dir.Write("changing.txt", three);
    BetweenThePasses sink([&] { change(path); });
    return LoadPerformanceFile(path, p, &sink);
  };

  // Shorter: only what is still there is read.
  EXPECT_TRUE(loadChangingTo([&](const std::string&) { dir.Write("changing.txt", "9; /* 5 ms */+70 80;\n"); }).Ok());
  EXPECT_EQ(p.NoteCount(), 1);
  EXPECT_EQ(p.notes[0].noteKey, 70);
  EXPECT_EQ(p.EventCount(), 1);
  ExpectConsistent(p);

  // Longer: the notes counted are read, the rest is left out.
  EXPECT_TRUE(loadChangingTo([&](const std::string& p) {
                std::FILE* f = std::fopen(p.c_str(), "ab");
                for (int i = 0; i < 100; ++i) std::fputs("4; /* 900 ms */+66 64;\n", f);
                std::fclose(f);
              }).Ok());
  EXPECT_EQ(p.NoteCount(), 3);
  EXPECT_EQ(p.notes[2].timeMs, 200);
  ExpectConsistent(p);

  // Deleted, or emptied: the open file reads on, or reads nothing.
  EXPECT_TRUE(loadChangingTo([&](const std::string& p) { std::remove(p.c_str()); }).Ok());
  EXPECT_EQ(p.NoteCount(), 3);
  EXPECT_TRUE(loadChangingTo([&](const std::string&) { dir.Write("changing.txt", ""); }).Ok());
  EXPECT_EQ(p.NoteCount(), 0);
  EXPECT_EQ(p.EventCount(), 0);
  ExpectConsistent(p);
}

TEST(BadAsciiMidiInput, PathsThatAreNoReadableFile) {
  Performance p = Performance::Empty();
  TempDir dir;
  LoadTwoNotes(dir, p);
  // A folder or a pipe nobody writes to: refused at once, nothing waits.
  for (const std::string& path : {dir.Path(""), dir.MakeFifo("pipe.txt")}) {
    const LoadResult r = LoadPerformanceFile(path, p);
    EXPECT_EQ(r.status, LoadStatus::CannotOpen) << path;
    EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
    EXPECT_EQ(p.NoteCount(), 2);
  }
  // Unreadable: the performance stays (root reads the file regardless).
  const std::string locked = dir.WriteUnreadable("locked.txt", "1; /* 0 ms */+70 64;\n");
  const LoadResult r = LoadPerformanceFile(locked, p);
  if (test::RunningAsRoot()) {
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(p.NoteCount(), 1);
  } else {
    EXPECT_EQ(r.status, LoadStatus::CannotOpen);
    EXPECT_NE(r.message.find(locked), std::string::npos);
    EXPECT_EQ(p.NoteCount(), 2);
  }
  ExpectConsistent(p);
}

}  // namespace
}  // namespace rp
