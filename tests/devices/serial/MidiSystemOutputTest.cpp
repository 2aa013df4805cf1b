// SPDX-License-Identifier: GPL-3.0-or-later
// Replay through a real MIDI system (a private JACK server, or the ALSA
// sequencer where this machine has one): a listening client of the test with
// a port of its own, and the program's output port and RtMidi backend
// sending to it.

#include <RtMidi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "devices/RtMidiBackend.h"
#include "io/StandardMidiFileReader.h"
#include "replay/MidiOutputPort.h"
#include "replay/ReplayMessages.h"
#include "support/ChildProcess.h"
#include "support/ManualUiQueue.h"
#include "support/PrivateJackServer.h"
#include "support/TempDir.h"
#include "support/TestDataFiles.h"
#include "support/WaitFor.h"

namespace rp::test {
namespace {

using namespace std::chrono_literals;

constexpr double kPeriodMs = 1000.0 * PrivateJackServer::kPeriod / PrivateJackServer::kRate;

// A JACK client of the test with one MIDI input port; it keeps what arrives
// with RtMidi's time stamps (the time of the cycle that carried it).
class Listener {
 public:
  explicit Listener(RtMidi::Api api) : in_(api, "rp_listener") {
    in_.setCallback(&Listener::OnMessage, this);
    in_.openVirtualPort("in");
  }
  struct Received {
    double ms;  // after the first message
    std::vector<unsigned char> bytes;
  };
  std::vector<Received> Got() {
    std::lock_guard lock(mutex_);
    return got_;
  }

