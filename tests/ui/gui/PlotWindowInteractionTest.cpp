// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <optional>

#include "model/TimeDisplay.h"
#include "plot/EventPick.h"
#include "replay/ReplayEngine.h"
#include "support/qt/PlotWindowFixture.h"
#include "support/qt/SliderPart.h"
#include "ui/StoredSettings.h"

namespace rp {
namespace {

using testing::PlotWindowTest;

// The angle between the plot's orientation now and `before`.
float TurnedSince(const glm::quat& before, const glm::quat& now) {
  return 2.0f * std::acos(std::min(1.0f, std::abs(glm::dot(before, now))));
}

// Pixels of two pictures further apart than 8 levels in some channel.
int PixelsApart(const QImage& a, const QImage& b) {
  int apart = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      apart +=
          std::abs(qRed(p) - qRed(q)) > 8 || std::abs(qGreen(p) - qGreen(q)) > 8 || std::abs(qBlue(p) - qBlue(q)) > 8;
    }
  return apart;
}

TEST_F(PlotWindowTest, LeftDragTurnsThePlotAndRightClickOpensTheMenu) {
  const QImage before = Frame();
  const glm::quat turned = State().camera.orientation;
  Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {200, 200});
  Send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {250, 200});
  Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {250, 200});
  EXPECT_NEAR(TurnedSince(turned, State().camera.orientation), 0.7071f, 1e-3f);
  EXPECT_NE(form_->GrabClientArea(), before) << "a new, turned frame";

  QTest::mouseClick(Surface(), Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
  QMenu* menu = form_->PopupMenu();
  EXPECT_TRUE(menu->isVisible());
  const QStringList expected = {"Close menu",
                                "Open scatter file...",
                                "Reset orientation",
                                "Connecting lines",
                                "Drop lines",
                                "Floor shadows",
                                "Frosted glass plate",
                                "Auto-rotate",
                                "Add performance for comparison...",
                                "Remove compared performances",
                                "Analysis settings...",
                                "Record from MIDI input...",
                                "Logarithmic axes",
                                "Identity line",
                                "Colour by time",
                                "Event range...",
                                "Tempo per beat...",
                                "Tempo in beats per minute",
                                "Scale from performances...",
                                "Scale of the performances shown",
                                "Light look for print",
                                "Statistics..."};
  QStringList captions;
  for (QAction* a : menu->actions()) captions << a->text();
  EXPECT_EQ(captions, expected);
  EXPECT_TRUE(form_->MenuItem("menuLoad")->isVisible());
  menu->hide();
  EXPECT_NEAR(TurnedSince(turned, State().camera.orientation), 0.7071f, 1e-3f) << "a right click turns nothing";
}

TEST_F(PlotWindowTest, TheTurnedPlotLooksTheSameAfterTimingVelocityTimingAndASeek) {
  // Turned about two axes, then shown in Velocity and back in Timing.
  Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {200, 200});
  Send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {260, 240});
  Send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {240, 170});
  Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {240, 170});
  const glm::quat turned = State().camera.orientation;
  const QImage before = Frame();
  auto* panel = form_->ControlPanel();
  panel->findChild<QRadioButton*>("velocityOption")->click();
  EXPECT_LT(TurnedSince(turned, State().camera.orientation), 1e-5f);
  EXPECT_GT(PixelsApart(before, Frame()), 1000) << "the velocities show";
  panel->findChild<QRadioButton*>("timingOption")->click();
  EXPECT_LT(TurnedSince(turned, State().camera.orientation), 1e-5f);
  const QImage after = Frame();
  EXPECT_LE(PixelsApart(before, after), after.width() * after.height() / 1000);

  // A seek shows the tail in the same orientation.
  panel->Replay().SeekTo(39);
  EXPECT_LT(TurnedSince(turned, State().camera.orientation), 1e-5f);
}

