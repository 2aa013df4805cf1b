#pragma once
// The control panel, "Control panel": file button, MIDI output device list,
// replay buttons, time slider and time display, replay-speed and tail-length
// sliders and the Timing/Velocity choice. Its load lists the devices, places
// and shows the window and reads the first performance. The replay itself and
// the handlers around it are ReplayEngine's; this window supplies the widgets.

#include <memory>
#include <optional>
#include <string>

#include <QWidget>

#include "performance/PlotViewLink.h"
#include "performance/ReplayControls.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace rp {

class Dialogs;
class MidiBackend;
class MidiOutputPort;
class ProgressForm;
class QtProgressSink;
class ReplayClock;
class ReplayEngine;

// Where the replay's messages go and the clock that times them.
struct MidiOutputSetup {
  std::unique_ptr<ReplayClock> clock;
  std::unique_ptr<MidiBackend> backend;  // may refer to *clock
};

// The program's outputs on the steady clock: the built-in synthesizer as the
// default entry, then the machine's MIDI output ports.
MidiOutputSetup RealMidiOutput();

class SteuerForm final : public QWidget, public ControlPanelLink, private ReplayControls {
  Q_OBJECT
 public:
  SteuerForm(PlotViewLink& view, Dialogs& dialogs, QWidget* parent = nullptr);
  SteuerForm(PlotViewLink& view, Dialogs& dialogs, MidiOutputSetup midi, QWidget* parent = nullptr);
  ~SteuerForm() override;

  // The file the load opens instead of asking (the command line's FILE).
  void SetStartFile(std::optional<std::string> path) { startFile_ = std::move(path); }

  // Sizes the performance arrays, lists the devices, places and shows the
  // window, then opens the first file.
  void Form_Load();
  // Closes the MIDI port (also when the window is closed).
  void Form_Unload();
  // "Open MIDI-ASCII": reads and analyses a file; the view rebuilds.
  void OpenButton_Click();
  // Either option: the view rebuilds all its points.
  void TimeVeloOption_Click(int index);
  void SetTimingChosen(bool timing);
  // Time slider to `CurrentEvent`, time display to its onset.
  void UpdateTime();

  ReplayEngine& Replay() { return *engine_; }
  ProgressForm& Progress() { return *progressForm_; }

  // ControlPanelLink
  void stopReplay() override;
  bool timingChosen() const override;
  bool isReplaying() const override;
  // The MIDI port is open (also while it replays).
  bool isPortOpen() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // ReplayControls
  void SetPlayEnabled(bool playEnabled) override;
  int PlaybackRateSliderValue() const override;
  int SchwanzLaengenSliderValue() const override;
  int OutputDevComboIndex() const override;
  void SetTimeSliderValue(int value) override;
  void SetTimeText(const std::string& text) override;
  void DoEvents() override;

  void CreateControls();
  void LoadFile(const std::optional<std::string>& path);
  void ShowSpeedFactor();

  PlotViewLink& view_;
  Dialogs& dialogs_;
  std::optional<std::string> startFile_;

  QComboBox* outputDevCombo_ = nullptr;
  QPushButton* rewButton_ = nullptr;
  QPushButton* playButton_ = nullptr;
  QPushButton* stopButton_ = nullptr;
  QLabel* timeLabel_ = nullptr;
  QPushButton* openButton_ = nullptr;
  QLabel* eventLabel_ = nullptr;
  QLabel* numberEventsLabel_ = nullptr;
  QSlider* timeSlider_ = nullptr;
  QRadioButton* timeVeloOption_[2] = {nullptr, nullptr};
  QSlider* playbackRateSlider_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* speedFactorLabel_ = nullptr;
  QSlider* schwanzLaengenSlider_ = nullptr;
  QLabel* label2_ = nullptr;

  // Destroyed in reverse: the engine lets go of the port's notifications
  // before the port stops its thread, and the port before its device.
  MidiOutputSetup midi_;
  std::unique_ptr<MidiOutputPort> port_;
  std::unique_ptr<ProgressForm> progressForm_;
  std::unique_ptr<QtProgressSink> progress_;
  std::unique_ptr<ReplayEngine> engine_;
};

}  // namespace rp
