#include "performance/qt/SteuerForm.h"

#include <algorithm>
#include <functional>
#include <utility>

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>

#include "performance/PerformanceLoader.h"
#include "performance/ReplayEngine.h"
#include "performance/global.h"
#include "performance/qt/ProgressForm.h"
#include "performance/qt/ReplayButtonIcons.h"
#include "platform/MidiOutputPort.h"
#include "platform/TempoMapping.h"
#include "platform/midi/ProgramMidiOutputs.h"
#include "platform/qt/QtProgressSink.h"
#include "platform/qt/QtUiPost.h"
#include "platform/qt/Twips.h"
#include "scene/MediaDir.h"

namespace rp {

namespace {

// The time slider reports the release of a mouse button that was pressed on
// it, whichever button it was; keys move it without a report.
class TimeSliderControl final : public QSlider {
 public:
  TimeSliderControl(std::function<void()> released, QWidget* parent)
      : QSlider(Qt::Horizontal, parent), released_(std::move(released)) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    QSlider::mousePressEvent(event);
    pressed_ = true;
    event->accept();  // the release comes here, also for buttons the slider ignores
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    QSlider::mouseReleaseEvent(event);
    if (!std::exchange(pressed_, false)) return;
    released_();
  }

 private:
  std::function<void()> released_;
  bool pressed_ = false;
};

void Place(QWidget* w, int left, int top, int width, int height) {
  w->setGeometry(Px(left), Px(top), Px(width), Px(height));
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

QPushButton* PictureButton(QWidget* parent, const char* name, QIcon (*picture)(QSize), int left, int top, int width,
                           int height) {
  auto* button = Named(new QPushButton(parent), name);
  Place(button, left, top, width, height);
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
  return setup;
}

SteuerForm::SteuerForm(PlotViewLink& view, Dialogs& dialogs, QWidget* parent)
    : SteuerForm(view, dialogs, RealMidiOutput(), parent) {}

SteuerForm::SteuerForm(PlotViewLink& view, Dialogs& dialogs, MidiOutputSetup midi, QWidget* parent)
    : QWidget(parent), view_(view), dialogs_(dialogs), midi_(std::move(midi)) {
  setObjectName(QStringLiteral("SteuerForm"));
  setWindowTitle(QStringLiteral("Control panel"));
  setFixedSize(Px(9345), Px(2160));
  QPalette background = palette();
  background.setColor(QPalette::Window, QColor(224, 224, 224));
  setPalette(background);
  setAutoFillBackground(true);
  // The layout is made for a small 8-point dialog font.
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  CreateControls();

  port_ = std::make_unique<MidiOutputPort>(*midi_.backend, *midi_.clock, QtUiPoster(this));
  progressForm_ = std::make_unique<ProgressForm>(this);
  progress_ = std::make_unique<QtProgressSink>(*this, *progressForm_, progressForm_->ProgressBar1(),
                                               *numberEventsLabel_, *eventLabel_);
  ReplayControls& controls = *this;
  engine_ = std::make_unique<ReplayEngine>(*port_, controls, view_, *progress_, dialogs_);
}

SteuerForm::~SteuerForm() {
  engine_.reset();
  port_.reset();
}

void SteuerForm::CreateControls() {
  outputDevCombo_ = Named(new QComboBox(this), "OutputDevCombo");
  outputDevCombo_->setPlaceholderText(QStringLiteral("Combo1"));
  outputDevCombo_->setGeometry(Px(120), Px(120), Px(2772), outputDevCombo_->sizeHint().height());

  rewButton_ = PictureButton(this, "RewButton", &RewindIcon, 4200, 120, 732, 612);
  playButton_ = PictureButton(this, "PlayButton", &PlayIcon, 5040, 120, 1212, 612);
  stopButton_ = PictureButton(this, "StopButton", &StopIcon, 6360, 120, 732, 612);
  stopButton_->setEnabled(false);

  timeLabel_ = Named(new QLabel(QStringLiteral("0:00:00"), this), "TimeLabel");
  Place(timeLabel_, 7080, 240, 2292, 492);
  timeLabel_->setAlignment(Qt::AlignCenter);
  QFont display;
  display.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("DejaVu Sans")});
  display.setPointSize(12);
  display.setWeight(QFont::Black);
  timeLabel_->setFont(display);

  openButton_ = Named(new QPushButton(QStringLiteral("Open MIDI-ASCII"), this), "OpenButton");
  Place(openButton_, 120, 480, 1452, 372);
  eventLabel_ = Named(new QLabel(QStringLiteral("0"), this), "EventLabel");
  Place(eventLabel_, 2040, 480, 1092, 372);
  numberEventsLabel_ = Named(new QLabel(QStringLiteral("0"), this), "NumberEventsLabel");
  Place(numberEventsLabel_, 3240, 480, 1092, 372);

  timeSlider_ = Slider(new TimeSliderControl([this] { engine_->TimeSlider_MouseUp(timeSlider_->value()); }, this),
                       "TimeSlider", 1, 1000, 500, 10, 500, 1);
  Place(timeSlider_, 120, 960, 9252, 372);

  timeVeloOption_[0] = Named(new QRadioButton(QStringLiteral("Timing"), this), "TimeVeloOption0");
  Place(timeVeloOption_[0], 1080, 1440, 972, 372);
  timeVeloOption_[0]->setChecked(true);
  timeVeloOption_[1] = Named(new QRadioButton(QStringLiteral("Velocity"), this), "TimeVeloOption1");
  Place(timeVeloOption_[1], 1080, 1800, 972, 372);

