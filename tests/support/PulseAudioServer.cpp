// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PulseAudioServer.h"

#include <dirent.h>
#include <sched.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/WaitFor.h"

namespace rp::test {

void RaiseToRealTime(pid_t pid) {
  if (pid <= 0) return;
  const std::string dir = "/proc/" + std::to_string(pid) + "/task";
  DIR* tasks = ::opendir(dir.c_str());
  if (!tasks) return;
  while (const dirent* entry = ::readdir(tasks)) {
    if (entry->d_name[0] == '.') continue;
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_FIFO) + 9;
    (void)::sched_setscheduler(std::stoi(entry->d_name), SCHED_FIFO, &param);
  }
  ::closedir(tasks);
}

PulseAudioServer::PulseAudioServer() = default;

PulseAudioServer::~PulseAudioServer() { Stop(); }

std::string PulseAudioServer::ServerAddress() const {
  return dir_ ? "unix:" + dir_->Path() + "/pulse/native" : std::string();
}

std::map<std::string, std::string> PulseAudioServer::ClientEnvironment() const {
  return {{"PULSE_SERVER", ServerAddress()}, {"PULSE_SINK", sink_}};
}

bool PulseAudioServer::Start(std::chrono::milliseconds timeout) {
  Stop();
  if (!ProgramOnPath("pulseaudio") || !ProgramOnPath("pactl")) {
    why_ = "pulseaudio or pactl is not installed (Debian packages pulseaudio, pulseaudio-utils)";
    return false;
  }
  dir_ = std::make_unique<TempDir>("rp_pulse_");
  const std::string home = dir_->Path();
  // The server keeps its socket, pid file and cookie in its own folder; no
  // D-Bus, no configuration script, no module that looks for hardware.
  const std::map<std::string, std::string> env = {{"XDG_RUNTIME_DIR", home},
                                                  {"HOME", home},
                                                  {"XDG_CONFIG_HOME", home + "/config"},
                                                  {"PULSE_SERVER", ""},
                                                  {"DBUS_SESSION_BUS_ADDRESS", ""}};
  const std::vector<std::string> argv = {"pulseaudio",
                                         "-n",
                                         "--daemonize=no",
                                         "--exit-idle-time=-1",
                                         "--disallow-exit=false",
                                         "--disable-shm=true",
                                         "--log-target=stderr",
                                         "--load=module-null-sink sink_name=" + sink_ + " rate=44100 channels=2",
                                         "--load=module-native-protocol-unix auth-anonymous=1"};
  if (!server_.Start(argv, env, "", home + "/server.log")) {
    why_ = "pulseaudio could not be started";
    return false;
  }
  why_ = WaitUntilAnswering(
      server_, "pulseaudio", home + "/server.log",
      [&] {
        return std::filesystem::exists(home + "/pulse/native") &&
               RunToEnd({"pactl", "-s", ServerAddress(), "info"}, {}, std::chrono::seconds(5)) == 0;
      },
      timeout);
  if (!why_.empty()) {
    Stop();
    return false;
  }
  RaiseToRealTime(server_.Pid());
  return true;
}

void PulseAudioServer::UseInThisProcess() { environment_.Set(ClientEnvironment()); }

void PulseAudioServer::Stop() {
  server_.Stop();
  environment_.Restore();
  dir_.reset();
}

bool SinkRecorder::Start(const std::string& rawPath) {
  path_ = rawPath;
  // A short fragment, so the recording keeps up with the sink closely.
  if (!parec_.Start({"parec", "-s", server_.ServerAddress(), "-d", server_.MonitorSource(), "--raw", "--format=s16le",
                     "--rate=44100", "--channels=1", "--latency-msec=10"},
                    {}, rawPath, "")) {
    return false;
  }
  // Its threads are all there once it delivers sound.
  if (!WaitForSamples(1)) {
    parec_.Stop();
    return false;
  }
  RaiseToRealTime(parec_.Pid());
  return true;
}

void SinkRecorder::Stop() { parec_.Stop(); }

std::vector<std::int16_t> SinkRecorder::Samples() const {
  std::ifstream in(path_, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::int16_t> samples(bytes.size() / 2);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                           (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return samples;
}

std::size_t SinkRecorder::SamplesSoFar() const {
  std::error_code ec;
  const auto bytes = std::filesystem::file_size(path_, ec);
  return ec ? 0 : static_cast<std::size_t>(bytes / 2);
}

bool SinkRecorder::WaitForSamples(std::size_t count, std::chrono::milliseconds timeout) const {
  return WaitFor([&] { return SamplesSoFar() >= count; }, timeout, std::chrono::milliseconds(2));
}

}  // namespace rp::test
