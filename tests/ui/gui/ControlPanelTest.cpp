// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "audio/FluidSynthBackend.h"
#include "audio/GeneralMidiSynth.h"
#include "midi/ChainedMidiOutputs.h"
#include "midi/MidiBackend.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "replay/MidiOutputPort.h"
#include "replay/ReplayEngine.h"
#include "session/Session.h"
#include "support/FakePlotView.h"
#include "support/RecordingMidiBackend.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMidiInput.h"
#include "support/TempDir.h"
#include "support/qt/QtWaitFor.h"
#include "support/qt/SliderPart.h"
#include "ui/ControlPanel.h"
#include "ui/ProgressWindow.h"
#include "ui/QtDialogs.h"
#include "ui/QtUiPost.h"

namespace rp {
namespace {

using FakeView = test::FakePlotView;

// What the plot window does with the session's announcements, told to a fake plot.
void ShowInView(const Session& session, FakeView& view, SessionChange change) {
  if (change == SessionChange::Points) view.ShowFirstEvents();
  if (change == SessionChange::Tail) view.ShowTail();
  if (change == SessionChange::ValuesChosen) view.ShowValuesAgain();
  if (change == SessionChange::BorderFixed) view.SetBorderFixed(session.BorderFixed());
}

// The control panel on recording MIDI outputs, on the real clock: a stand-in
// for the built-in synthesizer first, as in the program, then two devices.
struct Panel {
  explicit Panel(std::vector<std::optional<std::string>> files = {std::string(RP_TEST_DATA_DIR "/lf.txt")},
                 std::vector<std::string> devices = {"Synth A", "Synth B"}) {
    dialogs.fileAnswers = std::move(files);
    MidiOutputSetup midi;
    midi.clock = std::make_unique<SteadyReplayClock>();
    auto recording = std::make_unique<RecordingMidiBackend>(*midi.clock, std::move(devices));
    backend = recording.get();
    midi.backend = std::make_unique<ChainedMidiOutputs>(
        std::make_unique<RecordingMidiBackend>(*midi.clock, std::vector<std::string>{"Built-in"}),
        std::move(recording));
    midi.makeInput = [this] {
      auto made = std::make_unique<ScriptedMidiInput>();
      input = made.get();
      return made;
    };
    session.ConnectOutput(std::move(midi));
    session.Listen([this](SessionChange change) { ShowInView(session, view, change); });
    session.Start();
    form = std::make_unique<ControlPanel>(session, dialogs);
  }
  // Starts the panel and waits until its first files are loaded.
  void Start() {
    form->Start();
    Settle();
  }
  // Waits until the loads running in the background have ended.
  void Settle() {
    EXPECT_TRUE(test::QtWaitFor([&] { return form->State() != ProgramState::Loading; }, std::chrono::seconds(20)));
  }
  template <class W>
  W* Child(const char* name) {
    W* w = form->findChild<W*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  ScriptedDialogs dialogs;
  Session session{dialogs, QtUiPoster(qApp)};
  Performance& performance = session.Main();
  ReplayPosition& position = session.Position();
  const ComparedPerformances& compared = session.Compared();
  FakeView view{position};
  RecordingMidiBackend* backend = nullptr;
  ScriptedMidiInput* input = nullptr;
  std::unique_ptr<ControlPanel> form;
};

void ExpectSlider(QSlider* s, int minimum, int maximum, int large, int small, int tick, int value) {
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->minimum(), minimum) << s->objectName().toStdString();
  EXPECT_EQ(s->maximum(), maximum) << s->objectName().toStdString();
  EXPECT_EQ(s->pageStep(), large) << s->objectName().toStdString();
  EXPECT_EQ(s->singleStep(), small) << s->objectName().toStdString();
  EXPECT_EQ(s->tickInterval(), tick) << s->objectName().toStdString();
  EXPECT_EQ(s->value(), value) << s->objectName().toStdString();
}

// Where on `slider` a click lands on `value`.
QPoint PointOf(QSlider* slider, int value) {
  const QRect groove = test::SliderPart(slider, QStyle::SC_SliderGroove);
  const QRect handle = test::SliderPart(slider, QStyle::SC_SliderHandle);
  const int span = groove.width() - handle.width();
  const int x = groove.left() + handle.width() / 2 +
                QStyle::sliderPositionFromValue(slider->minimum(), slider->maximum(), value, span);
  return {x, slider->height() / 2};
}

TEST(ControlPanel, ControlsCaptionsRangesAndLayoutAtCreation) {
  Panel p;
  ControlPanel& f = *p.form;
  EXPECT_EQ(f.windowTitle(), "Control panel");
  EXPECT_GE(f.width(), 623);  // at least as wide as the old fixed panel
  EXPECT_EQ(f.palette().color(QPalette::Window), QColor(224, 224, 224));

  auto* combo = p.Child<QComboBox>("deviceCombo");
  EXPECT_EQ(combo->placeholderText(), "No MIDI output");
  for (const char* name : {"rewindButton", "playButton", "stopButton"}) {
    EXPECT_FALSE(p.Child<QPushButton>(name)->icon().isNull()) << name;
    EXPECT_TRUE(p.Child<QPushButton>(name)->text().isEmpty()) << name;
  }
  EXPECT_TRUE(p.Child<QPushButton>("playButton")->isEnabled());
  EXPECT_FALSE(p.Child<QPushButton>("stopButton")->isEnabled());

  auto* timeLabel = p.Child<QLabel>("timeLabel");
  EXPECT_EQ(timeLabel->text(), "0:00:00.0");
  EXPECT_TRUE(timeLabel->alignment() & Qt::AlignHCenter);
  EXPECT_EQ(timeLabel->font().pointSize(), 12);
  EXPECT_GE(timeLabel->font().weight(), QFont::Bold);

  EXPECT_EQ(p.Child<QPushButton>("openButton")->text(), "Open performance...");
  EXPECT_EQ(p.Child<QLabel>("eventLabel")->text(), "0");
  EXPECT_EQ(p.Child<QLabel>("eventCountLabel")->text(), "0");
  EXPECT_EQ(p.Child<QLabel>("eventCaption")->text(), "Event");
  EXPECT_EQ(p.Child<QLabel>("eventOfCaption")->text(), "of");
  EXPECT_EQ(p.Child<QRadioButton>("timingOption")->text(), "Timing");
  EXPECT_TRUE(p.Child<QRadioButton>("timingOption")->isChecked());
  EXPECT_EQ(p.Child<QRadioButton>("velocityOption")->text(), "Velocity");
  EXPECT_FALSE(p.Child<QRadioButton>("velocityOption")->isChecked());
  EXPECT_EQ(p.Child<QLabel>("speedCaption")->text(), "Replay speed");
  EXPECT_EQ(p.Child<QLabel>("tailLengthCaption")->text(), "Length of tail");
  EXPECT_EQ(p.Child<QLabel>("speedFactorLabel")->text(), "1.00x");

  ExpectSlider(p.Child<QSlider>("timeSlider"), 0, 999, 500, 10, 500, 0);
  ExpectSlider(p.Child<QSlider>("speedSlider"), -1000, 9000, 100, 10, 1000, 0);
  ExpectSlider(p.Child<QSlider>("tailLengthSlider"), 1, 500, 10, 1, 10, 10);

  // Tab order by the controls' tab indices (labels take no focus).
  const std::vector<std::string> order = {"playButton",   "rewindButton",  "stopButton",       "deviceCombo",
                                          "openButton",   "speedSlider",   "tailLengthSlider", "timeSlider",
                                          "timingOption", "velocityOption"};
  QWidget* w = p.Child<QWidget>("playButton");
  for (std::size_t i = 1; i < order.size(); ++i) {
    w = w->nextInFocusChain();
    while (w->focusPolicy() == Qt::NoFocus) w = w->nextInFocusChain();
    EXPECT_EQ(w->objectName().toStdString(), order[i]);
  }

  ProgressWindow& progress = f.Progress();
  EXPECT_EQ(progress.windowTitle(), "Processing....");
  EXPECT_EQ(progress.Bar().geometry(), QRect(0, 0, 313, 16));
  EXPECT_EQ(progress.CancelButton().text(), "Cancel");
  EXPECT_FALSE(progress.CancelButton().isEnabled()) << "nothing to cancel";
  EXPECT_TRUE(progress.rect().contains(progress.CancelButton().geometry()));

  // The speed factor follows the slider.
  p.Child<QSlider>("speedSlider")->setValue(1000);
  EXPECT_EQ(p.Child<QLabel>("speedFactorLabel")->text(), "2.00x");
  EXPECT_FALSE(f.ShownSession().IsReplaying());
}

TEST(ControlPanel, LoadListsDevicesOpensTheFirstFileAndShowsItsTime) {
  Panel p;
  p.Start();
  EXPECT_TRUE(p.form->isVisible());
  auto* combo = p.Child<QComboBox>("deviceCombo");
  ASSERT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->itemText(0), "Built-in");
  EXPECT_EQ(combo->itemText(2), "Synth B");
  EXPECT_EQ(combo->currentIndex(), 2);

