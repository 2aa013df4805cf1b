// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The control panel's arrangement in Qt layouts, so every control and caption
// stays whole at any window width from the panel's minimum up, at any scale
// and font size:
//   [output device list......] [rewind] [play] [stop]  0:00:04
//   [Open performance...]  Event 182 of 185
//   [time slider.................................................]
//   (o) Timing     [replay speed slider]   [length of tail slider]
//   ( ) Velocity   Replay speed  1.00x     Length of tail   x1.5 (listing of ...)
//   ( ) Tempo
// (the last column: the replay's velocity scale, chosen above, in use below)

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QWidget;

namespace rp {

struct ControlPanelWidgets {
  QComboBox* deviceCombo;
  QPushButton* rewindButton;
  QPushButton* playButton;
  QPushButton* stopButton;
  QLabel* timeLabel;
  QPushButton* openButton;
  QLabel* eventLabel;       // the event reached
  QLabel* eventCountLabel;  // the number of events
  QSlider* timeSlider;
  QRadioButton* timingOption;
  QRadioButton* velocityOption;
  QRadioButton* tempoOption;
  QRadioButton* melodyLeadOption;
  QRadioButton* spreadOption;
  QSlider* speedSlider;
  QLabel* speedCaption;
  QLabel* speedFactorLabel;
  QSlider* tailLengthSlider;
  QLabel* tailLengthCaption;
  QComboBox* velocityScaleCombo;
  QLabel* velocityScaleLabel;
};

// Lays the widgets (children of `panel`) out on `panel`, adding the words
// around the event numbers ("eventCaption", "eventOfCaption").
void LayOutControlPanel(QWidget& panel, const ControlPanelWidgets& w);

}  // namespace rp
