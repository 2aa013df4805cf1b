// SPDX-License-Identifier: GPL-3.0-or-later
#include <fnmatch.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

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

// The performance and position a load works on, as the control panel holds them.
struct Held {
  Performance p;
  ReplayPosition position;
  Held() { Reset(); }
  // The control panel at start: five empty events, nothing loaded yet.
  void Reset() {
    p = Performance::BeforeFirstFile();
    position = {};
  }
  LoadHooks Hooks(LoadHooks hooks = {}) {
    hooks.position = &position;
    return hooks;
  }
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
  const LoadResult lf = LoadPerformanceFile(DataFile("lf.txt"), h.p, h.Hooks());
  ASSERT_TRUE(lf.Ok());
  EXPECT_TRUE(lf.message.empty());
  EXPECT_EQ(lf.fieldCount, 8);
  EXPECT_EQ(lf.noteOnCount, 5);
  EXPECT_EQ(h.p.NoteCount(), 8);
  EXPECT_EQ(h.p.EventCount(), 5);
  EXPECT_EQ(h.p.events[0].interval2, 1000.0);
  EXPECT_EQ(h.position.currentEvent, 1);
  const Snapshot reference = Take(h.p);
  for (const char* name : {"crlf.txt", "cr.txt"}) {
    h.Reset();
    ASSERT_TRUE(LoadPerformanceFile(DataFile(name), h.p, h.Hooks()).Ok());
    EXPECT_EQ(Take(h.p), reference) << name;
  }
}

TEST(PerformanceLoader, CommasQuotesKeysAndVelocities) {
  Held h;
  ASSERT_TRUE(LoadPerformanceFile(DataFile("commas_quotes.txt"), h.p, h.Hooks()).Ok());
  ASSERT_EQ(h.p.NoteCount(), 7);
  EXPECT_EQ(h.p.notes[2].timeMs, 10.0);  // the piece after a comma is a line of its own
  EXPECT_EQ(h.p.notes[2].leadValue, 0.0);
  EXPECT_EQ(h.p.notes[5].noteKey, 62);  // quoted, with a comma inside
  EXPECT_EQ(h.p.notes[5].noteVelocity, 70);
  EXPECT_FALSE(h.p.notes[6].isNoteOn);
  EXPECT_EQ(h.p.EventCount(), 3);
  EXPECT_EQ(h.p.events[1].firstNote, 3);

  h.Reset();
  const LoadResult r = LoadPerformanceFile(DataFile("keys_velocities.txt"), h.p, h.Hooks());
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
    const LoadResult r = LoadPerformanceFile(DataFile(name), h.p, h.Hooks());
    ASSERT_TRUE(r.Ok()) << name;
    EXPECT_EQ(h.p.NoteCount(), 0);
    EXPECT_EQ(h.p.EventCount(), 0);
    EXPECT_EQ(h.position.currentEvent, 1);
  }
  // A megabyte of commas: a million fields, and one note.
  h.Reset();
  TempFile commas(std::string(1 << 20, ',') + "1; /* 5 ms */+60 64;");
  const LoadResult r = LoadPerformanceFile(commas.Path(), h.p, h.Hooks());
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
    LoadHooks hooks;
    hooks.progress = &progress;
    const LoadResult a = LoadPerformanceFile(file, watched.p, watched.Hooks(hooks));
    const LoadResult b = LoadPerformanceFile(file, unwatched.p, unwatched.Hooks());
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
  ASSERT_TRUE(LoadPerformanceFile(DataFile("lf.txt"), h.p, h.Hooks()).Ok());
  const Snapshot before = Take(h.p);
  h.position.currentEvent = 4;
  int stops = 0;
  LoadHooks hooks;
  hooks.stopReplay = [&] { ++stops; };

  const test::TempDir folder;
  for (const std::string& path : {DataFile("no such file.txt"), folder.Path()}) {
    const LoadResult r = LoadPerformanceFile(path, h.p, h.Hooks(hooks));
    EXPECT_EQ(r.status, LoadStatus::CannotOpen);
    EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
  }
  EXPECT_EQ(Take(h.p), before);
  EXPECT_EQ(h.position.currentEvent, 4);
  EXPECT_EQ(stops, 0);

  // Through the control panel the message is shown once; the replay was stopped.
  ScriptedDialogs dialogs;
  PerformanceLoader loader(dialogs, h.p, h.Hooks(hooks));
  EXPECT_EQ(loader.Open(DataFile("no such file.txt")).status, LoadStatus::CannotOpen);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
  EXPECT_NE(dialogs.messages[0].text.find("no such file.txt"), std::string::npos);
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(Take(h.p), before);
}

