// SPDX-License-Identifier: GPL-3.0-or-later
#include <fnmatch.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/PerformanceFileDialog.h"
#include "analysis/PerformanceLoader.h"
#include "io/AsciiMidiWriter.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "support/EventFields.h"
#include "support/RecordingProgressSink.h"
#include "support/ScriptedDialogs.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"
#include "support/TestDataFiles.h"

namespace rp {
namespace {

using test::DataFile;
using test::TempFile;

// The performance a load works on.
struct Held {
  Performance p;
  Held() { Reset(); }
  // Before the first file: nothing loaded yet.
  void Reset() { p = Performance::Empty(); }
};

struct Snapshot {
  std::vector<std::tuple<int, double, double, int, int, int>> notes;
  std::vector<std::tuple<double, test::EventFields, int>> events;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const Performance& p) {
  Snapshot s;
  for (std::int32_t j = 1; j <= p.NoteCount(); ++j) {
    const NoteEvent& n = p.notes[j - 1];
    s.notes.emplace_back(n.isNoteOn, n.timeMs, n.leadValue, n.noteKey, n.noteVelocity, (n.opensEvent + 1));
  }
  for (std::int32_t k = 1; k <= p.EventCount(); ++k) {
    const OnsetEvent& e = p.events[k - 1];
    s.events.emplace_back(e.onsetMs, test::FieldsOf(e), (e.firstNote + 1));
  }
  return s;
}

TEST(PerformanceLoader, ReadsEveryLineEndingAlikeAndAnalyses) {
  Held h;
  const LoadResult lf = LoadPerformanceFile(DataFile("lf.txt"), h.p);
  ASSERT_TRUE(lf.Ok());
  EXPECT_TRUE(lf.message.empty());
  EXPECT_EQ(lf.fieldCount, 8);
  EXPECT_EQ(lf.noteOnCount, 5);
  EXPECT_EQ(h.p.NoteCount(), 8);
  EXPECT_EQ(h.p.EventCount(), 5);
  EXPECT_EQ(h.p.events[0].interval2, 1000.0);
  const Snapshot reference = Take(h.p);
  for (const char* name : {"crlf.txt", "cr.txt"}) {
    h.Reset();
    ASSERT_TRUE(LoadPerformanceFile(DataFile(name), h.p).Ok());
    EXPECT_EQ(Take(h.p), reference) << name;
  }
}

TEST(PerformanceLoader, CommasQuotesKeysAndVelocities) {
  Held h;
  ASSERT_TRUE(LoadPerformanceFile(DataFile("commas_quotes.txt"), h.p).Ok());
  ASSERT_EQ(h.p.NoteCount(), 7);
  EXPECT_EQ(h.p.notes[2].timeMs, 10.0);  // the piece after a comma is a line of its own
  EXPECT_EQ(h.p.notes[2].leadValue, 0.0);
  EXPECT_EQ(h.p.notes[5].noteKey, 62);  // quoted, with a comma inside
  EXPECT_EQ(h.p.notes[5].noteVelocity, 70);
  EXPECT_FALSE(h.p.notes[6].isNoteOn);
  EXPECT_EQ(h.p.EventCount(), 3);
  EXPECT_EQ(h.p.events[1].firstNote, 3);

  h.Reset();
  const LoadResult r = LoadPerformanceFile(DataFile("keys_velocities.txt"), h.p);
  ASSERT_TRUE(r.Ok());
  // Velocities of 300 and -1 are none: those two lines are skipped.
  ASSERT_EQ(h.p.NoteCount(), 4);
  const std::vector<int> keys = {108, 100, 108, 9};
  const std::vector<int> velocities = {90, 127, 64, 70};
  for (std::size_t j = 1; j <= 4; ++j) {
    EXPECT_EQ(h.p.notes[j - 1].noteKey, keys[j - 1]) << j;
    EXPECT_EQ(h.p.notes[j - 1].noteVelocity, velocities[j - 1]) << j;
  }
  EXPECT_EQ(r.skipped.count, 2);
  EXPECT_EQ(r.skipped.firstLine, 3);
  EXPECT_EQ(h.p.EventCount(), 2);
}

TEST(PerformanceLoader, EmptyAndNoteLessFilesAreSizedByTheirNotes) {
  Held h;
  for (const char* name : {"empty.txt", "blank_lines_commas.txt"}) {
    h.Reset();
    const LoadResult r = LoadPerformanceFile(DataFile(name), h.p);
    ASSERT_TRUE(r.Ok()) << name;
    EXPECT_EQ(h.p.NoteCount(), 0);
    EXPECT_EQ(h.p.EventCount(), 0);
  }
  // A megabyte of commas: a million fields, and one note.
  h.Reset();
  TempFile commas(std::string(1 << 20, ',') + "1; /* 5 ms */+60 64;");
  const LoadResult r = LoadPerformanceFile(commas.Path(), h.p);
  EXPECT_EQ(r.fieldCount, (1 << 20) + 1);
  ASSERT_EQ(h.p.NoteCount(), 1);
  EXPECT_EQ(h.p.notes[0].timeMs, 5.0);
}

// A load with a progress window counts first and reads second; one without
// reads once. Both must make the same performance of any file.
TEST(PerformanceLoader, WatchedAndUnwatchedLoadsMakeTheSamePerformance) {
  TempFile big(std::string(3 << 20, ',') + "\"1; /* 5 ms */+60 64;\n2; /* 9 ms */-60 0;\"\n" +
               std::string(40000, '\n') + "3; /* 12 ms */+61  7;");
  // Large enough to be read in two halves at once, with CR LF, lone CR and
  // broken lines on both sides of the middle.
  std::string lines;
  for (int i = 0; i < 80000; ++i) {
    lines += std::to_string(i) + "; /* " + std::to_string(i * 11) + " ms */" + (i % 3 ? "+" : "-") + "6" +
             std::to_string(i % 10) + " 64;" +
             (i % 7 == 0   ? "\r\n"
              : i % 7 == 1 ? "\r"
              : i % 7 == 2 ? ",x\n"
                           : "\n");
  }
  TempFile halves(lines);
  std::vector<std::string> files = {big.Path(), halves.Path()};
  for (const char* name : {"lf.txt", "cr.txt", "crlf.txt", "commas_quotes.txt", "keys_velocities.txt", "malformed.txt",
                           "blank_lines_commas.txt", "empty.txt"})
    files.push_back(DataFile(name));
  for (const std::string& file : files) {
    Held watched, unwatched;
    RecordingProgressSink progress;
    const LoadResult a = LoadPerformanceFile(file, watched.p, &progress);
    const LoadResult b = LoadPerformanceFile(file, unwatched.p, nullptr);
    EXPECT_EQ(a.status, b.status) << file;
    EXPECT_EQ(a.fieldCount, b.fieldCount) << file;
    EXPECT_EQ(a.noteOnCount, b.noteOnCount) << file;
    EXPECT_EQ(Take(watched.p), Take(unwatched.p)) << file;
    EXPECT_EQ(watched.p.notes.size(), unwatched.p.notes.size()) << file;
    EXPECT_EQ(watched.p.events.size(), unwatched.p.events.size()) << file;
  }
}

TEST(PerformanceLoader, AFileThatCannotBeReadLeavesThePerformanceAsItWas) {
  Held h;
  ASSERT_TRUE(LoadPerformanceFile(DataFile("lf.txt"), h.p).Ok());
  const Snapshot before = Take(h.p);
  const test::TempDir folder;
  for (const std::string& path : {DataFile("no such file.txt"), folder.Path()}) {
    const LoadResult r = LoadPerformanceFile(path, h.p);
    EXPECT_EQ(r.status, LoadStatus::CannotOpen);
    EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
  }
  EXPECT_EQ(Take(h.p), before);
}

// The open dialog's first choice shows every kind of performance a folder
// may hold; a watched load shows its passes and hides the window at its end.
TEST(PerformanceLoader, TheDialogOffersEveryKindAndAWatchedLoadShowsItsPasses) {
  const std::vector<std::string> patterns = PerformanceFileRequest("Open").fileTypes.at(0).patterns;
  for (const char* name : {"a.mid", "b.midi", "c.txt", "d.match", "e.csv", "f.wav", "g.flac", "h.ogg", "i.mp3"}) {
    EXPECT_TRUE(std::any_of(patterns.begin(), patterns.end(), [name](const std::string& p) {
      return ::fnmatch(p.c_str(), name, 0) == 0;
    })) << name;
  }

  Held h;
  RecordingProgressSink progress;
  ASSERT_TRUE(LoadPerformanceFile(DataFile("lf.txt"), h.p, &progress).Ok());
  EXPECT_EQ(h.p.EventCount(), 5);
  EXPECT_GE(progress.captions.size(), 2u);
  EXPECT_EQ(progress.showCount, 1);
  EXPECT_FALSE(progress.visible);
  EXPECT_EQ(progress.maximum, 5);
}

TEST(PerformanceLoader, ProgressRepaintsAreBoundedOnALargeFile) {
  Held h;
  std::string text;
  for (int i = 0; i < 200000; ++i) {
    text += std::to_string(i) + "; /* " + std::to_string(i * 40) + " ms */" + (i % 2 ? "-" : "+") + "60 64;\n";
  }
  TempFile file(text);
  h.Reset();
  RecordingProgressSink progress;
  ASSERT_TRUE(LoadPerformanceFile(file.Path(), h.p, &progress).Ok());
  EXPECT_EQ(h.p.NoteCount(), 200000);
  EXPECT_EQ(h.p.EventCount(), 100000);  // note-ons every 80 ms
  // A handful of updates per phase plus at most 30 a second, not one per line.
  EXPECT_LT(progress.updates, 200);
  EXPECT_EQ(progress.value, 100000 - 3);  // the last event pass 3 reached
}

std::string AsText(const test::Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

TEST(PerformanceLoader, MidiFilesLoadByContentAndRoundTripThroughAListing) {
  Held h;
  // Two hands on several channels, keys 0 to 127, a tempo whose
  // milliseconds never come out even, and a tempo change halfway.
  test::TrackBuilder tempo, right, left;
  tempo.Tempo(0, 333333).Tempo(700, 461538).End();
  for (int i = 0; i < 64; ++i) {
    right.On(i % 3 ? 7 : 0, 64 + i, 1 + i * 2, i % 4).Off(5 + i % 6, 64 + i, i, i % 4);
    left.On(i % 5 ? 11 : 1, 63 - i, 127 - i, 9).Off(3, 63 - i, 0, 9);
  }
  TempFile midi(AsText(test::MidiFile(1, 7, {tempo, right.End(), left.End()})));  // no name: told by content
  h.Reset();
  RecordingProgressSink progress;
  ASSERT_TRUE(LoadPerformanceFile(midi.Path(), h.p, &progress).Ok());
  EXPECT_EQ(h.p.NoteCount(), 256);
  EXPECT_GT(h.p.EventCount(), 50);
  EXPECT_FALSE(progress.visible);
  const Snapshot fromMidi = Take(h.p);

  EXPECT_EQ(h.p.provenanceVelocityScale, 1.0) << "a MIDI file replays as played";

  std::ostringstream listing;
  WriteAsciiMidi(listing, h.p.notes);
  TempFile ascii(listing.str());
  h.Reset();
  ASSERT_TRUE(LoadPerformanceFile(ascii.Path(), h.p).Ok());
  EXPECT_EQ(Take(h.p), fromMidi);
  EXPECT_EQ(h.p.provenanceVelocityScale, 1.0) << "so does this program's listing";
  // Another program's listing, watched or not, replays 1.5 times louder.
  ASSERT_TRUE(LoadPerformanceFile(DataFile("lf.txt"), h.p).Ok());
  EXPECT_EQ(h.p.provenanceVelocityScale, 1.5);
  h.p.provenanceVelocityScale = 1.0;
  ASSERT_TRUE(LoadPerformanceFile(DataFile("lf.txt"), h.p, &progress).Ok());
  EXPECT_EQ(h.p.provenanceVelocityScale, 1.5);

  // A MIDI file's pedals come with it, and go with the next file.
  ASSERT_TRUE(LoadPerformanceFile(DataFile("sustained_note.mid"), h.p).Ok());
  EXPECT_EQ(h.p.NoteCount(), 2);
  EXPECT_EQ(h.p.controllers.size(), 7u);
  ASSERT_TRUE(LoadPerformanceFile(ascii.Path(), h.p).Ok());
  EXPECT_TRUE(h.p.controllers.empty());
}

TEST(PerformanceLoader, ABadMidiFileLeavesThePerformanceAsItWas) {
  Held h;
  ASSERT_TRUE(LoadPerformanceFile(DataFile("lf.txt"), h.p).Ok());
  const Snapshot before = Take(h.p);

  test::TrackBuilder t;
  t.On(0, 60, 64).Off(96, 60).End();
  const test::Bytes good = test::MidiFile(0, 96, {t});
  test::Bytes lyingHeader = good;
  lyingHeader[7] = 200;
  test::TrackBuilder silent;
  silent.Tempo(0, 500000).End();
  for (const test::Bytes& bad :
       {test::Bytes(good.begin(), good.end() - 4), lyingHeader, test::MidiFile(0, 96, {silent})}) {
    TempFile file(AsText(bad));
    const LoadResult r = LoadPerformanceFile(file.Path(), h.p);
    EXPECT_EQ(r.status, LoadStatus::CannotOpen);
    EXPECT_NE(r.message.find("\"" + file.Path() + "\""), std::string::npos) << r.message;
    EXPECT_EQ(Take(h.p), before);
  }

  TempFile file(AsText(good));
  EXPECT_TRUE(LoadPerformanceFile(file.Path(), h.p).Ok());
  EXPECT_EQ(h.p.NoteCount(), 2);
  EXPECT_EQ(h.p.EventCount(), 1);
}

}  // namespace
}  // namespace rp
