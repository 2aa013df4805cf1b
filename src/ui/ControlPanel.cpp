// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ControlPanel.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "analysis/AddComparedPerformances.h"
#include "analysis/PerformanceLoader.h"
#include "analysis/Reanalysis.h"
#include "audio/RecordingPlayer.h"
#include "base/BackgroundJob.h"
#include "base/Dialogs.h"
#include "devices/MachineMidiInput.h"
#include "devices/ProgramMidiOutputs.h"
#include "io/DataFolder.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "record/TakeRecorder.h"
#include "replay/MidiOutputPort.h"
#include "replay/ReplayEngine.h"
#include "replay/TempoMapping.h"
#include "ui/ControlPanelLayout.h"
#include "ui/ProgressWindow.h"
#include "ui/QtProgressSink.h"
#include "ui/QtUiPost.h"
#include "ui/RecentFiles.h"
#include "ui/ReplayButtonIcons.h"
#include "ui/StoredSettings.h"
#include "ui/TimeSlider.h"
#include "ui/Translations.h"
#include "ui/Twips.h"
#include "ui/WindowGeometry.h"

namespace rp {

namespace {

QSlider* Slider(QSlider* s, const char* name, int minimum, int maximum, int largeStep, int smallStep, int tickEvery,
                int value) {
  s->setObjectName(QLatin1String(name));
  s->setOrientation(Qt::Horizontal);
  s->setRange(minimum, maximum);
  s->setPageStep(largeStep);
  s->setSingleStep(smallStep);
  s->setTickInterval(tickEvery);
  s->setTickPosition(QSlider::TicksBelow);
  s->setValue(value);
  return s;
}

template <class W>
W* Named(W* w, const char* name) {
  w->setObjectName(QLatin1String(name));
  return w;
}

// Label text starts at the top of its box, so a caption stands right under its
// slider whatever height the row gets.
QLabel* TopLabel(QLabel* label, const char* name, Qt::Alignment horizontal = Qt::AlignLeft) {
  label->setAlignment(horizontal | Qt::AlignTop);
  return Named(label, name);
}

// The closed list keeps its place in the layout; its open list is as wide
// as the longest name, and each entry shows its full name as a tooltip.
void FillDeviceList(QComboBox& combo, const std::vector<std::string>& names) {
  combo.clear();
  const QFontMetrics metrics(combo.view()->font());
  int widest = 0;
  for (const std::string& name : names) {
    const QString text = TranslatedText(name);  // the built-in synthesizer's name is marked
    combo.addItem(text);
    combo.setItemData(combo.count() - 1, text, Qt::ToolTipRole);
    widest = std::max(widest, metrics.horizontalAdvance(text));
  }
  // Room for the frame, the item margins and a scroll bar.
  combo.view()->setMinimumWidth(widest + 48);
}

QPushButton* PictureButton(QWidget* parent, const char* name, QIcon (*picture)(QSize), int width, int height) {
  auto* button = Named(new QPushButton(parent), name);
  button->setFixedSize(Px(width), Px(height));
  const QSize pictureSize(button->width() - 12, button->height() - 12);
  button->setIconSize(pictureSize);
  button->setIcon(picture(pictureSize));
  return button;
}

}  // namespace

MidiOutputSetup RealMidiOutput() {
  MidiOutputSetup setup;
  setup.clock = std::make_unique<SteadyReplayClock>();
  // The program's data folder may hold a SoundFont.
  setup.backend = MakeProgramMidiOutputs(ProgramDataFolder());
  setup.makeInput = &MakeMachineMidiInput;
  return setup;
}

ControlPanel::ControlPanel(PlotViewLink& view, Dialogs& dialogs, Performance& performance, ReplayPosition& position,
                           ComparedPerformances& compared, QWidget* parent)
    : ControlPanel(view, dialogs, performance, position, compared, RealMidiOutput(), parent) {}

ControlPanel::ControlPanel(PlotViewLink& view, Dialogs& dialogs, Performance& performance, ReplayPosition& position,
                           ComparedPerformances& compared, MidiOutputSetup midi, QWidget* parent)
    : QWidget(parent),
      view_(view),
      dialogs_(dialogs),
      performance_(performance),
      position_(position),
      compared_(compared),
      midi_(std::move(midi)) {
  setObjectName(QStringLiteral("ControlPanel"));
  setWindowTitle(tr("Control panel"));
  QPalette background = palette();
  background.setColor(QPalette::Window, QColor(224, 224, 224));
  setPalette(background);
  setAutoFillBackground(true);
  CreateControls();
  // As wide as the old fixed panel where the screen has room; never narrower
  // than the layout needs.
  resize(std::max(Px(9345), sizeHint().width()), sizeHint().height());

  port_ = std::make_unique<MidiOutputPort>(*midi_.backend, *midi_.clock, QtUiPoster(this));
  progressWindow_ = std::make_unique<ProgressWindow>(this);
  progress_ = std::make_unique<QtProgressSink>(*this, *progressWindow_, progressWindow_->Bar(), *eventCountLabel_,
                                               *eventLabel_);
  ReplayControls& controls = *this;
  engine_ =
      std::make_unique<ReplayEngine>(*port_, controls, view_, *progress_, dialogs_, performance_, position_, states_);
  recordingPlayer_ = std::make_unique<RecordingPlayer>(QtUiPoster(this));
  engine_->SetRecordingReplay(recordingPlayer_.get());
  loadJob_ = std::make_unique<BackgroundJob>(QtUiPoster(this), *progress_);
  connect(&progressWindow_->CancelButton(), &QPushButton::clicked, this, [this] { CancelLoad(); });

  TakeRecorder::Hooks hooks;
  hooks.makeInput = midi_.makeInput;
  hooks.stopReplay = [this] { StopReplay(); };
  hooks.recordingChanged = [this](bool recording) { ShowRecording(recording); };
  hooks.tailLength = [this] { return TailLength(); };
  hooks.setTimeText = [this](const std::string& text) { SetTimeText(text); };
  hooks.setTimeSliderMaximum = [this](std::int32_t count) {
    timeSlider_->setMaximum(std::max(count, timeSlider_->minimum()));
  };
  hooks.updateTimeDisplay = [this] { UpdateTimeDisplay(); };
  // A take replaces the main performance as a loaded file does.
  hooks.mainReplaced = [this] { compared_.clear(); };
  const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  recorder_ = std::make_unique<TakeRecorder>(dialogs_, performance_, position_, view_, QtUiPoster(this),
                                             dataFolder.toStdString() + "/recovery.txt", std::move(hooks));
  recordTimer_ = new QTimer(this);
  recordTimer_->setObjectName(QStringLiteral("recordTimer"));
  recordTimer_->setInterval(100);
  connect(recordTimer_, &QTimer::timeout, this, [this] {
    if (states_.Allows(UserAction::RecordingTick)) recorder_->Tick(std::chrono::steady_clock::now());
  });
  states_.SetListener([this](ProgramState state) { ShowState(state); });
  ShowState(states_.Current());
}

void ControlPanel::SetRecoveryPath(const std::string& path) { recorder_->SetRecoveryPath(path); }

void ControlPanel::SetLoadInBackground(bool inBackground) { loadJob_->SetInBackground(inBackground); }

void ControlPanel::SetLoadProgressHook(std::function<void(std::int64_t)> hook) {
  loadJob_->SetProgressHook(std::move(hook));
}

void ControlPanel::ToggleRecording() {
  if (recorder_->Recording()) {
    if (states_.Allows(UserAction::Stop)) recorder_->Stop();
  } else if (states_.Allows(UserAction::OpenFile)) {
    recorder_->Start();
  }
}

bool ControlPanel::IsRecording() const { return recorder_->Recording(); }

// While a take is recorded, Stop ends it and nothing else may load or replay.
void ControlPanel::ShowRecording(bool recording) {
  states_.MoveTo(recording ? ProgramState::Recording : ProgramState::Idle);
}

void ControlPanel::ShowState(ProgramState state) {
  using S = ProgramState;
  const bool replayOrIdle = state == S::Idle || state == S::OpeningOutput || state == S::Replaying;
  playButton_->setEnabled(state == S::Idle);
  stopButton_->setEnabled(states_.Allows(UserAction::Stop));
  openButton_->setEnabled(replayOrIdle);
  timeSlider_->setEnabled(replayOrIdle);
  progressWindow_->CancelButton().setEnabled(state == S::Loading);
  if (state == S::Recording)
    recordTimer_->start();
  else
    recordTimer_->stop();
}

ControlPanel::~ControlPanel() {
  loadJob_.reset();
  recorder_.reset();
  engine_.reset();
  recordingPlayer_.reset();
  port_.reset();
}

void ControlPanel::CreateControls() {
  deviceCombo_ = Named(new QComboBox(this), "deviceCombo");
  deviceCombo_->setPlaceholderText(tr("No MIDI output"));
  deviceCombo_->setMinimumContentsLength(16);
  deviceCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  deviceCombo_->setToolTip(
      tr("Where the replay goes: the built-in synthesizer or a MIDI output (a recording is always replayed "
         "through the sound output)"));

  rewindButton_ = PictureButton(this, "rewindButton", &RewindIcon, 732, 612);
  rewindButton_->setToolTip(tr("Back to the first event"));
  playButton_ = PictureButton(this, "playButton", &PlayIcon, 1212, 612);
  playButton_->setToolTip(tr("Replay from the current event (Space)"));
  stopButton_ = PictureButton(this, "stopButton", &StopIcon, 732, 612);
  stopButton_->setToolTip(tr("Stop the replay or the recording (Space)"));
  stopButton_->setEnabled(false);

  timeLabel_ = TopLabel(new QLabel(QStringLiteral("0:00:00.0"), this), "timeLabel", Qt::AlignHCenter);
  timeLabel_->setToolTip(tr("The onset time of the current event"));
  QFont display;
  display.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("DejaVu Sans")});
  display.setPointSize(12);
  display.setWeight(QFont::Black);
  timeLabel_->setFont(display);
  // Room for the longest time of a usual performance, so the row does not
  // jump while the replay runs.
  timeLabel_->setMinimumWidth(QFontMetrics(display).horizontalAdvance(QStringLiteral("00:00:00.0")));

  openButton_ = Named(new QPushButton(tr("Open performance..."), this), "openButton");
  openButton_->setToolTip(
      tr("Open a performance: ASCII MIDI, Standard MIDI File, match file, list of times or recording"));
  eventLabel_ = TopLabel(new QLabel(QStringLiteral("0"), this), "eventLabel");
  eventLabel_->setToolTip(tr("The current event"));
  eventCountLabel_ = TopLabel(new QLabel(QStringLiteral("0"), this), "eventCountLabel");
  eventCountLabel_->setToolTip(tr("The number of onset events"));

  timeSlider_ = Slider(new TimeSlider([this](int event) { SeekFromSlider(event); }, this), "timeSlider", 1, 1000, 500,
                       10, 500, 1);
  timeSlider_->setToolTip(tr("The current event; click, drag or use the keys to move through the performance"));

  timingOption_ = Named(new QRadioButton(tr("Timing"), this), "timingOption");
  timingOption_->setToolTip(tr("Plot the inter-onset intervals"));
  timingOption_->setChecked(true);
  velocityOption_ = Named(new QRadioButton(tr("Velocity"), this), "velocityOption");
  velocityOption_->setToolTip(tr("Plot the velocities"));
  tempoOption_ = Named(new QRadioButton(tr("Tempo"), this), "tempoOption");
  tempoOption_->setToolTip(tr("Plot the beat periods (ms per beat) of performances aligned to their score"));

  speedSlider_ = Slider(new QSlider(this), "speedSlider", -1000, 9000, 100, 10, 1000, 0);
  speedSlider_->setToolTip(tr("The replay's tempo against the performance's"));
  speedCaption_ = TopLabel(new QLabel(tr("Replay speed"), this), "speedCaption");
  // The tempo the speed slider stands for, beside its caption.
  speedFactorLabel_ = TopLabel(new QLabel(this), "speedFactorLabel");
  speedFactorLabel_->setToolTip(speedSlider_->toolTip());
  ShowSpeedFactor();

  tailLengthSlider_ = Slider(new QSlider(this), "tailLengthSlider", 1, 500, 10, 1, 10, 10);
  tailLengthSlider_->setToolTip(tr("How many events before the current one the plot shows"));
  tailLengthCaption_ = TopLabel(new QLabel(tr("Length of tail"), this), "tailLengthCaption");

  velocityScaleCombo_ = Named(new QComboBox(this), "velocityScaleCombo");
  velocityScaleCombo_->addItem(tr("Velocities by file"), QString());
  for (const char* scale : {"1", "1.5", "2"})
    velocityScaleCombo_->addItem(tr("Velocities x%1").arg(QLatin1String(scale)), QLatin1String(scale));
  velocityScaleCombo_->setToolTip(
      tr("How loud the replay plays the velocities: by file, listings of other programs 1.5 times louder and "
         "everything else as recorded; or one scale for every file"));
  velocityScaleLabel_ = TopLabel(new QLabel(this), "velocityScaleLabel");
  velocityScaleLabel_->setToolTip(velocityScaleCombo_->toolTip());

  LayOutControlPanel(
      *this, {deviceCombo_, rewindButton_, playButton_, stopButton_, timeLabel_, openButton_, eventLabel_,
              eventCountLabel_, timeSlider_, timingOption_, velocityOption_, tempoOption_, speedSlider_, speedCaption_,
              speedFactorLabel_, tailLengthSlider_, tailLengthCaption_, velocityScaleCombo_, velocityScaleLabel_});

  // Tab order; the labels take no focus.
  QWidget* tabOrder[] = {playButton_,   rewindButton_,   stopButton_,       deviceCombo_,
                         openButton_,   speedSlider_,    tailLengthSlider_, timeSlider_,
                         timingOption_, velocityOption_, tempoOption_,      velocityScaleCombo_};
  for (std::size_t i = 0; i + 1 < std::size(tabOrder); ++i) setTabOrder(tabOrder[i], tabOrder[i + 1]);

  connect(playButton_, &QPushButton::clicked, this, [this] { engine_->Play(); });
  connect(rewindButton_, &QPushButton::clicked, this, [this] { engine_->SeekTo(1); });
  connect(stopButton_, &QPushButton::clicked, this, [this] {
    if (!states_.Allows(UserAction::Stop)) return;
    if (recorder_->Recording())
      recorder_->Stop();
    else
      engine_->Stop();
  });
  connect(openButton_, &QPushButton::clicked, this, [this] { OpenFile(); });
  connect(deviceCombo_, &QComboBox::activated, this, [this] { engine_->OnDeviceChosen(); });
  connect(deviceCombo_, &QComboBox::currentTextChanged, deviceCombo_, &QComboBox::setToolTip);
  connect(speedSlider_, &QSlider::valueChanged, this, [this] {
    ShowSpeedFactor();
    engine_->OnSpeedChanged();
  });
  connect(tailLengthSlider_, &QSlider::valueChanged, this, [this] { engine_->OnTailLengthChanged(); });
  connect(velocityScaleCombo_, &QComboBox::activated, this, [this] { OnVelocityScaleChosen(); });
  connect(timingOption_, &QRadioButton::clicked, this, [this] { OnTimingVelocityChosen(); });
  connect(velocityOption_, &QRadioButton::clicked, this, [this] { OnTimingVelocityChosen(); });
  connect(tempoOption_, &QRadioButton::clicked, this, [this] { OnTimingVelocityChosen(); });
}

