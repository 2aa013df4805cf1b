// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AnalysisSettingsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace rp {

AnalysisSettingsDialog::AnalysisSettingsDialog(const AnalysisSettings& current, QWidget* parent, bool matchFileShown)
    : QDialog(parent), current_(current) {
  setObjectName(QStringLiteral("AnalysisSettingsDialog"));
  setWindowTitle(tr("Analysis settings"));

  clusterWindow_ = new QDoubleSpinBox(this);
  clusterWindow_->setObjectName(QStringLiteral("clusterWindowBox"));
  clusterWindow_->setRange(kMinClusterWindowMs, kMaxClusterWindowMs);
  clusterWindow_->setDecimals(3);
  clusterWindow_->setSingleStep(5.0);
  clusterWindow_->setSuffix(tr(" ms"));
  clusterWindow_->setToolTip(
      tr("A note-on more than this after the first note-on of the current onset event opens a new event."));

  delay_ = new QSpinBox(this);
  delay_->setObjectName(QStringLiteral("delayBox"));
  delay_->setRange(kMinDelay, kMaxDelay);
  delay_->setToolTip(tr("Event n is plotted against events n+d and n+2d."));

  // In the order of EventVelocity.
  eventVelocity_ = new QComboBox(this);
  eventVelocity_->setObjectName(QStringLiteral("eventVelocityBox"));
  eventVelocity_->addItems({QStringLiteral("of its first note"), QStringLiteral("of its loudest note"),
                            QStringLiteral("of its highest key")});
  eventVelocity_->setToolTip(
      QStringLiteral("Which note-on of an onset event gives the event its velocity (a tie goes to the earliest)."));
  // In the order of ScoreOnset.
  scoreOnset_ = new QComboBox(this);
  scoreOnset_->setObjectName(QStringLiteral("scoreOnsetBox"));
  scoreOnset_->addItems(
      {tr("its earliest note"), tr("the mean of its notes"), tr("its melody note"), tr("its highest note")});
  scoreOnset_->setToolTip(
      tr("Which played notes give a score position its onset (performances aligned to their score): the melody is "
         "the voice the file marks as melody, else the highest note."));
  // In the order of TimesUnit.
  timesUnit_ = new QComboBox(this);
  timesUnit_->setObjectName(QStringLiteral("timesUnitBox"));
  timesUnit_->addItems({tr("seconds (s)"), tr("milliseconds (ms)")});
  timesUnit_->setToolTip(tr("The unit of the numbers in a plain list of times, one time a line."));
  // How a recording's onsets are found.
  onsetMethod_ = new QComboBox(this);
  onsetMethod_->setObjectName(QStringLiteral("onsetMethodBox"));
  for (const OnsetMethod method : kOnsetMethods) {
    const std::string_view name = OnsetMethodName(method);
    onsetMethod_->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                          static_cast<int>(method));
  }
  onsetMethod_->setToolTip(tr("The detection function that finds the onsets in a recording."));
  onsetThreshold_ = new QDoubleSpinBox(this);
  onsetThreshold_->setObjectName(QStringLiteral("onsetThresholdBox"));
  onsetThreshold_->setRange(kMinOnsetThreshold, kMaxOnsetThreshold);
  onsetThreshold_->setDecimals(3);
  onsetThreshold_->setSingleStep(0.05);
  onsetThreshold_->setToolTip(tr("Lower finds more onsets in a recording, also some that were not played."));
  onsetSilence_ = new QDoubleSpinBox(this);
  onsetSilence_->setObjectName(QStringLiteral("onsetSilenceBox"));
  onsetSilence_->setRange(kMinSilenceDb, kMaxSilenceDb);
  onsetSilence_->setDecimals(1);
  onsetSilence_->setSuffix(tr(" dB"));
  onsetSilence_->setToolTip(tr("Nothing quieter than this is an onset."));
  onsetMinIoi_ = new QDoubleSpinBox(this);
  onsetMinIoi_->setObjectName(QStringLiteral("onsetMinIoiBox"));
  onsetMinIoi_->setRange(kMinOnsetIoiMs, kMaxOnsetIoiMs);
  onsetMinIoi_->setDecimals(1);
  onsetMinIoi_->setSuffix(tr(" ms"));
  onsetMinIoi_->setToolTip(tr("Two onsets of a recording lie at least this far apart."));

  auto* buttons =
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
          [this] { SetSettings(AnalysisSettings{}); });

  auto* form = new QFormLayout(this);
  form->addRow(tr("Cluster window:"), clusterWindow_);
  if (matchFileShown) {
    auto* note =
        new QLabel(tr("The cluster window does not apply to match files: their events are the score's."), this);
    note->setObjectName(QStringLiteral("clusterWindowNote"));
    note->setWordWrap(true);
    form->addRow(note);
  }
  form->addRow(tr("Delay d:"), delay_);
  form->addRow(tr("Event velocity:"), eventVelocity_);
  form->addRow(tr("Onset of a score position:"), scoreOnset_);
  form->addRow(tr("Plain list of times in:"), timesUnit_);
  form->addRow(new QLabel(tr("Onsets of a recording:"), this));
  form->addRow(tr("Detection function:"), onsetMethod_);
  form->addRow(tr("Threshold:"), onsetThreshold_);
  form->addRow(tr("Silence below:"), onsetSilence_);
  form->addRow(tr("At least apart:"), onsetMinIoi_);
  form->addRow(new QLabel(tr("OK analyses the loaded performance again."), this));
  form->addRow(buttons);
  SetSettings(current);
}

AnalysisSettings AnalysisSettingsDialog::Settings() const {
  AnalysisSettings s = current_;
  s.clusterWindowMs = clusterWindow_->value();
  s.delay = delay_->value();
  s.eventVelocity = static_cast<EventVelocity>(eventVelocity_->currentIndex());
  s.scoreOnset = static_cast<ScoreOnset>(scoreOnset_->currentIndex());
  s.timesUnit = static_cast<TimesUnit>(timesUnit_->currentIndex());
  s.onsets.method = static_cast<OnsetMethod>(onsetMethod_->currentData().toInt());
  s.onsets.threshold = onsetThreshold_->value();
  s.onsets.silenceDb = onsetSilence_->value();
  s.onsets.minIoiMs = onsetMinIoi_->value();
  return s;
}

void AnalysisSettingsDialog::SetSettings(const AnalysisSettings& settings) {
  clusterWindow_->setValue(settings.clusterWindowMs);
  delay_->setValue(settings.delay);
  eventVelocity_->setCurrentIndex(static_cast<int>(settings.eventVelocity));
  scoreOnset_->setCurrentIndex(static_cast<int>(settings.scoreOnset));
  timesUnit_->setCurrentIndex(static_cast<int>(settings.timesUnit));
  onsetMethod_->setCurrentIndex(onsetMethod_->findData(static_cast<int>(settings.onsets.method)));
  onsetThreshold_->setValue(settings.onsets.threshold);
  onsetSilence_->setValue(settings.onsets.silenceDb);
  onsetMinIoi_->setValue(settings.onsets.minIoiMs);
}

std::optional<AnalysisSettings> AskAnalysisSettings(const AnalysisSettings& current, QWidget* parent,
                                                    bool matchFileShown) {
  AnalysisSettingsDialog dialog(current, parent, matchFileShown);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Settings();
}

}  // namespace rp