  playbackRateSlider_ = Slider(new QSlider(this), "PlaybackRateSlider", -1000, 9000, 100, 10, 1000, 0);
  Place(playbackRateSlider_, 2880, 1440, 3252, 492);
  label1_ = Named(new QLabel(QStringLiteral("Replay speed"), this), "Label1");
  Place(label1_, 3000, 1920, 1092, 372);
  // The tempo the speed slider stands for, beside its caption.
  speedFactorLabel_ = Named(new QLabel(this), "SpeedFactorLabel");
  Place(speedFactorLabel_, 5040, 1920, 1092, 372);
  ShowSpeedFactor();

  schwanzLaengenSlider_ = Slider(new QSlider(this), "SchwanzLaengenSlider", 1, 500, 10, 1, 10, 10);
  Place(schwanzLaengenSlider_, 6120, 1440, 3252, 492);
  label2_ = Named(new QLabel(QStringLiteral("Length of tail"), this), "Label2");
  Place(label2_, 6360, 1920, 1092, 372);

  // Tab order; the labels take no focus.
  QWidget* tabOrder[] = {playButton_,         rewButton_,           stopButton_, outputDevCombo_,
                         openButton_,         playbackRateSlider_,  schwanzLaengenSlider_,
                         timeSlider_,         timeVeloOption_[0],   timeVeloOption_[1]};
  for (std::size_t i = 0; i + 1 < std::size(tabOrder); ++i) setTabOrder(tabOrder[i], tabOrder[i + 1]);

  connect(playButton_, &QPushButton::clicked, this, [this] { engine_->PlayButton_Click(); });
  connect(stopButton_, &QPushButton::clicked, this, [this] { engine_->StopButton_Click(); });
  connect(openButton_, &QPushButton::clicked, this, [this] { OpenButton_Click(); });
  connect(outputDevCombo_, &QComboBox::activated, this, [this] { engine_->OutputDevCombo_Click(); });
  connect(playbackRateSlider_, &QSlider::valueChanged, this, [this] {
    ShowSpeedFactor();
    engine_->PlaybackRateSlider_Change();
  });
  connect(schwanzLaengenSlider_, &QSlider::valueChanged, this, [this] { engine_->SchwanzLaengenSlider_Change(); });
  connect(timeVeloOption_[0], &QRadioButton::clicked, this, [this] { TimeVeloOption_Click(0); });
  connect(timeVeloOption_[1], &QRadioButton::clicked, this, [this] { TimeVeloOption_Click(1); });
}

void SteuerForm::Form_Load() {
  global::InitializeEmptyPerformance();
  outputDevCombo_->clear();
  for (const std::string& name : engine_->ListOutputDevices()) outputDevCombo_->addItem(QString::fromStdString(name));
  outputDevCombo_->setCurrentIndex(outputDevCombo_->count() - 1);

  // Centred, 500 twips above the bottom of the screen.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size();
    move(area.left() + (area.width() - outer.width()) / 2, area.top() + area.height() - outer.height() - Px(500));
  }
  show();
  LoadFile(startFile_);
}

void SteuerForm::Form_Unload() { engine_->Form_Unload(); }

void SteuerForm::closeEvent(QCloseEvent* event) {
  Form_Unload();
  QWidget::closeEvent(event);
}

void SteuerForm::OpenButton_Click() { LoadFile(std::nullopt); }

void SteuerForm::LoadFile(const std::optional<std::string>& path) {
  LoadHooks hooks;
  hooks.progress = progress_.get();
  hooks.doEvents = [this] { DoEvents(); };
  hooks.stopPlay = [this] { stopReplay(); };
  hooks.updateAllData = [this] { view_.showFirstEvents(); };
  hooks.stopAutoRotation = [this] { view_.stopAutoRotation(); };
  hooks.setTimeSliderMaximum = [this](std::int32_t count) {
    // A file without clusters leaves the slider at its one position.
    timeSlider_->setMaximum(std::max(count, timeSlider_->minimum()));
  };
  hooks.updateTime = [this] { UpdateTime(); };
  PerformanceLoader loader(dialogs_, hooks);
  if (path) {
    loader.Open(*path);
  } else {
    loader.OpenButton_Click();
  }
}

void SteuerForm::TimeVeloOption_Click(int) { view_.showFirstEvents(); }

void SteuerForm::SetTimingChosen(bool timing) { timeVeloOption_[timing ? 0 : 1]->setChecked(true); }

void SteuerForm::UpdateTime() { engine_->UpdateTime(); }

void SteuerForm::stopReplay() { engine_->StopPlay(); }

bool SteuerForm::timingChosen() const { return timeVeloOption_[0]->isChecked(); }

bool SteuerForm::isReplaying() const { return port_->state() == PortState::Replaying; }

bool SteuerForm::isPortOpen() const { return port_->state() != PortState::Closed; }

void SteuerForm::SetPlayEnabled(bool playEnabled) {
  playButton_->setEnabled(playEnabled);
  stopButton_->setEnabled(!playEnabled);
}

int SteuerForm::PlaybackRateSliderValue() const { return playbackRateSlider_->value(); }

int SteuerForm::SchwanzLaengenSliderValue() const { return schwanzLaengenSlider_->value(); }

int SteuerForm::OutputDevComboIndex() const { return std::max(outputDevCombo_->currentIndex(), 0); }

void SteuerForm::SetTimeSliderValue(int value) { timeSlider_->setValue(value); }

void SteuerForm::SetTimeText(const std::string& text) { timeLabel_->setText(QString::fromStdString(text)); }

void SteuerForm::DoEvents() { QCoreApplication::processEvents(); }

void SteuerForm::ShowSpeedFactor() {
  speedFactorLabel_->setText(QString::fromStdString(TempoLabel(playbackRateSlider_->value())));
}

}  // namespace rp
