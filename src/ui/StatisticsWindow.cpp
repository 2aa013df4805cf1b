// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StatisticsWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <array>
#include <functional>
#include <sstream>
#include <string_view>

#include "chart/ChartColours.h"
#include "io/CsvWriter.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "session/Session.h"
#include "stats/StatisticsConventions.h"
#include "ui/PoincareView.h"
#include "ui/StoredSettings.h"
#include "ui/TempoCurveView.h"

namespace rp {

namespace {

// The permutation test's random state, as --stats takes it by default.
constexpr std::uint64_t kRandomState = 1;
// The columns before the measures.
constexpr int kFirstMeasureColumn = 3;
// The confidence levels offered, in percent; 0: no intervals.
constexpr std::array<int, 4> kCiPercents = {0, 90, 95, 99};

// Whether `performance` is one to measure: the program holds none before its first file.
bool IsShown(const Performance& performance) { return !performance.events.empty(); }

QString SeriesTitle(SeriesKind kind) {
  switch (kind) {
    case SeriesKind::Timing:
      return StatisticsWindow::tr("timing");
    case SeriesKind::Velocity:
      return StatisticsWindow::tr("velocity");
    case SeriesKind::Tempo:
      return StatisticsWindow::tr("tempo");
    case SeriesKind::MelodyLead:
      return StatisticsWindow::tr("melody lead");
    case SeriesKind::Spread:
      return StatisticsWindow::tr("chord spread");
    case SeriesKind::Overlap:
      return StatisticsWindow::tr("key overlap");
  }
  return {};
}

// The definition of a measure, shown on its column's header.
QString ColumnDefinition(std::string_view name) {
  if (name == "n") return StatisticsWindow::tr("N: the number of values x_1..x_N of the series.");
  if (name == "mean") return StatisticsWindow::tr("m: the mean of the values.");
  if (name == "sd") return StatisticsWindow::tr("The standard deviation of the values, divisor N-1.");
  if (name == "cv") return StatisticsWindow::tr("sd / mean; empty when the mean is 0 or less.");
  if (name == "sd1")
    return StatisticsWindow::tr(
        "The standard deviation (divisor M-1) of (x_k - x_k+d)/sqrt(2), k = 1..M, M = N-d: the spread across the "
        "identity line.");
  if (name == "sd2")
    return StatisticsWindow::tr(
        "The standard deviation (divisor M-1) of (x_k + x_k+d)/sqrt(2), k = 1..M, M = N-d: the spread along the "
        "identity line.");
  if (name == "sd1_sd2") return StatisticsWindow::tr("sd1 / sd2.");
  if (name == "area") return StatisticsWindow::tr("pi * sd1 * sd2: the area of the ellipse.");
  if (name == "r_d")
    return StatisticsWindow::tr(
        "The lag-d autocorrelation: sum over k = 1..N-d of (x_k - m)(x_k+d - m), divided by the sum over k = 1..N of "
        "(x_k - m)^2.");
  if (name == "rd_p")
    return StatisticsWindow::tr(
        "The permutation p-value of r_d: (1 + the number of the S shuffles of the series whose |r_d| is at least the "
        "observed |r_d|) / (S + 1), the shuffles drawn from random state 1; S as chosen below (999 unless changed, "
        "0: none).");
  if (name == "dfa_alpha")
    return StatisticsWindow::tr(
        "Detrended fluctuation analysis: the least-squares slope of ln F(n) against ln n, F(n) the root mean square of "
        "the profile's residuals from straight lines over windows of n values, n = floor(4*2^(j/4)) <= N/4. Empty "
        "with fewer than 4 scales.");
  if (name == "sampen")
    return StatisticsWindow::tr(
        "Sample entropy, m and r as chosen below (2 and 0.2 unless changed): -ln(A/B), B the pairs of m-value "
        "templates within r * sd, A those still within it at the value after; over at most the first 20,000 "
        "values.");
  return {};
}

// `main` with a row of choices above or below it, in one widget.
QWidget* WithChoices(QWidget* main, QBoxLayout* choices, bool above, QWidget* parent) {
  auto* part = new QWidget(parent);
  auto* layout = new QVBoxLayout(part);
  layout->setContentsMargins(0, 0, 0, 0);
  if (above) layout->addLayout(choices);
  layout->addWidget(main, 1);
  if (!above) layout->addLayout(choices);
  return part;
}

QString ScreenNumber(const std::optional<double>& value) {
  return value ? QString::number(*value, 'g', 5) : QStringLiteral("\u2013");
}

}  // namespace

StatisticsWindow::StatisticsWindow(Dialogs& dialogs, Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs), session_(session) {
  setObjectName(QStringLiteral("StatisticsWindow"));
  setWindowTitle(tr("Statistics"));

  table_ = new QTableWidget(this);
  table_->setObjectName(QStringLiteral("statisticsTable"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->hide();
  SetUpColumns(false);
  connect(table_, &QTableWidget::itemSelectionChanged, this, [this] { ShowSelected(); });

  // How the measures are taken, as --stats takes it.
  const StatisticsOptions measureDefaults;
  permutations_ = new QSpinBox(this);
  permutations_->setObjectName(QStringLiteral("permutationsChoice"));
  permutations_->setRange(0, 1000000);
  permutations_->setValue(measureDefaults.permutations);
  permutations_->setToolTip(tr("The shuffles of rd_p's permutation test (--permutations); 0: no rd_p."));
  sampenTemplate_ = new QSpinBox(this);
  sampenTemplate_->setObjectName(QStringLiteral("sampenTemplateChoice"));
  sampenTemplate_->setRange(1, 10);
  sampenTemplate_->setValue(measureDefaults.sampleEntropyTemplate);
  sampenTemplate_->setToolTip(tr("The template length m of sampen (--sampen-m)."));
  sampenTolerance_ = new QDoubleSpinBox(this);
  sampenTolerance_->setObjectName(QStringLiteral("sampenToleranceChoice"));
  sampenTolerance_->setRange(0.01, 10.0);
  sampenTolerance_->setSingleStep(0.05);
  sampenTolerance_->setValue(measureDefaults.sampleEntropyTolerance);
  sampenTolerance_->setToolTip(tr("The tolerance r of sampen as a fraction of the sd (--sampen-r)."));
  dfaSmallest_ = new QSpinBox(this);
  dfaSmallest_->setObjectName(QStringLiteral("dfaSmallestChoice"));
  dfaSmallest_->setRange(3, 100000);
  dfaSmallest_->setValue(static_cast<int>(measureDefaults.dfaScales.min));
  dfaSmallest_->setToolTip(tr("The smallest box of dfa_alpha, in values (--dfa-scales MIN:MAX)."));
  dfaLargest_ = new QSpinBox(this);
  dfaLargest_->setObjectName(QStringLiteral("dfaLargestChoice"));
  dfaLargest_->setRange(0, 1000000);
  dfaLargest_->setSpecialValueText(tr("N/4"));
  dfaLargest_->setValue(static_cast<int>(measureDefaults.dfaScales.max));
  dfaLargest_->setToolTip(tr("The largest box of dfa_alpha, in values; N/4: a quarter of the series."));
  for (QSpinBox* box : {permutations_, sampenTemplate_, dfaSmallest_, dfaLargest_})
    connect(box, &QSpinBox::valueChanged, this, [this] { ChoiceChanged(); });
  connect(sampenTolerance_, &QDoubleSpinBox::valueChanged, this, [this] { ChoiceChanged(); });
  // The intervals, as --stats --ci draws them.
  ciLevel_ = new QComboBox(this);
  ciLevel_->setObjectName(QStringLiteral("ciLevelChoice"));
  for (const int percent : kCiPercents)
    ciLevel_->addItem(percent == 0 ? tr("No intervals") : tr("%1% intervals").arg(percent), percent);
  ciLevel_->setToolTip(
      tr("Beside each measure the percentile interval of a moving-block bootstrap at this level (--ci): 1000 "
         "resamples of blocks of the cube root of N values, drawn from random state 1."));
  connect(ciLevel_, &QComboBox::currentIndexChanged, this, [this] { ChoiceChanged(); });
  // The windows, as --window, --step and --window-bars take them.
  windowKind_ = new QComboBox(this);
  windowKind_->setObjectName(QStringLiteral("windowKindChoice"));
  windowKind_->addItem(tr("No windows"));
  windowKind_->addItem(tr("Windows of events"));
  windowKind_->addItem(tr("Windows of bars"));
  windowSize_ = new QSpinBox(this);
  windowSize_->setObjectName(QStringLiteral("windowSizeChoice"));
  windowSize_->setRange(1, 1000000);
  windowSize_->setValue(32);
  windowSize_->setToolTip(tr("The events (at least 2) or bars of a window."));
  windowStep_ = new QSpinBox(this);
  windowStep_->setObjectName(QStringLiteral("windowStepChoice"));
  windowStep_->setRange(0, 1000000);
  windowStep_->setSpecialValueText(tr("a window's size"));
  windowStep_->setToolTip(tr("How many events or bars the next window begins after the one before (--step)."));
  connect(windowKind_, &QComboBox::currentIndexChanged, this, [this] { ChoiceChanged(); });
  for (QSpinBox* box : {windowSize_, windowStep_})
    connect(box, &QSpinBox::valueChanged, this, [this] { ChoiceChanged(); });
  auto* measureChoices = new QHBoxLayout;
  measureChoices->addWidget(new QLabel(tr("Shuffles of rd_p"), this));
  measureChoices->addWidget(permutations_);
  measureChoices->addWidget(new QLabel(tr("sampen m"), this));
  measureChoices->addWidget(sampenTemplate_);
  measureChoices->addWidget(new QLabel(tr("sampen r (× sd)"), this));
  measureChoices->addWidget(sampenTolerance_);
  measureChoices->addWidget(new QLabel(tr("DFA scales"), this));
  measureChoices->addWidget(dfaSmallest_);
  measureChoices->addWidget(new QLabel(tr("to"), this));
  measureChoices->addWidget(dfaLargest_);
  measureChoices->addStretch(1);
  auto* extraChoices = new QHBoxLayout;
  extraChoices->addWidget(ciLevel_);
  extraChoices->addWidget(windowKind_);
  extraChoices->addWidget(windowSize_);
  extraChoices->addWidget(new QLabel(tr("every"), this));
  extraChoices->addWidget(windowStep_);
  extraChoices->addStretch(1);
  auto* tableChoices = new QVBoxLayout;
  tableChoices->addLayout(measureChoices);
  tableChoices->addLayout(extraChoices);
  QWidget* tablePart = WithChoices(table_, tableChoices, false, this);

  curve_ = new TempoCurveView(this);
  poincare_ = new PoincareView(this);
  bars_ = new ChartView(ChartKind::Bars, this);
  bars_->setObjectName(QStringLiteral("barsView"));
  worm_ = new ChartView(ChartKind::Worm, this);
  worm_->setObjectName(QStringLiteral("wormView"));
  recurrence_ = new ChartView(ChartKind::Recurrence, this);
  recurrence_->setObjectName(QStringLiteral("recurrenceView"));
  // The recurrence plot's options, as --stats --rqa-* takes them.
  auto* recurrenceOptions = new QHBoxLayout;
  const RecurrenceSettings defaults;
  const auto spin = [this, recurrenceOptions](const QString& label, int low, int high, int value) {
    auto* box = new QSpinBox(this);
    box->setRange(low, high);
    box->setValue(value);
    recurrenceOptions->addWidget(new QLabel(label, this));
    recurrenceOptions->addWidget(box);
    connect(box, &QSpinBox::valueChanged, this, [this] { ChoiceChanged(); });
    return box;
  };
  dimension_ = spin(tr("Dimension m"), 1, 20, defaults.dimension);
  embeddingDelay_ = spin(tr("Delay \u03c4"), 1, 100, defaults.delay);
  theiler_ = spin(tr("Theiler window w"), 0, 100, defaults.theilerWindow);
  radius_ = new QDoubleSpinBox(this);
  radius_->setRange(0.0, 1e6);
  radius_->setDecimals(3);
  radius_->setSpecialValueText(tr("for 5% recurrences"));
  radius_->setToolTip(tr("The radius in the series' unit; at 0 it is chosen so that 5% of the cells recur."));
  recurrenceOptions->addWidget(new QLabel(tr("Radius \u03b5"), this));
  recurrenceOptions->addWidget(radius_);
  recurrenceOptions->addStretch(1);
  connect(radius_, &QDoubleSpinBox::valueChanged, this, [this] { ChoiceChanged(); });
  // Crossed with another shown performance, paired by score position.
  crossWith_ = new QComboBox(this);
  crossWith_->setObjectName(QStringLiteral("crossWithChoice"));
  crossWith_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  crossWith_->setToolTip(
      tr("The selected performance alone, or crossed with another aligned to the same score: values paired by "
         "score position, only the positions both played."));
  recurrenceOptions->insertWidget(0, crossWith_);
  connect(crossWith_, &QComboBox::currentIndexChanged, this, [this] { CrossChosen(); });
  crossRecurrence_ = new ChartView(ChartKind::CrossRecurrence, this);
  crossRecurrence_->setObjectName(QStringLiteral("crossRecurrenceView"));
  recurrenceStack_ = new QStackedWidget(this);
  recurrenceStack_->addWidget(recurrence_);
  recurrenceStack_->addWidget(crossRecurrence_);
  windows_ = new ChartView(ChartKind::Windows, this);
  windows_->setObjectName(QStringLiteral("windowsView"));
  windowMeasure_ = new QComboBox(this);
  windowMeasure_->setObjectName(QStringLiteral("windowMeasureChoice"));
  for (const StatisticsColumn& column : StatisticsColumns()) {
    const QString name = QString::fromUtf8(column.name.data(), static_cast<qsizetype>(column.name.size()));
    windowMeasure_->addItem(name, name);
  }
  connect(windowMeasure_, &QComboBox::currentIndexChanged, this, [this] { ChoiceChanged(); });
  auto* windowChoices = new QHBoxLayout;
  windowChoices->addWidget(new QLabel(tr("Measure over the windows"), this));
  windowChoices->addWidget(windowMeasure_);
  windowChoices->addStretch(1);
  features_ = new ChartView(ChartKind::Features, this);
  features_->setObjectName(QStringLiteral("featuresView"));
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("chartTabs"));
  tabs_->addTab(poincare_, tr("Poincaré view"));
  tabs_->addTab(bars_, tr("Tempo against bars"));
  tabs_->addTab(worm_, tr("Tempo–loudness"));
  tabs_->addTab(WithChoices(recurrenceStack_, recurrenceOptions, true, this), tr("Recurrence"));
  tabs_->addTab(WithChoices(windows_, windowChoices, true, this), tr("Windows"));
  tabs_->addTab(features_, tr("Features against score"));
  // The tempo of the bars and trajectory tabs, as --beat, --tempo-unit and
  // --smooth choose it.
  beat_ = new QComboBox(this);
  beat_->setObjectName(QStringLiteral("beatChoice"));
  beat_->addItem(tr("Beat of the time signature"), QString());
  for (const char* beat : {"quarter", "eighth", "dotted-quarter", "half", "bar"})
    beat_->addItem(QString::fromStdString(BeatName(*ParseBeat(beat))), QString::fromLatin1(beat));
  tempoUnit_ = new QComboBox(this);
  tempoUnit_->setObjectName(QStringLiteral("tempoUnitChoice"));
  tempoUnit_->addItem(tr("ms per beat"));
  tempoUnit_->addItem(tr("BPM"));
  smooth_ = new QDoubleSpinBox(this);
  smooth_->setObjectName(QStringLiteral("smoothChoice"));
  smooth_->setRange(0.0, 64.0);
  smooth_->setSingleStep(1.0);
  smooth_->setDecimals(1);
  smooth_->setSpecialValueText(tr("bars as played, trajectory over a bar"));
  smooth_->setToolTip(tr("The centred window the tempo and loudness are smoothed over, in beats."));
  connect(beat_, &QComboBox::currentIndexChanged, this, [this] { TempoChosen(); });
  connect(tempoUnit_, &QComboBox::currentIndexChanged, this, [this] { TempoChosen(); });
  connect(smooth_, &QDoubleSpinBox::valueChanged, this, [this] { TempoChosen(); });
  auto* tempoChoices = new QHBoxLayout;
  tempoChoices->addWidget(beat_);
  tempoChoices->addWidget(tempoUnit_);
  tempoChoices->addWidget(new QLabel(tr("Smooth over (beats)"), this));
  tempoChoices->addWidget(smooth_);
  tempoChoices->addStretch(1);
  QWidget* chartsPart = WithChoices(tabs_, tempoChoices, false, this);
  auto* pictures = new QSplitter(Qt::Horizontal, this);
  pictures->addWidget(curve_);
  pictures->addWidget(chartsPart);
  pictures->setStretchFactor(0, 3);
  pictures->setStretchFactor(1, 2);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(tablePart);
  split->addWidget(pictures);
  split->setSizes({200, 480});

  auto* copy = new QPushButton(tr("Copy as CSV"), this);
  copy->setObjectName(QStringLiteral("copyCsvButton"));
  connect(copy, &QPushButton::clicked, this, [this] { CopyCsv(); });
  curveAxis_ = new QComboBox(this);
  curveAxis_->setObjectName(QStringLiteral("curveAxisChoice"));
  curveAxis_->addItem(tr("Curve against onset time"));
  curveAxis_->addItem(tr("Curve against event number"));
  connect(curveAxis_, &QComboBox::currentIndexChanged, this,
          [this](int index) { curve_->SetAgainstEventNumber(index == 1); });
  auto* exportCurve = new QPushButton(tr("Export tempo curve..."), this);
  exportCurve->setObjectName(QStringLiteral("exportCurveButton"));
  connect(exportCurve, &QPushButton::clicked, this, [this] { ExportCurve(); });
  auto* exportPoincare = new QPushButton(tr("Export Poincaré view..."), this);
  exportPoincare->setObjectName(QStringLiteral("exportPoincareButton"));
  connect(exportPoincare, &QPushButton::clicked, this, [this] { ExportPoincare(); });
  auto* exportTab = new QPushButton(tr("Export chart..."), this);
  exportTab->setObjectName(QStringLiteral("exportTabButton"));
  exportTab->setToolTip(
      tr("The chart of the tab shown, in the light theme for print, as returnplot --chart writes "
         "it."));
  connect(exportTab, &QPushButton::clicked, this, [this] { ExportShownTab(); });
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("statisticsStatus"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(copy);
  buttons->addWidget(curveAxis_);
  buttons->addWidget(exportCurve);
  buttons->addWidget(exportPoincare);
  buttons->addWidget(exportTab);
  buttons->addStretch(1);
  buttons->addWidget(status_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(split, 1);
  layout->addLayout(buttons);

  watcher_ = new QFutureWatcher<std::shared_ptr<const ShownStatistics>>(this);
  connect(watcher_, &QFutureWatcher<std::shared_ptr<const ShownStatistics>>::finished, this, [this] { Measured(); });
  ApplyChoices(StoredStatisticsChoices());
  listening_ = session_.Listen([this](SessionChange) {
    if (isVisible()) Look();
  });
  resize(1000, 720);
}

// A measure still running finishes on its own; its result is dropped.
StatisticsWindow::~StatisticsWindow() { session_.StopListening(listening_); }

SeriesKind StatisticsWindow::ChosenSeries() const {
  switch (session_.ChosenValueKind()) {
    case ValueKind::Timing:
      return SeriesKind::Timing;
    case ValueKind::Velocity:
      return SeriesKind::Velocity;
    case ValueKind::Tempo:
      return SeriesKind::Tempo;
    case ValueKind::MelodyLead:
      return SeriesKind::MelodyLead;
    case ValueKind::Spread:
      return SeriesKind::Spread;
  }
  return SeriesKind::Timing;
}

StatisticsWindow::Key StatisticsWindow::CurrentKey() const {
  Key key;
  const auto add = [&key](const Performance& p) {
    if (!IsShown(p)) return;
    key.paths.push_back(p.sourcePath);
    key.events.push_back(p.events.data());
    key.counts.push_back(p.events.size());
    key.lastOnsets.push_back(p.events.back().onsetMs);
    key.lastVelocities.push_back(p.events.back().velocity0);
  };
  if (session_.HasPerformance()) add(session_.Main());
  key.settings = session_.Settings();
  const StatisticsOptions options = MeasureOptions();
  key.permutations = options.permutations;
  key.sampenTemplate = options.sampleEntropyTemplate;
  key.sampenTolerance = options.sampleEntropyTolerance;
  key.ciPercent = ciLevel_->currentData().toInt();
  key.windows = ChosenWindows();
  for (const Performance& p : session_.Compared()) add(p);
  return key;
}

void StatisticsWindow::Refresh() { Look(); }

void StatisticsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Look();
}

void StatisticsWindow::hideEvent(QHideEvent* event) { QWidget::hideEvent(event); }

bool StatisticsWindow::Computing() const { return watcher_->isRunning(); }

void StatisticsWindow::Look() {
  if (Key key = CurrentKey(); !measuredKey_ || !(*measuredKey_ == key)) {
    if (Computing()) {
      measureAgain_ = true;
    } else {
      StartMeasuring();
    }
  }
  if (const SeriesKind chosen = ChosenSeries(); lastChosen_ != chosen) {
    lastChosen_ = chosen;
    for (int row = 0; row < table_->rowCount(); ++row) {
      const auto at = RowAt(row);
      if (at && at->first == 0 && at->second == chosen) table_->selectRow(row);
    }
  }
  const std::int32_t event = session_.Position().currentEvent.value_or(-1);
  if (event != lastEvent_) {
    lastEvent_ = event;
    curve_->SetCurrentEvent(event);
    for (ChartView* chart : Charts()) chart->SetCurrentEvent(event);
  }
}

void StatisticsWindow::StartMeasuring() {
  measuredKey_ = CurrentKey();
  measureAgain_ = false;
  std::vector<StatisticsSource> sources;
  const std::int32_t delay = session_.Settings().delay;
  if (session_.HasPerformance() && IsShown(session_.Main()))
    sources.push_back(CopyForStatistics(session_.Main(), QColor()));
  const ComparedPerformances& compared = session_.Compared();
  for (std::size_t i = 0; i < compared.size() && i < kMaxComparedPerformances; ++i) {
    const Performance& p = compared[i];
    if (IsShown(p)) sources.push_back(CopyForStatistics(p, QColor()));
  }
  // Each in its colour of the charts.
  for (std::size_t i = 0; i < sources.size(); ++i) {
    const ChartRgb colour = PerformanceColour(ChartTheme::Dark, i);
    sources[i].colour = QColor(colour.r, colour.g, colour.b);
  }
  status_->setText(tr("Computing..."));
  const ShownExtras extras{ChosenInterval(), ChosenWindows()};
  watcher_->setFuture(QtConcurrent::run([sources = std::move(sources), delay, options = MeasureOptions(), extras] {
    return MeasureShown(sources, delay, kRandomState, options, extras);
  }));
}

void StatisticsWindow::Measured() {
  if (measureAgain_) {
    StartMeasuring();
    return;
  }
  shown_ = watcher_->result();
  status_->clear();
  FillTable();
  emit Computed();
}

void StatisticsWindow::FillTable() {
  const auto previous = RowAt(table_->currentRow());
  const QSignalBlocker blocker(table_);
  table_->clearContents();
  const bool intervals =
      std::any_of(shown_->begin(), shown_->end(), [](const ShownPerformance& p) { return !p.intervals.empty(); });
  SetUpColumns(intervals);
  int rows = 0;
  for (const ShownPerformance& p : *shown_) rows += static_cast<int>(p.series.size());
  table_->setRowCount(rows);
  int row = 0;
  int select = rows > 0 ? 0 : -1;
  for (int i = 0; i < static_cast<int>(shown_->size()); ++i) {
    const ShownPerformance& p = (*shown_)[static_cast<std::size_t>(i)];
    for (std::size_t k = 0; k < p.series.size(); ++k) {
      const MeasuredSeries& s = p.series[k];
      auto* name = new QTableWidgetItem(p.name);
      name->setForeground(p.colour);
      name->setToolTip(QString::fromStdString(p.path));
      table_->setItem(row, 0, name);
      table_->setItem(row, 1, new QTableWidgetItem(SeriesTitle(s.series.kind)));
      table_->setItem(row, 2, new QTableWidgetItem(QString::number(s.statistics.n)));
      const std::vector<ReportedMeasure> measures = ReportedMeasures(false, false);
      const std::vector<Interval>* rowIntervals = k < p.intervals.size() ? &p.intervals[k] : nullptr;
      int column = kFirstMeasureColumn;
      std::size_t next = 0;
      const auto number = [this, row, &column](const std::optional<double>& value) {
        auto* item = new QTableWidgetItem(ScreenNumber(value));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(row, column++, item);
        return item;
      };
      for (std::size_t c = 0; c < measures.size(); ++c) {
        QTableWidgetItem* item = number(std::invoke(measures[c].value, s.statistics));
        if (intervals && measures[c].hasInterval) {
          const Interval interval =
              rowIntervals != nullptr && next < rowIntervals->size() ? (*rowIntervals)[next] : Interval{};
          ++next;
          number(interval.lo);
          number(interval.hi);
        }
        if (measures[c].name == "sampen" && s.statistics.sampleEntropy &&
            s.statistics.sampleEntropyValues < s.statistics.n)
          item->setToolTip(
              tr("Over the first %1 of %2 values.").arg(s.statistics.sampleEntropyValues).arg(s.statistics.n));
      }
      const bool wanted = previous ? previous->first == i && previous->second == s.series.kind
                                   : i == 0 && lastChosen_ && *lastChosen_ == s.series.kind;
      if (wanted) select = row;
      ++row;
    }
  }
  table_->resizeColumnsToContents();
  if (select >= 0) table_->selectRow(select);
  ShowSelected();
}

std::optional<std::pair<int, SeriesKind>> StatisticsWindow::RowAt(int row) const {
  if (!shown_ || row < 0) return std::nullopt;
  int first = 0;
  for (int i = 0; i < static_cast<int>(shown_->size()); ++i) {
    const auto& series = (*shown_)[static_cast<std::size_t>(i)].series;
    if (row < first + static_cast<int>(series.size()))
      return std::pair{i, series[static_cast<std::size_t>(row - first)].series.kind};
    first += static_cast<int>(series.size());
  }
  return std::nullopt;
}

void StatisticsWindow::ShowSelected() {
  const auto at = RowAt(table_->currentRow());
  const SeriesKind kind = at ? at->second : SeriesKind::Timing;
  const int selected = at ? at->first : -1;
  curve_->Show(shown_, kind, selected);
  for (ChartView* chart : Charts()) chart->Show(shown_, kind, selected);
  OfferCrossPartners();
}

void StatisticsWindow::OfferCrossPartners() {
  const int chosen = crossWith_->currentData().toInt();
  const int selected = std::max(RowAt(table_->currentRow()).value_or(std::pair{0, SeriesKind::Timing}).first, 0);
  const QSignalBlocker blocker(crossWith_);
  crossWith_->clear();
  crossWith_->addItem(tr("Alone"), -1);
  if (shown_)
    for (int i = 0; i < static_cast<int>(shown_->size()); ++i)
      if (i != selected) crossWith_->addItem(tr("Crossed with %1").arg((*shown_)[static_cast<std::size_t>(i)].name), i);
  crossWith_->setCurrentIndex(std::max(crossWith_->findData(chosen), 0));
  crossWith_->setEnabled(crossWith_->count() > 1);
  CrossChosen();
}

void StatisticsWindow::CrossChosen() {
  const int partner = crossWith_->currentData().toInt();
  if (partner >= 0) crossRecurrence_->SetSecond(partner);
  recurrenceStack_->setCurrentIndex(partner >= 0 ? 1 : 0);
}

QString StatisticsWindow::TableCsv() const {
  std::ostringstream text;
  {
    CsvWriter csv(text);
    const std::vector<ReportedMeasure> measures = ReportedMeasures(false, false);
    const std::optional<BootstrapSettings> ci =
        shown_ && std::any_of(shown_->begin(), shown_->end(),
                              [](const ShownPerformance& p) { return !p.intervals.empty(); })
            ? ChosenInterval()
            : std::nullopt;
    csv.Text("file").Text("series").Text("n");
    for (const ReportedMeasure& m : measures) {
      csv.Text(m.name);
      if (ci && m.hasInterval) csv.Field(std::string(m.name) + "_lo").Field(std::string(m.name) + "_hi");
    }
    if (ci) csv.Text("ci_block").Text("ci_resamples");
    csv.Text("error").EndRow();
    const auto value = [&csv](const std::optional<double>& v) {
      if (v) {
        csv.Number(*v);
      } else {
        csv.Text("");
      }
    };
    if (shown_) {
      for (const ShownPerformance& p : *shown_) {
        for (std::size_t k = 0; k < p.series.size(); ++k) {
          const MeasuredSeries& s = p.series[k];
          csv.Field(p.path).Text(SeriesName(s.series.kind)).Integer(s.statistics.n);
          std::size_t next = 0;
          for (const ReportedMeasure& m : measures) {
            value(std::invoke(m.value, s.statistics));
            if (ci && m.hasInterval) {
              const Interval interval =
                  k < p.intervals.size() && next < p.intervals[k].size() ? p.intervals[k][next] : Interval{};
              ++next;
              value(interval.lo);
              value(interval.hi);
            }
          }
          if (ci) csv.Integer(BootstrapBlock(s.series.values.size(), *ci)).Integer(ci->resamples);
          csv.Text("").EndRow();
        }
      }
    }
  }
  return QString::fromStdString(text.str());
}

void StatisticsWindow::CopyCsv() const { QApplication::clipboard()->setText(TableCsv()); }

void StatisticsWindow::ExportCurve() { curve_->Export(dialogs_, tr("Export tempo curve")); }

void StatisticsWindow::ExportPoincare() { poincare_->Export(dialogs_, tr("Export Poincaré view")); }

void StatisticsWindow::ExportShownTab() {
  if (ChartView* chart = TabChart(tabs_->currentIndex())) chart->Export(dialogs_, tr("Export chart"));
}

ChartView* StatisticsWindow::TabChart(int tab) const {
  // In the order of the tabs.
  const std::array<ChartView*, 6> charts = {
      poincare_, bars_,    worm_, recurrenceStack_->currentIndex() == 1 ? crossRecurrence_ : recurrence_,
      windows_,  features_};
  return tab >= 0 && tab < static_cast<int>(charts.size()) ? charts[static_cast<std::size_t>(tab)] : nullptr;
}

StatisticsOptions StatisticsWindow::MeasureOptions() const {
  StatisticsOptions options;
  options.permutations = permutations_->value();
  options.sampleEntropyTemplate = sampenTemplate_->value();
  options.sampleEntropyTolerance = sampenTolerance_->value();
  options.dfaScales.min = dfaSmallest_->value();
  // A largest scale not above the smallest is none: a quarter of the series.
  options.dfaScales.max = dfaLargest_->value() > dfaSmallest_->value() ? dfaLargest_->value() : 0;
  return options;
}

std::vector<ChartView*> StatisticsWindow::Charts() const {
  return {poincare_, bars_, worm_, recurrence_, crossRecurrence_, windows_, features_};
}

void StatisticsWindow::SetUpColumns(bool intervals) {
  const std::vector<ReportedMeasure> measures = ReportedMeasures(false, false);
  int columns = kFirstMeasureColumn;
  for (const ReportedMeasure& m : measures) columns += intervals && m.hasInterval ? 3 : 1;
  if (table_->columnCount() == columns && table_->horizontalHeaderItem(0) != nullptr) return;
  table_->setColumnCount(columns);
  const auto header = [this](int column, const QString& text, const QString& tip) {
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(tip);
    table_->setHorizontalHeaderItem(column, item);
  };
  header(0, tr("performance"), tr("The file, in its plot colour."));
  header(1, tr("series"),
         tr("timing: x_k = onset(k+1) - onset(k) in ms; velocity: x_k = the velocity of event k; tempo: the timing "
            "divided by the score distance in beats (ms per beat)."));
  header(2, QStringLiteral("n"), ColumnDefinition("n"));
  int column = kFirstMeasureColumn;
  for (const ReportedMeasure& m : measures) {
    const QString name = QString::fromUtf8(m.name.data(), static_cast<qsizetype>(m.name.size()));
    header(column++, name, ColumnDefinition(m.name));
    if (intervals && m.hasInterval) {
      const QString level = ciLevel_->currentText();
      header(column++, name + QStringLiteral("_lo"),
             tr("The lower end of %1's bootstrap interval (%2).").arg(name, level));
      header(column++, name + QStringLiteral("_hi"),
             tr("The upper end of %1's bootstrap interval (%2).").arg(name, level));
    }
  }
}

WindowChoice StatisticsWindow::ChosenWindows() const {
  WindowChoice windows;
  if (windowKind_->currentIndex() == 1) windows.events = std::max(windowSize_->value(), 2);
  if (windowKind_->currentIndex() == 2) windows.bars = windowSize_->value();
  if (windows.Chosen() && windowStep_->value() > 0) windows.step = windowStep_->value();
  return windows;
}

std::optional<BootstrapSettings> StatisticsWindow::ChosenInterval() const {
  const int percent = ciLevel_->currentData().toInt();
  if (percent <= 0) return std::nullopt;
  BootstrapSettings settings;
  settings.level = percent / 100.0;
  return settings;
}

StatisticsChoices StatisticsWindow::Choices() const {
  StatisticsChoices choices;
  choices.measures = MeasureOptions();
  choices.ciPercent = ciLevel_->currentData().toInt();
  choices.windows = ChosenWindows();
  choices.windowMeasure = windowMeasure_->currentData().toString().toStdString();
  choices.recurrence.dimension = dimension_->value();
  choices.recurrence.delay = embeddingDelay_->value();
  choices.recurrence.theilerWindow = theiler_->value();
  if (radius_->value() > 0.0) choices.recurrence.radius = radius_->value();
  return choices;
}

void StatisticsWindow::ApplyChoices(const StatisticsChoices& choices) {
  {
    const std::array<QObject*, 14> boxes = {
        permutations_, sampenTemplate_, sampenTolerance_, dfaSmallest_, dfaLargest_,     ciLevel_, windowKind_,
        windowSize_,   windowStep_,     windowMeasure_,   dimension_,   embeddingDelay_, theiler_, radius_};
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QObject* box : boxes) blockers.push_back(std::make_unique<QSignalBlocker>(box));
    permutations_->setValue(choices.measures.permutations);
    sampenTemplate_->setValue(choices.measures.sampleEntropyTemplate);
    sampenTolerance_->setValue(choices.measures.sampleEntropyTolerance);
    dfaSmallest_->setValue(static_cast<int>(choices.measures.dfaScales.min));
    dfaLargest_->setValue(static_cast<int>(choices.measures.dfaScales.max));
    ciLevel_->setCurrentIndex(std::max(ciLevel_->findData(choices.ciPercent), 0));
    windowKind_->setCurrentIndex(choices.windows.events ? 1 : choices.windows.bars ? 2 : 0);
    if (choices.windows.events) windowSize_->setValue(static_cast<int>(*choices.windows.events));
    if (choices.windows.bars) windowSize_->setValue(*choices.windows.bars);
    windowStep_->setValue(static_cast<int>(choices.windows.step.value_or(0)));
    windowMeasure_->setCurrentIndex(
        std::max(windowMeasure_->findData(QString::fromStdString(choices.windowMeasure)), 0));
    dimension_->setValue(choices.recurrence.dimension);
    embeddingDelay_->setValue(choices.recurrence.delay);
    theiler_->setValue(choices.recurrence.theilerWindow);
    radius_->setValue(choices.recurrence.radius.value_or(0.0));
  }
  ShowChoices();
}

void StatisticsWindow::ShowChoices() {
  RecurrenceChosen();
  const WindowChoice windows = ChosenWindows();
  windows_->SetWindowMeasure(windowMeasure_->currentData().toString().toStdString(), windows);
  tabs_->setTabEnabled(tabs_->indexOf(windows_->parentWidget()), windows.Chosen());
}

void StatisticsWindow::ChoiceChanged() {
  StoreStatisticsChoices(Choices());
  ShowChoices();
  Look();
}

void StatisticsWindow::TempoChosen() {
  const QString beat = beat_->currentData().toString();
  const std::optional<Beat> chosen = beat.isEmpty() ? std::nullopt : ParseBeat(beat.toStdString());
  const TempoUnit unit = tempoUnit_->currentIndex() == 1 ? TempoUnit::Bpm : TempoUnit::MsPerBeat;
  const std::optional<double> smooth = smooth_->value() > 0.0 ? std::optional(smooth_->value()) : std::nullopt;
  for (ChartView* chart : {bars_, worm_}) chart->SetTempoChoice(chosen, unit, smooth);
}

void StatisticsWindow::RecurrenceChosen() {
  const RecurrenceSettings settings = Choices().recurrence;
  recurrence_->SetRecurrence(settings);
  crossRecurrence_->SetRecurrence(settings);
}

StatisticsWindow* ShowStatisticsWindow(QWidget* parent, Dialogs& dialogs, Session& session) {
  auto* window = parent != nullptr ? parent->findChild<StatisticsWindow*>(QStringLiteral("StatisticsWindow"),
                                                                          Qt::FindDirectChildrenOnly)
                                   : nullptr;
  if (window == nullptr) window = new StatisticsWindow(dialogs, session, parent);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace rp
