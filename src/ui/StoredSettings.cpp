// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StoredSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace rp {

namespace {

const QString kClusterWindowKey = QStringLiteral("analysis/clusterWindowMs");
const QString kDelayKey = QStringLiteral("analysis/delay");
const QString kFileFolderKey = QStringLiteral("files/lastFolder");

// Organisation and application alike, so the file is returnplot/returnplot.conf.
QSettings Stored() { return QSettings(QStringLiteral("returnplot"), QStringLiteral("returnplot")); }

}  // namespace

AnalysisSettings StoredAnalysisSettings() {
  const QSettings stored = Stored();
  AnalysisSettings s;
  bool ok = false;
  const double window = stored.value(kClusterWindowKey).toDouble(&ok);
  if (ok && IsValidClusterWindow(window)) s.clusterWindowMs = window;
  const qlonglong delay = stored.value(kDelayKey).toLongLong(&ok);
  if (ok && IsValidDelay(delay)) s.delay = static_cast<std::int32_t>(delay);
  return s;
}

void StoreAnalysisSettings(const AnalysisSettings& settings) {
  QSettings stored = Stored();
  stored.setValue(kClusterWindowKey, settings.clusterWindowMs);
  stored.setValue(kDelayKey, settings.delay);
}

std::string StoredFileFolder() { return Stored().value(kFileFolderKey).toString().toStdString(); }

void StoreFileFolderOf(const std::string& path) {
  Stored().setValue(kFileFolderKey, QFileInfo(QString::fromStdString(path)).absolutePath());
}

}  // namespace rp
