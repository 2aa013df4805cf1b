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
#include <QSignalBlocker>
#include <QSlider>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "devices/MachineMidiInput.h"
#include "devices/ProgramMidiOutputs.h"
#include "frontend/Dialogs.h"
#include "io/DataFolder.h"
#include "replay/TempoMapping.h"
#include "ui/ControlPanelLayout.h"
#include "ui/ProgressWindow.h"
#include "ui/QtProgressSink.h"
#include "ui/RecentFiles.h"
#include "ui/ReplayButtonIcons.h"
#include "ui/StoredSettings.h"
#include "ui/TimeSlider.h"
#include "ui/Translations.h"
#include "ui/WindowGeometry.h"

namespace rp {

namespace {

// Sizes in device-independent pixels; Qt scales them for the screen.
constexpr int kPreferredWidth = 623;    // the panel's width where the screen has room
constexpr int kAboveScreenBottom = 33;  // the panel's distance from the free area's bottom

// The tooltips of the chord values while they are offered.
QString MelodyLeadTip() {
  return QCoreApplication::translate(
      "rp::ControlPanel",
      "Plot how far each melody note comes before the other notes of its chord (ms), of performances aligned to "
      "their score");
}
QString SpreadTip() {
  return QCoreApplication::translate(
      "rp::ControlPanel",
      "Plot how far the notes of each chord are spread (latest minus earliest onset, ms), of performances aligned "
      "to their score");
}

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
  button->setFixedSize(width, height);
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

ControlPanel::ControlPanel(Session& session, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), session_(session), dialogs_(dialogs) {
  setObjectName(QStringLiteral("ControlPanel"));
  setWindowTitle(tr("Control panel"));
  QPalette background = palette();
  background.setColor(QPalette::Window, QColor(224, 224, 224));
  setPalette(background);
  setAutoFillBackground(true);
  CreateControls();
  // As wide as the old fixed panel where the screen has room; never narrower
  // than the layout needs.
  resize(std::max(kPreferredWidth, sizeHint().width()), sizeHint().height());

  progressWindow_ = std::make_unique<ProgressWindow>(this);
  progress_ = std::make_unique<QtProgressSink>(*this, *progressWindow_, progressWindow_->Bar());
  session_.SetProgressDisplay(progress_.get());
  connect(&progressWindow_->CancelButton(), &QPushButton::clicked, this, [this] { session_.CancelLoad(); });

  recordTimer_ = new QTimer(this);
  recordTimer_->setObjectName(QStringLiteral("recordTimer"));
  recordTimer_->setInterval(100);
  connect(recordTimer_, &QTimer::timeout, this, [this] { session_.RecordingTick(); });
  listening_ = session_.Listen([this](SessionChange change) { Follow(change); });
  ShowDevices();
  ShowPosition();
  ShowValueKinds();
  ShowVelocityScale();
  ShowState();
}

void ControlPanel::Follow(SessionChange change) {
  switch (change) {
    case SessionChange::Position:
    case SessionChange::Points:
      ShowPosition();
      break;
    case SessionChange::ValuesOffered:
      ShowValueKinds();
      break;
    case SessionChange::Devices:
      ShowDevices();
      break;
    case SessionChange::VelocityScale:
      ShowVelocityScale();
      break;
    case SessionChange::State:
      ShowState();
      break;
    case SessionChange::Speed:
      if (speedSlider_->value() != session_.ReplaySpeed()) speedSlider_->setValue(session_.ReplaySpeed());
      ShowSpeedFactor();
      break;
    case SessionChange::TailLength:
      if (tailLengthSlider_->value() != session_.TailLength()) tailLengthSlider_->setValue(session_.TailLength());
      break;
    default:
      break;
  }
}

// While a take is recorded, Stop ends it and nothing else may load or replay.
void ControlPanel::ShowState() {
  using S = ProgramState;
  const ProgramState state = session_.State();
  const bool replayOrIdle = state == S::Idle || state == S::OpeningOutput || state == S::Replaying;
  playButton_->setEnabled(state == S::Idle);
  stopButton_->setEnabled(session_.Allows(UserAction::Stop));
  openButton_->setEnabled(replayOrIdle);
  timeSlider_->setEnabled(replayOrIdle);
  progressWindow_->CancelButton().setEnabled(state == S::Loading);
  if (state == S::Recording)
    recordTimer_->start();
  else
    recordTimer_->stop();
}

// "Event N of M": the current event of the replay position as users count
// (from 1; 0 for none) and the number of events of the shown performance; the
// slider's places are the events' indices and it stands at the current event.
void ControlPanel::ShowPosition() {
  const std::int32_t count = session_.EventCount();
  const std::optional<std::int32_t> current = session_.CurrentEvent();
  eventLabel_->setText(QString::number(current ? *current + 1 : 0));
  eventCountLabel_->setText(QString::number(count));
  // Before the first file the slider keeps its thousand places.
  if (session_.HasPerformance() || session_.IsRecording())
    timeSlider_->setMaximum(std::max(count - 1, timeSlider_->minimum()));
  timeSlider_->setValue(session_.Position().currentEvent.value_or(0));
  timeLabel_->setText(QString::fromStdString(session_.TimeText()));
}

void ControlPanel::ShowDevices() {
  {
    const QSignalBlocker quiet(deviceCombo_);  // filling the list chooses nothing
    FillDeviceList(*deviceCombo_, session_.OutputDevices());
    if (!session_.OutputDevices().empty()) deviceCombo_->setCurrentIndex(session_.ChosenDeviceEntry());
  }
  // The chosen entry's full name, as when the user chooses one.
  if (deviceCombo_->currentIndex() >= 0) deviceCombo_->setToolTip(deviceCombo_->currentText());
}

ControlPanel::~ControlPanel() {
  session_.StopListening(listening_);
  session_.SetProgressDisplay(nullptr);
}

void ControlPanel::CreateControls() {
  deviceCombo_ = Named(new QComboBox(this), "deviceCombo");
  deviceCombo_->setPlaceholderText(tr("No MIDI output"));
  deviceCombo_->setMinimumContentsLength(16);
  deviceCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  deviceCombo_->setToolTip(
      tr("Where the replay goes: the built-in synthesizer or a MIDI output (a recording is always replayed "
         "through the sound output)"));

  rewindButton_ = PictureButton(this, "rewindButton", &RewindIcon, 49, 41);
  rewindButton_->setToolTip(tr("Back to the first event"));
  playButton_ = PictureButton(this, "playButton", &PlayIcon, 81, 41);
  playButton_->setToolTip(tr("Replay from the current event (Space)"));
  stopButton_ = PictureButton(this, "stopButton", &StopIcon, 49, 41);
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

  timeSlider_ = Slider(new TimeSlider([this](int event) { session_.SeekTo(event); }, this), "timeSlider", 0, 999, 500,
                       10, 500, 0);
  timeSlider_->setToolTip(tr("The current event; click, drag or use the keys to move through the performance"));

  timingOption_ = Named(new QRadioButton(tr("Timing"), this), "timingOption");
  timingOption_->setToolTip(tr("Plot the inter-onset intervals"));
  timingOption_->setChecked(true);
  velocityOption_ = Named(new QRadioButton(tr("Velocity"), this), "velocityOption");
  velocityOption_->setToolTip(tr("Plot the velocities"));
  tempoOption_ = Named(new QRadioButton(tr("Tempo"), this), "tempoOption");
  tempoOption_->setToolTip(tr("Plot the beat periods (ms per beat) of performances aligned to their score"));
  melodyLeadOption_ = Named(new QRadioButton(tr("Melody lead"), this), "melodyLeadOption");
  melodyLeadOption_->setToolTip(MelodyLeadTip());
  spreadOption_ = Named(new QRadioButton(tr("Chord spread"), this), "spreadOption");
  spreadOption_->setToolTip(SpreadTip());

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
      *this,
      {deviceCombo_,       rewindButton_,       playButton_,        stopButton_,   timeLabel_,        openButton_,
       eventLabel_,        eventCountLabel_,    timeSlider_,        timingOption_, velocityOption_,   tempoOption_,
       melodyLeadOption_,  spreadOption_,       speedSlider_,       speedCaption_, speedFactorLabel_, tailLengthSlider_,
       tailLengthCaption_, velocityScaleCombo_, velocityScaleLabel_});

