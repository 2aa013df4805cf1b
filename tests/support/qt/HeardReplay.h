// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A replay as a listener hears it, with the real windows: a private
// PulseAudio server's null sink takes the built-in synthesizer's sound, the
// plot window and its control panel open a performance of single notes, Play
// is pressed at the given speed, and the sink's monitor is recorded until the
// replay has ended. Meanwhile the plot keeps drawing and is watched for the
// orange current event. For the end-to-end test and the benchmark (Qt
// programs only, with their application made).

#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "model/ComparedPerformances.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "plot/PerformancePoints.h"
#include "session/Session.h"
#include "support/OnsetFinder.h"
#include "support/PulseAudioServer.h"
#include "support/ScriptedDialogs.h"
#include "support/SingleNotes.h"
#include "support/qt/QtWaitFor.h"
#include "ui/ControlPanel.h"
#include "ui/PlotWindow.h"
#include "ui/QtUiPost.h"

namespace rp::test {

struct HeardReplay {
  std::string skipped;              // why it could not run ("" when it ran)
  std::vector<double> scheduledMs;  // note onsets after the first, at the recorded tempo
  std::vector<double> heardMs;      // onsets found in the recording
  int lastEvent = 0;                // the index of the performance's last onset event
  int currentEventAtEnd = 0;        // the plot's current event once the sound ended
  bool orangeWhilePlaying = false;  // the plot showed the current event in orange
  bool ended = false;               // the replay ended by itself
  // From the click on Play to the first onset recorded; overstated by the
  // recorder's latency (up to 10 ms), the same for every build measured.
  double startLatencyMs = 0;
  std::vector<std::string> messages;  // the errors the program showed
};

// The real plot window and its control panel on a performance file, with the
// built-in synthesizer chosen.
struct ReplayWindow {
  ScriptedDialogs dialogs;
  Session session{dialogs, QtUiPoster(qApp)};
  StartOptions options;
  std::unique_ptr<PlotWindow> window;
  QPushButton* play = nullptr;
  QPushButton* stop = nullptr;