  ASSERT_EQ(p.dialogs.requests.size(), 1u);
  EXPECT_EQ(p.dialogs.requests[0].title, "Open ASCII MIDI File");
  EXPECT_EQ(p.performance.EventCount(), 5);
  EXPECT_EQ(p.position.currentEvent, 0);
  EXPECT_EQ(p.view.calls, std::vector<std::string>{"all"});
  EXPECT_EQ(p.Child<QSlider>("timeSlider")->maximum(), 4) << "one place per event";
  EXPECT_EQ(p.Child<QLabel>("timeLabel")->text(), "0:00:00.0");
  EXPECT_EQ(p.Child<QLabel>("eventCountLabel")->text(), "5");
  EXPECT_FALSE(p.form->Progress().isVisible());
  EXPECT_EQ(p.form->Progress().windowTitle(), "Processing...");

  // Timing/Velocity: each choice rebuilds the view and the view reads the choice.
  p.view.calls.clear();
  QTest::mouseClick(p.Child<QRadioButton>("velocityOption"), Qt::LeftButton);
  EXPECT_EQ(p.form->ShownSession().ChosenValueKind(), ValueKind::Velocity);
  QTest::mouseClick(p.Child<QRadioButton>("timingOption"), Qt::LeftButton);
  EXPECT_EQ(p.form->ShownSession().ChosenValueKind(), ValueKind::Timing);
  EXPECT_EQ(p.view.calls, (std::vector<std::string>{"all", "all"}));