  // Tab order; the labels take no focus.
  QWidget* tabOrder[] = {playButton_,  rewindButton_,     stopButton_,   deviceCombo_,       openButton_,
                         speedSlider_, tailLengthSlider_, timeSlider_,   timingOption_,      velocityOption_,
                         tempoOption_, melodyLeadOption_, spreadOption_, velocityScaleCombo_};
  for (std::size_t i = 0; i + 1 < std::size(tabOrder); ++i) setTabOrder(tabOrder[i], tabOrder[i + 1]);

  connect(playButton_, &QPushButton::clicked, this, [this] { session_.Play(); });
  connect(rewindButton_, &QPushButton::clicked, this, [this] { session_.SeekTo(0); });
  connect(stopButton_, &QPushButton::clicked, this, [this] { session_.StopReplayOrTake(); });
  connect(openButton_, &QPushButton::clicked, this, [this] { session_.ChooseAndOpen(); });
  // Whatever chose the entry (the user, a test, an accessibility tool), the
  // session hears it; the list showing the session's own choice says nothing.
  connect(deviceCombo_, &QComboBox::currentIndexChanged, this, [this](int entry) {
    if (entry >= 0 && entry != session_.ChosenDeviceEntry()) session_.ChooseDevice(entry);
  });
  connect(deviceCombo_, &QComboBox::currentTextChanged, deviceCombo_, &QComboBox::setToolTip);
  connect(speedSlider_, &QSlider::valueChanged, this, [this](int speed) { session_.SetReplaySpeed(speed); });
  connect(tailLengthSlider_, &QSlider::valueChanged, this, [this](int length) { session_.SetTailLength(length); });
  connect(velocityScaleCombo_, &QComboBox::activated, this, [this] { OnVelocityScaleChosen(); });
  connect(timingOption_, &QRadioButton::clicked, this, [this] { session_.ChooseValueKind(ValueKind::Timing); });
  connect(velocityOption_, &QRadioButton::clicked, this, [this] { session_.ChooseValueKind(ValueKind::Velocity); });
  connect(tempoOption_, &QRadioButton::clicked, this, [this] { session_.ChooseValueKind(ValueKind::Tempo); });
  connect(melodyLeadOption_, &QRadioButton::clicked, this, [this] { session_.ChooseValueKind(ValueKind::MelodyLead); });
  connect(spreadOption_, &QRadioButton::clicked, this, [this] { session_.ChooseValueKind(ValueKind::Spread); });
}

void ControlPanel::Start() {
  if (startOutput_ && !session_.ChooseOutputNamed(*startOutput_)) {
    dialogs_.ShowMessage(tr("No MIDI output's name contains \"%1\"; the replay goes to \"%2\".")
                             .arg(QString::fromStdString(*startOutput_), deviceCombo_->currentText())
                             .toStdString(),
                         MessageKind::Information);
  }
  show();
  // The frame is known once the window is shown and the window manager has
  // framed it: placed now, and again once the events of the showing have run.
  if (!rememberGeometry_ || !RestoreWindowGeometry(*this)) {
    PlaceOnScreen();
    QTimer::singleShot(0, this, [this] { PlaceOnScreen(); });
  }
  // A take left unsaved is loaded instead of asking for a first file.
  if (offerRecovery_ && session_.OfferRecovery() && !startFile_) return;
  if (startFile_) {
    session_.Open(*startFile_, startCompareFiles_, true);
    return;
  }
  session_.ChooseAndOpen(startCompareFiles_);
}

QPoint PanelPlace(const QRect& available, const QSize& frame) {
  const int left = available.left() + (available.width() - frame.width()) / 2;
  const int top = available.top() + available.height() - frame.height() - kAboveScreenBottom;
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

void ControlPanel::closeEvent(QCloseEvent* event) {
  const ProgramState state = session_.State();
  if (state != ProgramState::Closing && state != ProgramState::Closed) {
    if (session_.IsRecording()) session_.StopReplayOrTake();
    session_.Stop();
    session_.CloseOutput();
  }
  if (rememberGeometry_) StoreWindowGeometry(*this);
  QWidget::closeEvent(event);
}

void ControlPanel::ShowValueKinds() {
  const ValueKindOffer& offer = session_.OfferedValueKinds();
  const auto show = [](QRadioButton* option, const std::string& why, const QString& tip) {
    option->setEnabled(why.empty());
    option->setToolTip(why.empty() ? tip : TranslatedText(why));
  };
  show(velocityOption_, offer.velocityWhyNot, tr("Plot the velocities"));
  show(tempoOption_, offer.tempoWhyNot,
       tr("Plot the beat periods (ms per beat) of performances aligned to their score"));
  show(melodyLeadOption_, offer.melodyLeadWhyNot, MelodyLeadTip());
  show(spreadOption_, offer.spreadWhyNot, SpreadTip());
  const std::pair<ValueKind, QRadioButton*> options[] = {{ValueKind::Timing, timingOption_},
                                                         {ValueKind::Velocity, velocityOption_},
                                                         {ValueKind::Tempo, tempoOption_},
                                                         {ValueKind::MelodyLead, melodyLeadOption_},
                                                         {ValueKind::Spread, spreadOption_}};
  for (const auto& [kind, option] : options)
    if (kind == session_.ChosenValueKind()) option->setChecked(true);
}

void ControlPanel::ShowVelocityScale() {
  const VelocityScaleChoice& choice = session_.VelocityScale();
  const QString setting = choice.fixed ? QString::fromStdString(VelocityScaleSetting(choice)) : QString();
  int entry = velocityScaleCombo_->findData(setting);
  if (entry < 0) {
    // A scale from the command line or the stored settings that the list lacks.
    velocityScaleCombo_->addItem(tr("Velocities x%1").arg(setting), setting);
    entry = velocityScaleCombo_->count() - 1;
  }
  velocityScaleCombo_->setCurrentIndex(entry);
  velocityScaleLabel_->setText(TranslatedText(session_.VelocityScaleText()));
}

void ControlPanel::OnVelocityScaleChosen() {
  // The first entry (no scale) is "by file".
  const QString scale = velocityScaleCombo_->currentData().toString();
  session_.SetVelocityScale(scale.isEmpty() ? VelocityScaleChoice{}
                                            : ParseVelocityScale(scale.toStdString()).value_or(VelocityScaleChoice{}));
  StoreVelocityScale(session_.VelocityScale());
}

void ControlPanel::ShowSpeedFactor() {
  speedFactorLabel_->setText(QString::fromStdString(TempoLabel(speedSlider_->value())));
}

}  // namespace rp
