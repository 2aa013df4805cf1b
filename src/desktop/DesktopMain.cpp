// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program (see DesktopProgram.h): the windows, --snapshot and
// the commands that need the synthesizer. It reads the same command line as
// bin/returnplot, which starts it.

#include <QApplication>
#include <QLocale>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/CheckedOutput.h"
#include "app/CommandLine.h"
#include "app/LastResort.h"
#include "app/SnapshotOptions.h"
#include "desktop/DrawChart.h"
#include "desktop/MidiDeviceCommands.h"
#include "desktop/RenderWav.h"
#include "desktop/Snapshot.h"
#include "model/Performance.h"
#include "session/Session.h"
#include "ui/PlotWindow.h"
#include "ui/QtDialogs.h"
#include "ui/QtUiPost.h"
#include "ui/StopSignals.h"
#include "ui/StoredSettings.h"
#include "ui/Translations.h"

namespace {

// The batch commands that run here: those BatchCommands lists without `run`.
const rp::BatchCommand kDesktopCommands[] = {
    {"--render-wav", "", "", &rp::RenderWav},
    {"--chart", "", "", &rp::DrawChart},
    {"--list-devices", "", "", &rp::ListDevices},
    {"--record", "", "", &rp::RecordFromMidiInput},
};

// A program ended by a signal exits with 128 and the signal's number, as the
// shell reports a process the signal killed.
constexpr int kExitSignalBase = 128;

int Run(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  for (const rp::BatchCommand& c : kDesktopCommands)
    if (!args.empty() && args.front() == c.flag) return c.run({args.begin() + 1, args.end()}, std::cout, std::cerr);
  const rp::LaunchPlan plan = rp::ParseCommandLine(args, std::cout, std::cerr);
  if (plan.exitNow) return plan.exitStatus;

  std::optional<rp::SnapshotOptions> snapshot;
  if (!plan.windowArgs.empty()) {
    if (plan.windowArgs.front() != "--snapshot") {
      std::cerr << "returnplot: unknown option " << plan.windowArgs.front() << "; see returnplot --help\n";
      return 64;
    }
    snapshot = rp::ParseSnapshotOptions({plan.windowArgs.begin() + 1, plan.windowArgs.end()}, std::cerr);
    if (!snapshot) return 64;
    if (const int status = rp::PrepareSnapshot(*snapshot, std::cerr); status != 0) return status;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("returnplot"));
  if (snapshot) return rp::RunSnapshot(*snapshot);

  // The windows speak the desktop's language; the snapshot's messages and
  // every command's output stay English.
  rp::InstallTranslations(app, QLocale::system());
  rp::QtDialogs dialogs;
  rp::Session session(dialogs, rp::QtUiPoster(&app));
  // The command line's values for this run, the stored ones where none is given.
  session.Main().settings = plan.analysis.Over(rp::StoredAnalysisSettings());
  rp::StartOptions start;
  start.file = plan.startFile;
  start.compareFiles = plan.compareFiles;
  start.offerRecovery = true;
  start.output = plan.output;
  start.velocityScale = plan.velocityScale.value_or(rp::StoredVelocityScale());
  start.alignBy = rp::StoredAlignBy();
  start.rememberGeometry = true;
  rp::PlotWindow form(session, dialogs, start);
  dialogs.SetParent(&form);
  // SIGINT and SIGTERM end the windows as closing them does, but keep a
  // running take in the recovery file; the exit status says which signal.
  const rp::StopSignals stopSignals(
      [&form](int signal) { form.Shutdown(rp::ShutdownCause::Signal, kExitSignalBase + signal); });
  form.Start();
  // A start that already ended the program (no graphics device) has no loop to leave.
  if (const std::optional<int> ended = form.EndStatus()) return *ended;
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  // What the commands printed must have reached standard output.
  return rp::RunGuarded(
      [argc, argv] {
        const rp::CheckedStandardOutput checkedOutput;
        return rp::StatusAfterOutput(Run(argc, argv), std::cout, std::cerr);
      },
      std::cerr);
}
