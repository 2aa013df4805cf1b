// SPDX-License-Identifier: GPL-3.0-or-later
// ASCII MIDI files that are damaged, hostile, change under the reader or are
// no files at all: each has a defined outcome, and none may crash, hang or
// take memory out of proportion.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "analysis/PerformanceLoader.h"
#include "base/ProgressSink.h"
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
  p = Performance::BeforeFirstFile();
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
  Performance p = Performance::BeforeFirstFile();
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
  EXPECT_EQ(ReadNoteLine(std::string_view()).timeMs, 0);
}

TEST(BadAsciiMidiInput, NumbersThatDoNotFitReadAsZero) {
  Performance p = Performance::BeforeFirstFile();
  ASSERT_TRUE(LoadPerformanceFile(kBadData + "huge_numbers.txt", p).Ok());
  ASSERT_EQ(p.NoteCount(), 6);
  for (std::size_t j : {2u, 3u, 4u, 6u}) EXPECT_EQ(p.notes[j - 1].timeMs, 0) << j;  // 1e999, -1e999, NaN, inf
  EXPECT_EQ(p.notes[4].timeMs, 100);
  EXPECT_EQ(p.notes[4].leadValue, 0);
  EXPECT_EQ(p.notes[4].noteKey, 67);
  EXPECT_EQ(p.notes[4].noteVelocity, 0);  // "1e9"
  EXPECT_FALSE(p.notes[5].isNoteOn);
  EXPECT_EQ(p.notes[5].noteKey, 0);  // read after the minus of "-1e999"
  EXPECT_EQ(p.EventCount(), 2);         // the note-ons read as 0 ms make one chord
  ExpectConsistent(p);

  // 2^31 and beyond: plain doubles for time and lead, out of range for bytes.
  ASSERT_TRUE(LoadPerformanceFile(kBadData + "two_pow_31.txt", p).Ok());
  ASSERT_EQ(p.NoteCount(), 2);
  EXPECT_EQ(p.notes[0].leadValue, 2147483648.0);
  EXPECT_EQ(p.notes[0].timeMs, 2147483648.0);
  EXPECT_EQ(p.notes[0].noteKey, 0);
  EXPECT_EQ(p.notes[0].noteVelocity, 64);
  EXPECT_EQ(p.notes[1].leadValue, -2147483649.0);
  EXPECT_EQ(p.notes[1].timeMs, 4294967296.0);
  EXPECT_EQ(p.notes[1].noteVelocity, 0);
  EXPECT_EQ(p.EventCount(), 2);
  EXPECT_EQ(p.events[0].interval0, 0);  // fewer than four clusters: no intervals
}

TEST(BadAsciiMidiInput, TimesThatGoBackwardsJoinTheCurrentCluster) {
  Performance p = Performance::BeforeFirstFile();
  ASSERT_TRUE(LoadPerformanceFile(kBadData + "backwards_times.txt", p).Ok());
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
  Performance p = Performance::BeforeFirstFile();
  constexpr std::size_t k64Mb = std::size_t{64} << 20;
  TempDir dir;
  // No note line: nothing but the field count.
  LoadTwoNotes(dir, p);
  LoadResult r = LoadPerformanceFile(dir.WriteLong("letters.txt", "", 'x', k64Mb, "\n"), p);
  EXPECT_TRUE(r.Ok());
  EXPECT_EQ(r.fieldCount, 1);
  EXPECT_EQ(p.NoteCount(), 0);

  // A note line whose time has 64 million digits: too large, read as 0.
  r = LoadPerformanceFile(dir.WriteLong("digits.txt", "1; /* ", '9', k64Mb, " ms */+60 64;\n2; /* 9 ms */-60 0;\n"), p);
  EXPECT_TRUE(r.Ok());
  ASSERT_EQ(p.NoteCount(), 2);
  EXPECT_EQ(p.notes[0].timeMs, 0);
  EXPECT_EQ(p.notes[0].noteKey, 60);
  EXPECT_EQ(p.notes[1].timeMs, 9);
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
  Performance p = Performance::BeforeFirstFile();
  TempDir dir;
  const std::string three = "1; /* 0 ms */+60 64;\n2; /* 100 ms */+62 64;\n3; /* 200 ms */+64 64;\n";
  auto loadChangingTo = [&](const std::function<void(const std::string&)>& change) {
    const std::string path = dir.Write("changing.txt", three);
    BetweenThePasses sink([&] { change(path); });
    LoadHooks hooks;
    hooks.progress = &sink;
    return LoadPerformanceFile(path, p, hooks);
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
  Performance p = Performance::BeforeFirstFile();
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
  ScriptedDialogs dialogs;
  PerformanceLoader loader(dialogs, p, {});
  const LoadResult r = loader.Open(locked);
  if (test::RunningAsRoot()) {
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(p.NoteCount(), 1);
  } else {
    EXPECT_EQ(r.status, LoadStatus::CannotOpen);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.find(locked), std::string::npos);
    EXPECT_EQ(p.NoteCount(), 2);
  }
  ExpectConsistent(p);
}

}  // namespace
}  // namespace rp
