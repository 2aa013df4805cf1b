// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Analysis settings": the small dialog behind the plot's menu item
// "Analysis settings...", with the cluster window in ms, the delay d and how
// a recording's onsets are found.

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
  explicit AnalysisSettingsDialog(const AnalysisSettings& current, QWidget* parent = nullptr);
  AnalysisSettings Settings() const;
  void SetSettings(const AnalysisSettings& settings);

 private:
  QDoubleSpinBox* clusterWindow_;
  QSpinBox* delay_;
  QComboBox* onsetMethod_;
  QDoubleSpinBox* onsetThreshold_;
  QDoubleSpinBox* onsetSilence_;
  QDoubleSpinBox* onsetMinIoi_;
};

// Shows the dialog over `parent`: the settings chosen with OK, or nothing.
std::optional<AnalysisSettings> AskAnalysisSettings(const AnalysisSettings& current, QWidget* parent);

}  // namespace rp
