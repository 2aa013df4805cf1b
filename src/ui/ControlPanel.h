// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The control panel, "Control panel": file button, MIDI output device list,
// replay buttons, time slider and time display, "Event N of M", replay-speed
// and tail-length sliders and the Timing/Velocity/Tempo choice. A view of the
// session: it shows what the session holds, sends it what the user does, and
// follows what it announces; it owns nothing of the replay or the loads.
// Its start places and shows the window and opens the first performance.

#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/ProgramState.h"
#include "model/ValueKind.h"
#include "model/VelocityScale.h"
#include "session/MidiOutputSetup.h"
#include "session/Session.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

namespace rp {

class Dialogs;
class ProgressWindow;
class QtProgressSink;
class ReplayEngine;

// Where the panel's frame goes in the screen's available area (without the
// desktop's panels and taskbars): centred, 33 pixels above the bottom, and
// wholly inside it (a frame larger than the area at its top-left corner).
QPoint PanelPlace(const QRect& available, const QSize& frame);

// The program's outputs on the steady clock: the built-in synthesizer first,
// then the machine's MIDI output ports.
MidiOutputSetup RealMidiOutput();

class ControlPanel final : public QWidget {
  Q_OBJECT
 public:
  // Shows `session`, which must outlive the panel.
  ControlPanel(Session& session, Dialogs& dialogs, QWidget* parent = nullptr);
  ~ControlPanel() override;

  // The file the start opens instead of asking (the command line's FILE),
  // and the files it then adds for comparison.
  void SetStartFile(std::optional<std::string> path, std::vector<std::string> compareFiles = {}) {
    startFile_ = std::move(path);
    startCompareFiles_ = std::move(compareFiles);
  }
  // Whether the start offers a take left unsaved in the recovery file (the
  // program does; tests and snapshots leave the user's file alone).
  void SetOfferRecovery(bool offer) { offerRecovery_ = offer; }
  // The start chooses the first output device whose name contains `name`
  // (the command line's --output) instead of the usual one.
  void SetStartOutput(std::optional<std::string> name) { startOutput_ = std::move(name); }
  // Whether the panel's place and size are kept between runs (the program;
  // tests and snapshots leave the stored ones alone).
  void SetRememberGeometry(bool remember) { rememberGeometry_ = remember; }

  // Places and shows the window, then opens the first file (and then those
  // to compare).
  void Start();
  // Places the shown window by PanelPlace on its screen.
  void PlaceOnScreen();

  // What the program does now, and whether `action` fits it (the session's).
  ProgramState State() const { return session_.State(); }
  bool Allows(UserAction action) const { return session_.Allows(action); }
  Session& ShownSession() { return session_; }
  ReplayEngine& Replay() { return *session_.Replay(); }
  ProgressWindow& Progress() { return *progressWindow_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void Follow(SessionChange change);
  // The controls that can be used in the session's state.
  void ShowState();
  void ShowPosition();
  void ShowValueKinds();
  void ShowDevices();
  void ShowSpeedFactor();
  // The velocity-scale list shows the replay's choice, the label below it the
  // scale the main performance replays at.
  void ShowVelocityScale();
  void OnVelocityScaleChosen();

  Session& session_;
  Dialogs& dialogs_;
  int listening_ = 0;
  std::optional<std::string> startFile_;
  bool offerRecovery_ = false;
  bool rememberGeometry_ = false;
  std::optional<std::string> startOutput_;
  std::vector<std::string> startCompareFiles_;

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
  QRadioButton* melodyLeadOption_ = nullptr;
  QRadioButton* spreadOption_ = nullptr;
  QSlider* speedSlider_ = nullptr;
  QLabel* speedCaption_ = nullptr;
  QLabel* speedFactorLabel_ = nullptr;
  QSlider* tailLengthSlider_ = nullptr;
  QLabel* tailLengthCaption_ = nullptr;
  QComboBox* velocityScaleCombo_ = nullptr;
  QLabel* velocityScaleLabel_ = nullptr;

  std::unique_ptr<ProgressWindow> progressWindow_;
  std::unique_ptr<QtProgressSink> progress_;
  QTimer* recordTimer_ = nullptr;  // the time display and the take file while recording
};

}  // namespace rp