TEST_F(PlotWindowTest, DropLinesShowAfterTheToggleAndHoverLabelsPoints) {
  const int redBefore = CountRed(Frame());
  form_->MenuItem("menuLines")->trigger();
  EXPECT_TRUE(form_->MenuItem("menuLines")->isChecked());
  EXPECT_GT(CountRed(Frame()), redBefore + 20);

  // Hovering a sphere shows its label; hovering nothing hides it.
  const std::optional<std::size_t> lone = LonePoint();
  ASSERT_TRUE(lone.has_value()) << "every point is crowded by another";
  const QPointF at = PointOnScreen(*lone);
  Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, at);
  ASSERT_TRUE(State().showHoverText);
  const std::optional<std::int32_t> index = State().pointEvents.at(*lone);
  ASSERT_TRUE(index.has_value());
  const std::string event = "event " + std::to_string(*index + 1) + " at ";  // numbered from 1 for the user
  ASSERT_GE(State().hoverText.size(), 2u);
  EXPECT_EQ(State().hoverText[0], "performance.txt");
  EXPECT_EQ(State().hoverText[1].rfind(event, 0), 0u) << State().hoverText[1];
  EXPECT_EQ(State().hoverRect.left, std::max(1, static_cast<int>(std::lround(at.x() - 20))));
  Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {3, 440});
  EXPECT_FALSE(State().showHoverText);
}

TEST_F(PlotWindowTest, AfterItsContextIsGoneThePlotGoesOnWithTheRendererMadeAgain) {
  const int redBefore = CountRed(Frame());
  const std::size_t messages = dialogs_.messages.size();  // the software renderer's note at start
  // A move to another window takes the widget's context away.
  QOpenGLWidget* plot = form_->PlotWidget();
  QSignalSpy gone(plot->context(), &QOpenGLContext::aboutToBeDestroyed);
  QWidget elsewhere;
  plot->setParent(&elsewhere);
  elsewhere.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&elsewhere));
  plot->setParent(form_.get());
  form_->layout()->addWidget(plot);
  plot->show();
  EXPECT_EQ(gone.size(), 1) << "the context stayed";
  form_->MenuItem("menuLines")->trigger();  // a change the new frame must show
  EXPECT_GT(CountRed(Frame()), redBefore + 20) << "the plot froze";
  EXPECT_TRUE(State().rendererReady);
  EXPECT_EQ(dialogs_.messages.size(), messages) << dialogs_.messages.back().text;
}

TEST_F(PlotWindowTest, TheMenuAddsAndRemovesAComparedPerformance) {
  dialogs_.fileAnswers = {std::string(RP_TEST_DATA_DIR "/crlf.txt")};
  form_->MenuItem("menuAddCompared")->trigger();
  Settle();
  ASSERT_EQ(compared_.size(), 1u);
  ASSERT_EQ(State().compared.size(), 1u);
  EXPECT_EQ(State().compared[0].name, "crlf.txt");

  form_->MenuItem("menuRemoveCompared")->trigger();
  EXPECT_TRUE(compared_.empty());
  EXPECT_TRUE(State().compared.empty());
}

// The control panel's side of the window, for seeking, playing and the
// analysis settings.
class PlotWindowNavigationTest : public PlotWindowTest {
 protected:
  ControlPanel& Panel() { return *form_->ControlPanel(); }
  template <class W>
  W* PanelChild(const char* name) {
    return Panel().findChild<W*>(QLatin1String(name));
  }
  void DoubleClick(QPointF at) {
    Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, at);
    Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, at);
    Send(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, at);
    Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, at);
  }
  bool Replaying() { return Panel().ShownSession().IsReplaying(); }
};

