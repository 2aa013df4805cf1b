// SPDX-License-Identifier: GPL-3.0-or-later
// A real sound server for the listening tests: what pacat plays into a
// private PulseAudio server's null sink comes back through parec with the
// same intervals, so a later failure of a listening test is the program's.

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "support/OnsetFinder.h"
#include "support/PulseAudioServer.h"
#include "support/TempDir.h"

namespace rp::test {
namespace {

constexpr int kRate = 44100;

TEST(PulseAudioCapture, WhatIsPlayedComesBackWithItsIntervals) {
  PulseAudioServer server;
  if (!server.Start()) GTEST_SKIP() << "no private sound server: " << server.Why();
  TempDir dir("rp_capture_");
  const std::vector<std::size_t> starts = {4410, 4410 + 6615, 4410 + 6615 + 10584, 4410 + 6615 + 10584 + 8820};
  const auto notes = ToneBursts(starts, starts.back() + kRate / 2, kRate);
  const std::string wav = dir.Path() + "/notes.raw";
  std::ofstream(wav, std::ios::binary)
      .write(reinterpret_cast<const char*>(notes.data()), std::streamsize(notes.size() * 2));

  SinkRecorder recorder(server);
  ASSERT_TRUE(recorder.Start(dir.Path() + "/capture.raw"));
  ASSERT_TRUE(recorder.WaitForSamples(kRate / 10)) << "the recorder delivered nothing";
  const std::size_t before = recorder.Samples().size();
  auto env = server.ClientEnvironment();
  ASSERT_EQ(RunToEnd({"pacat", "--playback", "--raw", "--format=s16le", "--rate=44100", "--channels=1", "-s",
                      server.ServerAddress(), "-d", server.SinkName(), wav},
                     env, std::chrono::seconds(60)),
            0);
  // Everything played has come back (a busy machine may deliver it late).
  EXPECT_TRUE(recorder.WaitForSamples(before + notes.size()));
  recorder.Stop();
  const auto onsets = FindOnsets(recorder.Samples(), SinkRecorder::kRate);
  ASSERT_EQ(onsets.size(), starts.size());
  for (std::size_t i = 1; i < starts.size(); ++i) {
    EXPECT_NEAR(onsets[i] - onsets[i - 1], 1000.0 * double(starts[i] - starts[i - 1]) / kRate, 1.0)
        << "a gap in the stream (an underrun on a busy machine) would show here";
  }
}

}  // namespace
}  // namespace rp::test