TEST(PerformanceLoader, ChooseAndOpenAsksForAFileAndEndsTheLoadInOrder) {
  Held h;
  std::vector<std::string> calls;
  RecordingProgressSink progress;
  LoadHooks hooks;
  hooks.progress = &progress;
  hooks.stopReplay = [&] { calls.push_back("stopReplay"); };
  hooks.updateAllData = [&] {
    calls.push_back("updateAllData");
    EXPECT_EQ(h.p.EventCount(), 5);  // the view sees the new events
  };
  hooks.stopAutoRotation = [&] { calls.push_back("stopAutoRotation"); };
  hooks.setTimeSliderMaximum = [&](std::int32_t max) { calls.push_back("max " + std::to_string(max)); };
  hooks.updateTimeDisplay = [&] {
    calls.push_back("updateTimeDisplay");
    EXPECT_EQ(h.position.currentEvent, 1);
  };
  ScriptedDialogs dialogs;
  PerformanceLoader loader(dialogs, h.p, h.Hooks(hooks));

  // Cancelled: only the replay stops.
  const Snapshot before = Take(h.p);
  EXPECT_EQ(loader.ChooseAndOpen().status, LoadStatus::Cancelled);
  EXPECT_EQ(calls, std::vector<std::string>{"stopReplay"});
  EXPECT_EQ(Take(h.p), before);
  EXPECT_EQ(h.p.EventCount(), 5);
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(dialogs.requests[0].title, "Open ASCII MIDI File");
  EXPECT_EQ(dialogs.requests[0].filter,
            "All performances|*.txt;*.mid;*.midi;*.match;*.csv;*.wav;*.flac;*.ogg;*.mp3|"
            "(*.txt) ASCII MIDI files|*.txt|(*.mid;*.midi) MIDI files|*.mid;*.midi|(*.match) Match files|*.match|"
            "(*.txt;*.csv) Lists of times|*.txt;*.csv|"
            "(*.wav;*.flac;*.ogg;*.mp3) Recordings|*.wav;*.flac;*.ogg;*.mp3|(*) All files|*|");
  // The first filter shows every kind of performance a folder may hold.
  const std::string& filter = dialogs.requests[0].filter;
  std::string patterns = filter.substr(filter.find('|') + 1);
  patterns = patterns.substr(0, patterns.find('|')) + ';';
  for (const char* name : {"a.mid", "b.midi", "c.txt", "d.match", "e.csv", "f.wav", "g.flac"}) {
    bool shown = false;
    for (std::size_t at = 0, end = 0; (end = patterns.find(';', at)) != std::string::npos; at = end + 1) {
      shown = shown || ::fnmatch(patterns.substr(at, end - at).c_str(), name, 0) == 0;
    }
    EXPECT_TRUE(shown) << name;
  }
  EXPECT_EQ(dialogs.requests[0].defaultExtension, "txt");
  EXPECT_EQ(progress.showCount, 0);

  calls.clear();
  dialogs.fileAnswers = {DataFile("lf.txt")};
  EXPECT_TRUE(loader.ChooseAndOpen().Ok());
  EXPECT_EQ(calls, (std::vector<std::string>{"stopReplay", "updateAllData", "stopAutoRotation", "stopReplay", "max 5",
                                             "updateTimeDisplay"}));
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(progress.captions,
            (std::vector<std::string>{"Loading...", "Clustering...", "Creating Matrix...", "Processing..."}));
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
  LoadHooks hooks;
  hooks.progress = &progress;
  ASSERT_TRUE(LoadPerformanceFile(file.Path(), h.p, h.Hooks(hooks)).Ok());
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
  LoadHooks hooks;
  hooks.progress = &progress;
  ASSERT_TRUE(LoadPerformanceFile(midi.Path(), h.p, h.Hooks(hooks)).Ok());
  EXPECT_EQ(h.p.NoteCount(), 256);
  EXPECT_GT(h.p.EventCount(), 50);
  EXPECT_EQ(h.position.currentEvent, 1);
  EXPECT_FALSE(progress.visible);
  const Snapshot fromMidi = Take(h.p);

  EXPECT_EQ(h.p.provenanceVelocityScale, 1.0) << "a MIDI file replays as played";

  std::ostringstream listing;
  WriteAsciiMidi(listing, h.p.notes);
  TempFile ascii(listing.str());
  h.Reset();
  ASSERT_TRUE(LoadPerformanceFile(ascii.Path(), h.p, h.Hooks()).Ok());
  EXPECT_EQ(Take(h.p), fromMidi);
  EXPECT_EQ(h.p.provenanceVelocityScale, 1.0) << "so does this program's listing";
  // Another program's listing, watched or not, replays 1.5 times louder.
  ASSERT_TRUE(LoadPerformanceFile(DataFile("lf.txt"), h.p, h.Hooks()).Ok());
  EXPECT_EQ(h.p.provenanceVelocityScale, 1.5);
  h.p.provenanceVelocityScale = 1.0;
  ASSERT_TRUE(LoadPerformanceFile(DataFile("lf.txt"), h.p, h.Hooks(hooks)).Ok());
  EXPECT_EQ(h.p.provenanceVelocityScale, 1.5);

  // A MIDI file's pedals come with it, and go with the next file.
  ASSERT_TRUE(LoadPerformanceFile(DataFile("sustained_note.mid"), h.p, h.Hooks()).Ok());
  EXPECT_EQ(h.p.NoteCount(), 2);
  EXPECT_EQ(h.p.controllers.size(), 7u);
  ASSERT_TRUE(LoadPerformanceFile(ascii.Path(), h.p, h.Hooks()).Ok());
  EXPECT_TRUE(h.p.controllers.empty());
}