  // The tail slider sets the tail length; the rewind button seeks to the first event.
  p.Child<QSlider>("tailLengthSlider")->setValue(25);
  EXPECT_EQ(p.position.tailLength, 25);
  p.form->Replay().SeekTo(2);
  EXPECT_EQ(p.Child<QLabel>("eventLabel")->text(), "3") << "users count events from 1";
  p.view.calls.clear();
  QTest::mouseClick(p.Child<QPushButton>("rewindButton"), Qt::LeftButton);
  EXPECT_EQ(p.view.calls, (std::vector<std::string>{"all", "tail 0"}));
  EXPECT_EQ(p.position.currentEvent, 0);
  EXPECT_EQ(p.Child<QSlider>("timeSlider")->value(), 0);
  EXPECT_EQ(p.Child<QLabel>("eventLabel")->text(), "1");
  p.view.calls.clear();

  // The velocity scale: by file the listing of another program plays 1.5 times
  // louder; a chosen scale holds for it and is shown.
  auto* scales = p.Child<QComboBox>("velocityScaleCombo");
  auto* scaleLabel = p.Child<QLabel>("velocityScaleLabel");
  EXPECT_EQ(scales->currentIndex(), 0);
  EXPECT_EQ(scaleLabel->text(), "x1.5 (listing of another program)");
  scales->setCurrentIndex(scales->findData(QStringLiteral("1")));
  emit scales->activated(scales->currentIndex());
  EXPECT_EQ(p.form->Replay().VelocityScaleInUse(), 1.0);
  EXPECT_EQ(scaleLabel->text(), "x1 (chosen)");
  scales->setCurrentIndex(0);
  emit scales->activated(0);
  EXPECT_EQ(p.form->Replay().VelocityScaleInUse(), 1.5);

