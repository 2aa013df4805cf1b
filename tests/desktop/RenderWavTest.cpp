// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#ifdef RP_HAVE_SYNTH

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ToAsciiMidi.h"
#include "desktop/RenderWav.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"
#include "support/TestDataFiles.h"
#include "support/WaitFor.h"

namespace rp {
namespace {

// A WAV file as this program writes it: the 44-byte PCM header, then samples.
struct Wav {
  bool pcm16Stereo44k = false;
  std::uint32_t riffSize = 0;
  std::uint32_t dataSize = 0;
  std::vector<std::int16_t> samples;  // interleaved left, right
  std::size_t Frames() const { return samples.size() / 2; }
};

std::uint32_t U32(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
  return v;
}

Wav ReadWav(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Wav w;
  if (b.size() < 44) return w;
  w.riffSize = U32(b, 4);
  w.dataSize = U32(b, 40);
  w.pcm16Stereo44k = b.compare(0, 4, "RIFF") == 0 && b.compare(8, 8, "WAVEfmt ") == 0 && U32(b, 16) == 16 &&
                     U32(b, 20) == (2u << 16 | 1u) && U32(b, 24) == 44100 && U32(b, 28) == 44100 * 4 &&
                     U32(b, 32) == (16u << 16 | 4u) && b.compare(36, 4, "data") == 0;
  for (std::size_t at = 44; at + 1 < b.size(); at += 2) {
    w.samples.push_back(
        static_cast<std::int16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8));
  }
  return w;
}

constexpr int kFramesPerMs = 44;  // 44.1, rounded down: windows of about a millisecond

int PeakOfMs(const Wav& w, std::size_t ms) {
  int peak = 0;
  for (std::size_t i = 2 * ms * kFramesPerMs; i < 2 * (ms + 1) * kFramesPerMs && i < w.samples.size(); ++i) {
    peak = std::max(peak, std::abs(int{w.samples[i]}));
  }
  return peak;
}

// Times (ms) where the sound rises clearly after at least 100 ms of silence
// (dither keeps "silence" within a sample value or two).
std::vector<double> Onsets(const Wav& w) {
  std::vector<double> onsets;
  const std::size_t windows = w.Frames() / kFramesPerMs;
  int quietRun = 100;  // the file starts in silence
  for (std::size_t ms = 0; ms < windows; ++ms) {
    const int peak = PeakOfMs(w, ms);
    if (peak <= 4) {
      ++quietRun;
      continue;
    }
    if (quietRun >= 100 && peak > 4) {
      // The exact frame where it rises inside this window.
      std::size_t f = ms * kFramesPerMs;
      while (std::abs(int{w.samples[2 * f]}) <= 4 && std::abs(int{w.samples[2 * f + 1]}) <= 4) ++f;
      onsets.push_back(static_cast<double>(f) / 44.1);
    }
    quietRun = 0;
  }
  return onsets;
}

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome Render(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RenderWav(args, out, err);
  return {status, out.str(), err.str()};
}

// Three well-separated notes, the first at 1000 ms: a replay starts at that
// note, so the messages go out at 0, 300, 2000, 2300, 4000 and 4300 ms. Keys
// 60 and 64 use piano samples that sound at once (a few others of the
// SoundFont start some 10 ms into their sample).
const char* const kThreeNotes =
    "1; /* 1000 ms */+60 80;\n"
    "2; /* 1300 ms */-60 64;\n"
    "3; /* 3000 ms */+64 80;\n"
    "4; /* 3300 ms */-64 64;\n"
    "5; /* 5000 ms */+60 50;\n"
    "6; /* 5300 ms */-60 64;\n";

TEST(RenderWav, RendersTheReplayWithItsTimesLengthAndTempo) {
  test::TempDir dir;
  const std::string input = dir.Write("three.txt", kThreeNotes);

  const Outcome normal = Render({dir.Path("normal.wav"), input});
  ASSERT_EQ(normal.status, 0) << normal.err;
  EXPECT_NE(normal.out.find("6 messages"), std::string::npos) << normal.out;
  const Wav wav = ReadWav(dir.Path("normal.wav"));
  ASSERT_TRUE(wav.pcm16Stereo44k);
  // Last message at 4300 ms, then 1500 ms of release: 5.8 s.
  EXPECT_EQ(wav.Frames(), 255780u);
  EXPECT_EQ(wav.dataSize, wav.samples.size() * 2);
  EXPECT_EQ(wav.riffSize, wav.dataSize + 36);
  const auto onsets = Onsets(wav);
  ASSERT_EQ(onsets.size(), 3u);
  EXPECT_NEAR(onsets[0], 0, 5);
  EXPECT_NEAR(onsets[1], 2000, 5);
  EXPECT_NEAR(onsets[2], 4000, 5);
  // Not silent, and the soft last note (velocity 50, sent as 75) is softer.
  int firstPeak = 0;
  int lastPeak = 0;
  for (std::size_t ms = 0; ms < 300; ++ms) {
    firstPeak = std::max(firstPeak, PeakOfMs(wav, ms));
    lastPeak = std::max(lastPeak, PeakOfMs(wav, 4000 + ms));
  }
  EXPECT_GT(firstPeak, 1000);
  EXPECT_GT(lastPeak, 50);
  EXPECT_LT(lastPeak, firstPeak);
  // After the release the sound has died away.
  EXPECT_LE(PeakOfMs(wav, 5790), 4);

  // Twice as fast, however written: the replay takes half the time (the
  // 1.5 s of release stay), its notes at 0, 1000 and 2000 ms.
  for (const char* speed : {"2", "2x"}) {
    const Outcome fast = Render({dir.Path("fast.wav"), "--speed", speed, input});
    ASSERT_EQ(fast.status, 0) << fast.err;
    EXPECT_NE(fast.out.find("at 2.00x"), std::string::npos) << fast.out;
    const Wav fastWav = ReadWav(dir.Path("fast.wav"));
    EXPECT_NEAR(static_cast<double>(fastWav.Frames()) / 44100 - 1.5, (5.8 - 1.5) / 2, 0.05) << speed;
    const auto fastOnsets = Onsets(fastWav);
    ASSERT_EQ(fastOnsets.size(), 3u);
    EXPECT_NEAR(fastOnsets[1], 1000, 5);
    EXPECT_NEAR(fastOnsets[2], 2000, 5);
  }

  // A listing of another program plays 1.5 times louder unless told otherwise.
  ASSERT_EQ(Render({dir.Path("as_played.wav"), "--velocity-scale", "1", input}).status, 0);
  const Wav asPlayed = ReadWav(dir.Path("as_played.wav"));
  int asPlayedPeak = 0;
  for (std::size_t ms = 0; ms < 300; ++ms) asPlayedPeak = std::max(asPlayedPeak, PeakOfMs(asPlayed, ms));
  EXPECT_LT(asPlayedPeak, firstPeak * 9 / 10);
}

TEST(RenderWav, RefusesBadArgumentsAndReportsFilesItCannotUse) {
  test::TempDir dir;
  const std::string input = dir.Write("three.txt", kThreeNotes);
  EXPECT_EQ(Render({}).status, 64);
  EXPECT_EQ(Render({dir.Path("a.wav")}).status, 64);
  EXPECT_EQ(Render({dir.Path("a.wav"), input, "extra"}).status, 64);
  EXPECT_EQ(Render({dir.Path("a.wav"), "--speed"}).status, 64);
  for (const char* speed : {"fast", "11", "0.2", "-1", "1000", "2xx", ""}) {
    const Outcome o = Render({dir.Path("a.wav"), "--speed", speed, input});
    EXPECT_EQ(o.status, 64) << speed;
    EXPECT_NE(o.err.find("--speed takes the tempo factor from 0.25 to 10"), std::string::npos) << o.err;
  }
  EXPECT_EQ(Render({dir.Path("a.wav"), "--velocity-scale", "loud", input}).status, 64);
  EXPECT_EQ(Render({dir.Path("a.wav"), dir.Path("missing.txt")}).status, kExitCannotOpen);
  EXPECT_NE(::access(dir.Path("a.wav").c_str(), F_OK), 0);  // nothing written on any of these

  // Swapped arguments, or the input itself under another name, are refused
  // in one line and the input stays as it was.
  const std::string take = dir.Write("take.wav", kThreeNotes);
  std::filesystem::create_hard_link(take, dir.Path("same.wav"));
  for (const auto& args : std::vector<std::vector<std::string>>{
           {input, dir.Path("b.wav")}, {take, take}, {"--speed", "2", dir.Path("same.wav"), take}}) {
    const Outcome o = Render(args);
    EXPECT_EQ(o.status, 64) << args[0];
    EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
  }
  EXPECT_EQ(test::FileText(input), kThreeNotes);
  EXPECT_EQ(test::FileText(take), kThreeNotes);
  EXPECT_NE(::access(dir.Path("b.wav").c_str(), F_OK), 0);

  const Outcome unwritable = Render({dir.Path("no/such/dir/a.wav"), input});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_NE(unwritable.err.find("Cannot write"), std::string::npos) << unwritable.err;

  // An empty file replays nothing: the WAV holds only the release, silent.
  const Outcome empty = Render({dir.Path("empty.wav"), dir.Write("empty.txt", "\n")});
  ASSERT_EQ(empty.status, 0) << empty.err;
  const Wav silent = ReadWav(dir.Path("empty.wav"));
  EXPECT_EQ(silent.Frames(), static_cast<std::size_t>(1500 * 44.1));
  EXPECT_TRUE(Onsets(silent).empty());
}

TEST(RenderWav, LeavesOutKeysAbove127AndSaysSoOnce) {
  test::TempDir dir;
  const std::string input = dir.Write("high.txt",
                                      "1; /* 1000 ms */+60 80;\n2; /* 1300 ms */-60 64;\n"
                                      "3; /* 2000 ms */+200 80;\n4; /* 2300 ms */-200 64;\n"
                                      "5; /* 3000 ms */+230 80;\n");
  const Outcome o = Render({dir.Path("high.wav"), input});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.err, "returnplot: 2 notes with keys above 127 were not sent: MIDI cannot carry them.\n");
  EXPECT_NE(o.out.find("2 messages"), std::string::npos) << o.out;
  EXPECT_EQ(Onsets(ReadWav(dir.Path("high.wav"))).size(), 1u);
}