void ControlPanel::Start() {
  performance_ = Performance::BeforeFirstFile(performance_.settings);
  const std::vector<std::string> devices = engine_->ListOutputDevices();
  FillDeviceList(*deviceCombo_, devices);
  deviceCombo_->setCurrentIndex(DefaultOutputEntry(devices));
  if (startOutput_) {
    const auto named = std::find_if(devices.begin(), devices.end(), [this](const std::string& device) {
      return device.find(*startOutput_) != std::string::npos;
    });
    if (named != devices.end()) {
      deviceCombo_->setCurrentIndex(static_cast<int>(named - devices.begin()));
    } else {
      dialogs_.ShowMessage(tr("No MIDI output's name contains \"%1\"; the replay goes to \"%2\".")
                               .arg(QString::fromStdString(*startOutput_), deviceCombo_->currentText())
                               .toStdString(),
                           MessageKind::Information);
    }
  }

  show();
  // The frame is known once the window is shown and the window manager has
  // framed it: placed now, and again once the events of the showing have run.
  if (!rememberGeometry_ || !RestoreWindowGeometry(*this)) {
    PlaceOnScreen();
    QTimer::singleShot(0, this, [this] { PlaceOnScreen(); });
  }
  // A take left unsaved is loaded instead of asking for a first file.
  if (offerRecovery_ && recorder_->OfferRecovery() && !startFile_) return;
  auto compareNext = [this] {
    if (!startCompareFiles_.empty()) AddComparedFiles(startCompareFiles_);
  };
  if (startFile_) {
    StartLoad(*startFile_, LoadKind::AtStart, compareNext);
    return;
  }
  PerformanceLoader loader(dialogs_, performance_, Hooks());
  const std::optional<std::string> chosen = loader.ChoosePath(StoredFileFolder());
  if (chosen) {
    StartLoad(*chosen, LoadKind::AtStartChosen, compareNext);
  } else {
    compareNext();
  }
}