  // A cancelled dialog changes nothing.
  p.form->ShownSession().ChooseAndOpen();
  p.Settle();
  EXPECT_EQ(p.performance.EventCount(), 5);
  EXPECT_TRUE(p.view.calls.empty());
}

TEST(ControlPanel, LooksRightOnTheDesktop) {
  const std::string longName = "Digital Piano:Digital Piano MIDI 1 20:0 (USB)";
  Panel p({std::string(RP_TEST_DATA_DIR "/lf.txt")}, {longName, "Midi Through:Midi Through Port-0 14:0"});
  p.Start();

  // The instrument, not the loop-back port after it, is chosen.
  auto* combo = p.Child<QComboBox>("deviceCombo");
  EXPECT_EQ(combo->currentIndex(), 1);
  // The open list and the tooltip show the whole name.
  EXPECT_GE(combo->view()->minimumWidth(), combo->fontMetrics().horizontalAdvance(QString::fromStdString(longName)));
  EXPECT_EQ(combo->toolTip().toStdString(), longName);
  EXPECT_EQ(combo->itemData(2, Qt::ToolTipRole).toString().toStdString(), "Midi Through:Midi Through Port-0 14:0");

  // Captions read from the top of their boxes, so the bottom ones are whole.
  for (const char* name : {"speedCaption", "tailLengthCaption", "speedFactorLabel", "eventLabel", "timeLabel"}) {
    auto* label = p.Child<QLabel>(name);
    EXPECT_TRUE(label->alignment() & Qt::AlignTop) << name;
    EXPECT_LE(label->y() + label->fontMetrics().height(), p.form->height()) << name;
  }

  // Wholly inside the screen's free area, centred, 33 pixels above its bottom.
  const QRect area = p.form->screen()->availableGeometry();
  EXPECT_TRUE(area.contains(p.form->frameGeometry()));
  const QRect taskbarBelow(0, 0, 1280, 990);
  EXPECT_EQ(PanelPlace(taskbarBelow, QSize(631, 170)), QPoint(324, 990 - 170 - 33));
  EXPECT_EQ(PanelPlace(QRect(100, 50, 600, 160), QSize(631, 170)), QPoint(100, 50));
}

TEST(ControlPanel, TheOpenDialogAddsTheDefaultExtensionToATypedName) {
  test::TempDir dir;
  const std::string song = dir.Write("song.txt", "1; /* 0 ms */+60 80;\n");
  // Types "song" and Return once; anything else that comes up (a "not
  // found" box) or a dialog still open after 10 s is closed, which fails the test.
  int polls = 0;
  bool typed = false;
  QTimer typist;
  QObject::connect(&typist, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog != nullptr && !typed) {
      typed = true;
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      name->setText(QStringLiteral("song"));
      QTest::keyClick(name, Qt::Key_Return);
    } else if (modal != nullptr && (dialog == nullptr || ++polls > 500)) {
      modal->close();
    }
  });
  typist.start(20);
  QtDialogs dialogs;
  OpenFileRequest request{"Open ASCII MIDI File", {{"ASCII MIDI files", {"*.txt"}}}, dir.Path(""), "txt"};
  EXPECT_EQ(dialogs.OpenFile(request), std::optional<std::string>(song));
}