// Root mean square of both channels from `fromMs` for `ms`.
double Rms(const Wav& w, std::size_t fromMs, std::size_t ms) {
  double sum = 0;
  const std::size_t begin = 2 * fromMs * 441 / 10;
  const std::size_t end = std::min(w.samples.size(), 2 * (fromMs + ms) * 441 / 10);
  for (std::size_t i = begin; i < end; ++i) sum += static_cast<double>(w.samples[i]) * w.samples[i];
  return end > begin ? std::sqrt(sum / static_cast<double>(end - begin)) : 0.0;
}

TEST(RenderWav, TheSustainPedalHoldsANoteAfterItsKeyIsReleased) {
  // One note, its key released at 400 ms under the sustain pedal (let up at
  // 2500 ms). Its listing by this program has the same notes and no pedal.
  test::TempDir dir;
  const std::string file = test::DataFile("sustained_note.mid");
  std::ostringstream listing, err;
  ASSERT_EQ(ToAsciiMidi({file}, listing, err), 0) << err.str();
  const std::string withoutPedal = dir.Write("no_pedal.txt", listing.str());
  ASSERT_EQ(Render({dir.Path("pedal.wav"), file}).status, 0);
  ASSERT_EQ(Render({dir.Path("no_pedal.wav"), withoutPedal}).status, 0);
  const double held = Rms(ReadWav(dir.Path("pedal.wav")), 1400, 100);
  const double released = Rms(ReadWav(dir.Path("no_pedal.wav")), 1400, 100);
  EXPECT_GT(held, 4 * released) << held << " against " << released;
}

