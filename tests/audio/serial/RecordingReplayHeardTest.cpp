// SPDX-License-Identifier: GPL-3.0-or-later
// A recording replayed into a private sound server: its tones are heard in
// the capture, and each event becomes current within 30 ms of where its
// tone is heard, at the recorded speed and faster (time-stretched).

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "analysis/OnsetAnalysis.h"
#include "analysis/RecordingPerformance.h"
#include "audio/RecordingPlayer.h"
#include "support/OnsetFinder.h"
#include "support/PulseAudioServer.h"
#include "support/ReplayEngineRig.h"
#include "support/TempDir.h"

namespace rp::test {
namespace {

constexpr int kRate = 44100;
// Tones at irregular times, the first one a little into the file.
const std::vector<double> kOnsetsMs = {400, 730, 1150, 1420, 1900, 2230, 2700};

void WriteTones(const std::string& path) {
  std::vector<std::size_t> starts;
  for (double ms : kOnsetsMs) starts.push_back(static_cast<std::size_t>(ms * kRate / 1000));
  const std::vector<std::int16_t> samples = ToneBursts(starts, 3200 * kRate / 1000, kRate);
  SF_INFO info{};
  info.samplerate = kRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr);
  sf_write_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(file);
}

double SamplesToMs(std::size_t samples) { return 1000.0 * static_cast<double>(samples) / SinkRecorder::kRate; }

void ExpectEventsCurrentAsHeard(int speed, double factor) {
  PulseAudioServer server;
  if (!server.Start()) GTEST_SKIP() << "no private sound server: " << server.Why();
  server.UseInThisProcess();
  TempDir dir("rp_recording_heard_");
  const std::string wav = dir.Path() + "/tones.wav";
  WriteTones(wav);

  ReplayEngineRig rig;
  Performance& performance = rig.performance;
  // The tones' own onsets (finding them is not the concern here).
  std::vector<DetectedOnset> onsets;
  for (double ms : kOnsetsMs) onsets.push_back({ms, 1.0, -20.0});
  TakeRecordingOnsets(onsets, performance);
  performance.sourcePath = wav;
  AnalyseOnsets(performance);
  ASSERT_EQ(performance.EventCount(), static_cast<std::int32_t>(kOnsetsMs.size()));

  rig.position.currentEvent = 0;
  rig.controls.speed = speed;
  rig.controls.deviceEntry = 0;  // "Synth A", a MIDI device: it does not apply to a recording
  RecordingPlayer player(rig.ui.Poster());
  rig.engine.SetRecordingReplay(&player);
  struct Detach {
    ReplayEngine& engine;
    ~Detach() { engine.SetRecordingReplay(nullptr); }
  } detach{rig.engine};

  SinkRecorder recorder(server);
  ASSERT_TRUE(recorder.Start(dir.Path() + "/capture.raw"));
  ASSERT_TRUE(recorder.WaitForSamples(kRate / 5));
  rig.engine.Play();
  // Where in the capture each event became current.
  std::vector<double> currentMs;
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  std::size_t seen = 0;
  while (!rig.states.Is(ProgramState::Idle) && std::chrono::steady_clock::now() < limit) {
    rig.ui.Drain();
    for (; seen < rig.view.calls.size(); ++seen) {
      if (rig.view.calls[seen].rfind("tail ", 0) == 0) currentMs.push_back(SamplesToMs(recorder.SamplesSoFar()));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_TRUE(recorder.WaitForSamples(recorder.SamplesSoFar() + kRate / 5));
  recorder.Stop();
  ASSERT_TRUE(rig.states.Is(ProgramState::Idle)) << "the replay did not end";
  ASSERT_TRUE(rig.dialogs.messages.empty()) << rig.dialogs.messages.front().text;
  EXPECT_EQ(rig.position.currentEvent, performance.EventCount() - 1);
  EXPECT_TRUE(rig.backend.SentMessages().empty());

  const std::vector<double> heard = FindOnsets(recorder.Samples(), SinkRecorder::kRate);
  ASSERT_EQ(currentMs.size(), kOnsetsMs.size());
  ASSERT_GE(heard.size(), kOnsetsMs.size());
  double worst = 0.0;
  for (std::size_t i = 0; i < currentMs.size(); ++i) {
    const auto nearest = std::min_element(heard.begin(), heard.end(), [&](double a, double b) {
      return std::fabs(a - currentMs[i]) < std::fabs(b - currentMs[i]);
    });
    EXPECT_NEAR(currentMs[i], *nearest, 30.0) << "event " << i + 1;
    worst = std::max(worst, std::fabs(currentMs[i] - *nearest));
    if (i > 0) {
      EXPECT_NEAR(currentMs[i] - currentMs[i - 1], (kOnsetsMs[i] - kOnsetsMs[i - 1]) / factor, 30.0)
          << "event " << i + 1;
    }
  }
  std::printf("events current within %.1f ms of their heard onsets\n", worst);
}

TEST(RecordingReplayHeard, EachEventCurrentAsItsOnsetIsHeard) { ExpectEventsCurrentAsHeard(0, 1.0); }

TEST(RecordingReplayHeard, TwiceAsFastWithThePitchKept) { ExpectEventsCurrentAsHeard(1000, 2.0); }

}  // namespace
}  // namespace rp::test