QPoint PanelPlace(const QRect& available, const QSize& frame) {
  const int left = available.left() + (available.width() - frame.width()) / 2;
  const int top = available.top() + available.height() - frame.height() - Px(500);
  // Inside the area; a frame larger than the area keeps its top-left corner in.
  const int lastLeft = std::max(available.left(), available.left() + available.width() - frame.width());
  return {std::clamp(left, available.left(), lastLeft), std::max(available.top(), top)};
}

void ControlPanel::PlaceOnScreen() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  // The window is moved by its frame's corner; `frame` may still be the
  // bare window while the window manager has not framed it yet.
  const QPoint corner = PanelPlace(screen->availableGeometry(), frameGeometry().size());
  move(corner);
}

void ControlPanel::ClosePort() { engine_->CloseOutput(); }

void ControlPanel::closeEvent(QCloseEvent* event) {
  if (!states_.Is(ProgramState::Closing) && !states_.Is(ProgramState::Closed)) {
    if (recorder_->Recording() && states_.Allows(UserAction::Stop)) recorder_->Stop();
    StopReplay();
    ClosePort();
  }
  if (rememberGeometry_) StoreWindowGeometry(*this);
  QWidget::closeEvent(event);
}

void ControlPanel::Shutdown(TakeEnding ending) {
  if (!states_.MoveTo(ProgramState::Closing)) return;
  recordTimer_->stop();
  loadJob_->CancelAndWait();
  progressWindow_->hide();
  engine_->StopForShutdown();
  recorder_->EndForShutdown(ending == TakeEnding::Save);
  states_.MoveTo(ProgramState::Closed);
  hide();
}

