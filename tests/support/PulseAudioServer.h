// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private PulseAudio server for tests that listen to what the program
// plays: its own runtime folder, no configuration script, one null sink
// whose monitor a recorder reads, and the native protocol on a socket in
// that folder. Clients of this process reach it through PULSE_SERVER once
// UseInThisProcess() has run. Stopped by its process id.

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/EnvironmentOverride.h"
#include "support/TempDir.h"

namespace rp::test {

// Gives every thread of process `pid` a low real-time priority where that is
// allowed (root, rtprio), as a desktop's sound server has: on a busy test
// machine the server and the recorder then keep up with the sound.
void RaiseToRealTime(pid_t pid);

class PulseAudioServer {
 public:
  PulseAudioServer();
  ~PulseAudioServer();

  // Starts the server and waits until it answers. False, with Why() set,
  // when pulseaudio is not installed or does not come up within `timeout`.
  bool Start(std::chrono::milliseconds timeout = std::chrono::seconds(20));
  void Stop();
  const std::string& Why() const { return why_; }

  // "unix:<folder>/pulse/native".
  std::string ServerAddress() const;
  const std::string& SinkName() const { return sink_; }
  std::string MonitorSource() const { return sink_ + ".monitor"; }
  // What a client process needs in its environment to use this server.
  std::map<std::string, std::string> ClientEnvironment() const;
  // Points this process's own sound clients (the built-in synthesizer) at
  // the server; the old values come back on Stop().
  void UseInThisProcess();

 private:
  std::unique_ptr<TempDir> dir_;
  ChildProcess server_;
  std::string sink_ = "rp_test_sink";
  std::string why_;
  EnvironmentOverride environment_;
};

// Records the sink's monitor as raw mono 16-bit samples at 44.1 kHz into a
// file, from Start() to Stop().
class SinkRecorder {
 public:
  static constexpr int kRate = 44100;

  explicit SinkRecorder(const PulseAudioServer& server) : server_(server) {}
  bool Start(const std::string& rawPath);
  void Stop();
  // The samples recorded so far (all of them after Stop()).
  std::vector<std::int16_t> Samples() const;
  // Waits until the recorder has delivered `count` samples (it records the
  // sink's silence too), so what is played next is surely heard; false when
  // that takes longer than `timeout` (a starved machine).
  bool WaitForSamples(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;
  // Samples delivered so far; the sample the sink plays at this moment is a
  // little later (the recorder's own latency, up to 10 ms).
  std::size_t SamplesSoFar() const;

 private:
  const PulseAudioServer& server_;
  ChildProcess parec_;
  std::string path_;
};

}  // namespace rp::test