TEST(ControlPanel, ComparedPerformancesAreAddedRemovedAndDroppedByANewMainFile) {
  Panel p(std::vector<std::optional<std::string>>{});
  p.form->SetStartFile(RP_TEST_DATA_DIR "/lf.txt", {RP_TEST_DATA_DIR "/crlf.txt", "/no/such/take.txt"});
  p.Start();
  ASSERT_EQ(p.compared.size(), 1u) << "the missing file is left out, the other stays";
  EXPECT_EQ(p.compared[0].sourcePath, RP_TEST_DATA_DIR "/crlf.txt");
  ASSERT_EQ(p.dialogs.messages.size(), 1u);
  EXPECT_NE(p.dialogs.messages[0].text.find("/no/such/take.txt"), std::string::npos);
  EXPECT_EQ(p.view.calls, (std::vector<std::string>{"all", "all"}));
  EXPECT_EQ(p.Child<QLabel>("eventCountLabel")->text(), "5") << "still the main performance's count";

  // From the menu: a file dialog; a cancel changes nothing.
  p.form->ShownSession().ChooseAndAddCompared();
  p.Settle();
  EXPECT_EQ(p.dialogs.requests.back().title, "Add performance for comparison");
  EXPECT_EQ(p.compared.size(), 1u);
  p.dialogs.fileAnswers = {std::string(RP_TEST_DATA_DIR "/cr.txt")};
  p.form->ShownSession().ChooseAndAddCompared();
  p.Settle();
  EXPECT_EQ(p.compared.size(), 2u);

  p.view.calls.clear();
  p.form->ShownSession().RemoveCompared();
  EXPECT_TRUE(p.compared.empty());
  EXPECT_EQ(p.view.calls, std::vector<std::string>{"all"});

  // A new main file removes the compared ones; a failed one keeps them.
  p.form->ShownSession().AddCompared({RP_TEST_DATA_DIR "/crlf.txt"});
  p.Settle();
  p.dialogs.fileAnswers = {std::string("/no/such/main.txt")};
  p.form->ShownSession().ChooseAndOpen();
  p.Settle();
  EXPECT_EQ(p.compared.size(), 1u);
  p.dialogs.fileAnswers = {std::string(RP_TEST_DATA_DIR "/lf.txt")};
  p.form->ShownSession().ChooseAndOpen();
  p.Settle();
  EXPECT_TRUE(p.compared.empty());
}

TEST(ControlPanel, ValueKindsAreOfferedOnlyWhenEveryShownPerformanceHasThem) {
  test::TempDir dir;
  const std::string match = dir.Write("take.match",
                                      "info(piece,study).\ninfo(midiClockUnits,4000).\ninfo(midiClockRate,500000).\n"
                                      "snote(n1,[e,n],4,1:1,0,1/4,0.0,1.0,[1])-note(0,[e,n],4,1000,2000,2000,50).\n"
                                      "snote(n2,[e,n],4,1:2,0,1/4,1.0,2.0,[1])-note(1,[e,n],4,5000,6000,6000,50).\n"
                                      "snote(n3,[e,n],4,2:1,0,1/4,2.0,3.0,[1])-note(2,[e,n],4,9000,9900,9900,50).\n");
  const std::string times = dir.Write("taps.txt", "0.5\n1.0\n1.6\n");
  Panel p({match});
  p.Start();
  auto* velocity = p.Child<QRadioButton>("velocityOption");
  auto* tempo = p.Child<QRadioButton>("tempoOption");
  ASSERT_TRUE(tempo->isEnabled()) << "a match file has score positions";
  QTest::mouseClick(tempo, Qt::LeftButton);
  EXPECT_EQ(p.form->ShownSession().ChosenValueKind(), ValueKind::Tempo);

  // A list of times beside it: neither score positions nor velocities, each saying why; timing shows.
  p.form->ShownSession().AddCompared({times});
  p.Settle();
  ASSERT_EQ(p.compared.size(), 1u);
  EXPECT_FALSE(tempo->isEnabled());
  EXPECT_FALSE(velocity->isEnabled());
  EXPECT_NE(tempo->toolTip().indexOf("match file"), -1) << tempo->toolTip().toStdString();
  EXPECT_NE(velocity->toolTip().indexOf("no velocities"), -1) << velocity->toolTip().toStdString();
  EXPECT_EQ(p.form->ShownSession().ChosenValueKind(), ValueKind::Timing);

  p.form->ShownSession().RemoveCompared();
  EXPECT_TRUE(tempo->isEnabled());
  EXPECT_TRUE(velocity->isEnabled());
}