void ControlPanel::OpenFile() {
  if (!states_.Allows(UserAction::OpenFile)) return;
  StopReplay();
  PerformanceLoader loader(dialogs_, performance_, Hooks());
  const std::optional<std::string> path = loader.ChoosePath(StoredFileFolder());
  if (path) StartLoad(*path, LoadKind::Chosen);
}

void ControlPanel::OpenFile(const std::string& path, const std::vector<std::string>& compare) {
  std::function<void()> then;
  if (!compare.empty()) then = [this, compare] { AddComparedFiles(compare); };
  StartLoad(path, LoadKind::Chosen, std::move(then));
}

LoadHooks ControlPanel::Hooks() {
  LoadHooks hooks;
  hooks.position = &position_;
  hooks.stopReplay = [this] { StopReplay(); };
  hooks.updateAllData = [this] {
    // Only a load that replaced the main performance gets here.
    compared_.clear();
    OfferValueKinds();
    view_.ShowFirstEvents();
  };
  hooks.setTimeSliderMaximum = [this](std::int32_t count) {
    // A file without clusters leaves the slider at its one position.
    timeSlider_->setMaximum(std::max(count, timeSlider_->minimum()));
  };
  hooks.updateTimeDisplay = [this] { UpdateTimeDisplay(); };
  return hooks;
}

