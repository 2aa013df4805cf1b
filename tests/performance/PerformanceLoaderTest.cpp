#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "SmfBuilder.h"
#include "TempFile.h"
#include "performance/AsciiMidiWriter.h"
#include "performance/PerformanceLoader.h"
#include "performance/global.h"
#include "platform/Dialogs.h"
#include "platform/ProgressSink.h"
#include "support/RecordingProgressSink.h"
#include "support/ScriptedDialogs.h"

namespace rp {
namespace {

using test::DataFile;
using test::TempFile;

// The control panel at start: five empty events, nothing loaded yet.
void StartState() {
  global::ResetToProgramStart();
  global::InitializeEmptyPerformance();
}

struct Snapshot {
  std::vector<std::tuple<int, double, double, int, int, int>> notes;
  std::vector<std::tuple<double, double, double, double, int, int, int, int>> events;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take() {
  Snapshot s;
  for (std::int32_t j = 1; j <= global::NoteEventCount; ++j) {
    const NoteEvent& n = global::NoteEvents[j];
    s.notes.emplace_back(n.IsNoteOn, n.TimeMs, n.LeadValue, n.NoteKey, n.NoteVelocity, n.ClusterIndex);
  }
  for (std::int32_t k = 1; k <= global::PlotEventCount; ++k) {
    const PlotEvent& p = global::PlotEvents[k];
    s.events.emplace_back(p.OnsetMs, p.Interval0, p.Interval1, p.Interval2, p.Velocity0, p.Velocity1, p.Velocity2,
                          p.FirstNote);
  }
  return s;
}

TEST(PerformanceLoader, ReadsEveryLineEndingAlikeAndAnalyses) {
  StartState();
  const LoadResult lf = LoadPerformanceFile(DataFile("lf.txt"));
  ASSERT_TRUE(lf.ok());
  EXPECT_TRUE(lf.message.empty());
  EXPECT_EQ(lf.fieldCount, 8);
  EXPECT_EQ(global::NoteEventCount, 8);
  EXPECT_EQ(global::PlotEventCount, 5);
  EXPECT_EQ(global::PlotEvents[1].Interval2, 1000.0);
  EXPECT_EQ(global::CurrentEvent, 1);
  const Snapshot reference = Take();
  for (const char* name : {"crlf.txt", "cr.txt"}) {
    StartState();
    ASSERT_TRUE(LoadPerformanceFile(DataFile(name)).ok());
    EXPECT_EQ(Take(), reference) << name;
  }
}

TEST(PerformanceLoader, CommasQuotesKeysAndVelocities) {
  StartState();
  ASSERT_TRUE(LoadPerformanceFile(DataFile("commas_quotes.txt")).ok());
  ASSERT_EQ(global::NoteEventCount, 7);
  EXPECT_EQ(global::NoteEvents[3].TimeMs, 10.0);  // the piece after a comma is a line of its own
  EXPECT_EQ(global::NoteEvents[3].LeadValue, 0.0);
  EXPECT_EQ(global::NoteEvents[6].NoteKey, 62);   // quoted, with a comma inside
  EXPECT_EQ(global::NoteEvents[6].NoteVelocity, 70);
  EXPECT_EQ(global::NoteEvents[7].IsNoteOn, kFalse);
  EXPECT_EQ(global::PlotEventCount, 3);
  EXPECT_EQ(global::PlotEvents[2].FirstNote, 4);

  StartState();
  ASSERT_TRUE(LoadPerformanceFile(DataFile("keys_velocities.txt")).ok());
  ASSERT_EQ(global::NoteEventCount, 6);
  const std::vector<int> keys = {108, 100, 60, 21, 108, 9};
  const std::vector<int> velocities = {90, 127, 0, 0, 64, 70};
  for (std::size_t j = 1; j <= 6; ++j) {
    EXPECT_EQ(global::NoteEvents[j].NoteKey, keys[j - 1]) << j;
    EXPECT_EQ(global::NoteEvents[j].NoteVelocity, velocities[j - 1]) << j;
  }
  EXPECT_EQ(global::PlotEventCount, 3);
}

TEST(PerformanceLoader, EmptyAndNoteLessFilesAreSizedByTheirNotes) {
  for (const char* name : {"empty.txt", "blank_lines_commas.txt"}) {
    StartState();
    const LoadResult r = LoadPerformanceFile(DataFile(name));
    ASSERT_TRUE(r.ok()) << name;
    EXPECT_EQ(global::NoteEventCount, 0);
    EXPECT_EQ(global::NoteEvents.size(), 1u);
    EXPECT_EQ(global::PlotEventCount, 0);
    EXPECT_EQ(global::PlotEvents.size(), 11u);
    EXPECT_EQ(global::CurrentEvent, 1);
  }
  // A megabyte of commas: a million fields, and still only index 0.
  StartState();
  TempFile commas(std::string(1 << 20, ',') + "1; /* 5 ms */+60 64;");
  const LoadResult r = LoadPerformanceFile(commas.path());
  EXPECT_EQ(r.fieldCount, (1 << 20) + 1);
  EXPECT_EQ(global::NoteEventCount, 1);
  EXPECT_EQ(global::NoteEvents.size(), 2u);
  EXPECT_EQ(global::NoteEvents[1].TimeMs, 5.0);
}

TEST(PerformanceLoader, AFileThatCannotBeReadLeavesThePerformanceAsItWas) {
  StartState();
  ASSERT_TRUE(LoadPerformanceFile(DataFile("lf.txt")).ok());
  const Snapshot before = Take();
  global::CurrentEvent = 4;
  int stops = 0;
  LoadHooks hooks;
  hooks.stopPlay = [&] { ++stops; };

  for (const std::string& path : {DataFile("no such file.txt"), std::string("/tmp")}) {
    const LoadResult r = LoadPerformanceFile(path, hooks);
    EXPECT_EQ(r.status, LoadStatus::CannotOpen);
    EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
  }
  EXPECT_EQ(Take(), before);
  EXPECT_EQ(global::CurrentEvent, 4);
  EXPECT_EQ(stops, 0);

  // Through the control panel the message is shown once; the replay was stopped.
  ScriptedDialogs dialogs;
  PerformanceLoader loader(dialogs, hooks);
  EXPECT_EQ(loader.Open(DataFile("no such file.txt")).status, LoadStatus::CannotOpen);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
  EXPECT_NE(dialogs.messages[0].text.find("no such file.txt"), std::string::npos);
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(Take(), before);
}

TEST(PerformanceLoader, OpenButtonAsksForAFileAndEndsTheLoadInOrder) {
  StartState();
  std::vector<std::string> calls;
  RecordingProgressSink progress;
  LoadHooks hooks;
  hooks.progress = &progress;
  hooks.doEvents = [&] { calls.push_back("doEvents"); };
  hooks.stopPlay = [&] { calls.push_back("stopPlay"); };
  hooks.updateAllData = [&] {
    calls.push_back("updateAllData");
    EXPECT_EQ(global::PlotEventCount, 5);  // the view sees the new events
  };
  hooks.stopAutoRotation = [&] { calls.push_back("stopAutoRotation"); };
  hooks.setTimeSliderMaximum = [&](std::int32_t max) { calls.push_back("max " + std::to_string(max)); };
  hooks.updateTime = [&] {
    calls.push_back("updateTime");
    EXPECT_EQ(global::CurrentEvent, 1);
  };
  ScriptedDialogs dialogs;
  PerformanceLoader loader(dialogs, hooks);

  // Cancelled: only the replay stops.
  const Snapshot before = Take();
  EXPECT_EQ(loader.OpenButton_Click().status, LoadStatus::Cancelled);
  EXPECT_EQ(calls, std::vector<std::string>{"stopPlay"});
  EXPECT_EQ(Take(), before);
  EXPECT_EQ(global::PlotEventCount, 5);
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(dialogs.requests[0].title, "Open ASCII MIDI File");
  EXPECT_EQ(dialogs.requests[0].filter,
            "(*.txt) ASCII MIDI files|*.txt|(*.mid;*.midi) MIDI files|*.mid;*.midi|(*) All files|*|");
  EXPECT_EQ(dialogs.requests[0].defaultExtension, "txt");
  EXPECT_EQ(progress.showCount, 0);

  calls.clear();
  dialogs.fileAnswers = {DataFile("lf.txt")};
  EXPECT_TRUE(loader.OpenButton_Click().ok());
  EXPECT_EQ(calls, (std::vector<std::string>{"stopPlay", "doEvents", "updateAllData", "stopAutoRotation", "stopPlay",
                                             "max 5",
                                             "updateTime"}));
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(progress.captions,
            (std::vector<std::string>{"Loading...", "Clustering...", "Creating Matrix...", "Processing..."}));
  EXPECT_EQ(progress.showCount, 1);
  EXPECT_FALSE(progress.visible);
  EXPECT_EQ(progress.numberEvents, 5);
  EXPECT_EQ(progress.maximum, 5);
}

TEST(PerformanceLoader, ProgressRepaintsAreBoundedOnALargeFile) {
  std::string text;
  for (int i = 0; i < 200000; ++i) {
    text += std::to_string(i) + "; /* " + std::to_string(i * 40) + " ms */" + (i % 2 ? "-" : "+") + "60 64;\n";
  }
  TempFile file(text);
  StartState();
  RecordingProgressSink progress;
  LoadHooks hooks;
  hooks.progress = &progress;
  ASSERT_TRUE(LoadPerformanceFile(file.path(), hooks).ok());
  EXPECT_EQ(global::NoteEventCount, 200000);
  EXPECT_EQ(global::PlotEventCount, 100000);  // note-ons every 80 ms
  // A handful of updates per phase plus at most 30 a second, not one per line.
  EXPECT_LT(progress.updates, 200);
  EXPECT_EQ(progress.event, 100000 - 3);  // the last event pass 3 reached
}

std::string AsText(const test::Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

TEST(PerformanceLoader, MidiFilesLoadByContentAndRoundTripThroughAListing) {
  // Two hands on several channels, keys 0 to 127, a tempo whose
  // milliseconds never come out even, and a tempo change halfway.
  test::TrackBuilder tempo, right, left;
  tempo.Tempo(0, 333333).Tempo(700, 461538).End();
  for (int i = 0; i < 64; ++i) {
    right.On(i % 3 ? 7 : 0, 64 + i, 1 + i * 2, i % 4).Off(5 + i % 6, 64 + i, i, i % 4);
    left.On(i % 5 ? 11 : 1, 63 - i, 127 - i, 9).Off(3, 63 - i, 0, 9);
  }
  TempFile midi(AsText(test::MidiFile(1, 7, {tempo, right.End(), left.End()})));  // no name: told by content
  StartState();
  RecordingProgressSink progress;
  LoadHooks hooks;
  hooks.progress = &progress;
  ASSERT_TRUE(LoadPerformanceFile(midi.path(), hooks).ok());
  EXPECT_EQ(global::NoteEventCount, 256);
  EXPECT_GT(global::PlotEventCount, 50);
  EXPECT_EQ(global::CurrentEvent, 1);
  EXPECT_FALSE(progress.visible);
  const Snapshot fromMidi = Take();

  std::ostringstream listing;
  WriteAsciiMidi(listing, global::NoteEvents, global::NoteEventCount);
  TempFile ascii(listing.str());
  StartState();
  ASSERT_TRUE(LoadPerformanceFile(ascii.path()).ok());
  EXPECT_EQ(Take(), fromMidi);
}

TEST(PerformanceLoader, ABadMidiFileLeavesThePerformanceAsItWas) {
  StartState();
  ASSERT_TRUE(LoadPerformanceFile(DataFile("lf.txt")).ok());
  const Snapshot before = Take();
  int stops = 0;
  LoadHooks hooks;
  hooks.stopPlay = [&] { ++stops; };
  ScriptedDialogs dialogs;
  PerformanceLoader loader(dialogs, hooks);

  test::TrackBuilder t;
  t.On(0, 60, 64).Off(96, 60).End();
  const test::Bytes good = test::MidiFile(0, 96, {t});
  test::Bytes lyingHeader = good;
  lyingHeader[7] = 200;
  test::TrackBuilder silent;
  silent.Tempo(0, 500000).End();
  for (const test::Bytes& bad : {test::Bytes(good.begin(), good.end() - 4), lyingHeader,
                                 test::MidiFile(0, 96, {silent})}) {
    TempFile file(AsText(bad));
    const LoadResult r = loader.Open(file.path());
    EXPECT_EQ(r.status, LoadStatus::CannotOpen);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_NE(dialogs.messages.back().text.find("\"" + file.path() + "\""), std::string::npos)
        << dialogs.messages.back().text;
    EXPECT_EQ(Take(), before);
  }
  EXPECT_EQ(dialogs.messages.size(), 3u);
  EXPECT_EQ(stops, 3);  // the replay stops for the attempt, and nothing else happens

  TempFile file(AsText(good));
  dialogs.fileAnswers = {file.path()};
  EXPECT_TRUE(loader.OpenButton_Click().ok());
  EXPECT_EQ(global::NoteEventCount, 2);
  EXPECT_EQ(global::PlotEventCount, 1);
}

}  // namespace
}  // namespace rp
