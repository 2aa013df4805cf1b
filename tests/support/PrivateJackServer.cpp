// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PrivateJackServer.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>

#include "support/WaitFor.h"

namespace rp::test {

namespace {
constexpr auto kPoll = std::chrono::milliseconds(50);
int gServersMade = 0;
}  // namespace

// A name no other test run uses: this process's id and a count.
PrivateJackServer::PrivateJackServer(int periodFrames)
    : name_("rp_test_" + std::to_string(::getpid()) + "_" + std::to_string(++gServersMade)), period_(periodFrames) {}

PrivateJackServer::~PrivateJackServer() { Stop(); }

std::map<std::string, std::string> PrivateJackServer::ClientEnvironment() const {
  return {{"JACK_DEFAULT_SERVER", name_}, {"JACK_NO_START_SERVER", "1"}};
}

bool PrivateJackServer::Start(std::chrono::milliseconds timeout) {
  Stop();
  if (!ProgramOnPath("jackd") || !ProgramOnPath("jack_lsp")) {
    why_ = "jackd or jack_lsp is not installed (Debian package jackd2)";
    return false;
  }
  dir_ = std::make_unique<TempDir>("rp_jack_");
  const std::string log = dir_->Path() + "/jackd.log";
  if (!server_.Start(
          {"jackd", "-R", "-n", name_, "-d", "dummy", "-r", std::to_string(kRate), "-p", std::to_string(period_)},
          {{"JACK_NO_AUDIO_RESERVATION", "1"}, {"JACK_DEFAULT_SERVER", name_}}, "", log)) {
    why_ = "jackd could not be started";
    return false;
  }
  why_ = WaitUntilAnswering(
      server_, "jackd", log, [&] { return RunToEnd({"jack_lsp"}, ClientEnvironment(), std::chrono::seconds(10)) == 0; },
      timeout);
  if (!why_.empty()) {
    Stop();
    return false;
  }
  return true;
}

void PrivateJackServer::UseInThisProcess() { environment_.Set(ClientEnvironment()); }

void PrivateJackServer::Stop() {
  server_.Stop();
  environment_.Restore();
  dir_.reset();
}

std::vector<std::string> PrivateJackServer::Ports() const {
  if (!dir_) return {};
  const std::string listing = dir_->Path() + "/ports.txt";
  if (RunToEnd({"jack_lsp"}, ClientEnvironment(), std::chrono::seconds(10), listing) != 0) return {};
  std::ifstream in(listing);
  std::vector<std::string> ports;
  for (std::string line; std::getline(in, line);) ports.push_back(line);
  return ports;
}

// jackd writes "JackEngine::XRun: ..." for a client that did not finish in
// its cycle, and "JackTimedDriver::Process XRun = N usec" for a cycle the
// dummy driver woke up to late, with the time it took.
namespace {
struct Xrun {
  double stalledMs = -1;  // unknown where the line does not say
};
std::vector<Xrun> LoggedXruns(const std::string& log) {
  std::ifstream in(log);
  std::vector<Xrun> xruns;
  for (std::string line; std::getline(in, line);) {
    const std::size_t at = line.find("XRun");
    if (at == std::string::npos) continue;
    Xrun xrun;
    if (const std::size_t equals = line.find("XRun = ", at);
        equals != std::string::npos && line.find("usec") != std::string::npos) {
      xrun.stalledMs = std::strtod(line.c_str() + equals + 7, nullptr) / 1000.0;
    }
    xruns.push_back(xrun);
  }
  return xruns;
}
}  // namespace

int PrivateJackServer::XrunsLogged() const {
  return dir_ ? static_cast<int>(LoggedXruns(dir_->Path() + "/jackd.log").size()) : 0;
}

double PrivateJackServer::AllowedMs(double toleranceMs) const {
  if (!dir_) return toleranceMs;
  const double periodMs = 1000.0 * period_ / kRate;
  double shift = 0;
  for (const Xrun& xrun : LoggedXruns(dir_->Path() + "/jackd.log")) {
    shift += xrun.stalledMs < 0 ? periodMs : std::ceil(xrun.stalledMs / periodMs) * periodMs;
  }
  return toleranceMs + shift;
}

bool PrivateJackServer::Explains(double deviationMs, double toleranceMs) const {
  if (std::abs(deviationMs) <= toleranceMs) return true;
  return WaitFor([&] { return std::abs(deviationMs) <= AllowedMs(toleranceMs); }, std::chrono::seconds(2));
}

bool PrivateJackServer::StartClient(ChildProcess& client, const std::vector<std::string>& argv, const std::string& port,
                                    const std::string& stdoutPath) {
  if (!dir_ || !client.Start(argv, ClientEnvironment(), stdoutPath, dir_->Path() + "/" + argv.front() + ".log")) {
    return false;
  }
  bool listed = false;
  WaitFor(
      [&] {
        const auto ports = Ports();
        listed = std::find(ports.begin(), ports.end(), port) != ports.end();
        return listed || !client.Running();
      },
      std::chrono::seconds(20), kPoll);
  return listed;
}

bool PrivateJackServer::Connect(const std::string& from, const std::string& to) const {
  return RunToEnd({"jack_connect", from, to}, ClientEnvironment(), std::chrono::seconds(10)) == 0;
}

}  // namespace rp::test
