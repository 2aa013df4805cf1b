// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/MidiDeviceCommands.h"

#include <csignal>
#include <ostream>

#include "app/BatchLoad.h"
#include "app/RecordTake.h"
#include "devices/MachineMidiInput.h"
#include "devices/ProgramMidiOutputs.h"
#include "io/DataFolder.h"

namespace rp {

namespace {

std::atomic<bool> gStopRequested{false};

extern "C" void RequestStop(int) { gStopRequested.store(true); }

// SIGINT and SIGTERM set the stop request while the object lives; the old
// handlers come back after.
class StopOnSignals {
 public:
  StopOnSignals() {
    gStopRequested.store(false);
    struct sigaction action {};
    action.sa_handler = &RequestStop;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &oldInt_);
    ::sigaction(SIGTERM, &action, &oldTerm_);
  }
  ~StopOnSignals() {
    ::sigaction(SIGINT, &oldInt_, nullptr);
    ::sigaction(SIGTERM, &oldTerm_, nullptr);
  }
  StopOnSignals(const StopOnSignals&) = delete;
  StopOnSignals& operator=(const StopOnSignals&) = delete;

 private:
  struct sigaction oldInt_ {};
  struct sigaction oldTerm_ {};
};

}  // namespace

int ListDevices(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (!args.empty()) {
    err << "returnplot: --list-devices takes no arguments\n";
    return kExitUsage;
  }
  // The control panel's list, numbered from 1: listing opens nothing.
  const auto outputs = MakeProgramMidiOutputs(ProgramDataFolder());
  for (int i = 0; i < outputs->DeviceCount(); ++i) out << "output " << i + 1 << ": " << outputs->DeviceName(i) << '\n';
  const auto names = MakeMachineMidiInput()->DeviceNames();
  for (std::size_t i = 0; i < names.size(); ++i) out << "input " << i + 1 << ": " << names[i] << '\n';
  if (names.empty()) err << "returnplot: no MIDI input was found\n";
  return 0;
}

int RecordFromMidiInput(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto options = ParseRecordOptions(args, err);
  if (!options) return kExitUsage;
  StopOnSignals signals;
  const auto input = MakeMachineMidiInput();
  return RecordTake(*options, *input, gStopRequested, out, err);
}

}  // namespace rp