 private:
  static void OnMessage(double delta, std::vector<unsigned char>* bytes, void* self) {
    auto* l = static_cast<Listener*>(self);
    std::lock_guard lock(l->mutex_);
    l->clockMs_ += l->got_.empty() ? 0.0 : delta * 1000.0;
    l->got_.push_back({l->clockMs_, *bytes});
  }
  RtMidiIn in_;
  std::mutex mutex_;
  double clockMs_ = 0;
  std::vector<Received> got_;
};

// The replay to a port of the test's listener, and what arrived, in order.
// `server` is the private JACK server it goes through, if any: its xruns
// widen the timing check by whole periods.
void ReplayReachesTheListener(const std::string& api, const PrivateJackServer* server = nullptr) {
  Listener listener(api == "JACK" ? RtMidi::UNIX_JACK : RtMidi::LINUX_ALSA);
  RtMidiBackend backend;  // lists the ports there are when it is made
  ASSERT_EQ(backend.ApiName(), api);
  int device = -1;
  for (int i = 0; i < backend.DeviceCount(); ++i) {
    if (backend.DeviceName(i).find("rp_listener") != std::string::npos) device = i;
  }
  ASSERT_GE(device, 0) << "the output list lacks the test client's port";

  SteadyReplayClock clock;
  ManualUiQueue ui;
  bool ended = false;
  std::string error;
  MidiOutputPort port(backend, clock, ui.Poster());
  port.SetNotifications({[&](MidiError, const std::string& text) { error = text; }, nullptr, [&] { ended = true; }});
  port.SetDeviceIndex(device);
  port.Open();
  ui.Drain();
  ASSERT_EQ(port.State(), PortState::Open) << error;
  // A phrase with a chord, uneven gaps and gaps shorter than one period.
  const std::vector<MidiMessage> phrase = {{1, 0, 144, 60, 80},    {0, 1, 144, 64, 70},   {0, 180, 128, 60, 0},
                                           {0, 183, 128, 64, 0},   {2, 250, 144, 67, 90}, {0, 420, 128, 67, 0},
                                           {3, 437, 144, 72, 100}, {0, 900, 128, 72, 0}};
  for (const auto& m : phrase) port.Append(m);
  port.Start();
  WaitFor(
      [&] {
        ui.Drain();
        return ended;
      },
      30s, 10ms);
  ASSERT_TRUE(ended) << error;
  WaitFor([&] { return listener.Got().size() >= phrase.size(); }, 5s);  // the last cycle reaches the listener

  const auto got = listener.Got();
  ASSERT_EQ(got.size(), phrase.size());
  // Each message leaves with the first cycle after its time: all are equally
  // late against the schedule give or take one period. The time stamps are
  // those of the cycles, which the dummy driver wakes up to late on a busy
  // machine: up to 3 ms beyond the period were seen with busy loops and a
  // build on two cores (7.4 to 8.9 ms at 5.8 ms periods), so 3.5 ms are
  // allowed; a message a whole period late still fails.
  std::vector<double> lateness;
  for (std::size_t i = 0; i < got.size(); ++i) {
    const auto& m = phrase[i];
    EXPECT_EQ(got[i].bytes,
              (std::vector<unsigned char>{std::uint8_t(m.status), std::uint8_t(m.data1), std::uint8_t(m.data2)}))
        << "message " << i;
    lateness.push_back(got[i].ms - m.timeMs);
  }
  const auto [early, late] = std::minmax_element(lateness.begin(), lateness.end());
  const double spread = *late - *early;
  EXPECT_TRUE(server != nullptr ? server->Explains(spread, kPeriodMs + 3.5) : spread <= kPeriodMs + 3.5)
      << spread << " ms; xruns logged by the server: " << (server != nullptr ? server->XrunsLogged() : 0);
}

TEST(MidiSystemOutput, ThroughJackTheListShowsATestClientsPortAndAReplayReachesItInOrderWithinOnePeriod) {
  if (std::filesystem::exists("/dev/snd/seq")) {
    GTEST_SKIP() << "skipped: this machine has an ALSA sequencer, which the program talks to before JACK";
  }
  PrivateJackServer server;
  if (!server.Start()) GTEST_SKIP() << "skipped: no private JACK server: " << server.Why();
  server.UseInThisProcess();
  ReplayReachesTheListener("JACK", &server);
}

TEST(MidiSystemOutput, AMidiFilesPedalsReachAJackPortInOrderAndInTime) {
  if (std::filesystem::exists("/dev/snd/seq")) {
    GTEST_SKIP() << "skipped: this machine has an ALSA sequencer, which the program talks to before JACK";
  }
  // Periods of 2.9 ms, so that a cycle's own lateness stays well within 5 ms.
  PrivateJackServer server(128);
  if (!server.Start()) GTEST_SKIP() << "skipped: no private JACK server: " << server.Why();
  server.UseInThisProcess();
  TempDir dir;
  ChildProcess dump;
  ASSERT_TRUE(server.StartClient(dump, {"jack_midi_dump", "-a", "rp_dump"}, "rp_dump:input", dir.Path("dump.txt")));

  // The replay of the file from its first note: pedals and notes by time.
  const MidiFileReadResult file = ReadStandardMidiFile(DataFile("sustained_note.mid"));
  ASSERT_TRUE(file.Ok()) << file.error;
  Performance performance;
  performance.notes = file.events;
  performance.controllers = file.controllers;
  std::vector<MidiMessage> replay;
  ForEachReplayMessage(performance, 0, performance.notes.size() - 1, 1.0,
                       [&replay](const MidiMessage& m) { replay.push_back(m); });
  ASSERT_EQ(replay.size(), 9u);

  RtMidiBackend backend;
  int device = -1;
  for (int i = 0; i < backend.DeviceCount(); ++i) {
    if (backend.DeviceName(i).find("rp_dump") != std::string::npos) device = i;
  }
  ASSERT_GE(device, 0);
  SteadyReplayClock clock;
  ManualUiQueue ui;
  bool ended = false;
  MidiOutputPort port(backend, clock, ui.Poster());
  port.SetNotifications({nullptr, nullptr, [&] { ended = true; }});
  port.SetDeviceIndex(device);
  port.Open();
  for (const MidiMessage& m : replay) port.Append(m);
  port.Start();
  ASSERT_TRUE(WaitFor(
      [&] {
        ui.Drain();
        return ended;
      },
      30s, 10ms));

  // "FRAME: b0 40 7f ..." per message, in the order it came.
  std::vector<std::pair<double, std::string>> got;
  WaitFor(
      [&] {
        got.clear();
        std::istringstream lines(FileText(dir.Path("dump.txt")));
        for (std::string line; std::getline(lines, line);) {
          const std::size_t colon = line.find(':');
          if (colon == std::string::npos || line.size() < colon + 10) continue;
          got.emplace_back(std::stod(line.substr(0, colon)) * 1000 / PrivateJackServer::kRate,
                           line.substr(colon + 2, 8));
        }
        return got.size() >= replay.size();
      },
      5s);
  ASSERT_EQ(got.size(), replay.size()) << FileText(dir.Path("dump.txt"));
  for (std::size_t i = 0; i < replay.size(); ++i) {
    char bytes[16];
    std::snprintf(bytes, sizeof bytes, "%02x %02x %02x", replay[i].status, replay[i].data1, replay[i].data2);
    EXPECT_EQ(got[i].second, bytes) << "message " << i;
    const double off = (got[i].first - got[0].first) - (replay[i].timeMs - replay[0].timeMs);
    EXPECT_TRUE(server.Explains(off, 5.0))
        << "message " << i << " is " << off << " ms off; xruns logged by the server: " << server.XrunsLogged();
  }
}

// A JACK server that goes away during a replay ends it at once, with one
// message naming the device, as an unplugged instrument does.
TEST(MidiSystemOutput, AJackServerThatGoesAwayEndsTheReplayWithOneMessage) {
  if (std::filesystem::exists("/dev/snd/seq"))
    GTEST_SKIP() << "skipped: this machine has an ALSA sequencer, which the program talks to before JACK";
  PrivateJackServer server;
  if (!server.Start()) GTEST_SKIP() << "skipped: no private JACK server: " << server.Why();
  server.UseInThisProcess();
  int errors = 0;
  int ends = 0;
  std::string error;
  {
    Listener listener(RtMidi::UNIX_JACK);
    RtMidiBackend backend;
    int device = -1;
    for (int i = 0; i < backend.DeviceCount(); ++i) {
      if (backend.DeviceName(i).find("rp_listener") != std::string::npos) device = i;
    }
    ASSERT_GE(device, 0) << "the output list lacks the test client's port";
    SteadyReplayClock clock;
    ManualUiQueue ui;
    MidiOutputPort port(backend, clock, ui.Poster());
    port.SetNotifications({[&](MidiError, const std::string& text) {
                             ++errors;
                             error = text;
                           },
                           nullptr, [&] { ++ends; }});
    port.SetDeviceIndex(device);
    port.Open();
    ui.Drain();
    ASSERT_EQ(port.State(), PortState::Open) << error;
    for (int i = 0; i < 200; ++i) {  // a note every 100 ms for 20 s
      port.Append({0, 100.0 * i, 144, 60, 80});
      port.Append({0, 100.0 * i + 50, 128, 60, 0});
    }
    port.Start();
    WaitFor([&] { return listener.Got().size() >= 4; }, 10s);
    ASSERT_GE(listener.Got().size(), 4U) << "the replay reached the listener";
    server.Stop();
    WaitFor(
        [&] {
          ui.Drain();
          return ends > 0;
        },
        10s, 10ms);
    ui.Drain();
    EXPECT_EQ(ends, 1) << "the replay ended, once";
    EXPECT_EQ(errors, 1) << error;
    EXPECT_NE(error.find("rp_listener"), std::string::npos) << "the message names the device: " << error;
    EXPECT_NE(port.State(), PortState::Replaying);
  }
}

TEST(MidiSystemOutput, ThroughTheAlsaSequencerTheSameHolds) {
  if (!std::filesystem::exists("/dev/snd/seq")) GTEST_SKIP() << "skipped: no ALSA sequencer (/dev/snd/seq) here";
  ReplayReachesTheListener("ALSA");
}

}  // namespace
}  // namespace rp::test
