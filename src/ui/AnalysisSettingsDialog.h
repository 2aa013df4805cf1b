// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Analysis settings": the small dialog behind the plot's menu item
// "Analysis settings...", with the cluster window in ms, the delay d, which
// note-on gives an event its velocity, the unit of a plain list of times and
// how a recording's onsets are found.

#include <QDialog>
#include <optional>

#include "model/AnalysisSettings.h"

class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

namespace rp {

class AnalysisSettingsDialog final : public QDialog {
  Q_OBJECT
 public:
  // `matchFileShown`: the shown performance is aligned to its score, so the
  // dialog says the cluster window does not apply to it.
  explicit AnalysisSettingsDialog(const AnalysisSettings& current, QWidget* parent = nullptr,
                                  bool matchFileShown = false);
  AnalysisSettings Settings() const;
  void SetSettings(const AnalysisSettings& settings);

 private:
  AnalysisSettings current_;  // what the dialog does not show stays as it was
  QDoubleSpinBox* clusterWindow_;
  QSpinBox* delay_;
  QComboBox* eventVelocity_;
  QComboBox* scoreOnset_;
  QComboBox* timesUnit_;
  QComboBox* onsetMethod_;
  QDoubleSpinBox* onsetThreshold_;
  QDoubleSpinBox* onsetSilence_;
  QDoubleSpinBox* onsetMinIoi_;
};

// Shows the dialog over `parent`: the settings chosen with OK, or nothing.
std::optional<AnalysisSettings> AskAnalysisSettings(const AnalysisSettings& current, QWidget* parent,
                                                    bool matchFileShown = false);

}  // namespace rp
