// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StoredSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace rp {

namespace {

const QString kClusterWindowKey = QStringLiteral("analysis/clusterWindowMs");
const QString kDelayKey = QStringLiteral("analysis/delay");
const QString kEventVelocityKey = QStringLiteral("analysis/eventVelocity");
const QString kVelocityScaleKey = QStringLiteral("replay/velocityScale");
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
  const auto velocity = EventVelocityFromName(stored.value(kEventVelocityKey).toString().toStdString());
  if (velocity) s.eventVelocity = *velocity;
  return s;
}

void StoreAnalysisSettings(const AnalysisSettings& settings) {
  QSettings stored = Stored();
  stored.setValue(kClusterWindowKey, settings.clusterWindowMs);
  stored.setValue(kDelayKey, settings.delay);
  const std::string_view velocity = EventVelocityName(settings.eventVelocity);
  stored.setValue(kEventVelocityKey, QString::fromUtf8(velocity.data(), static_cast<qsizetype>(velocity.size())));
}

VelocityScaleChoice StoredVelocityScale() {
  const auto choice = ParseVelocityScale(Stored().value(kVelocityScaleKey).toString().toStdString());
  return choice.value_or(VelocityScaleChoice{});
}

void StoreVelocityScale(const VelocityScaleChoice& choice) {
  Stored().setValue(kVelocityScaleKey, QString::fromStdString(VelocityScaleSetting(choice)));
}

std::string StoredFileFolder() { return Stored().value(kFileFolderKey).toString().toStdString(); }

void StoreFileFolderOf(const std::string& path) {
  Stored().setValue(kFileFolderKey, QFileInfo(QString::fromStdString(path)).absolutePath());
}

}  // namespace rp