TEST(RenderWav, AKilledRenderLeavesTheEarlierFileAsItWasAndAnInterruptedOneNoTemporaryFile) {
  test::TempDir dir;
  std::string notes;
  for (int i = 0; i < 1200; ++i) {
    notes += std::to_string(2 * i + 1) + "; /* " + std::to_string(500 * i) + " ms */+60 80;\n";
    notes += std::to_string(2 * i + 2) + "; /* " + std::to_string(500 * i + 300) + " ms */-60 64;\n";
  }
  const std::string input = dir.Write("ten_minutes.txt", notes);
  const std::string output = dir.Write("out.wav", "an earlier rendering");
  const auto temporaries = [&](std::uintmax_t atLeast) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with("out.wav.") && entry.file_size() >= atLeast) ++count;
    }
    return count;
  };
  // SIGKILL leaves the temporary file (nothing can remove it then); SIGINT
  // and SIGTERM take it with them. Each ends a render that has written a
  // few seconds of sound.
  for (const int signal : {SIGKILL, SIGINT, SIGTERM}) {
    test::ChildProcess render;
    ASSERT_TRUE(render.Start({RP_PROGRAM, "--render-wav", output, input}, {}, "", dir.Path("render.log")));
    ASSERT_TRUE(test::WaitFor([&] { return temporaries(1u << 20) > 0; }, std::chrono::seconds(60)))
        << test::FileText(dir.Path("render.log"));
    ::kill(render.Pid(), signal);
    EXPECT_EQ(render.Wait(std::chrono::seconds(10)), -1) << signal;  // ended by the signal, as the shell sees it
    EXPECT_EQ(test::FileText(output), "an earlier rendering");
    EXPECT_EQ(temporaries(0), signal == SIGKILL ? 1 : 0) << signal;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
      if (entry.path().filename().string().starts_with("out.wav.")) std::filesystem::remove(entry.path());
    }
  }
}

}  // namespace
}  // namespace rp

#endif  // RP_HAVE_SYNTH