void ControlPanel::StartLoad(const std::string& path, LoadKind kind, std::function<void()> then) {
  // A dialog's answer may come after the program began to close.
  if (!states_.Allows(UserAction::OpenFile)) return;
  StopReplay();
  if (!states_.MoveTo(ProgramState::Loading)) return;
  auto fresh = std::make_shared<Performance>();
  fresh->settings = performance_.settings;
  auto result = std::make_shared<LoadResult>();
  auto work = [path, fresh, result](ProgressSink& progress) { *result = ReadPerformanceFile(path, *fresh, &progress); };
  auto done = [this, path, kind, fresh, result, then = std::move(then)](bool cancelled, const std::string& error) {
    if (!states_.MoveTo(ProgramState::Idle)) return;  // the program is closing
    progress_->HideWindow();
    if (cancelled || result->status == LoadStatus::Cancelled) {
      // The count labels show the loaded performance again.
      progress_->ShowNumberEvents(performance_.EventCount());
      progress_->ShowEvent(position_.currentEvent);
      return;
    }
    if (!error.empty()) dialogs_.ShowMessage(error, MessageKind::Error);
    result->path = path;
    const bool read = KeepsPerformance(*result);
    if (read) {
      // Auto-rotation is the user's switch: a load leaves it as it is.
      TakeLoadedPerformance(performance_, std::move(*fresh), Hooks());
      ShowVelocityScale();
    }
    fileLoaded_ = fileLoaded_ || read;
    if (result->status == LoadStatus::Loaded) AddRecentFile(QString::fromStdString(path));
    if (read && kind != LoadKind::AtStart) StoreFileFolderOf(path);
    PerformanceLoader(dialogs_, performance_, Hooks()).Report(*result);
    if (then) then();
  };
  loadJob_->Start(std::move(work), std::move(done));
}