TEST(ControlPanel, PlayThenStop) {
  Panel p;
  p.Start();
  auto* play = p.Child<QPushButton>("playButton");
  auto* stop = p.Child<QPushButton>("stopButton");
  QTest::mouseClick(play, Qt::LeftButton);
  EXPECT_TRUE(p.form->ShownSession().IsReplaying());
  EXPECT_EQ(p.backend->OpenDevice(), 1);  // the last entry: Synth B
  EXPECT_FALSE(play->isEnabled());
  EXPECT_TRUE(stop->isEnabled());
  EXPECT_TRUE(p.view.borderFixed);
  EXPECT_EQ(p.position.tailLength, 10);
  // The first note sounds at once and moves the view to its event.
  QTRY_VERIFY_WITH_TIMEOUT(!p.view.calls.empty() && p.view.calls.back() == "tail 0", 5000);

  QTest::mouseClick(stop, Qt::LeftButton);
  EXPECT_FALSE(p.form->ShownSession().IsPortOpen());
  EXPECT_FALSE(p.backend->OpenDevice().has_value());
  EXPECT_TRUE(play->isEnabled());
  EXPECT_FALSE(stop->isEnabled());
  EXPECT_FALSE(p.view.borderFixed);
  const std::size_t sent = p.backend->SentMessages().size();
  test::LetTimePassWithEvents(std::chrono::milliseconds(700));  // the next cluster was due at 500 ms
  EXPECT_EQ(p.backend->SentMessages().size(), sent);
  EXPECT_EQ(p.position.currentEvent, 0);

  // Choosing another device stops a replay; the next one opens it.
  QTest::mouseClick(play, Qt::LeftButton);
  auto* combo = p.Child<QComboBox>("deviceCombo");
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  EXPECT_FALSE(p.form->ShownSession().IsPortOpen());
  QTest::mouseClick(play, Qt::LeftButton);
  EXPECT_EQ(p.backend->OpenDevice(), 0);

  // Closing the window closes the port.
  p.form->close();
  EXPECT_FALSE(p.form->ShownSession().IsPortOpen());
  EXPECT_FALSE(p.backend->OpenDevice().has_value());
}

TEST(ControlPanel, TheOutputNamedAtStartIsChosenAndPlayedToOrTheUsualOneWithAMessage) {
  Panel p;
  p.form->SetStartOutput("th A");
  p.Start();
  EXPECT_EQ(p.Child<QComboBox>("deviceCombo")->currentIndex(), 1);
  QTest::mouseClick(p.Child<QPushButton>("playButton"), Qt::LeftButton);
  EXPECT_EQ(p.backend->OpenDevice(), 0);
  EXPECT_TRUE(p.dialogs.messages.empty());

  Panel unknown;
  unknown.form->SetStartOutput("Organ");
  unknown.Start();
  EXPECT_EQ(unknown.Child<QComboBox>("deviceCombo")->currentIndex(), 2);
  ASSERT_EQ(unknown.dialogs.messages.size(), 1u);
  EXPECT_EQ(unknown.dialogs.messages[0].text,
            "No MIDI output's name contains \"Organ\"; the replay goes to \"Synth B\".");
}

