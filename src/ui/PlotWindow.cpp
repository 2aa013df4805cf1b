// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PlotWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <sstream>

#include "analysis/PerformanceFileDialog.h"
#include "analysis/PerformanceLoader.h"
#include "audio/RecordingPlayer.h"
#include "frontend/Dialogs.h"
#include "io/EventsCsv.h"
#include "model/Performance.h"
#include "plot/EventPick.h"
#include "plot/ResetView.h"
#include "plot/SharedScale.h"
#include "render/GlText.h"
#include "render/GlView.h"
#include "session/Session.h"
#include "ui/AlignByMenu.h"
#include "ui/AnalysisSettingsDialog.h"
#include "ui/ControlPanel.h"
#include "ui/EventRangeDialog.h"
#include "ui/PerformanceDrop.h"
#include "ui/PlotInteraction.h"
#include "ui/PlotMenuBar.h"
#include "ui/RecentFiles.h"
#include "ui/StatisticsWindow.h"
#include "ui/StoredSettings.h"
#include "ui/Translations.h"
#include "ui/WindowActions.h"
#include "ui/WindowGeometry.h"

namespace rp {

namespace {

// The plot's client area below the menu bar at the start, in device-independent pixels.
constexpr QSize kPlotSize(606, 443);

// The labels' font, and the caption's: a heavy narrow face.
QFont LabelFont() { return QFont(QStringLiteral("DejaVu Sans"), 12, QFont::Normal); }
QFont TitleFont() {
  QFont f(QStringLiteral("DejaVu Sans Condensed"));
  f.setPointSizeF(16.5);
  f.setWeight(QFont::Bold);
  return f;
}

// The plot animates at most this many frames a second, and never faster
// than the screen shows them.
constexpr double kMostFramesPerSecond = 60.0;

FontDesc ToFontDesc(const QFont& f) {
  FontDesc d;
  d.faceName = f.family().toStdString();
  d.pointSize = static_cast<float>(f.pointSizeF());
  d.weight = f.weight() >= QFont::Bold ? 700 : 400;
  d.italic = f.italic();
  d.underline = f.underline();
  d.strikeout = f.strikeOut();
  // Measured as the renderer makes the font, for the layout of the plot's texts.
  const QFontMetrics drawn(ToQFont(d));
  d.ascentPixels = static_cast<float>(drawn.ascent());
  d.lineHeightPixels = static_cast<float>(drawn.height());
  return d;
}

}  // namespace

PlotWindow::PlotWindow(Session& session, Dialogs& dialogs, StartOptions options, QWidget* parent)
    : QWidget(parent),
      session_(session),
      dialogs_(dialogs),
      options_(std::move(options)),
      view_(*this, dialogs, session.Main(), session.Position(), session.Compared()) {
  setObjectName(QStringLiteral("PlotWindow"));
  setWindowTitle(tr("Return plot in 3 dimensions"));
  setFont(LabelFont());

  listening_ = session_.Listen([this](SessionChange change) { Follow(change); });
  view_.State().stopReplay = [this] { session_.Stop(); };
  glView_ = new GlView(this);
  glView_->SetFrameSource([this] {
    SceneDescription frame;
    sinceFrame_.start();
    RunHandler([this, &frame] { frame = view_.NextFrame(); });
    return frame;
  });
  glView_->SetFrameDrawn([this] { FrameDrawn(); });
  glView_->SetRendererLost([this] { RunHandler([this] { view_.RendererLost(); }); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(glView_);

  framePacer_ = new QTimer(this);
  framePacer_->setObjectName(QStringLiteral("framePacer"));
  framePacer_->setSingleShot(true);
  framePacer_->setTimerType(Qt::PreciseTimer);
  connect(framePacer_, &QTimer::timeout, glView_, qOverload<>(&QWidget::update));

  // Mouse and keys act on the device widget; the right button pops up the
  // menu made of the windows' action table.
  view_.State().display = StoredDisplayOptions();
  view_.State().translateText = RememberingTranslator();
  actions_ = new WindowActions(*this, ActionTable());
  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName(QStringLiteral("popupMenu"));
  popupMenu_->setTitle(QStringLiteral("POPUPMENU"));
  actions_->Fill(*popupMenu_, {"menuExit",
                               "menuLoad",
                               "menuReset",
                               "menuConnect",
                               "menuLines",
                               "menuFootLines",
                               "menuBase",
                               "menuRotate",
                               "menuAddCompared",
                               "menuRemoveCompared",
                               "menuAnalysisSettings",
                               "menuRecord",
                               "menuLogAxes",
                               "menuIdentityLine",
                               "menuColourByTime",
                               "menuEventRange",
                               "menuTempoBeat",
                               "menuTempoBpm",
                               "menuScaleFrom",
                               "menuOwnScale",
                               "menuLightTheme",
                               "menuStatistics"});
  PlotInteraction::Hooks hooks;
  hooks.redraw = [this] { view_.Redraw(); };
  hooks.doubleClicked = [this](float x, float y) { DoubleClicked(x, y); };
  hooks.popupMenu = [this](const QPoint& at) { popupMenu_->popup(at); };
  hooks.run = [this](const std::function<void()>& handler) { RunHandler(handler); };
  interaction_ = new PlotInteraction(view_.State(), std::move(hooks), glView_, this);
  menuBar_ = new PlotMenuBar(*this, *actions_, [this](const QString& path) {
    RunHandler([this, &path] { session_.Open(path.toStdString()); });
  });
  AddAlignByMenu(*menuBar_->ViewMenu(), view_.State(), [this] { RunHandler([this] { view_.Rebuild(); }); });
  layout->setMenuBar(menuBar_->Bar());
  // The software renderer is named in the menu bar, not in a box to dismiss.
  view_.SetNoticeShower([this](std::string_view text) {
    menuBar_->ShowNote(tr("Software rendering"));
    menuBar_->Bar()->cornerWidget()->setToolTip(TranslatedText(text));
  });

  PerformanceDrop::Hooks drop;
  drop.openMain = [this](const std::string& path, const std::vector<std::string>& compare) {
    RunHandler([this, &path, &compare] { session_.Open(path, compare); });
  };
  drop.addCompared = [this](const std::vector<std::string>& paths) {
    RunHandler([this, &paths] { session_.AddCompared(paths); });
  };
  drop_ = new PerformanceDrop(std::move(drop), this);
  drop_->Watch(*this);

  askAnalysisSettings_ = [this](const AnalysisSettings& current) {
    return AskAnalysisSettings(current, this, session_.Main().source == PerformanceSource::ScoreAligned);
  };
  makeMidiOutput_ = &RealMidiOutput;

  // The plot gets its start size below the menu bar.
  resize(kPlotSize.width(), kPlotSize.height() + menuBar_->Bar()->sizeHint().height());
}

PlotWindow::~PlotWindow() {
  session_.StopListening(listening_);
  // The panel lets go of the session before the window's parts go.
  controlPanel_.reset();
}

void PlotWindow::Follow(SessionChange change) {
  ViewState& state = view_.State();
  state.valueKind = session_.ChosenValueKind();
  state.replaying = session_.IsReplaying();
  RunHandler([this, change] {
    switch (change) {
      case SessionChange::Points:
        view_.ShowFirstEvents();
        break;
      case SessionChange::Tail:
        view_.ShowTail();
        break;
      case SessionChange::ValuesChosen:
        view_.ShowValuesAgain();
        break;
      case SessionChange::TailLength:
        view_.TailLengthChanged();
        break;
      case SessionChange::Settings:
        view_.Rebuild();
        break;
      case SessionChange::BorderFixed:
        view_.SetBorderFixed(session_.BorderFixed());
        break;
      default:
        break;
    }
  });
  // Shortcuts work without a menu opening first: their states follow now.
  if (actions_ != nullptr) actions_->Refresh();
}

QAction* PlotWindow::MenuItem(const QString& name) { return actions_->Action(name); }

namespace {

// An entry of the table: its name, text (in `context`), command and shortcut;
// the rest is set where it applies.
WindowAction Entry(const char* name, const char* context, const char* text, std::function<void()> run,
                   QKeySequence shortcut = {}, Qt::ShortcutContext where = Qt::WindowShortcut) {
  WindowAction action;
  action.name = name;
  action.context = context;
  action.text = text;
  action.run = std::move(run);
  action.shortcut = std::move(shortcut);
  action.shortcutContext = where;
  return action;
}

}  // namespace

std::vector<WindowAction> PlotWindow::ActionTable() {
  ViewState& state = view_.State();
  // A command of the window or the session, run as every handler is, then
  // drawn.
  const auto command = [this](std::function<void()> run) {
    return [this, run = std::move(run)] {
      RunHandler(run);
      view_.Redraw();
    };
  };
  // A switch of the plot: flipped, then drawn.
  const auto flip = [command](bool& flag) { return command([&flag] { flag = !flag; }); };
  // A display option that changes the scale: flipped, kept, the points anew.
  const auto option = [this, command](bool& flag) {
    return command([this, &flag] {
      flag = !flag;
      StoreDisplayOptions(view_.State().display);
      view_.Rebuild();
    });
  };
  const auto allows = [this](UserAction action) { return [this, action] { return Allowed(action); }; };
  const char* popup = "returnplot";
  const char* bar = "rp::PlotMenuBar";
  const char* window = "rp::PlotWindow";
  std::vector<WindowAction> table = {
      Entry("menuExit", popup, QT_TRANSLATE_NOOP("returnplot", "Close menu"), {}),
      Entry("menuLoad", popup, QT_TRANSLATE_NOOP("returnplot", "Open scatter file..."), command([this] {
              if (Allowed(UserAction::ChangeView)) OpenScatterFile();
            })),
      Entry("menuReset", popup, QT_TRANSLATE_NOOP("returnplot", "Reset orientation"),
            command([&state] { ResetView(state); })),
      Entry("menuConnect", popup, QT_TRANSLATE_NOOP("returnplot", "Connecting lines"), flip(state.showConnectLines)),
      Entry("menuLines", popup, QT_TRANSLATE_NOOP("returnplot", "Drop lines"), flip(state.showDropLines)),
      Entry("menuFootLines", popup, QT_TRANSLATE_NOOP("returnplot", "Floor shadows"), flip(state.showFloorShadows)),
      Entry("menuBase", popup, QT_TRANSLATE_NOOP("returnplot", "Frosted glass plate"), flip(state.showGlass)),
      Entry("menuRotate", popup, QT_TRANSLATE_NOOP("returnplot", "Auto-rotate"), flip(state.autoRotate)),
      Entry("menuAddCompared", popup, QT_TRANSLATE_NOOP("returnplot", "Add performance for comparison..."),
            command([this] { session_.ChooseAndAddCompared(); }),
            QKeySequence(QCoreApplication::translate("rp::PlotMenuBar", "Ctrl+Shift+O"))),
      Entry("menuRemoveCompared", popup, QT_TRANSLATE_NOOP("returnplot", "Remove compared performances"),
            command([this] { session_.RemoveCompared(); })),
      Entry("menuAnalysisSettings", popup, QT_TRANSLATE_NOOP("returnplot", "Analysis settings..."),
            command([this] { ChooseAnalysisSettings(); })),
      Entry("menuRecord", popup, QT_TRANSLATE_NOOP("returnplot", "Record from MIDI input..."),
            command([this] { session_.ToggleRecording(); })),
      Entry("menuLogAxes", popup, QT_TRANSLATE_NOOP("returnplot", "Logarithmic axes"),
            option(state.display.logarithmic)),
      Entry("menuIdentityLine", popup, QT_TRANSLATE_NOOP("returnplot", "Identity line"),
            flip(state.display.identityLine)),
      Entry("menuColourByTime", popup, QT_TRANSLATE_NOOP("returnplot", "Colour by time"),
            option(state.display.colourByTime)),
      Entry("menuEventRange", popup, QT_TRANSLATE_NOOP("returnplot", "Event range..."),
            command([this] { ChooseEventRange(); })),
      // Tempo: the beat it is counted in and its unit, as --beat and --tempo-unit.
      Entry("menuTempoBeat", popup, QT_TRANSLATE_NOOP("returnplot", "Tempo per beat..."),
            command([this] { ChooseTempoBeat(); })),
      Entry("menuTempoBpm", popup, QT_TRANSLATE_NOOP("returnplot", "Tempo in beats per minute"),
            command([this, &state] {
              state.display.tempo.unit =
                  state.display.tempo.unit == TempoUnit::Bpm ? TempoUnit::MsPerBeat : TempoUnit::Bpm;
              StoreDisplayOptions(state.display);
              view_.Rebuild();
            })),
      // Figures: one scale for pictures of several performances, and the print look.
      Entry("menuScaleFrom", popup, QT_TRANSLATE_NOOP("returnplot", "Scale from performances..."),
            command([this, &state] {
              if (!Allowed(UserAction::ChangeView)) return;
              const std::vector<std::string> paths = dialogs_.OpenFiles(
                  PerformanceFileRequest(QT_TRANSLATE_NOOP("returnplot", "The performances that make the scale")));
              if (paths.empty()) return;
              std::vector<Performance> read(paths.size());
              std::vector<const Performance*> all;
              for (std::size_t i = 0; i < paths.size(); ++i) {
                read[i].settings = session_.Settings();
                const LoadResult loaded = LoadPerformanceFile(paths[i], read[i]);
                if (!loaded.Ok()) return dialogs_.ShowMessage(loaded.message, MessageKind::Error);
                all.push_back(&read[i]);
              }
              state.display.fixedScale =
                  SharedScaleRange(all, state.valueKind, state.display.logarithmic, state.display.tempo);
              view_.Rebuild();
            })),
      Entry("menuOwnScale", popup, QT_TRANSLATE_NOOP("returnplot", "Scale of the performances shown"),
            command([this, &state] {
              state.display.fixedScale.reset();
              view_.Rebuild();
            })),
      Entry("menuLightTheme", popup, QT_TRANSLATE_NOOP("returnplot", "Light look for print"), command([&state] {
              state.display.theme = state.display.theme == PlotTheme::Light ? PlotTheme::Dark : PlotTheme::Light;
            })),
      // The Statistics window: Ctrl+T in either window.
      Entry(
          "menuStatistics", window, QT_TRANSLATE_NOOP("rp::PlotWindow", "Statistics..."),
          [this] { ShowStatisticsWindow(this, dialogs_, session_); }, QKeySequence(Qt::CTRL | Qt::Key_T),
          Qt::ApplicationShortcut),
      Entry("fileOpen", bar, QT_TRANSLATE_NOOP("rp::PlotMenuBar", "&Open..."),
            command([this] { session_.ChooseAndOpen(); }), QKeySequence::Open),
      Entry("fileOpenWithScore", bar, QT_TRANSLATE_NOOP("rp::PlotMenuBar", "Open performance with &score..."),
            command([this] { session_.ChooseAndOpenWithScore(); })),
      Entry("fileExportEvents", bar, QT_TRANSLATE_NOOP("rp::PlotMenuBar", "Export &events as CSV..."),
            command([this] { ExportEvents(); })),
      Entry("fileExportPicture", bar, QT_TRANSLATE_NOOP("rp::PlotMenuBar", "Export &picture as PNG..."),
            command([this] { ExportPicture(); }),
            QKeySequence(QCoreApplication::translate("rp::PlotMenuBar", "Ctrl+E"))),
      Entry(
          "fileQuit", bar, QT_TRANSLATE_NOOP("rp::PlotMenuBar", "&Quit"), [this] { close(); }, QKeySequence::Quit),
      Entry(
          "helpManual", bar, QT_TRANSLATE_NOOP("rp::PlotMenuBar", "&Manual"), [this] { ShowManual(*this); },
          QKeySequence::HelpContents),
      Entry("helpAbout", bar, QT_TRANSLATE_NOOP("rp::PlotMenuBar", "&About returnplot"), [this] { ShowAbout(*this); }),
      // Play and stop from either window. The shortcut takes the key before
      // the focused control sees it, so a focused button is not pressed as
      // well; while a modal dialog is open it does nothing.
      Entry(
          "playShortcut", window, QT_TRANSLATE_NOOP("rp::PlotWindow", "Play or stop"),
          [this] { RunHandler([this] { session_.TogglePlay(); }); }, QKeySequence(Qt::Key_Space),
          Qt::ApplicationShortcut),
  };

  const auto find = [&table](const char* name) -> WindowAction& {
    return *std::find_if(table.begin(), table.end(),
                         [name](const WindowAction& a) { return std::string_view(a.name) == name; });
  };
  for (const char* name : {"menuConnect", "menuLines", "menuFootLines", "menuBase", "menuRotate", "menuLogAxes",
                           "menuIdentityLine", "menuColourByTime", "menuLightTheme", "menuOwnScale", "menuTempoBpm"})
    find(name).checkable = true;
  find("menuLightTheme").checked = [&state] { return state.display.theme == PlotTheme::Light; };
  find("menuOwnScale").checked = [&state] { return !state.display.fixedScale; };
  find("menuTempoBpm").checked = [&state] { return state.display.tempo.unit == TempoUnit::Bpm; };
  find("menuConnect").checked = [&state] { return state.showConnectLines; };
  find("menuLines").checked = [&state] { return state.showDropLines; };
  find("menuFootLines").checked = [&state] { return state.showFloorShadows; };
  find("menuBase").checked = [&state] { return state.showGlass; };
  find("menuRotate").checked = [&state] { return state.autoRotate; };
  find("menuLogAxes").checked = [&state] { return state.display.logarithmic; };
  find("menuIdentityLine").checked = [&state] { return state.display.identityLine; };
  find("menuColourByTime").checked = [&state] { return state.display.colourByTime; };
  // Colours by time show one performance.
  find("menuColourByTime").enabled = [&state] { return state.compared.empty(); };
  find("menuColourByTime").whyNot = [] {
    return std::string(QT_TRANSLATE_NOOP(
        "returnplot", "Colours by time show one performance: remove the compared performances to use them."));
  };
  // What the session can do now.
  find("fileOpen").enabled = allows(UserAction::OpenFile);
  find("menuAddCompared").enabled = allows(UserAction::OpenFile);
  find("menuRemoveCompared").enabled = [this] {
    return !session_.Compared().empty() && Allowed(UserAction::ChangeView);
  };
  find("menuAnalysisSettings").enabled = allows(UserAction::ChangeView);
  find("menuRecord").enabled = [this] { return session_.IsRecording() || Allowed(UserAction::OpenFile); };
  find("menuRecord").caption = [this] {
    return session_.IsRecording() ? QT_TRANSLATE_NOOP("returnplot", "Stop recording")
                                  : QT_TRANSLATE_NOOP("returnplot", "Record from MIDI input...");
  };
  return table;
}

template <class F>
void PlotWindow::RunHandler(F&& handler) {
  if (shuttingDown_) return;
  try {
    handler();
  } catch (const std::exception& e) {
    framePacer_->stop();
    dialogs_.ShowMessage(e.what(), MessageKind::Error);
    EndProgram();
  }
}

bool PlotWindow::Allowed(UserAction action) const { return !shuttingDown_ && session_.Allows(action); }

void PlotWindow::Start() {
  RunHandler([this] { view_.Start(); });
  actions_->Refresh();  // the start turned auto-rotation on
}

void PlotWindow::ChooseEventRange() {
  DisplayOptions& display = view_.State().display;
  if (!AskEventRange(this, display.eventRange, session_.Main().EventCount())) return;
  view_.Rebuild();
}

void PlotWindow::ChooseTempoBeat() {
  if (!Allowed(UserAction::ChangeView)) return;
  // The beats --beat names, after the time signature's own.
  static constexpr std::array<std::string_view, 5> kBeats = {"quarter", "eighth", "dotted-quarter", "half", "bar"};
  std::vector<std::string> items{QT_TRANSLATE_NOOP("returnplot", "the beat of the time signature")};
  for (const std::string_view beat : kBeats) items.push_back(BeatName(*ParseBeat(beat)));
  const std::optional<int> chosen = dialogs_.ChooseFromList(QT_TRANSLATE_NOOP("returnplot", "Count tempo per"), items);
  if (!chosen) return;
  DisplayOptions& display = view_.State().display;
  display.tempo.beat = *chosen == 0 ? std::nullopt : ParseBeat(kBeats[static_cast<std::size_t>(*chosen - 1)]);
  StoreDisplayOptions(display);
  view_.Rebuild();
}

void PlotWindow::ChooseAnalysisSettings() {
  if (!Allowed(UserAction::ChangeView)) return;
  const std::optional<AnalysisSettings> chosen = askAnalysisSettings_(session_.Settings());
  if (!chosen) return;
  // The state may have changed while the dialog was open.
  if (!session_.ApplyAnalysisSettings(*chosen)) return;
  StoreAnalysisSettings(*chosen);
}

void PlotWindow::DoubleClicked(float x, float y) {
  if (const std::optional<std::int32_t> event = EventUnderMouse(view_.State(), x, y)) session_.SeekTo(*event);
}

QImage PlotWindow::GrabClientArea() { return glView_->GrabFrame(); }

void PlotWindow::ExportEvents() {
  if (!session_.HasPerformance()) {
    dialogs_.ShowMessage(tr("There are no events to export: open a performance first.").toStdString(),
                         MessageKind::Information);
    return;
  }
  OpenFileRequest request;
  request.title = tr("Export events as CSV").toStdString();
  request.fileTypes = {{tr("CSV files").toStdString(), {"*.csv"}}};
  request.initialDir = StoredFileFolder();
  request.defaultExtension = "csv";
  const std::optional<std::string> path = dialogs_.SaveFile(request);
  if (!path) return;
  std::ostringstream csv;
  WriteEventsCsv(session_.Main(), csv);
  QSaveFile file(QString::fromStdString(*path));
  const std::string text = csv.str();
  if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
      !file.commit()) {
    dialogs_.ShowMessage(tr("Cannot write %1: %2").arg(file.fileName(), file.errorString()).toStdString(),
                         MessageKind::Error);
  }
}

void PlotWindow::OpenScatterFile() {
  OpenFileRequest request;
  request.title = tr("Open scatter file").toStdString();
  request.fileTypes = {{tr("Scatter files").toStdString(), {"*.csv"}}};
  request.initialDir = view_.ScatterFolder();
  request.defaultExtension = "csv";
  const std::optional<std::string> chosen = dialogs_.OpenFile(request);
  if (!chosen || chosen->empty()) return;
  view_.LoadScatterFile(*chosen);
}

void PlotWindow::ExportPicture() {
  OpenFileRequest request;
  request.title = tr("Export picture as PNG").toStdString();
  request.fileTypes = {{tr("PNG pictures").toStdString(), {"*.png"}}};
  request.defaultExtension = "png";
  const std::optional<std::string> path = dialogs_.SaveFile(request);
  if (!path) return;
  const QImage picture = GrabClientArea();
  if (picture.isNull() || !picture.save(QString::fromStdString(*path), "PNG")) {
    dialogs_.ShowMessage(tr("Cannot write %1.").arg(QString::fromStdString(*path)).toStdString(), MessageKind::Error);
  }
}

void PlotWindow::FrameDrawn() {
  ++framesDrawn_;
  if (!view_.Animating() || framePacer_->isActive()) return;
  double perSecond = kMostFramesPerSecond;
  if (const QScreen* s = screen(); s != nullptr && s->refreshRate() > 1.0)
    perSecond = std::min(perSecond, s->refreshRate());
  const auto interval = static_cast<qint64>(1000.0 / perSecond);
  framePacer_->start(static_cast<int>(std::max<qint64>(0, interval - sinceFrame_.elapsed())));
}

RendererStart PlotWindow::StartRenderer() {
  RendererStart start;
  start.ready = glView_->StartRenderer();
  start.software = start.ready && IsSoftwareRenderer(glView_->RendererName());
  start.problem = glView_->Problem();
  return start;
}

void PlotWindow::RequestFrame() { glView_->update(); }

void PlotWindow::PlotCannotBeDrawn(PlotFailure failure) {
  framePacer_->stop();
  if (failure == PlotFailure::NoRenderer) EndProgram();
}
FontDesc PlotWindow::LabelFontSource() { return ToFontDesc(font()); }
FontDesc PlotWindow::TitleFontSource() { return ToFontDesc(TitleFont()); }
std::int32_t PlotWindow::ClientWidth() { return glView_->width(); }
std::int32_t PlotWindow::ClientHeight() { return glView_->height(); }
bool PlotWindow::IsMinimized() { return isMinimized(); }
void PlotWindow::SetClientWidth(std::int32_t pixels) { resize(width() - glView_->width() + pixels, height()); }
void PlotWindow::SetClientHeight(std::int32_t pixels) { resize(width(), height() - glView_->height() + pixels); }

void PlotWindow::SetBorderFixed(bool fixed) {
  if (fixed) {
    setFixedSize(size());
  } else {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
}

void PlotWindow::ShowControlPanel() {
  if (!controlPanel_) {
    if (session_.RecoveryPath().empty()) {
      const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
      session_.SetRecoveryPath(dataFolder.toStdString() + "/recovery.txt");
    }
    session_.ConnectOutput(makeMidiOutput_());
    session_.SetRecordingReplay(std::make_unique<RecordingPlayer>(session_.Poster()));
    session_.SetVelocityScale(options_.velocityScale);
    session_.SetLoadInBackground(options_.loadInBackground);
    session_.SetFileMemory({&StoredFileFolder, &StoreFileFolderOf,
                            [](const std::string& path) { AddRecentFile(QString::fromStdString(path)); }});
    session_.Start();
    session_.ChooseValueKind(options_.values);
    controlPanel_ = std::make_unique<rp::ControlPanel>(session_, dialogs_);
    controlPanel_->SetStartFile(options_.file, options_.compareFiles);
    controlPanel_->SetOfferRecovery(options_.offerRecovery);
    controlPanel_->SetStartOutput(options_.output);
    controlPanel_->SetRememberGeometry(options_.rememberGeometry);
    drop_->Watch(*controlPanel_);
    view_.State().alignBy = options_.alignBy;
    controlPanel_->Start();
  } else {
    controlPanel_->show();
  }
}

void PlotWindow::PlaceAndShow() {
  if (!options_.rememberGeometry || !RestoreWindowGeometry(*this)) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move((screen.width() - frameGeometry().width()) / 2, 1);
  }
  show();
}

void PlotWindow::LeaveEventLoop() const {
  // Outside an event loop (a snapshot, a test driving the window) there is
  // none to leave.
  if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(exitStatus_);
}

void PlotWindow::EndProgram() { Shutdown(ShutdownCause::FatalError, EXIT_FAILURE); }

void PlotWindow::Shutdown(ShutdownCause cause, int status) {
  if (exitStatus_ == 0) exitStatus_ = status;
  if (shuttingDown_) {
    // Ends the dialogs of the shutdown under way (the save dialog): the take
    // stays in the recovery file.
    LeaveEventLoop();
    return;
  }
  shuttingDown_ = true;
  framePacer_->stop();
  session_.Shutdown(cause == ShutdownCause::WindowClosed ? TakeEnding::Save : TakeEnding::KeepForRecovery);
  if (controlPanel_) controlPanel_->hide();
  hide();
  LeaveEventLoop();
}

void PlotWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RunHandler([this] { view_.Resized(); });
}

void PlotWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) RunHandler([this] { view_.Resized(); });
}

// Closing the plot window ends the program, the control panel included.
void PlotWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (options_.rememberGeometry) StoreWindowGeometry(*this);
  Shutdown(ShutdownCause::WindowClosed, EXIT_SUCCESS);
}

}  // namespace rp
