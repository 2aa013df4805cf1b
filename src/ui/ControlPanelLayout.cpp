// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ControlPanelLayout.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace rp {

namespace {

QLabel* Caption(QWidget& panel, const QString& text, const char* name) {
  auto* label = new QLabel(text, &panel);
  label->setObjectName(QLatin1String(name));
  return label;
}

}  // namespace

void LayOutControlPanel(QWidget& panel, const ControlPanelWidgets& w) {
  auto* rows = new QVBoxLayout(&panel);

  auto* top = new QHBoxLayout;
  top->addWidget(w.deviceCombo, 1);
  top->addWidget(w.rewindButton);
  top->addWidget(w.playButton);
  top->addWidget(w.stopButton);
  top->addWidget(w.timeLabel);
  rows->addLayout(top);

  auto* file = new QHBoxLayout;
  file->addWidget(w.openButton);
  file->addSpacing(w.openButton->fontMetrics().averageCharWidth() * 2);
  // "Event 182 of 185": the words are the translation's, the numbers the labels'.
  // The four stand on one line whatever the alignment inside each.
  file->addWidget(Caption(panel, QCoreApplication::translate("rp::ControlPanel", "Event"), "eventCaption"), 0,
                  Qt::AlignVCenter);
  file->addWidget(w.eventLabel, 0, Qt::AlignVCenter);
  file->addWidget(Caption(panel, QCoreApplication::translate("rp::ControlPanel", "of"), "eventOfCaption"), 0,
                  Qt::AlignVCenter);
  file->addWidget(w.eventCountLabel, 0, Qt::AlignVCenter);
  file->addStretch(1);
  rows->addLayout(file);

  rows->addWidget(w.timeSlider);

  auto* bottom = new QGridLayout;
  bottom->addWidget(w.timingOption, 0, 0);
  bottom->addWidget(w.velocityOption, 1, 0);
  bottom->addWidget(w.tempoOption, 2, 0);
  // The values of a score-aligned performance's chords beside the others.
  bottom->addWidget(w.melodyLeadOption, 0, 1);
  bottom->addWidget(w.spreadOption, 1, 1);
  bottom->addWidget(w.speedSlider, 0, 2);
  auto* speedCaptions = new QHBoxLayout;
  speedCaptions->addWidget(w.speedCaption);
  speedCaptions->addWidget(w.speedFactorLabel);
  speedCaptions->addStretch(1);
  bottom->addLayout(speedCaptions, 1, 2);
  bottom->addWidget(w.tailLengthSlider, 0, 3);
  bottom->addWidget(w.tailLengthCaption, 1, 3);
  bottom->addWidget(w.velocityScaleCombo, 0, 4);
  bottom->addWidget(w.velocityScaleLabel, 1, 4);
  bottom->setColumnStretch(2, 1);
  bottom->setColumnStretch(3, 1);
  rows->addLayout(bottom);
  rows->addStretch(1);
}

}  // namespace rp