TEST(ControlPanel, DraggingTheTimeSliderOrItsKeysMoveThePlot) {
  Panel p;
  p.Start();
  auto* slider = p.Child<QSlider>("timeSlider");
  QTest::mouseClick(p.Child<QPushButton>("playButton"), Qt::LeftButton);
  p.view.calls.clear();

  // Drag the handle from the first event to the fourth and let go.
  QTest::mousePress(slider, Qt::LeftButton, {}, PointOf(slider, 0));
  QTest::mouseMove(slider, PointOf(slider, 3));
  QTest::mouseRelease(slider, Qt::LeftButton, {}, PointOf(slider, 3));
  EXPECT_EQ(slider->value(), 3);
  EXPECT_EQ(p.position.currentEvent, 3);
  EXPECT_FALSE(p.form->ShownSession().IsPortOpen());
  EXPECT_EQ(p.view.calls, (std::vector<std::string>{"all", "tail 3"}));
  EXPECT_EQ(p.Child<QLabel>("timeLabel")->text(), "0:00:02.2");  // onset 2250 ms

  p.view.calls.clear();
  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_Left);
  EXPECT_EQ(slider->value(), 0);  // a small step is 10
  EXPECT_EQ(p.position.currentEvent, 0);
  EXPECT_EQ(p.view.calls, (std::vector<std::string>{"all", "tail 0"}));
}

