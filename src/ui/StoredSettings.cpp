// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StoredSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace rp {

namespace {

const QString kClusterWindowKey = QStringLiteral("analysis/clusterWindowMs");
const QString kDelayKey = QStringLiteral("analysis/delay");
const QString kEventVelocityKey = QStringLiteral("analysis/eventVelocity");
const QString kScoreOnsetKey = QStringLiteral("analysis/scoreOnset");
const QString kVelocityScaleKey = QStringLiteral("replay/velocityScale");
const QString kOnsetMethodKey = QStringLiteral("analysis/onsetMethod");
const QString kOnsetThresholdKey = QStringLiteral("analysis/onsetThreshold");
const QString kOnsetSilenceKey = QStringLiteral("analysis/onsetSilenceDb");
const QString kOnsetMinIoiKey = QStringLiteral("analysis/onsetMinIoiMs");
const QString kLogAxesKey = QStringLiteral("plot/logarithmicAxes");
const QString kIdentityLineKey = QStringLiteral("plot/identityLine");
const QString kColourByTimeKey = QStringLiteral("plot/colourByTime");
const QString kTempoBeatKey = QStringLiteral("plot/tempoBeat");
const QString kTempoBpmKey = QStringLiteral("plot/tempoBpm");
const QString kTimesUnitKey = QStringLiteral("analysis/timesUnit");
const QString kAlignByKey = QStringLiteral("view/alignBy");
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
  const auto scoreOnset = ScoreOnsetFromName(stored.value(kScoreOnsetKey).toString().toStdString());
  if (scoreOnset) s.scoreOnset = *scoreOnset;
  const std::optional<OnsetMethod> method = OnsetMethodNamed(stored.value(kOnsetMethodKey).toString().toStdString());
  if (method) s.onsets.method = *method;
  const double threshold = stored.value(kOnsetThresholdKey).toDouble(&ok);
  if (ok && IsValidOnsetThreshold(threshold)) s.onsets.threshold = threshold;
  const double silence = stored.value(kOnsetSilenceKey).toDouble(&ok);
  if (ok && IsValidSilenceDb(silence)) s.onsets.silenceDb = silence;
  const double minIoi = stored.value(kOnsetMinIoiKey).toDouble(&ok);
  if (ok && IsValidOnsetIoi(minIoi)) s.onsets.minIoiMs = minIoi;
  const QString unit = stored.value(kTimesUnitKey).toString();
  if (unit == QLatin1String("ms")) s.timesUnit = TimesUnit::Milliseconds;
  return s;
}

void StoreAnalysisSettings(const AnalysisSettings& settings) {
  QSettings stored = Stored();
  stored.setValue(kClusterWindowKey, settings.clusterWindowMs);
  stored.setValue(kDelayKey, settings.delay);
  const std::string_view velocity = EventVelocityName(settings.eventVelocity);
  stored.setValue(kEventVelocityKey, QString::fromUtf8(velocity.data(), static_cast<qsizetype>(velocity.size())));
  const std::string_view scoreOnset = ScoreOnsetName(settings.scoreOnset);
  stored.setValue(kScoreOnsetKey, QString::fromUtf8(scoreOnset.data(), static_cast<qsizetype>(scoreOnset.size())));
  const std::string_view method = OnsetMethodName(settings.onsets.method);
  stored.setValue(kOnsetMethodKey, QString::fromUtf8(method.data(), static_cast<qsizetype>(method.size())));
  stored.setValue(kOnsetThresholdKey, settings.onsets.threshold);
  stored.setValue(kOnsetSilenceKey, settings.onsets.silenceDb);
  stored.setValue(kOnsetMinIoiKey, settings.onsets.minIoiMs);
  stored.setValue(kTimesUnitKey,
                  settings.timesUnit == TimesUnit::Milliseconds ? QStringLiteral("ms") : QStringLiteral("s"));
}

std::optional<AlignBy> StoredAlignBy() { return AlignByFromName(Stored().value(kAlignByKey).toString().toStdString()); }

void StoreAlignBy(AlignBy by) {
  const std::string_view name = AlignByName(by);
  Stored().setValue(kAlignByKey, QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

VelocityScaleChoice StoredVelocityScale() {
  const auto choice = ParseVelocityScale(Stored().value(kVelocityScaleKey).toString().toStdString());
  return choice.value_or(VelocityScaleChoice{});
}

void StoreVelocityScale(const VelocityScaleChoice& choice) {
  Stored().setValue(kVelocityScaleKey, QString::fromStdString(VelocityScaleSetting(choice)));
}

DisplayOptions StoredDisplayOptions() {
  const QSettings stored = Stored();
  DisplayOptions options;
  options.logarithmic = stored.value(kLogAxesKey, false).toBool();
  options.identityLine = stored.value(kIdentityLineKey, false).toBool();
  options.colourByTime = stored.value(kColourByTimeKey, false).toBool();
  // The beat as --beat writes it; none stored: the time signature's.
  options.tempo.beat = ParseBeat(stored.value(kTempoBeatKey).toString().toStdString());
  options.tempo.unit = stored.value(kTempoBpmKey, false).toBool() ? TempoUnit::Bpm : TempoUnit::MsPerBeat;
  return options;
}

void StoreDisplayOptions(const DisplayOptions& options) {
  QSettings stored = Stored();
  stored.setValue(kLogAxesKey, options.logarithmic);
  stored.setValue(kIdentityLineKey, options.identityLine);
  stored.setValue(kColourByTimeKey, options.colourByTime);
  const std::optional<Beat>& beat = options.tempo.beat;
  stored.setValue(kTempoBeatKey, beat ? QString::fromStdString(BeatOption(*beat)) : QString());
  stored.setValue(kTempoBpmKey, options.tempo.unit == TempoUnit::Bpm);
}

std::string StoredFileFolder() { return Stored().value(kFileFolderKey).toString().toStdString(); }

void StoreFileFolderOf(const std::string& path) {
  Stored().setValue(kFileFolderKey, QFileInfo(QString::fromStdString(path)).absolutePath());
}

}  // namespace rp