TEST(PerformanceLoader, ABadMidiFileLeavesThePerformanceAsItWas) {
  Held h;
  ASSERT_TRUE(LoadPerformanceFile(DataFile("lf.txt"), h.p, h.Hooks()).Ok());
  const Snapshot before = Take(h.p);
  int stops = 0;
  LoadHooks hooks;
  hooks.stopReplay = [&] { ++stops; };
  ScriptedDialogs dialogs;
  PerformanceLoader loader(dialogs, h.p, h.Hooks(hooks));

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
    const LoadResult r = loader.Open(file.Path());
    EXPECT_EQ(r.status, LoadStatus::CannotOpen);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_NE(dialogs.messages.back().text.find("\"" + file.Path() + "\""), std::string::npos)
        << dialogs.messages.back().text;
    EXPECT_EQ(Take(h.p), before);
  }
  EXPECT_EQ(dialogs.messages.size(), 3u);
  EXPECT_EQ(stops, 3);  // the replay stops for the attempt, and nothing else happens

  TempFile file(AsText(good));
  dialogs.fileAnswers = {file.Path()};
  EXPECT_TRUE(loader.ChooseAndOpen().Ok());
  EXPECT_EQ(h.p.NoteCount(), 2);
  EXPECT_EQ(h.p.EventCount(), 1);
}

}  // namespace
}  // namespace rp