TEST_F(PlotWindowNavigationTest, DoubleClickOnAnEventSphereSeeksThereAsTheTimeSliderDoes) {
  // The full view: the point at position p is event p + 1.
  const std::optional<std::size_t> p = LonePoint(kAnyEvent);
  ASSERT_TRUE(p.has_value());
  DoubleClick(PointOnScreen(*p));
  const auto event = static_cast<std::int32_t>(*p);
  EXPECT_EQ(position_.currentEvent, event);
  EXPECT_EQ(PanelChild<QSlider>("timeSlider")->value(), event);
  EXPECT_EQ(PanelChild<QLabel>("timeLabel")->text().toStdString(), FormatTimeDisplay(performance_.events[*p].onsetMs));
  ASSERT_EQ(State().points.Count(), position_.tailLength + 1u) << "the tail of the event";
  EXPECT_EQ(EventOfPoint(State(), State().points.Count() - 1), event);

  // The tail view during a replay: the sphere's event is current - tail + position.
  Panel().ShownSession().TogglePlay();
  ASSERT_TRUE(Replaying());
  ASSERT_TRUE(QTest::qWaitFor([&] { return State().points.Count() == 11; })) << "the replay shows a tail of 10";
  Frame();
  const std::optional<std::size_t> q = LonePoint(event);
  ASSERT_TRUE(q.has_value()) << "no lone event in the tail";
  const std::int32_t expected = *position_.currentEvent - position_.tailLength + static_cast<std::int32_t>(*q);
  DoubleClick(PointOnScreen(*q));
  EXPECT_FALSE(Replaying()) << "the replay stops";
  EXPECT_TRUE(PanelChild<QPushButton>("playButton")->isEnabled());
  EXPECT_EQ(position_.currentEvent, expected);
  EXPECT_EQ(PanelChild<QSlider>("timeSlider")->value(), expected);

  // A scatter file's spheres are no events.
  dialogs_.fileAnswers = {std::string(RP_TEST_DATA_DIR "/scatter_cube.csv")};
  form_->MenuItem("menuLoad")->trigger();
  Frame();
  const std::optional<std::size_t> r = LonePoint();
  ASSERT_TRUE(r.has_value());
  DoubleClick(PointOnScreen(*r));
  EXPECT_EQ(position_.currentEvent, expected);
  EXPECT_EQ(State().pointEvents.size(), 0u);
}

// Where a click at `fraction` of the slider's groove lands.
QPoint OnGroove(QSlider* slider, double fraction) {
  const QRect groove = test::SliderPart(slider, QStyle::SC_SliderGroove);
  return {groove.left() + static_cast<int>(fraction * groove.width()), groove.center().y()};
}

TEST_F(PlotWindowNavigationTest, EveryUserMoveOfTheTimeSliderSeeksAndPlayStartsThere) {
  auto* slider = PanelChild<QSlider>("timeSlider");
  auto shown = [&](std::optional<std::int32_t> event) {
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(slider->value(), *event);
    EXPECT_EQ(PanelChild<QLabel>("timeLabel")->text().toStdString(),
              FormatTimeDisplay(performance_.events[static_cast<std::size_t>(*event)].onsetMs));
    EXPECT_EQ(EventOfPoint(State(), State().points.Count() - 1), *event) << "the plot shows the event's tail";
  };
  const std::int32_t count = performance_.EventCount();
  QTest::mouseClick(slider, Qt::LeftButton, {}, OnGroove(slider, 0.4));
  EXPECT_NEAR(position_.currentEvent.value_or(-100), 0.4 * (count - 1), 1.0) << "the clicked place, not a page step";
  shown(position_.currentEvent);

  const std::int32_t clicked = position_.currentEvent.value_or(-100);
  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_Right);
  EXPECT_EQ(position_.currentEvent, clicked + slider->singleStep());
  shown(position_.currentEvent);
  QTest::keyClick(slider, Qt::Key_Home);
  QWheelEvent wheel({10, 5}, slider->mapToGlobal(QPointF(10, 5)), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(slider, &wheel);
  EXPECT_GT(position_.currentEvent, 0);
  shown(position_.currentEvent);

  const std::int32_t from = position_.currentEvent.value_or(0);
  Panel().ShownSession().TogglePlay();
  ASSERT_TRUE(Replaying());
  EXPECT_EQ(position_.playFrom, performance_.events[static_cast<std::size_t>(from)].firstNote);
}