// The built-in synthesizer is the first entry; on a machine without any
// sound output (no server, no card) Play reports why and the panel stays
// stopped, ready for another try or another device.
TEST(ControlPanel, BuiltInSynthesizerWithoutSoundOutputReportsAndStaysStopped) {
  ScriptedDialogs dialogs;
  dialogs.fileAnswers = {std::string(RP_TEST_DATA_DIR "/lf.txt")};
  MidiOutputSetup midi;
  midi.clock = std::make_unique<SteadyReplayClock>();
  FluidSynthOptions synth;
  synth.soundFonts = SoundFontCandidates("");
  synth.audioDrivers = std::vector<std::string>{};  // none to be had
  midi.backend = std::make_unique<ChainedMidiOutputs>(
      std::make_unique<FluidSynthBackend>(std::move(synth)),
      std::make_unique<RecordingMidiBackend>(*midi.clock, std::vector<std::string>{}));
  Session session(dialogs, QtUiPoster(qApp));
  FakeView view{session.Position()};
  session.ConnectOutput(std::move(midi));
  session.Listen([&](SessionChange change) { ShowInView(session, view, change); });
  session.Start();
  ControlPanel form(session, dialogs);
  form.Start();
  ASSERT_TRUE(test::QtWaitFor([&] { return form.State() == ProgramState::Idle; }, std::chrono::seconds(20)));
  auto* combo = form.findChild<QComboBox*>(QStringLiteral("deviceCombo"));
  auto* play = form.findChild<QPushButton*>(QStringLiteral("playButton"));
  auto* stop = form.findChild<QPushButton*>(QStringLiteral("stopButton"));
  ASSERT_TRUE(combo && play && stop);
  ASSERT_EQ(combo->count(), 1);
  EXPECT_EQ(combo->itemText(0), "Built-in synthesizer (General MIDI)");
  EXPECT_EQ(combo->currentIndex(), 0);

  for (int attempt = 1; attempt <= 2; ++attempt) {
    QTest::mouseClick(play, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(dialogs.messages.size(), static_cast<std::size_t>(attempt), 5000);
    EXPECT_EQ(dialogs.messages.back().text,
              "The built-in synthesizer cannot play: no sound server (PulseAudio, PipeWire or JACK) is "
              "running and there is no sound card. Choose a MIDI output device instead.");
    EXPECT_TRUE(play->isEnabled());
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_FALSE(form.ShownSession().IsPortOpen());
    EXPECT_FALSE(view.borderFixed);
  }
}

TEST(ControlPanel, ARecordingRunsTheTimeDisplayRestsPlayOpenAndSliderAndStopEndsAndSavesIt) {
  Panel p;
  p.Start();
  test::TempDir dir("rp_panel_take_");
  p.form->ShownSession().SetRecoveryPath(dir.Path() + "/recovery.txt");
  p.dialogs.listAnswers = {0};
  p.form->ShownSession().ToggleRecording();
  ASSERT_TRUE(p.form->ShownSession().IsRecording());
  auto* play = p.Child<QPushButton>("playButton");
  auto* stop = p.Child<QPushButton>("stopButton");
  EXPECT_FALSE(play->isEnabled());
  EXPECT_TRUE(stop->isEnabled());
  EXPECT_FALSE(p.Child<QPushButton>("openButton")->isEnabled());
  EXPECT_FALSE(p.Child<QSlider>("timeSlider")->isEnabled());

  for (int i = 0; i < 5; ++i) p.input->Deliver({0x90, std::uint8_t(60 + i), 90}, i * 300000);

  // The notes come through the Qt event loop; the time display shows the first whole second.
  test::QtWaitFor(
      [&] {
        return !p.view.calls.empty() && p.view.calls.back() == "tail 1" &&
               p.Child<QLabel>("timeLabel")->text().startsWith("0:00:01.");
      },
      std::chrono::seconds(10));
  EXPECT_EQ(p.performance.EventCount(), 2) << "the notes came through the Qt event loop";
  EXPECT_EQ(p.view.calls.back(), "tail 1");
  EXPECT_TRUE(p.Child<QLabel>("timeLabel")->text().startsWith("0:00:01.")) << "the time display runs";

  const std::string saved = dir.Path() + "/take.txt";
  p.dialogs.fileAnswers = {saved};
  QTest::mouseClick(stop, Qt::LeftButton);
  EXPECT_FALSE(p.form->ShownSession().IsRecording());
  EXPECT_TRUE(play->isEnabled());
  EXPECT_EQ(p.performance.NoteCount(), 5);
  EXPECT_TRUE(std::filesystem::exists(saved));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/recovery.txt"));
}

// A melody note (voice 1) over a chord note, then the melody alone.
constexpr const char* kMelodyOverChord =
    "info(midiClockUnits,4000).\ninfo(midiClockRate,500000).\n"
    "snote(a,[e,n],5,1:1,0,1/4,0.0,1.0,[1])-note(0,[e,n],5,1000,2000,2000,70).\n"
    "snote(b,[c,n],4,1:1,0,1/4,0.0,1.0,[2])-note(1,[c,n],4,1080,2000,2000,50).\n"
    "snote(c,[d,n],5,1:2,0,1/4,1.0,2.0,[1])-note(2,[d,n],5,5000,6000,6000,50).\n";

// Melody lead and chord spread stand beside the other values; a MIDI file
// has no score positions, so both are disabled and say why, and a match file
// that marks voices offers both.
TEST(ControlPanel, ChordValuesAreOfferedOnlyForScoreAlignedPerformances) {
  Panel p({std::string(RP_TEST_DATA_DIR "/chords_tempo.mid")});
  p.Start();
  auto* lead = p.Child<QRadioButton>("melodyLeadOption");
  auto* spread = p.Child<QRadioButton>("spreadOption");
  ASSERT_TRUE(lead != nullptr && spread != nullptr);
  EXPECT_EQ(lead->text(), "Melody lead");
  EXPECT_EQ(spread->text(), "Chord spread");
  for (QRadioButton* option : {lead, spread}) {
    EXPECT_FALSE(option->isEnabled()) << option->objectName().toStdString();
    EXPECT_NE(option->toolTip().indexOf("aligned to its score"), -1) << option->toolTip().toStdString();
  }

  test::TempDir dir;
  p.dialogs.fileAnswers = {dir.Write("chord.match", kMelodyOverChord)};
  p.form->ShownSession().ChooseAndOpen();
  p.Settle();
  ASSERT_TRUE(lead->isEnabled()) << lead->toolTip().toStdString();
  EXPECT_TRUE(spread->isEnabled());
  QTest::mouseClick(lead, Qt::LeftButton);
  EXPECT_EQ(p.form->ShownSession().ChosenValueKind(), ValueKind::MelodyLead);
  QTest::mouseClick(spread, Qt::LeftButton);
  EXPECT_EQ(p.form->ShownSession().ChosenValueKind(), ValueKind::Spread);
  EXPECT_TRUE(spread->isChecked());
}

}  // namespace
}  // namespace rp