  explicit ReplayWindow(const std::string& listing) {
    options.file = listing;
    window = std::make_unique<PlotWindow>(session, dialogs, options);
    window->Start();
    ControlPanel* panel = window->ControlPanel();
    if (!window->View().State().rendererReady || panel == nullptr) return;
    // The file is read in the background.
    QtWaitFor([panel] { return panel->State() != ProgramState::Loading; }, std::chrono::seconds(30));
    panel->findChild<QComboBox*>("deviceCombo")->setCurrentIndex(0);  // the built-in synthesizer
    play = panel->findChild<QPushButton*>("playButton");
    stop = panel->findChild<QPushButton*>("stopButton");
  }
  bool Ready() const { return play != nullptr; }
  void SetSpeed(int speed) { window->ControlPanel()->findChild<QSlider*>("speedSlider")->setValue(speed); }
  // Opens the sound output as a user's earlier replay leaves it: a replay
  // started and stopped at once, a few seconds before the next. (A new
  // stream on a sink that had none may wait a second or two before the sink
  // takes its sound, and so does the recording: these seconds let it settle,
  // as they do for the user.)
  void OpenOutput() {
    play->click();
    QtWaitFor([this] { return window->ControlPanel()->State() == ProgramState::Replaying; }, std::chrono::seconds(10));
    stop->click();
    LetTimePassWithEvents(std::chrono::seconds(3));
  }
  std::vector<std::string> Errors() const {
    std::vector<std::string> errors;
    for (const auto& message : dialogs.messages) {
      if (message.kind == MessageKind::Error) errors.push_back(message.text);
    }
    return errors;
  }
};

inline double SamplesToMs(std::size_t samples) { return 1000.0 * static_cast<double>(samples) / SinkRecorder::kRate; }

// Runs the event loop until the recording holds `span` more of the sink's
// sound than now (the sound played meanwhile is surely in it), at most 20 s.
inline void RecordFor(const SinkRecorder& recorder, std::chrono::milliseconds span) {
  const std::size_t until =
      recorder.SamplesSoFar() + static_cast<std::size_t>(span.count()) * SinkRecorder::kRate / 1000;
  QtWaitFor([&] { return recorder.SamplesSoFar() >= until; }, std::chrono::seconds(20));
}

// Replays `intervalsMs` (see WriteSingleNotes) at the "Replay speed" value
// `speed`, with files in `dir`. `warmOutput`: the sound output is opened a
// few seconds before (ReplayWindow::OpenOutput); otherwise the recorded
// replay opens it.
inline HeardReplay RecordHeardReplay(PulseAudioServer& server, const std::string& dir,
                                     const std::vector<double>& intervalsMs, int speed, bool warmOutput = false) {
  HeardReplay result;
  server.UseInThisProcess();
  const std::string listing = dir + "/single_notes.txt";
  result.scheduledMs = WriteSingleNotes(listing, intervalsMs);
  ReplayWindow rig(listing);
  if (!rig.Ready()) {
    result.skipped = "no OpenGL device under this display";
    return result;
  }
  result.lastEvent = rig.session.Main().EventCount() - 1;
  rig.SetSpeed(speed);

  SinkRecorder recorder(server);
  if (!recorder.Start(dir + "/capture.raw")) {
    result.skipped = "parec could not record the sink";
    return result;
  }
  if (warmOutput) rig.OpenOutput();
  const double playMs = SamplesToMs(recorder.SamplesSoFar());
  rig.play->click();
  QtWaitFor(
      [&] {
        for (const DataEntry& point : rig.window->View().State().points) {
          if (point.colour == kCurrentEventColour) result.orangeWhilePlaying = true;
        }
        return !rig.stop->isEnabled();
      },
      std::chrono::minutes(3));
  result.ended = !rig.stop->isEnabled();
  result.currentEventAtEnd = rig.session.Position().currentEvent.value_or(-1);
  RecordFor(recorder, std::chrono::milliseconds(800));  // the last note's sound reaches the recording
  recorder.Stop();
  result.messages = rig.Errors();
  for (const double onset : FindOnsets(recorder.Samples(), SinkRecorder::kRate)) {
    if (onset >= playMs) result.heardMs.push_back(onset);
  }
  if (!result.heardMs.empty()) result.startLatencyMs = result.heardMs.front() - playMs;
  return result;
}

// Play to first sound, `plays` times over: Play with the sound output open,
// Stop once the first note has sounded, and again when it has died away. Each figure is overstated by the recorder's
// latency (up to 10 ms), the same for every build measured. Empty, with `skipped` set, when it could not run.
inline std::vector<double> RecordStartLatencies(PulseAudioServer& server, const std::string& dir, int plays,
                                                std::string& skipped) {
  server.UseInThisProcess();
  const std::string listing = dir + "/far_notes.txt";
  WriteSingleNotes(listing, {3000, 3000});  // each Play sounds the first
  ReplayWindow rig(listing);
  if (!rig.Ready()) {
    skipped = "no OpenGL device under this display";
    return {};
  }
  SinkRecorder recorder(server);
  if (!recorder.Start(dir + "/capture.raw")) {
    skipped = "parec could not record the sink";
    return {};
  }
  rig.OpenOutput();
  std::vector<double> playMs;
  for (int i = 0; i < plays; ++i) {
    playMs.push_back(SamplesToMs(recorder.SamplesSoFar()));
    rig.play->click();
    RecordFor(recorder, std::chrono::milliseconds(400));
    rig.stop->click();
    RecordFor(recorder, std::chrono::milliseconds(2500));  // silent again: its reverberation has died away
  }
  recorder.Stop();
  if (const auto errors = rig.Errors(); !errors.empty()) {
    skipped = errors.front();
    return {};
  }
  const std::vector<double> onsets = FindOnsets(recorder.Samples(), SinkRecorder::kRate);
  std::vector<double> latencies;
  for (const double mark : playMs) {
    const auto heard = std::lower_bound(onsets.begin(), onsets.end(), mark);
    if (heard != onsets.end() && *heard < mark + 300) latencies.push_back(*heard - mark);
  }
  return latencies;
}

}  // namespace rp::test