void ControlPanel::CancelLoad() {
  if (!states_.Allows(UserAction::CancelLoad)) return;
  loadJob_->Cancel();
  progress_->HideWindow();
}

bool ControlPanel::ApplyAnalysisSettings(const AnalysisSettings& settings) {
  if (!states_.Allows(UserAction::ChangeView)) return false;
  engine_->Stop();
  // Compared performances are always analysed as the main one is.
  std::string messages;
  for (Performance& other : compared_) messages += Reanalyse(other, settings);
  if (!fileLoaded_) {
    performance_.settings = settings;
  } else {
    messages += ReanalyseKeepingPosition(performance_, position_, settings);
  }
  if (!messages.empty()) dialogs_.ShowMessage(messages, MessageKind::Error);
  if (!fileLoaded_) return true;
  timeSlider_->setMaximum(std::max(performance_.EventCount(), timeSlider_->minimum()));
  engine_->UpdateTimeDisplay();
  return true;
}

void ControlPanel::TogglePlay() {
  if (states_.Allows(UserAction::Play)) {
    engine_->Play();
  } else if (states_.Is(ProgramState::OpeningOutput) || states_.Is(ProgramState::Replaying)) {
    engine_->Stop();
  }
}

void ControlPanel::AddComparedPerformances() {
  if (!states_.Allows(UserAction::OpenFile)) return;
  StopReplay();
  OpenFileRequest request = PerformanceFileRequest(QT_TRANSLATE_NOOP("returnplot", "Add performance for comparison"));
  request.initialDir = StoredFileFolder();
  AddComparedFiles(dialogs_.OpenFiles(request));
}

void ControlPanel::AddComparedFiles(const std::vector<std::string>& paths) {
  if (paths.empty() || !states_.Allows(UserAction::OpenFile)) return;
  StopReplay();
  if (!states_.MoveTo(ProgramState::Loading)) return;
  auto added = std::make_shared<ComparedPerformances>();
  auto report = std::make_shared<CompareLoadReport>();
  auto work = [paths, added, report, settings = performance_.settings,
               before = compared_.size()](ProgressSink& progress) {
    *report = rp::AddComparedPerformances(paths, *added, settings, &progress, before);
  };
  auto done = [this, added, report](bool cancelled, const std::string& error) {
    if (!states_.MoveTo(ProgramState::Idle)) return;  // the program is closing
    progress_->HideWindow();
    if (cancelled) return;
    if (!error.empty()) dialogs_.ShowMessage(error, MessageKind::Error);
    for (Performance& performance : *added) compared_.push_back(std::move(performance));
    OfferValueKinds();
    if (!added->empty()) view_.ShowFirstEvents();
    for (const std::string& message : report->messages) dialogs_.ShowMessage(message, MessageKind::Error);
  };
  loadJob_->Start(std::move(work), std::move(done));
}

void ControlPanel::RemoveComparedPerformances() {
  if (compared_.empty() || !states_.Allows(UserAction::ChangeView)) return;
  compared_.clear();
  OfferValueKinds();
  view_.ShowFirstEvents();
}

