// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The control panel, "Control panel": file button, MIDI output device list,
// replay buttons, time slider and time display, replay-speed and tail-length
// sliders and the Timing/Velocity choice. Its start lists the devices, places
// and shows the window and reads the first performance. The replay itself and
// the handlers around it are ReplayEngine's; this window supplies the widgets.
//
// The panel keeps the program's state (ProgramStates): every button, menu
// item, shortcut and timer asks it first, and which controls can be used
// follows it. Files are read on a thread of their own (BackgroundJob) into a
// new performance that takes the loaded one's place only at the end; the
// progress window's Cancel drops it, leaving the loaded one as it was.

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/PlotViewLink.h"
#include "base/ProgramState.h"
#include "model/AnalysisSettings.h"
#include "model/ComparedPerformances.h"
#include "model/ValueKind.h"
#include "model/VelocityScale.h"
#include "replay/ReplayControls.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

namespace rp {

class BackgroundJob;
class Dialogs;
class MidiBackend;
class MidiInput;
class TakeRecorder;
class MidiOutputPort;
class ProgressWindow;
struct LoadHooks;
class QtProgressSink;
class ReplayClock;
class RecordingReplay;
class ReplayEngine;
struct Performance;
struct ReplayPosition;

// Where the replay's messages go and the clock that times them, and where
// takes are recorded from.
struct MidiOutputSetup {
  std::unique_ptr<ReplayClock> clock;
  std::unique_ptr<MidiBackend> backend;                   // may refer to *clock
  std::function<std::unique_ptr<MidiInput>()> makeInput;  // the machine's inputs, listed afresh
};

// Where the panel's frame goes in the screen's available area (without the
// desktop's panels and taskbars): centred, 500 twips above the bottom, and
// wholly inside it (a frame larger than the area at its top-left corner).
QPoint PanelPlace(const QRect& available, const QSize& frame);

// The program's outputs on the steady clock: the built-in synthesizer as the
// default entry, then the machine's MIDI output ports.
MidiOutputSetup RealMidiOutput();

// How a take still running at the end of the program ends: saved through the
// save dialog (the window was closed), or kept in the recovery file for the
// next start (a signal, a fatal error).
enum class TakeEnding { Save, KeepForRecovery };

class ControlPanel final : public QWidget, public ControlPanelLink, private ReplayControls {
  Q_OBJECT
 public:
  // The panel loads into `performance` and replays it; `position` is where
  // the replay stands; `compared` holds the performances shown beside it.
  // All three must outlive the panel.
  ControlPanel(PlotViewLink& view, Dialogs& dialogs, Performance& performance, ReplayPosition& position,
               ComparedPerformances& compared, QWidget* parent = nullptr);
  ControlPanel(PlotViewLink& view, Dialogs& dialogs, Performance& performance, ReplayPosition& position,
               ComparedPerformances& compared, MidiOutputSetup midi, QWidget* parent = nullptr);
  ~ControlPanel() override;

  // The file the start opens instead of asking (the command line's FILE),
  // and the files it then adds for comparison.
  void SetStartFile(std::optional<std::string> path, std::vector<std::string> compareFiles = {}) {
    startFile_ = std::move(path);
    startCompareFiles_ = std::move(compareFiles);
  }
  // Whether the start offers a take left unsaved in the recovery file (the
  // program does; tests and snapshots leave the user's file alone), and where
  // that file is: "recovery.txt" in the user's data folder unless set.
  void SetOfferRecovery(bool offer) { offerRecovery_ = offer; }
  // The start chooses the first output device whose name contains `name`
  // (the command line's --output) instead of the usual one.
  void SetStartOutput(std::optional<std::string> name) { startOutput_ = std::move(name); }
  // Files are read on a thread of their own unless set false (the snapshot
  // reads them before it draws).
  void SetLoadInBackground(bool inBackground);
  // The replay's velocity scale (from the command line or the stored
  // settings at start; the list's choice later).
  void SetVelocityScale(const VelocityScaleChoice& choice);
  // For tests: called on the loading thread with each progress value shown;
  // it may block, holding the load at that point.
  void SetLoadProgressHook(std::function<void(std::int64_t value)> hook);
  void SetRecoveryPath(const std::string& path);
  // Whether the panel's place and size are kept between runs (the program;
  // tests and snapshots leave the stored ones alone).
  void SetRememberGeometry(bool remember) { rememberGeometry_ = remember; }
  // "Record from MIDI input..." / "Stop recording".
  void ToggleRecording();
  bool IsRecording() const;
  TakeRecorder& Recorder() { return *recorder_; }

  // Sizes the performance arrays, lists the devices, places and shows the
  // window, then starts loading the first file (and then those to compare).
  void Start();
  // Places the shown window by PanelPlace on its screen.
  void PlaceOnScreen();
  // Closes the MIDI port (also when the window is closed).
  void ClosePort();
  // "Open performance...": reads and analyses a file in the background; the
  // view rebuilds when it is loaded. A file that replaces the main
  // performance removes the compared ones. The file dialog starts in the
  // folder of the last file opened through it, in this run or an earlier one.
  void OpenFile();
  // The same for a file already chosen (a recent or a dropped one); the
  // `compare` files are added for comparison once it is loaded.
  void OpenFile(const std::string& path, const std::vector<std::string>& compare = {});
  // The progress window's Cancel: the load ends, nothing of it is kept.
  void CancelLoad();