// "Event N of M" names the current event and the shown performance's count
// whatever moved it, and whatever kind of file is shown.
TEST_F(PlotWindowNavigationTest, TheEventLabelNamesTheCurrentEventOfTheShownPerformance) {
  const auto label = [this] {
    return PanelChild<QLabel>("eventLabel")->text().toStdString() + " of " +
           PanelChild<QLabel>("eventCountLabel")->text().toStdString();
  };
  const auto of = [](std::int32_t n, std::int32_t m) { return std::to_string(n) + " of " + std::to_string(m); };
  const std::int32_t count = performance_.EventCount();
  EXPECT_EQ(label(), of(1, count)) << "after the load";
  const std::optional<std::size_t> p = LonePoint(kAnyEvent);
  ASSERT_TRUE(p.has_value());
  DoubleClick(PointOnScreen(*p));
  EXPECT_EQ(label(), of(static_cast<std::int32_t>(*p) + 1, count)) << "a double-click on a point";

  auto* slider = PanelChild<QSlider>("timeSlider");
  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_End);
  EXPECT_EQ(label(), of(count, count));
  QTest::keyClick(slider, Qt::Key_Home);
  EXPECT_EQ(label(), of(1, count));
  QTest::keyClick(slider, Qt::Key_Right);
  EXPECT_EQ(label(), of(1 + slider->singleStep(), count));

  // During a replay the label follows what is heard, and keeps it after.
  session_.SeekTo(0);
  session_.Play();
  ASSERT_TRUE(Replaying());
  EXPECT_EQ(label(), of(1, count)) << "preparing the replay counts no notes into the label";
  const double ms = performance_.events[5].onsetMs - performance_.events[0].onsetMs;
  clock_->Advance(std::chrono::microseconds(std::llround(ms * 1000.0)) + std::chrono::milliseconds(1));
  ASSERT_TRUE(QTest::qWaitFor([&] { return position_.currentEvent == 5; }));
  EXPECT_EQ(label(), of(6, count));
  session_.Stop();
  EXPECT_EQ(label(), of(6, count));

  // A recording and a match file: their own events, from event 1.
  std::vector<std::string> others = {RP_TEST_DATA_DIR "/tone.wav"};
  const std::string match = RP_SHARED_DATA_DIR "/vienna4x22/match/Chopin_op10_no3_p01.match";
  if (std::filesystem::exists(match)) others.push_back(match);
  for (const std::string& file : others) {
    session_.Open(file);
    Settle();
    ASSERT_TRUE(session_.HasPerformance()) << file;
    EXPECT_EQ(label(), of(1, performance_.EventCount())) << file;
  }
}

TEST_F(PlotWindowNavigationTest, DisplaySwitchesAndTheirMarksStayAsSetThroughAReplay) {
  form_->MenuItem("menuLines")->trigger();
  Panel().ShownSession().TogglePlay();  // from the first event
  ASSERT_TRUE(Replaying());
  const double ms = performance_.events[3].onsetMs - performance_.events[0].onsetMs;
  clock_->Advance(std::chrono::microseconds(std::llround(ms * 1000.0)) + std::chrono::milliseconds(1));
  ASSERT_TRUE(QTest::qWaitFor([&] { return position_.currentEvent >= 3; })) << "three events on";
  EXPECT_TRUE(Replaying()) << "moving the slider along with the replay is no seek";
  EXPECT_EQ(PanelChild<QSlider>("timeSlider")->value(), position_.currentEvent);
  EXPECT_TRUE(State().showDropLines);
  EXPECT_TRUE(form_->MenuItem("menuLines")->isChecked());
  const int red = CountRed(Frame());
  form_->MenuItem("menuLines")->trigger();
  EXPECT_GT(red, CountRed(Frame()) + 20) << "the drop lines were drawn";
}

