// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "io/StandardMidiFileReader.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"

namespace rp {
namespace {

using test::Bytes;
using test::MidiFile;
using test::TrackBuilder;

// The events of a file as "+key@ms/velocity" or "-key@ms/velocity", for
// readable comparisons.
std::vector<std::string> Listing(const MidiFileReadResult& r) {
  std::vector<std::string> out;
  for (const NoteEvent& e : r.events) {
    char text[64];
    std::snprintf(text, sizeof text, "%c%d@%g/%d", e.isNoteOn ? '+' : '-', e.noteKey, e.timeMs, e.noteVelocity);
    out.emplace_back(text);
  }
  return out;
}

MidiFileReadResult Parse(const Bytes& bytes) { return ParseStandardMidiFile(bytes, "take.mid"); }

// The controllers of a file as "controller=value@ms", channel 1 only.
std::vector<std::string> Controllers(const MidiFileReadResult& r) {
  std::vector<std::string> out;
  for (const ControllerEvent& c : r.controllers) {
    out.push_back(std::to_string(c.controller) + "=" + std::to_string(c.value) + "@" + std::to_string(c.timeMs));
    if (c.channel != 0) out.back() += " on channel " + std::to_string(c.channel + 1);
  }
  return out;
}

using L = std::vector<std::string>;

TEST(StandardMidiFileReader, TimesFollowEveryTempoChangeOfTheFile) {
  // 480 ticks per quarter. 120 bpm until tick 960, then 60 bpm (the change
  // sits in the tempo track while a note sounds across it), and at tick 1920
  // a change written in the note track itself.
  TrackBuilder tempo;
  tempo.Tempo(0, 500000).Tempo(960, 1000000).End();
  TrackBuilder notes;
  notes.On(0, 60, 80)
      .Off(480, 60)
      .On(0, 62, 81)
      .Off(960, 62)        // 62 sounds from 480 to 1440 ticks
      .Tempo(480, 250000)  // tick 1920 = 3000 ms
      .On(480, 64, 82)     // tick 2400: 3000 + 480 * 250 / 480 ms
      .Off(480, 64)
      .End();
  const auto r = Parse(MidiFile(1, 480, {tempo, notes}));
  ASSERT_TRUE(r.Ok()) << r.error;
  EXPECT_EQ(Listing(r), (L{"+60@0/80", "-60@500/64", "+62@500/81", "-62@2000/64", "+64@3250/82", "-64@3500/64"}));

  // No tempo at all: 120 bpm. Tempo changes at one tick in two tracks: the
  // later one in the file holds.
  TrackBuilder plain;
  plain.On(96, 60, 1).Off(96, 60).End();
  EXPECT_EQ(Listing(Parse(MidiFile(0, 96, {plain}))), (L{"+60@500/1", "-60@1000/64"}));
  TrackBuilder t1, t2;
  t1.Tempo(0, 2000000).End();
  t2.Tempo(0, 1000000).On(96, 60, 1).Off(0, 60).End();
  EXPECT_EQ(Listing(Parse(MidiFile(1, 96, {t1, t2}))), (L{"+60@1000/1", "-60@1000/64"}));
}

TEST(StandardMidiFileReader, MergesTracksAndChannelsInTimeOrderOffsFirst) {
  TrackBuilder right, left;
  right.On(0, 72, 90).Off(240, 72).Raw(0, {0xB0, 64, 0}).On(0, 74, 91).Off(240, 74, 10).End();
  left.Raw(0, {0xB3, 64, 127}).On(120, 48, 70, 1).On(0, 60, 71, 3).Off(120, 48, 64, 1).Off(0, 60, 64, 3).End();
  const auto r = Parse(MidiFile(1, 480, {right, left}));
  ASSERT_TRUE(r.Ok()) << r.error;
  // The pedals of every track and channel in time order, on the notes' channel.
  EXPECT_EQ(Controllers(r), (L{"64=127@0.000000", "64=0@250.000000"}));
  // At 250 ms the note-offs of both tracks come before the note-on of the
  // first track, each group in file order.
  EXPECT_EQ(Listing(r), (L{"+72@0/90", "+48@125/70", "+60@125/71", "-72@250/64", "-48@250/64", "-60@250/64",
                           "+74@250/91", "-74@500/10"}));
  for (std::size_t i = 0; i < r.events.size(); ++i) {
    EXPECT_EQ(r.events[i].leadValue, static_cast<double>(i + 1));
    EXPECT_EQ(r.events[i].opensEvent, -1);
  }
}

TEST(StandardMidiFileReader, RunningStatusAndVelocityZeroNoteOns) {
  TrackBuilder t;
  t.Raw(0, {0x90, 0, 100})                   // key 0
      .Raw(0, {127, 101})                    // running status: key 127
      .Raw(480, {0, 0})                      // note-on velocity 0: note-off of key 0
      .Raw(0, {0xFF, 0x01, 0x02, 'h', 'i'})  // a meta event keeps running status alive
      .Raw(0, {127, 0})
      .Raw(0, {0xC0, 5})                 // program change: one data byte
      .Raw(0, {6})                       // ... and again by running status
      .Raw(0, {0xB0, 64, 127})           // sustain pedal: a controller beside the notes
      .Raw(0, {67, 40})                  // ... and the soft pedal by running status
      .Raw(0, {0xB0, 123, 0})            // all notes off: a channel mode message, left out
      .Raw(0, {0xF0, 0x02, 0x43, 0xF7})  // system exclusive: skipped
      .Raw(0, {0x80, 64, 30})
      .Raw(0, {0x90, 64, 55})
      .Raw(480, {0x80, 64, 30})
      .End();
  // The note-off of key 64 before any note-on is dropped: it ends nothing.
  const auto r = Parse(MidiFile(0, 480, {t}));
  EXPECT_EQ(Listing(r), (L{"+0@0/100", "+127@0/101", "-0@500/0", "-127@500/0", "+64@500/55", "-64@1000/30"}));
  EXPECT_EQ(Controllers(r), (L{"64=127@500.000000", "67=40@500.000000"}));
}

TEST(StandardMidiFileReader, SmpteDivision) {
  // 25 frames per second, 40 ticks per frame: one tick per millisecond;
  // tempo events do not apply.
  TrackBuilder t;
  t.Tempo(0, 1000000).On(10, 60, 64).Off(1000, 60).End();
  EXPECT_EQ(Listing(Parse(MidiFile(0, 0xE728, {t}))), (L{"+60@10/64", "-60@1010/64"}));
  // 29.97 frames per second (written as 29), 100 ticks per frame: 3000
  // ticks last 1.001 s.
  TrackBuilder u;
  u.On(0, 60, 64).Off(3000, 60).End();
  const auto r = Parse(MidiFile(0, 0xE364, {u}));
  ASSERT_TRUE(r.Ok()) << r.error;
  EXPECT_NEAR(r.events[1].timeMs, 1001.0, 1e-9);
  // 31 frames per second is no SMPTE rate.
  EXPECT_NE(Parse(MidiFile(0, 0xE128, {t})).error.find("SMPTE"), std::string::npos);
}

TEST(StandardMidiFileReader, EveryNoteGetsExactlyOneNoteOffAfterItsStart) {
  TrackBuilder t;
  t.On(0, 60, 50)
      .On(0, 60, 51)  // the same key struck twice
      .Off(100, 60)   // ends one of them
      .Off(0, 60)     // ... and the other
      .Off(0, 60)     // nothing sounds any more: dropped
      .On(0, 62, 52)  // a note of no length: its note-off still follows it
      .Off(0, 62)
      .On(50, 64, 53)  // never ended: stops when the track ends
      .End(150);
  EXPECT_EQ(Listing(Parse(MidiFile(0, 200, {t}))), (L{"+60@0/50", "+60@0/51", "-60@250/64", "-60@250/64", "+62@250/52",
                                                      "-62@250/64", "+64@375/53", "-64@750/0"}));
  // A key struck again at the moment it is released: the release comes first.
  TrackBuilder r;
  r.On(0, 60, 50).On(100, 60, 51).Off(0, 60).Off(100, 60).End();
  EXPECT_EQ(Listing(Parse(MidiFile(0, 200, {r}))), (L{"+60@0/50", "-60@250/64", "+60@250/51", "-60@500/64"}));
}

TEST(StandardMidiFileReader, ChunkLayoutTolerances) {
  TrackBuilder t;
  t.On(0, 60, 64).Off(96, 60).End();
  // A longer header, an unknown chunk before the track, no end-of-track
  // event, and bytes after the last announced track are all read past.
  Bytes header = {0, 0, 0, 1, 0, 96, 0xAA, 0xBB};
  Bytes file;
  test::AppendChunk(file, "MThd", header);
  test::AppendChunk(file, "XFIH", {1, 2, 3});
  TrackBuilder noEnd;
  noEnd.On(0, 60, 64).Off(96, 60);
  test::AppendChunk(file, "MTrk", noEnd.data);
  file.insert(file.end(), {'j', 'u', 'n', 'k'});
  EXPECT_EQ(Listing(Parse(file)), (L{"+60@0/64", "-60@500/64"}));
}

TEST(StandardMidiFileReader, BadFilesGiveAMessageNamingTheFile) {
  TrackBuilder t;
  t.On(0, 60, 64).Off(96, 60).End();
  const Bytes good = MidiFile(1, 96, {t, t});
  auto errorOf = [](const Bytes& b) {
    const auto r = ParseStandardMidiFile(b, "/data/take 3.mid");
    EXPECT_FALSE(r.Ok());
    EXPECT_TRUE(r.events.empty());
    EXPECT_NE(r.error.find("\"/data/take 3.mid\""), std::string::npos) << r.error;
    return r.error;
  };

  // Every truncation of a good file fails cleanly.
  for (std::size_t n = 0; n < good.size(); ++n) errorOf(Bytes(good.begin(), good.begin() + n));
  EXPECT_NE(errorOf(Bytes(good.begin(), good.end() - 3)).find("cut short"), std::string::npos);

  Bytes lyingHeader = good;
  lyingHeader[4] = 0x7F;  // the header claims about 2 GB
  EXPECT_NE(errorOf(lyingHeader).find("header claims 2130706438 bytes"), std::string::npos);
  Bytes shortHeader = good;
  shortHeader[7] = 4;
  EXPECT_NE(errorOf(shortHeader).find("fewer than the 6"), std::string::npos);
  Bytes moreTracks = good;
  moreTracks[11] = 3;  // announces three tracks, holds two
  EXPECT_NE(errorOf(moreTracks).find("announces 3 tracks"), std::string::npos);
  Bytes lyingTrack = MidiFile(0, 96, {t});
  lyingTrack[21] += 4;  // the track claims more bytes than follow
  errorOf(lyingTrack);

  EXPECT_NE(errorOf(MidiFile(2, 96, {t})).find("format 2"), std::string::npos);
  EXPECT_NE(errorOf(MidiFile(0, 0, {t})).find("division"), std::string::npos);
  EXPECT_NE(errorOf(MidiFile(0, 96, {})).find("no notes"), std::string::npos);
  TrackBuilder silent;
  silent.Tempo(0, 400000).Off(10, 60).On(0, 61, 0).End();
  EXPECT_NE(errorOf(MidiFile(0, 96, {silent})).find("no notes"), std::string::npos);
  TrackBuilder noStatus;
  noStatus.Raw(0, {60, 64});
  EXPECT_NE(errorOf(MidiFile(0, 96, {noStatus})).find("without a status byte"), std::string::npos);
  TrackBuilder longTime{Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 64}};
  errorOf(MidiFile(0, 96, {longTime}));
  TrackBuilder statusInData;
  statusInData.Raw(0, {0x90, 60, 0x90});
  errorOf(MidiFile(0, 96, {statusInData}));
  TrackBuilder hugeMeta;
  hugeMeta.Raw(0, {0xFF, 0x01, 0x8F, 0xFF, 0xFF, 0x7F});
  errorOf(MidiFile(0, 96, {hugeMeta}));
  TrackBuilder realtime;
  realtime.Raw(0, {0xF8});
  EXPECT_NE(errorOf(MidiFile(0, 96, {realtime})).find("0xF8"), std::string::npos);
  EXPECT_NE(errorOf(Bytes{'a', ',', 'b'}).find("MThd"), std::string::npos);
}

TEST(StandardMidiFileReader, DamagedBytesNeverCrashTheReader) {
  TrackBuilder t;
  t.Tempo(0, 600000).On(0, 60, 64).Raw(10, {62, 70}).Off(96, 60).Raw(0, {0xF0, 1, 0xF7}).On(5, 64, 1).End();
  const Bytes good = MidiFile(1, 96, {t, t});
  std::mt19937 random(11);
  for (int trial = 0; trial < 20000; ++trial) {
    Bytes b = good;
    for (int k = 0, n = 1 + trial % 4; k < n; ++k) b[random() % b.size()] = static_cast<std::uint8_t>(random());
    const auto r = Parse(b);
    if (r.Ok()) {
      ASSERT_GE(r.events.size(), 1u);
      for (std::size_t i = 1; i < r.events.size(); ++i) ASSERT_GE(r.events[i].timeMs, r.events[i - 1].timeMs);
    }
  }
}

TEST(StandardMidiFileReader, RecognisesAndReadsFilesByContent) {
  const test::TempDir folder("rp_smf_test_");
  const std::filesystem::path dir = folder.Path();
  TrackBuilder t;
  t.On(0, 60, 64).Off(96, 60).End();
  const Bytes midi = MidiFile(0, 96, {t});
  const auto write = [&](const char* name, const Bytes& b) {
    std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
    return (dir / name).string();
  };
  const std::string misnamed = write("performance.txt", midi);
  const std::string listing = write("listing.mid", Bytes{'1', ';', ' ', '/', '*'});
  const std::string empty = write("empty.mid", {});
  EXPECT_TRUE(IsStandardMidiFile(misnamed));
  EXPECT_FALSE(IsStandardMidiFile(listing));
  EXPECT_FALSE(IsStandardMidiFile(empty));
  EXPECT_FALSE(IsStandardMidiFile((dir / "missing.mid").string()));
  EXPECT_EQ(Listing(ReadStandardMidiFile(misnamed)), (L{"+60@0/64", "-60@500/64"}));
  const auto missing = ReadStandardMidiFile((dir / "missing.mid").string());
  EXPECT_NE(missing.error.find("missing.mid\": the file cannot be opened"), std::string::npos) << missing.error;
  EXPECT_NE(ReadStandardMidiFile(dir.string()).error.find("cannot be"), std::string::npos);
  std::filesystem::resize_file(write("huge.mid", midi), kMaxMidiFileBytes + 1);  // sparse: costs no disk
  EXPECT_NE(ReadStandardMidiFile((dir / "huge.mid").string()).error.find("more than the 64 MB"), std::string::npos);
}

}  // namespace
}  // namespace rp