  // What the program does now, and whether `action` fits it.
  ProgramState State() const { return states_.Current(); }
  bool Allows(UserAction action) const { return states_.Allows(action); }
  // The end of the program: a load is cancelled, the replay stops (all-notes-
  // off and reset-all-controllers on an external port), a running take ends
  // as `ending` says, the port closes; then the panel is Closed and refuses
  // everything.
  void Shutdown(TakeEnding ending);
  // New analysis settings: stops the replay, analyses the loaded performance
  // and the compared ones again (no file is read again), keeps the current
  // event at the same onset time where it still exists and moves the time
  // slider and display there; the plot is the caller's to rebuild. Before
  // the first file they are only kept for it. False, with nothing changed,
  // when the state refuses it.
  bool ApplyAnalysisSettings(const AnalysisSettings& settings);
  // The space bar: Play when the replay is stopped, else Stop.
  void TogglePlay();
  // "Add performance for comparison...": stops the replay, asks for one or
  // more files and adds those that load (read in the background); the view
  // rebuilds.
  void AddComparedPerformances();
  // The same for files already chosen (the command line's).
  void AddComparedFiles(const std::vector<std::string>& paths);
  // "Remove compared performances": the main one is shown alone again.
  void RemoveComparedPerformances();
  // Any of the value options: the view rebuilds all its points.
  void OnTimingVelocityChosen();
  // Chooses `kind` (the command line's choice, before the first load); a
  // load that cannot show it shows timing.
  void SetValueKindChosen(ValueKind kind);
  // Time slider to the current event, time display to its onset.
  void UpdateTimeDisplay();

  ReplayEngine& Replay() { return *engine_; }
  ProgressWindow& Progress() { return *progressWindow_; }

  // ControlPanelLink
  void StopReplay() override;
  ValueKind ChosenValueKind() const override;
  bool IsReplaying() const override;
  // The MIDI port is open (also while it replays).
  bool IsPortOpen() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // ReplayControls
  int ReplaySpeed() const override;
  int TailLength() const override;
  int ChosenDeviceEntry() const override;
  void SetTimeSliderValue(int value) override;
  void SetTimeText(const std::string& text) override;

  void CreateControls();
  // A user's change of the time slider: the replay position moves there.
  void SeekFromSlider(int event);
  // The controls that can be used in `state`.
  void ShowState(ProgramState state);
  // Where a file to load comes from.
  enum class LoadKind {
    AtStart,        // the command line's
    AtStartChosen,  // the file dialog's at start
    Chosen,         // the file dialog's, "Open MIDI-ASCII"
  };
  // Loads `path` in the background, then runs `then`.
  void StartLoad(const std::string& path, LoadKind kind, std::function<void()> then = {});
  LoadHooks Hooks();
  // Velocity is offered only while every shown performance has velocities
  // of the same kind (MIDI or dB), Tempo only while every one is aligned to
  // its score; a choice not offered is disabled with a tooltip saying why,
  // and timing is shown instead.
  void OfferValueKinds();
  void ShowSpeedFactor();
  // The velocity-scale list shows the replay's choice, the label below it the
  // scale the main performance replays at.
  void ShowVelocityScale();
  void OnVelocityScaleChosen();
  void ShowRecording(bool recording);

  PlotViewLink& view_;
  Dialogs& dialogs_;
  Performance& performance_;
  ReplayPosition& position_;
  ComparedPerformances& compared_;
  std::optional<std::string> startFile_;
  bool fileLoaded_ = false;  // a file has been read into the performance
  bool offerRecovery_ = false;
  bool rememberGeometry_ = false;
  std::optional<std::string> startOutput_;
  std::vector<std::string> startCompareFiles_;
  ProgramStates states_;

  QComboBox* deviceCombo_ = nullptr;
  QPushButton* rewindButton_ = nullptr;
  QPushButton* playButton_ = nullptr;
  QPushButton* stopButton_ = nullptr;
  QLabel* timeLabel_ = nullptr;
  QPushButton* openButton_ = nullptr;
  QLabel* eventLabel_ = nullptr;
  QLabel* eventCountLabel_ = nullptr;
  QSlider* timeSlider_ = nullptr;
  QRadioButton* timingOption_ = nullptr;
  QRadioButton* velocityOption_ = nullptr;
  QRadioButton* tempoOption_ = nullptr;
  QSlider* speedSlider_ = nullptr;
  QLabel* speedCaption_ = nullptr;
  QLabel* speedFactorLabel_ = nullptr;
  QSlider* tailLengthSlider_ = nullptr;
  QLabel* tailLengthCaption_ = nullptr;
  QComboBox* velocityScaleCombo_ = nullptr;
  QLabel* velocityScaleLabel_ = nullptr;

  // Destroyed in reverse: the engine lets go of the port's notifications
  // before the port stops its thread, and the port before its device.
  MidiOutputSetup midi_;
  std::unique_ptr<MidiOutputPort> port_;
  std::unique_ptr<ProgressWindow> progressWindow_;
  std::unique_ptr<QtProgressSink> progress_;
  std::unique_ptr<RecordingReplay> recordingPlayer_;  // a recording's own sound
  std::unique_ptr<ReplayEngine> engine_;
  std::unique_ptr<TakeRecorder> recorder_;
  std::unique_ptr<BackgroundJob> loadJob_;
  QTimer* recordTimer_ = nullptr;  // the time display and the take file while recording
};

}  // namespace rp
