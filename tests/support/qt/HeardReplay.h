#pragma once
// A replay as a listener hears it, with the real windows: a private
// PulseAudio server's null sink takes the built-in synthesizer's sound, the
// plot window and its control panel open a performance of single notes, Play
// is pressed at the given speed, and the sink's monitor is recorded until the
// replay has ended. Meanwhile the plot keeps drawing and is watched for the
// orange current event. For the end-to-end test and the benchmark (Qt
// programs only).

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "performance/ComparedPerformances.h"
#include "performance/Performance.h"
#include "performance/ReplayPosition.h"
#include "performance/qt/ControlPanel.h"
#include "support/OnsetFinder.h"
#include "support/PulseAudioServer.h"
#include "support/ScriptedDialogs.h"
#include "support/SingleNotes.h"
#include "view/PerformancePoints.h"
#include "view/qt/PlotWindow.h"

namespace rp::test {

inline QApplication& HeardReplayApp() {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
  static int argc = 1;
  static char name[] = "heard_replay";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

struct HeardReplay {
  std::string skipped;              // why it could not run ("" when it ran)
  std::vector<double> scheduledMs;  // note onsets after the first, at the recorded tempo
  std::vector<double> heardMs;      // onsets found in the recording
  int lastEvent = 0;                // the performance's last onset event
  int currentEventAtEnd = 0;        // the plot's current event once the sound ended
  bool orangeWhilePlaying = false;  // the plot showed the current event in orange
  bool ended = false;               // the replay ended by itself
  // From the click on Play to the first onset recorded; overstated by the
  // recorder's latency (up to 10 ms), the same for every build measured.
  double startLatencyMs = 0;
  std::vector<std::string> messages;  // the errors the program showed
};

// Replays `intervalsMs` (see WriteSingleNotes) at the "Replay speed" value
// `speed`, with files in `dir`. `warmOutput`: a replay started and stopped at
// once three seconds before opens the sound output, as a user's earlier replay
// leaves it; otherwise the recorded replay opens it.
inline HeardReplay RecordHeardReplay(PulseAudioServer& server, const std::string& dir,
                                     const std::vector<double>& intervalsMs, int speed, bool warmOutput = false) {
  HeardReplay result;
  server.UseInThisProcess();
  const std::string listing = dir + "/single_notes.txt";
  result.scheduledMs = WriteSingleNotes(listing, intervalsMs);
  HeardReplayApp();
  ScriptedDialogs dialogs;
  Performance performance;
  ReplayPosition position;
  ComparedPerformances compared;
  StartOptions options;
  options.file = listing;
  PlotWindow window(dialogs, options, performance, position, compared);
  window.start();
  ControlPanel* panel = window.controlPanel();
  if (!window.view().state().DeviceReady || panel == nullptr) {
    result.skipped = "no OpenGL device under this display";
    return result;
  }
  result.lastEvent = performance.PlotEventCount;
  panel->findChild<QComboBox*>("deviceCombo")->setCurrentIndex(0);  // the built-in synthesizer
  panel->findChild<QSlider*>("speedSlider")->setValue(speed);
  auto* play = panel->findChild<QPushButton*>("playButton");
  auto* stop = panel->findChild<QPushButton*>("stopButton");

  SinkRecorder recorder(server);
  if (!recorder.Start(dir + "/capture.raw")) {
    result.skipped = "parec could not record the sink";
    return result;
  }
  QTest::qWait(300);  // the recorder is running before the first note
  if (warmOutput) {
    play->click();
    stop->click();
    // A new stream on a sink that had none may wait a second or two before
    // the sink takes its sound (so does the recording).
    QTest::qWait(3000);
  }
  const std::size_t recordedBeforePlay = recorder.SamplesSoFar();
  play->click();
  const auto timeout = std::chrono::steady_clock::now() + std::chrono::minutes(3);
  while (stop->isEnabled() && std::chrono::steady_clock::now() < timeout) {
    QTest::qWait(20);
    for (const DataEntry& point : window.view().state().Points) {
      if (point.color == kCurrentEventColour) result.orangeWhilePlaying = true;
    }
  }
  result.ended = !stop->isEnabled();
  result.currentEventAtEnd = position.CurrentEvent;
  QTest::qWait(800);  // the last note's sound reaches the recording
  recorder.Stop();
  for (const auto& message : dialogs.messages) {
    if (message.kind == MessageKind::Error) result.messages.push_back(message.text);
  }
  const double playMs = 1000.0 * static_cast<double>(recordedBeforePlay) / SinkRecorder::kRate;
  for (const double onset : FindOnsets(recorder.Samples(), SinkRecorder::kRate)) {
    if (onset >= playMs) result.heardMs.push_back(onset);
  }
  if (!result.heardMs.empty()) result.startLatencyMs = result.heardMs.front() - playMs;
  return result;
}

}  // namespace rp::test
