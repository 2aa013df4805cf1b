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
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <functional>
#include <sstream>
#include <string_view>

#include "chart/ChartColours.h"
#include "io/CsvWriter.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "session/Session.h"
#include "ui/PoincareView.h"
#include "ui/TempoCurveView.h"

namespace rp {

namespace {

// The permutation test's random state, as --stats takes it by default.
constexpr std::uint64_t kRandomState = 1;
// The columns before the measures.
constexpr int kFirstMeasureColumn = 3;

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
QWidget* WithChoices(QWidget* main, QHBoxLayout* choices, bool above, QWidget* parent) {
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
  const auto& measures = StatisticsColumns();
  table_->setColumnCount(kFirstMeasureColumn + static_cast<int>(measures.size()));
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
  for (std::size_t i = 0; i < measures.size(); ++i)
    header(kFirstMeasureColumn + static_cast<int>(i),
           QString::fromUtf8(measures[i].name.data(), static_cast<qsizetype>(measures[i].name.size())),
           ColumnDefinition(measures[i].name));
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
  for (QSpinBox* box : {permutations_, sampenTemplate_})
    connect(box, &QSpinBox::valueChanged, this, [this] { Look(); });
  connect(sampenTolerance_, &QDoubleSpinBox::valueChanged, this, [this] { Look(); });
  auto* measureChoices = new QHBoxLayout;
  measureChoices->addWidget(new QLabel(tr("Shuffles of rd_p"), this));
  measureChoices->addWidget(permutations_);
  measureChoices->addWidget(new QLabel(tr("sampen m"), this));
  measureChoices->addWidget(sampenTemplate_);
  measureChoices->addWidget(new QLabel(tr("sampen r (× sd)"), this));
  measureChoices->addWidget(sampenTolerance_);
  measureChoices->addStretch(1);
  QWidget* tablePart = WithChoices(table_, measureChoices, false, this);

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
    connect(box, &QSpinBox::valueChanged, this, [this] { RecurrenceChosen(); });
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
  connect(radius_, &QDoubleSpinBox::valueChanged, this, [this] { RecurrenceChosen(); });
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("chartTabs"));
  tabs_->addTab(poincare_, tr("Poincaré view"));
  tabs_->addTab(bars_, tr("Tempo against bars"));
  tabs_->addTab(worm_, tr("Tempo–loudness"));
  tabs_->addTab(WithChoices(recurrence_, recurrenceOptions, true, this), tr("Recurrence"));
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
  listening_ = session_.Listen([this](SessionChange) {
    if (isVisible()) Look();
  });
  resize(1000, 720);
}

// A measure still running finishes on its own; its result is dropped.
StatisticsWindow::~StatisticsWindow() { session_.StopListening(listening_); }

SeriesKind StatisticsWindow::ChosenSeries() const {
  const ValueKind kind = session_.ChosenValueKind();
  return kind == ValueKind::Velocity ? SeriesKind::Velocity
         : kind == ValueKind::Tempo  ? SeriesKind::Tempo
                                     : SeriesKind::Timing;
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
  const std::int32_t event = session_.Position().currentEvent - 1;
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
  watcher_->setFuture(QtConcurrent::run([sources = std::move(sources), delay, options = MeasureOptions()] {
    return MeasureShown(sources, delay, kRandomState, options);
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
  int rows = 0;
  for (const ShownPerformance& p : *shown_) rows += static_cast<int>(p.series.size());
  table_->setRowCount(rows);
  int row = 0;
  int select = rows > 0 ? 0 : -1;
  for (int i = 0; i < static_cast<int>(shown_->size()); ++i) {
    const ShownPerformance& p = (*shown_)[static_cast<std::size_t>(i)];
    for (const MeasuredSeries& s : p.series) {
      auto* name = new QTableWidgetItem(p.name);
      name->setForeground(p.colour);
      name->setToolTip(QString::fromStdString(p.path));
      table_->setItem(row, 0, name);
      table_->setItem(row, 1, new QTableWidgetItem(SeriesTitle(s.series.kind)));
      table_->setItem(row, 2, new QTableWidgetItem(QString::number(s.statistics.n)));
      const auto& measures = StatisticsColumns();
      for (std::size_t c = 0; c < measures.size(); ++c) {
        auto* item = new QTableWidgetItem(ScreenNumber(std::invoke(measures[c].value, s.statistics)));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(row, kFirstMeasureColumn + static_cast<int>(c), item);
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
}

QString StatisticsWindow::TableCsv() const {
  std::ostringstream text;
  {
    CsvWriter csv(text);
    csv.Text("file").Text("series").Text("n");
    for (const StatisticsColumn& column : StatisticsColumns()) csv.Text(column.name);
    csv.Text("error").EndRow();
    if (shown_) {
      for (const ShownPerformance& p : *shown_) {
        for (const MeasuredSeries& s : p.series) {
          csv.Field(p.path).Text(SeriesName(s.series.kind)).Integer(s.statistics.n);
          for (const StatisticsColumn& column : StatisticsColumns()) {
            const std::optional<double>& value = std::invoke(column.value, s.statistics);
            if (value) {
              csv.Number(*value);
            } else {
              csv.Text("");
            }
          }
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
  const int tab = tabs_->currentIndex();
  const std::vector<ChartView*> charts = Charts();
  if (tab >= 0 && tab < static_cast<int>(charts.size()))
    charts[static_cast<std::size_t>(tab)]->Export(dialogs_, tr("Export chart"));
}

StatisticsOptions StatisticsWindow::MeasureOptions() const {
  StatisticsOptions options;
  options.permutations = permutations_->value();
  options.sampleEntropyTemplate = sampenTemplate_->value();
  options.sampleEntropyTolerance = sampenTolerance_->value();
  return options;
}

std::vector<ChartView*> StatisticsWindow::Charts() const { return {poincare_, bars_, worm_, recurrence_}; }

void StatisticsWindow::TempoChosen() {
  const QString beat = beat_->currentData().toString();
  const std::optional<Beat> chosen = beat.isEmpty() ? std::nullopt : ParseBeat(beat.toStdString());
  const TempoUnit unit = tempoUnit_->currentIndex() == 1 ? TempoUnit::Bpm : TempoUnit::MsPerBeat;
  const std::optional<double> smooth = smooth_->value() > 0.0 ? std::optional(smooth_->value()) : std::nullopt;
  for (ChartView* chart : {bars_, worm_}) chart->SetTempoChoice(chosen, unit, smooth);
}

void StatisticsWindow::RecurrenceChosen() {
  RecurrenceSettings settings;
  settings.dimension = dimension_->value();
  settings.delay = embeddingDelay_->value();
  settings.theilerWindow = theiler_->value();
  if (radius_->value() > 0.0) settings.radius = radius_->value();
  recurrence_->SetRecurrence(settings);
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
