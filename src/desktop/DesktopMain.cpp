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

#include "app/CommandLine.h"
#include "app/SnapshotOptions.h"
#include "desktop/MidiDeviceCommands.h"
#include "desktop/RenderWav.h"
#include "desktop/Snapshot.h"
#include "model/ComparedPerformances.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "ui/PlotWindow.h"
#include "ui/QtDialogs.h"
#include "ui/StoredSettings.h"
#include "ui/Translations.h"

namespace {

// The batch commands that run here: those BatchCommands lists without `run`.
const rp::BatchCommand kDesktopCommands[] = {
    {"--render-wav", "", "", &rp::RenderWav},
    {"--list-devices", "", "", &rp::ListDevices},
    {"--record", "", "", &rp::RecordFromMidiInput},
};

}  // namespace

int main(int argc, char** argv) {
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
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("returnplot"));
  if (snapshot) return rp::RunSnapshot(*snapshot);

  // The windows speak the desktop's language; the snapshot's messages and
  // every command's output stay English.
  rp::InstallTranslations(app, QLocale::system());
  rp::QtDialogs dialogs;
  rp::Performance performance;
  // The command line's values for this run, the stored ones where none is given.
  performance.settings = plan.analysis.Over(rp::StoredAnalysisSettings());
  rp::ReplayPosition position;
  rp::ComparedPerformances compared;
  rp::PlotWindow form(dialogs, rp::StartOptions{plan.startFile, false, plan.compareFiles, true, plan.output, true},
                      performance, position, compared);
  dialogs.SetParent(&form);
  form.Start();
  return QApplication::exec();
}
