// SPDX-License-Identifier: GPL-3.0-or-later
// Recordings read as performances, through the recording module as the
// programs load it: a made-up performance of known onsets written in every
// format, many channels, and audio files that are damaged or hold nothing.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/PerformanceLoader.h"
#include "analysis/Reanalysis.h"
#include "app/ExportEvents.h"
#include "app/ExportOnsets.h"
#include "model/Performance.h"
#include "support/RecordingProgressSink.h"
#include "support/TempDir.h"

namespace rp {
namespace {

constexpr int kRate = 44100;

// A square wave that starts at full strength and dies away, 40 ms to 1/e.
constexpr double kDecaySeconds = 0.04;

struct Tone {
  double onsetMs;
  double amplitude;  // at the onset
  double frequency;
  int channel = -1;  // -1: every channel
};

// Onsets 150 to 600 ms apart, and a chord spread over 20 ms, which is one
// event; every tone has died away before the next begins.
const std::vector<Tone> kPerformance = {
    {100, 0.5, 220},  {400, 0.25, 330}, {620, 0.8, 262},  {640, 0.4, 392},   {1000, 0.1, 294},
    {1250, 0.6, 440}, {1700, 0.3, 196}, {1850, 0.9, 523}, {2300, 0.05, 349}, {2900, 0.7, 247},
};
// The events: every tone but the chord's second.
const std::vector<std::size_t> kEventTones = {0, 1, 2, 4, 5, 6, 7, 8, 9};

std::vector<float> Render(const std::vector<Tone>& tones, int channels, double seconds) {
  std::vector<float> frames(static_cast<std::size_t>(seconds * kRate) * static_cast<std::size_t>(channels));
  for (const Tone& tone : tones) {
    const auto start = static_cast<std::size_t>(tone.onsetMs * kRate / 1000.0);
    for (std::size_t n = 0; n < static_cast<std::size_t>(0.4 * kRate); ++n) {
      const double t = static_cast<double>(n) / kRate;
      const double envelope = std::exp(-t / kDecaySeconds);
      const double square = std::fmod(t * tone.frequency, 1.0) < 0.5 ? 1.0 : -1.0;
      const std::size_t frame = start + n;
      if (frame * static_cast<std::size_t>(channels) >= frames.size()) break;
      for (int c = 0; c < channels; ++c) {
        if (tone.channel < 0 || tone.channel == c) {
          frames[frame * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] +=
              static_cast<float>(tone.amplitude * envelope * square);
        }
      }
    }
  }
  return frames;
}

// The loudness of a tone: the RMS of its first 10 ms, its loudest.
double LoudnessDb(double amplitude) {
  const double window = 0.01;
  const double meanSquare = (1 - std::exp(-2 * window / kDecaySeconds)) * kDecaySeconds / (2 * window);
  return 20 * std::log10(amplitude * std::sqrt(meanSquare));
}

std::string Write(const std::string& path, int format, const std::vector<float>& frames, int channels,
                  int rate = kRate) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  EXPECT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
  if (file == nullptr) return path;
  sf_writef_float(file, frames.data(), static_cast<sf_count_t>(frames.size() / static_cast<std::size_t>(channels)));
  sf_close(file);
  return path;
}

struct Loaded {
  LoadResult result;
  Performance performance = Performance::Empty();
};

Loaded Load(const std::string& path, ProgressSink* progress = nullptr) {
  Loaded l;
  l.result = LoadPerformanceFile(path, l.performance, progress);
  return l;
}

TEST(RecordingRead, EveryFormatFindsEveryEventWithin10MsAndItsLoudness) {
  test::TempDir dir;
  const std::vector<float> sound = Render(kPerformance, 2, 3.5);
  struct Case {
    const char* name;
    int format;
    double loudnessTolerance;
  };
  for (const Case& c :
       {Case{"p.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0.01}, Case{"p.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 0.01},
        Case{"p.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 1.5},
        Case{"p.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 1.5}}) {
    const Loaded l = Load(Write(dir.Path(c.name), c.format, sound, 2));
    ASSERT_TRUE(l.result.Ok()) << c.name << ": " << l.result.message;
    const Performance& p = l.performance;
    EXPECT_EQ(p.velocityKind, VelocityKind::Decibel);
    ASSERT_EQ(p.EventCount(), static_cast<std::int32_t>(kEventTones.size())) << c.name;
    for (std::size_t k = 0; k < kEventTones.size(); ++k) {
      const Tone& tone = kPerformance[kEventTones[k]];
      const OnsetEvent& e = p.events[k];
      EXPECT_NEAR(e.onsetMs, tone.onsetMs, 10.0) << c.name << " event " << k + 1;
      EXPECT_NEAR(e.velocity0, LoudnessDb(tone.amplitude), c.loudnessTolerance) << c.name << " event " << k + 1;
    }
  }
}

TEST(RecordingRead, OtherOnsetSettingsFindTheOnsetsAgainFromTheFile) {
  test::TempDir dir;
  Loaded l = Load(Write(dir.Path("p.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, Render(kPerformance, 1, 3.5), 1));
  ASSERT_TRUE(l.result.Ok()) << l.result.message;
  AnalysisSettings settings = l.performance.settings;
  settings.onsets.minIoiMs = 500;
  EXPECT_EQ(Reanalyse(l.performance, settings), "");
  std::vector<double> onsets;
  for (std::int32_t k = 1; k <= l.performance.EventCount(); ++k) onsets.push_back(l.performance.events[k - 1].onsetMs);
  EXPECT_EQ(onsets, (std::vector<double>{100, 620, 1250, 1850, 2900}));
}

TEST(RecordingRead, ChannelsAreMixedByTheirMeanAndTheExportsSayDecibels) {
  test::TempDir dir;
  // Eight channels: one tone in channel 5 only, one in all of them.
  const std::string path = Write(dir.Path("eight.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT,
                                 Render({{200, 0.8, 300, 5}, {700, 0.5, 400}}, 8, 1.2), 8);
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(ExportOnsets({path}, out, err), 0) << err.str();
  std::istringstream rows(out.str());
  std::string header;
  std::getline(rows, header);
  EXPECT_EQ(header, "onset,time_ms,strength,loudness_db");
  std::vector<std::vector<double>> onsets;
  for (std::string row; std::getline(rows, row);) {
    std::vector<double> values;
    std::istringstream fields(row);
    for (std::string field; std::getline(fields, field, ',');) values.push_back(std::stod(field));
    onsets.push_back(values);
  }
  ASSERT_EQ(onsets.size(), 2u) << out.str();
  EXPECT_NEAR(onsets[0][1], 200, 10);
  EXPECT_GT(onsets[0][2], 0);
  EXPECT_NEAR(onsets[0][3], LoudnessDb(0.8 / 8), 0.01);
  EXPECT_NEAR(onsets[1][3], LoudnessDb(0.5), 0.01);

  // The events carry the loudness in their velocity columns.
  std::ostringstream events;
  ASSERT_EQ(ExportEvents({path}, events, err), 0) << err.str();
  EXPECT_NE(events.str().find("\n1,200,"), std::string::npos) << events.str();
  EXPECT_NE(events.str().find(",-21.04,"), std::string::npos) << events.str();
  EXPECT_NE(events.str().find(",-7.06,"), std::string::npos) << events.str();
}

TEST(RecordingRead, BadAudioIsRefusedWithAReasonAndChangesNothing) {
  test::TempDir dir;
  const std::vector<float> sound = Render(kPerformance, 1, 3.5);
  const std::string whole = Write(dir.Path("whole.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, sound, 1);
  std::string bytes;
  {
    std::ostringstream copy;
    copy << std::ifstream(whole, std::ios::binary).rdbuf();
    bytes = copy.str();
  }
  // A WAV header for a sample rate of 1 Hz, with 100 samples of data.
  std::string oneHertz = bytes.substr(0, 44 + 200);
  oneHertz[24] = 1;
  oneHertz[25] = oneHertz[26] = oneHertz[27] = 0;
  oneHertz[28] = 2;
  oneHertz[29] = oneHertz[30] = oneHertz[31] = 0;
  oneHertz[40] = static_cast<char>(200);
  oneHertz[41] = oneHertz[42] = oneHertz[43] = 0;
  std::string wrongHeader = bytes.substr(0, 400);
  for (std::size_t i = 12; i < 40; ++i) wrongHeader[i] = static_cast<char>(0xA5);

  struct Case {
    std::string path;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {dir.Write("cut.wav", bytes.substr(0, bytes.size() / 2)), "cut short"},
      {dir.Write("wrong.wav", wrongHeader), "not a recording returnplot can read"},
      {Write(dir.Path("zero.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, {}, 1), "no sound"},
      {dir.Write("onehertz.wav", oneHertz), "1 Hz"},
      {Write(dir.Path("silence.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, std::vector<float>(kRate), 1),
       "only silence"},
  };
  for (const Case& c : cases) {
    Loaded l = Load(whole);
    ASSERT_TRUE(l.result.Ok()) << l.result.message;
    const std::int32_t events = l.performance.EventCount();
    l.result = LoadPerformanceFile(c.path, l.performance);
    EXPECT_EQ(l.result.status, LoadStatus::CannotOpen) << c.path;
    EXPECT_NE(l.result.message.find(c.path), std::string::npos) << l.result.message;
    EXPECT_NE(l.result.message.find(c.reason), std::string::npos) << l.result.message;
    EXPECT_EQ(l.performance.EventCount(), events) << c.path;
    EXPECT_EQ(l.performance.sourcePath, whole) << c.path;

    // The command line: one line on stderr, nothing on stdout, a failure status.
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_NE(ExportEvents({c.path}, out, err), 0) << c.path;
    EXPECT_EQ(out.str(), "") << c.path;
    const std::string message = err.str();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
  }

  // Cancelled half-way through the progress window: nothing changes either.
  Loaded l = Load(whole);
  RecordingProgressSink progress;
  progress.cancelFrom = 500;
  const std::string longer =
      Write(dir.Path("long.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, Render(kPerformance, 1, 60), 1);
  EXPECT_EQ(LoadPerformanceFile(longer, l.performance, &progress).status, LoadStatus::Cancelled);
  EXPECT_EQ(l.performance.sourcePath, whole);
  EXPECT_EQ(l.performance.EventCount(), static_cast<std::int32_t>(kEventTones.size()));
}

TEST(RecordingRead, AFileNoReaderKnowsIsRefusedAndTextWithoutNotesWarns) {
  test::TempDir dir;
  Loaded binary = Load(dir.Write("picture.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
  EXPECT_EQ(binary.result.status, LoadStatus::Unrecognised);
  EXPECT_NE(binary.result.message.find("ASCII MIDI listing"), std::string::npos) << binary.result.message;
  EXPECT_NE(binary.result.message.find("recording"), std::string::npos) << binary.result.message;

  Loaded text = Load(dir.Write("notes.txt", "no notes in here\n"));
  EXPECT_TRUE(text.result.Ok());
  EXPECT_NE(text.result.warning.find("no note line"), std::string::npos) << text.result.warning;
  EXPECT_EQ(text.performance.EventCount(), 0);
}

}  // namespace
}  // namespace rp