TEST_F(PlotWindowNavigationTest, SpaceBarPlaysAndStopsFromEitherWindowWithoutPressingFocusedControls) {
  form_->activateWindow();
  if (!QTest::qWaitForWindowActive(form_.get())) GTEST_SKIP() << "this display activates no window";
  QTest::keyClick(Surface(), Qt::Key_Space);
  EXPECT_TRUE(Replaying());
  QTest::keyClick(Surface(), Qt::Key_Space);
  EXPECT_FALSE(Replaying());

  // In the control panel, the focused button, option and slider stay as they are.
  Panel().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Panel()));
  auto* velocity = PanelChild<QRadioButton>("velocityOption");
  auto* speed = PanelChild<QSlider>("speedSlider");
  for (QWidget* focused : std::initializer_list<QWidget*>{PanelChild<QPushButton>("openButton"), velocity, speed}) {
    focused->setFocus();
    QTest::keyClick(focused, Qt::Key_Space);
    EXPECT_TRUE(Replaying()) << focused->objectName().toStdString();
    QTest::keyClick(focused, Qt::Key_Space);
    EXPECT_FALSE(Replaying()) << focused->objectName().toStdString();
  }
  EXPECT_TRUE(dialogs_.requests.empty()) << "\"Open MIDI-ASCII\" was pressed";
  EXPECT_FALSE(velocity->isChecked());
  EXPECT_EQ(speed->value(), 0);
}

TEST_F(PlotWindowNavigationTest, AnalysisSettingsReanalyseKeepTheEventAndAreStored) {
  dialogs_.fileAnswers = {std::string(RP_TEST_DATA_DIR "/crlf.txt")};
  form_->MenuItem("menuAddCompared")->trigger();
  Settle();
  ASSERT_EQ(compared_.size(), 1u);
  form_->ControlPanel()->Replay().SeekTo(29);
  const double onset = performance_.events[29].onsetMs;
  const std::int32_t events = performance_.EventCount();
  QAction* item = form_->MenuItem("menuAnalysisSettings");
  ASSERT_NE(item, nullptr);
  const auto items = form_->PopupMenu()->actions();
  EXPECT_EQ(items.indexOf(item), items.indexOf(form_->MenuItem("menuRemoveCompared")) + 1);
  EXPECT_EQ(item->text(), "Analysis settings...");

  std::optional<AnalysisSettings> shown;
  form_->SetAnalysisSettingsQuestion([&](const AnalysisSettings& current) {
    shown = current;
    return std::optional<AnalysisSettings>(AnalysisSettings{1000, 3, {}});
  });
  item->trigger();
  EXPECT_EQ(shown, AnalysisSettings{});
  EXPECT_EQ(performance_.settings, (AnalysisSettings{1000, 3, {}, {}}));
  EXPECT_EQ(StoredAnalysisSettings(), (AnalysisSettings{1000, 3, {}, {}}));
  EXPECT_EQ(compared_[0].settings, (AnalysisSettings{1000, 3, {}, {}})) << "compared performances alike";
  EXPECT_EQ(compared_[0].EventCount(), 3);
  EXPECT_LT(performance_.EventCount(), events) << "a 1 s window folds events together";
  // The event that took event 30's onset in is current now.
  ASSERT_TRUE(position_.currentEvent.has_value());
  const auto current = static_cast<std::size_t>(*position_.currentEvent);
  EXPECT_LE(performance_.events[current].onsetMs, onset);
  EXPECT_GT(performance_.events[current + 1].onsetMs, onset);
  EXPECT_EQ(PanelChild<QSlider>("timeSlider")->maximum(), performance_.EventCount() - 1);
  EXPECT_EQ(State().captionNote, "d = 3, cluster 1000 ms");
  EXPECT_EQ(EventOfPoint(State(), State().points.Count() - 1), position_.currentEvent) << "still the tail view";

  // Cancelled: nothing changes.
  form_->SetAnalysisSettingsQuestion([](const AnalysisSettings&) { return std::optional<AnalysisSettings>(); });
  item->trigger();
  EXPECT_EQ(performance_.settings, (AnalysisSettings{1000, 3, {}}));
  StoreAnalysisSettings({});
}

}  // namespace
}  // namespace rp
