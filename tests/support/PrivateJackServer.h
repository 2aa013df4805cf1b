// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private JACK server for tests of the real MIDI path: the dummy driver (no
// sound card) and a name of its own, started and stopped by its process id.
// It asks for real-time scheduling (granted to root and to users with an
// rtprio limit, and silently done without otherwise): without it, on a busy
// machine the dummy driver's cycles come up to a dozen ms late, and no
// check of MIDI timing within one period could hold. Clients in this process and the children it
// starts reach it through JACK_DEFAULT_SERVER once UseInThisProcess() has run.

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/EnvironmentOverride.h"
#include "support/TempDir.h"

namespace rp::test {

class PrivateJackServer {
 public:
  static constexpr int kRate = 44100;
  static constexpr int kPeriod = 256;  // frames per cycle, unless given

  explicit PrivateJackServer(int periodFrames = kPeriod);
  ~PrivateJackServer();
  PrivateJackServer(const PrivateJackServer&) = delete;
  PrivateJackServer& operator=(const PrivateJackServer&) = delete;

  // Starts the server and waits until jack_lsp reaches it. False, with Why()
  // set, when jackd is not installed or does not come up within `timeout`.
  bool Start(std::chrono::milliseconds timeout = std::chrono::seconds(20));
  void Stop();
  const std::string& Why() const { return why_; }
  const std::string& Name() const { return name_; }
  int PeriodFrames() const { return period_; }

  // What a client process needs in its environment to use this server.
  std::map<std::string, std::string> ClientEnvironment() const;
  // Points this process's JACK clients at the server; the old value comes
  // back on Stop().
  void UseInThisProcess();

  // Starts a JACK client program of the test (jack_midiseq, jack_midi_dump)
  // on this server and waits until `port` is listed. Its output goes to
  // `stdoutPath`.
  bool StartClient(ChildProcess& client, const std::vector<std::string>& argv, const std::string& port,
                   const std::string& stdoutPath = "");
  // The server's ports (jack_lsp).
  std::vector<std::string> Ports() const;
  bool Connect(const std::string& from, const std::string& to) const;
  // How many xruns the server has logged since it started. With the dummy
  // driver on a busy machine a late cycle leaves the server's frame clock
  // behind the wall clock by the time it stalled: every later time stamp is
  // shifted by that many whole periods. A timing check allows exactly that
  // and nothing more, so that the program's own lateness still fails.
  int XrunsLogged() const;
  // The allowance of a timing check: `tolerance` plus the shift the logged
  // xruns explain (each stall the driver timed, rounded up to whole periods;
  // one period for an xrun logged without its length).
  double AllowedMs(double toleranceMs) const;
  // Whether `deviationMs` lies within AllowedMs(toleranceMs). jackd writes
  // its log from a thread of its own, so a deviation beyond the tolerance
  // waits up to two seconds for the xruns that may explain it.
  bool Explains(double deviationMs, double toleranceMs) const;

 private:
  std::string name_;
  int period_;
  std::unique_ptr<TempDir> dir_;
  ChildProcess server_;
  std::string why_;
  EnvironmentOverride environment_;
};

}  // namespace rp::test
