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
const QString kPermutationsKey = QStringLiteral("statistics/permutations");
const QString kSampenTemplateKey = QStringLiteral("statistics/sampenM");
const QString kSampenToleranceKey = QStringLiteral("statistics/sampenR");
const QString kDfaSmallestKey = QStringLiteral("statistics/dfaMin");
const QString kDfaLargestKey = QStringLiteral("statistics/dfaMax");
const QString kCiPercentKey = QStringLiteral("statistics/ciPercent");
const QString kWindowEventsKey = QStringLiteral("statistics/windowEvents");
const QString kWindowBarsKey = QStringLiteral("statistics/windowBars");
const QString kWindowStepKey = QStringLiteral("statistics/windowStep");
const QString kWindowMeasureKey = QStringLiteral("statistics/windowMeasure");
const QString kRecurrenceDimensionKey = QStringLiteral("statistics/recurrenceDimension");
const QString kRecurrenceDelayKey = QStringLiteral("statistics/recurrenceDelay");
const QString kRecurrenceTheilerKey = QStringLiteral("statistics/recurrenceTheiler");
const QString kRecurrenceRadiusKey = QStringLiteral("statistics/recurrenceRadius");

// The stored whole number under `key` when it lies in [low, high].
std::optional<qlonglong> StoredInteger(const QSettings& stored, const QString& key, qlonglong low, qlonglong high) {
  bool ok = false;
  const qlonglong value = stored.value(key).toLongLong(&ok);
  if (!ok || value < low || value > high) return std::nullopt;
  return value;
}

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

StatisticsChoices StoredStatisticsChoices() {
  const QSettings stored = Stored();
  StatisticsChoices c;
  if (const auto v = StoredInteger(stored, kPermutationsKey, 0, 1000000))
    c.measures.permutations = static_cast<int>(*v);
  if (const auto v = StoredInteger(stored, kSampenTemplateKey, 1, 10))
    c.measures.sampleEntropyTemplate = static_cast<int>(*v);
  bool ok = false;
  const double tolerance = stored.value(kSampenToleranceKey).toDouble(&ok);
  if (ok && tolerance > 0.0 && tolerance <= 10.0) c.measures.sampleEntropyTolerance = tolerance;
  if (const auto v = StoredInteger(stored, kDfaSmallestKey, 3, 100000)) c.measures.dfaScales.min = *v;
  if (const auto v = StoredInteger(stored, kDfaLargestKey, 1, 1000000); v && *v > c.measures.dfaScales.min)
    c.measures.dfaScales.max = *v;
  if (const auto v = StoredInteger(stored, kCiPercentKey, 0, 99); v && (*v == 90 || *v == 95 || *v == 99))
    c.ciPercent = static_cast<int>(*v);
  if (const auto v = StoredInteger(stored, kWindowEventsKey, 2, 1000000000)) c.windows.events = *v;
  if (const auto v = StoredInteger(stored, kWindowBarsKey, 1, 100000); v && !c.windows.events)
    c.windows.bars = static_cast<std::int32_t>(*v);
  if (const auto v = StoredInteger(stored, kWindowStepKey, 1, 1000000000); v && c.windows.Chosen()) c.windows.step = *v;
  const std::string measure = stored.value(kWindowMeasureKey).toString().toStdString();
  for (const StatisticsColumn& column : StatisticsColumns())
    if (column.name == measure) c.windowMeasure = measure;
  if (const auto v = StoredInteger(stored, kRecurrenceDimensionKey, 1, 20))
    c.recurrence.dimension = static_cast<std::int32_t>(*v);
  if (const auto v = StoredInteger(stored, kRecurrenceDelayKey, 1, 100))
    c.recurrence.delay = static_cast<std::int32_t>(*v);
  if (const auto v = StoredInteger(stored, kRecurrenceTheilerKey, 0, 100))
    c.recurrence.theilerWindow = static_cast<std::int32_t>(*v);
  const double radius = stored.value(kRecurrenceRadiusKey).toDouble(&ok);
  if (ok && radius > 0.0 && radius <= 1e6) c.recurrence.radius = radius;
  return c;
}

void StoreStatisticsChoices(const StatisticsChoices& choices) {
  QSettings stored = Stored();
  stored.setValue(kPermutationsKey, choices.measures.permutations);
  stored.setValue(kSampenTemplateKey, choices.measures.sampleEntropyTemplate);
  stored.setValue(kSampenToleranceKey, choices.measures.sampleEntropyTolerance);
  stored.setValue(kDfaSmallestKey, QVariant::fromValue<qlonglong>(choices.measures.dfaScales.min));
  stored.setValue(kDfaLargestKey, QVariant::fromValue<qlonglong>(choices.measures.dfaScales.max));
  stored.setValue(kCiPercentKey, choices.ciPercent);
  stored.setValue(kWindowEventsKey, QVariant::fromValue<qlonglong>(choices.windows.events.value_or(0)));
  stored.setValue(kWindowBarsKey, choices.windows.bars.value_or(0));
  stored.setValue(kWindowStepKey, QVariant::fromValue<qlonglong>(choices.windows.step.value_or(0)));
  stored.setValue(kWindowMeasureKey, QString::fromStdString(choices.windowMeasure));
  stored.setValue(kRecurrenceDimensionKey, choices.recurrence.dimension);
  stored.setValue(kRecurrenceDelayKey, choices.recurrence.delay);
  stored.setValue(kRecurrenceTheilerKey, choices.recurrence.theilerWindow);
  stored.setValue(kRecurrenceRadiusKey, choices.recurrence.radius.value_or(0.0));
}

std::string StoredFileFolder() { return Stored().value(kFileFolderKey).toString().toStdString(); }

void StoreFileFolderOf(const std::string& path) {
  Stored().setValue(kFileFolderKey, QFileInfo(QString::fromStdString(path)).absolutePath());
}

}  // namespace rp
