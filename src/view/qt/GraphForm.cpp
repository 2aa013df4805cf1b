#include "view/qt/GraphForm.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "performance/qt/ControlPanel.h"
#include "platform/Dialogs.h"
#include "platform/qt/Twips.h"
#include "platform/qt/GlDirect3D.h"
#include "platform/qt/GlView.h"
#include "scene/D3DInit.h"
#include "view/qt/PlotInteraction.h"

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

GraphForm::GraphForm(Dialogs& dialogs, StartOptions options, Performance& performance, ReplayPosition& position,
                     QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      options_(std::move(options)),
      performance_(performance),
      position_(position),
      view_(*this, dialogs, performance, position) {
  setObjectName(QStringLiteral("GraphForm"));
  setWindowTitle(QStringLiteral("Return plot in 3 dimensions"));
  setFont(LabelFont());

  // The device is made on this window's OpenGL widget; device set-up speaks
  // through the program's dialogs.
  if (!D3DInit.CreateDirectX) D3DInit.CreateDirectX = [] { return std::make_shared<QtDirectX>(); };
  D3DInit.MessageDialogs = &dialogs_;

  glView_ = new GlView(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(glView_);

  // Only the source of the title font: it has no action and is not shown.
  command1_ = new QPushButton(QStringLiteral("Command1"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setFont(TitleFont());
  command1_->setGeometry(Px(3000), Px(5400), Px(1932), Px(852));
  command1_->hide();

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(10);
  connect(timer1_, &QTimer::timeout, this, [this] { RunHandler([this] { view_.Timer1_Timer(); }); });

  // Mouse, keys and the popup menu act on the device widget.
  menuPopup_ = new QMenu(this);
  PlotInteraction::Hooks hooks;
  hooks.device = [this] { return view_.Device(); };
  hooks.frameMoveAndDraw = [this] { view_.Timer1_Timer(); };
  hooks.loadData = [this] { view_.MENU_LOAD_Click(); };
  hooks.run = [this](const std::function<void()>& handler) { RunHandler(handler); };
  interaction_ = new PlotInteraction(view_.State(), std::move(hooks), glView_, menuPopup_, this);
  resize(Px(9090), Px(6645));
}

GraphForm::~GraphForm() = default;

QAction* GraphForm::MenuItem(const QString& name) { return interaction_->MenuAction(name); }

template <class F>
void GraphForm::RunHandler(F&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    timer1_->stop();
    dialogs_.ShowMessage(e.what(), MessageKind::Error);
    EndProgram();
  }
}

void GraphForm::Form_Load() {
  RunHandler([this] { view_.Form_Load(); });
}

QImage GraphForm::GrabClientArea() { return glView_->GrabFrame(); }

WindowHandle GraphForm::Handle() { return glView_->Handle(); }
FontDesc GraphForm::LabelFontSource() { return ToFontDesc(font()); }
FontDesc GraphForm::TitleFontSource() { return ToFontDesc(command1_->font()); }
std::int32_t GraphForm::ClientWidth() { return width(); }
std::int32_t GraphForm::ClientHeight() { return height(); }
bool GraphForm::IsMinimized() { return isMinimized(); }
void GraphForm::SetClientWidth(std::int32_t pixels) { resize(pixels, height()); }
void GraphForm::SetClientHeight(std::int32_t pixels) { resize(width(), pixels); }

void GraphForm::SetBorderFixed(bool fixed) {
  if (fixed) {
    setFixedSize(size());
  } else {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
}

void GraphForm::SetTimerEnabled(bool enabled) {
  if (enabled) {
    timer1_->start();
  } else {
    timer1_->stop();
  }
}

void GraphForm::ShowControlPanel() {
  if (!controlPanel_) {
    controlPanel_ = std::make_unique<rp::ControlPanel>(view_, dialogs_, performance_, position_);
    controlPanel_->setStartFile(options_.file);
    if (options_.velocity) controlPanel_->setTimingChosen(false);
    view_.SetControlPanel(controlPanel_.get());
    controlPanel_->start();
  } else {
    controlPanel_->show();
  }
}

void GraphForm::PlaceAndShow() {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  move((screen.width() - frameGeometry().width()) / 2, Px(10));
  show();
}

void GraphForm::DoEvents() { QCoreApplication::processEvents(); }

void GraphForm::EndProgram() {
  std::fflush(nullptr);
  std::exit(EXIT_FAILURE);
}

void GraphForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RunHandler([this] { view_.Form_Resize(); });
}

void GraphForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) RunHandler([this] { view_.Form_Resize(); });
}

// The device widget keeps its last frame for the window system's own
// repaints; a frame is drawn anew when the window is shown again.
void GraphForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  RunHandler([this] { view_.Form_Paint(); });
}

// Closing the plot window ends the program, the control panel included.
void GraphForm::closeEvent(QCloseEvent* event) {
  event->accept();
  if (controlPanel_) controlPanel_->close();
  QCoreApplication::quit();
}

}  // namespace rp