void ControlPanel::OfferValueKinds() {
  std::vector<const Performance*> shown = {&performance_};
  for (const Performance& other : compared_) shown.push_back(&other);
  // Why `kind` cannot be shown: the first shown performance's reason.
  const auto whyNot = [&shown](ValueKind kind) {
    for (const Performance* p : shown)
      if (const std::string_view why = ValueKindUnavailable(*p, kind); !why.empty()) return TranslatedText(why);
    return QString();
  };
  QString velocityWhy = whyNot(ValueKind::Velocity);
  const bool sameKind = std::all_of(shown.begin(), shown.end(), [this](const Performance* p) {
    return p->velocityKind == performance_.velocityKind;
  });
  if (velocityWhy.isEmpty() && !sameKind) {
    velocityWhy = tr("The shown performances have velocities of different kinds (MIDI and dB).");
  }
  const QString tempoWhy = whyNot(ValueKind::Tempo);
  const auto offer = [this](QRadioButton* option, const QString& why, const QString& tip) {
    option->setEnabled(why.isEmpty());
    option->setToolTip(why.isEmpty() ? tip : why);
    if (!why.isEmpty() && option->isChecked()) timingOption_->setChecked(true);
  };
  offer(velocityOption_, velocityWhy, tr("Plot the velocities"));
  offer(tempoOption_, tempoWhy, tr("Plot the beat periods (ms per beat) of performances aligned to their score"));
}

void ControlPanel::OnTimingVelocityChosen() {
  if (states_.Allows(UserAction::ChooseValues)) view_.ShowValuesAgain();
}

void ControlPanel::SetValueKindChosen(ValueKind kind) {
  QRadioButton* option = kind == ValueKind::Velocity ? velocityOption_
                         : kind == ValueKind::Tempo  ? tempoOption_
                                                     : timingOption_;
  option->setChecked(true);
}

void ControlPanel::UpdateTimeDisplay() { engine_->UpdateTimeDisplay(); }

void ControlPanel::StopReplay() { engine_->Stop(); }

ValueKind ControlPanel::ChosenValueKind() const {
  if (velocityOption_->isChecked()) return ValueKind::Velocity;
  if (tempoOption_->isChecked()) return ValueKind::Tempo;
  return ValueKind::Timing;
}

bool ControlPanel::IsReplaying() const {
  return states_.Is(ProgramState::OpeningOutput) || states_.Is(ProgramState::Replaying);
}

bool ControlPanel::IsPortOpen() const { return port_->State() != PortState::Closed; }

int ControlPanel::ReplaySpeed() const { return speedSlider_->value(); }

int ControlPanel::TailLength() const { return tailLengthSlider_->value(); }

int ControlPanel::ChosenDeviceEntry() const { return std::max(deviceCombo_->currentIndex(), 0); }

void ControlPanel::SetTimeSliderValue(int value) { timeSlider_->setValue(value); }

void ControlPanel::SeekFromSlider(int event) {
  engine_->SeekTo(event);
  // The slider shows the current event also where the seek was refused or
  // went to the last event there is.
  timeSlider_->setValue(position_.currentEvent);
}

void ControlPanel::SetTimeText(const std::string& text) { timeLabel_->setText(QString::fromStdString(text)); }

void ControlPanel::SetVelocityScale(const VelocityScaleChoice& choice) {
  engine_->SetVelocityScale(choice);
  ShowVelocityScale();
}

void ControlPanel::ShowVelocityScale() {
  const VelocityScaleChoice& choice = engine_->VelocityScale();
  const QString setting = choice.fixed ? QString::fromStdString(VelocityScaleSetting(choice)) : QString();
  int entry = velocityScaleCombo_->findData(setting);
  if (entry < 0) {
    // A scale from the command line or the stored settings that the list lacks.
    velocityScaleCombo_->addItem(tr("Velocities x%1").arg(setting), setting);
    entry = velocityScaleCombo_->count() - 1;
  }
  velocityScaleCombo_->setCurrentIndex(entry);
  velocityScaleLabel_->setText(TranslatedText(engine_->VelocityScaleText()));
}

void ControlPanel::OnVelocityScaleChosen() {
  // The first entry (no scale) is "by file".
  const QString scale = velocityScaleCombo_->currentData().toString();
  SetVelocityScale(scale.isEmpty() ? VelocityScaleChoice{}
                                   : ParseVelocityScale(scale.toStdString()).value_or(VelocityScaleChoice{}));
  StoreVelocityScale(engine_->VelocityScale());
}

void ControlPanel::ShowSpeedFactor() {
  speedFactorLabel_->setText(QString::fromStdString(TempoLabel(speedSlider_->value())));
}

}  // namespace rp
