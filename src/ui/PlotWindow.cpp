// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PlotWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "base/Dialogs.h"
#include "model/Performance.h"
#include "plot/EventPick.h"
#include "render/GlDevice.h"
#include "render/GlView.h"
#include "replay/ReplayEngine.h"
#include "ui/AnalysisSettingsDialog.h"
#include "ui/ControlPanel.h"
#include "ui/PlotInteraction.h"
#include "ui/StatisticsWindow.h"
#include "ui/StoredSettings.h"
#include "ui/Twips.h"

namespace rp {

namespace {

// The window's own font stands in for "MS Sans Serif" 12 pt; the title font
// for "Impact" 16.5 pt, a heavy narrow face: the closest installed is the
// condensed bold DejaVu.
QFont LabelFont() { return QFont(QStringLiteral("DejaVu Sans"), 12, QFont::Normal); }
QFont TitleFont() {
  QFont f(QStringLiteral("DejaVu Sans Condensed"));
  f.setPointSizeF(16.5);
  f.setWeight(QFont::Bold);
  return f;
}

FontDesc ToFontDesc(const QFont& f) {
  FontDesc d;
  d.faceName = f.family().toStdString();
  d.pointSize = static_cast<float>(f.pointSizeF());
  d.weight = f.weight() >= QFont::Bold ? 700 : 400;
  d.italic = f.italic();
  d.underline = f.underline();
  d.strikeout = f.strikeOut();
  return d;
}

}  // namespace

PlotWindow::PlotWindow(Dialogs& dialogs, StartOptions options, Performance& performance, ReplayPosition& position,
                       ComparedPerformances& compared, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      options_(std::move(options)),
      performance_(performance),
      position_(position),
      compared_(compared),
      view_(*this, dialogs, performance, position, compared) {
  setObjectName(QStringLiteral("PlotWindow"));
  setWindowTitle(QStringLiteral("Return plot in 3 dimensions"));
  setFont(LabelFont());

  // The device is made on this window's OpenGL widget.
  view_.Setup().makeDevice = &GlDevice::CreateOn;

  glView_ = new GlView(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(glView_);

  // Only the source of the title font: it has no action and is not shown.
  titleFontButton_ = new QPushButton(this);
  titleFontButton_->setObjectName(QStringLiteral("titleFontButton"));
  titleFontButton_->setFont(TitleFont());
  titleFontButton_->setGeometry(Px(3000), Px(5400), Px(1932), Px(852));
  titleFontButton_->hide();

  frameTimer_ = new QTimer(this);
  frameTimer_->setObjectName(QStringLiteral("frameTimer"));
  frameTimer_->setInterval(10);
  connect(frameTimer_, &QTimer::timeout, this, [this] { RunHandler([this] { view_.OnFrameTimer(); }); });

  // Mouse, keys and the popup menu act on the device widget.
  popupMenu_ = new QMenu(this);
  PlotInteraction::Hooks hooks;
  hooks.device = [this] { return view_.Device(); };
  hooks.frameMoveAndDraw = [this] { view_.OnFrameTimer(); };
  hooks.loadData = [this] { view_.LoadScatterFile(); };
  hooks.addCompared = [this] {
    if (controlPanel_) controlPanel_->AddComparedPerformances();
  };
  hooks.removeCompared = [this] {
    if (controlPanel_) controlPanel_->RemoveComparedPerformances();
  };
  hooks.analysisSettings = [this] { ChooseAnalysisSettings(); };
  hooks.doubleClicked = [this](float x, float y) { DoubleClicked(x, y); };
  hooks.toggleRecording = [this] {
    if (controlPanel_) controlPanel_->ToggleRecording();
  };
  hooks.isRecording = [this] { return controlPanel_ && controlPanel_->IsRecording(); };
  hooks.run = [this](const std::function<void()>& handler) { RunHandler(handler); };
  interaction_ = new PlotInteraction(view_.State(), std::move(hooks), glView_, popupMenu_, this);
  askAnalysisSettings_ = [this](const AnalysisSettings& current) { return AskAnalysisSettings(current, this); };
  makeMidiOutput_ = &RealMidiOutput;

  // Play and stop from either window. The shortcut takes the key before the
  // focused control sees it, so a focused button is not pressed as well;
  // while a modal dialog is open it does nothing.
  auto* playKey = new QShortcut(QKeySequence(Qt::Key_Space), this);
  playKey->setObjectName(QStringLiteral("playShortcut"));
  playKey->setContext(Qt::ApplicationShortcut);
  playKey->setAutoRepeat(false);
  connect(playKey, &QShortcut::activated, this, [this] {
    RunHandler([this] {
      if (controlPanel_) controlPanel_->TogglePlay();
    });
  });
  // The Statistics window: from the popup menu, or Ctrl+T in either window.
  QAction* statistics = popupMenu_->addAction(tr("Statistics..."));
  statistics->setObjectName(QStringLiteral("menuStatistics"));
  statistics->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  statistics->setShortcutContext(Qt::ApplicationShortcut);
  addAction(statistics);
  connect(statistics, &QAction::triggered, this, [this] {
    ShowStatisticsWindow(this, dialogs_, {&performance_, &compared_, &position_, [this] {
                                            const bool timing = !controlPanel_ || controlPanel_->TimingChosen();
                                            return timing ? SeriesKind::Timing : SeriesKind::Velocity;
                                          }});
  });
  resize(Px(9090), Px(6645));
}

PlotWindow::~PlotWindow() = default;

QAction* PlotWindow::MenuItem(const QString& name) { return interaction_->MenuAction(name); }

template <class F>
void PlotWindow::RunHandler(F&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    frameTimer_->stop();
    dialogs_.ShowMessage(e.what(), MessageKind::Error);
    EndProgram();
  }
}

void PlotWindow::Start() {
  RunHandler([this] { view_.Start(); });
}

void PlotWindow::ChooseAnalysisSettings() {
  const std::optional<AnalysisSettings> chosen = askAnalysisSettings_(performance_.settings);
  if (!chosen) return;
  StoreAnalysisSettings(*chosen);
  if (controlPanel_) controlPanel_->ApplyAnalysisSettings(*chosen);
  view_.Rebuild();
}

void PlotWindow::DoubleClicked(float x, float y) {
  GraphicsDevice* dev = view_.Device();
  if (dev == nullptr || !controlPanel_) return;
  const std::int32_t event = EventUnderMouse(view_.State(), *dev, x, y);
  if (event > 0) controlPanel_->Replay().SeekTo(event);
}

QImage PlotWindow::GrabClientArea() { return glView_->GrabFrame(); }

WindowHandle PlotWindow::Handle() { return glView_->Handle(); }
FontDesc PlotWindow::LabelFontSource() { return ToFontDesc(font()); }
FontDesc PlotWindow::TitleFontSource() { return ToFontDesc(titleFontButton_->font()); }
std::int32_t PlotWindow::ClientWidth() { return width(); }
std::int32_t PlotWindow::ClientHeight() { return height(); }
bool PlotWindow::IsMinimized() { return isMinimized(); }
void PlotWindow::SetClientWidth(std::int32_t pixels) { resize(pixels, height()); }
void PlotWindow::SetClientHeight(std::int32_t pixels) { resize(width(), pixels); }

void PlotWindow::SetBorderFixed(bool fixed) {
  if (fixed) {
    setFixedSize(size());
  } else {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
}

void PlotWindow::SetTimerEnabled(bool enabled) {
  if (enabled) {
    frameTimer_->start();
  } else {
    frameTimer_->stop();
  }
}

void PlotWindow::ShowControlPanel() {
  if (!controlPanel_) {
    controlPanel_ =
        std::make_unique<rp::ControlPanel>(view_, dialogs_, performance_, position_, compared_, makeMidiOutput_());
    controlPanel_->SetStartFile(options_.file, options_.compareFiles);
    controlPanel_->SetOfferRecovery(options_.offerRecovery);
    controlPanel_->SetStartOutput(options_.output);
    if (options_.velocity) controlPanel_->SetTimingChosen(false);
    view_.SetControlPanel(controlPanel_.get());
    controlPanel_->Start();
  } else {
    controlPanel_->show();
  }
}

void PlotWindow::PlaceAndShow() {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  move((screen.width() - frameGeometry().width()) / 2, Px(10));
  show();
}

void PlotWindow::ProcessEvents() { QCoreApplication::processEvents(); }

void PlotWindow::EndProgram() {
  std::fflush(nullptr);
  std::exit(EXIT_FAILURE);
}

void PlotWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RunHandler([this] { view_.Resized(); });
}

void PlotWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) RunHandler([this] { view_.Resized(); });
}

// The device widget keeps its last frame for the window system's own
// repaints; a frame is drawn anew when the window is shown again.
void PlotWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  RunHandler([this] { view_.Paint(); });
}

// Closing the plot window ends the program, the control panel included.
void PlotWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (controlPanel_) controlPanel_->close();
  QCoreApplication::quit();
}

}  // namespace rp
