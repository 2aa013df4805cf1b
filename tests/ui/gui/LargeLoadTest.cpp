// SPDX-License-Identifier: GPL-3.0-or-later
// A million-line file loads while the user goes on using the windows: the
// load is held half-way by the test, what does not fit a load is refused,
// the plot window is resized and drawn, and Cancel keeps the performance that
// was shown.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSlider>
#include <atomic>
#include <fstream>
#include <future>
#include <optional>

#include "io/AsciiMidiWriter.h"
#include "support/TempDir.h"
#include "support/qt/PlotWindowFixture.h"

namespace rp::testing {
namespace {

using namespace std::chrono_literals;

// `lines` note lines: note-ons 40 ms apart, each followed by its note-off.
void WriteListing(const std::string& path, int lines) {
  std::ofstream out(path);
  for (int i = 0; i < lines; ++i) {
    NoteEvent n;
    n.leadValue = i + 1;
    n.timeMs = 40.0 * (i / 2) + (i % 2) * 20.0;
    n.isNoteOn = i % 2 == 0;
    n.noteKey = static_cast<std::uint8_t>(40 + (i / 2) % 40);
    n.noteVelocity = n.isNoteOn ? 64 : 0;
    out << AsciiMidiLine(n) << '\n';
  }
}

TEST_F(PlotWindowTest, AMillionLineLoadLeavesTheWindowsUsableRefusesWhatDoesNotFitAndCancelKeepsThePerformance) {
  test::TempDir dir("rp_large_load_");
  const std::string path = dir.Path() + "/large.txt";
  WriteListing(path, 1'000'000);
  const std::int32_t eventsBefore = performance_.EventCount();
  const std::string sourceBefore = performance_.sourcePath;
  ControlPanel& panel = *form_->ControlPanel();
  dialogs_.messages.clear();  // what the start said of the device

  std::atomic<bool> held{false};
  std::promise<void> release;
  panel.ShownSession().SetLoadProgressHook([&held, released = release.get_future().share()](std::int64_t value) {
    if (value >= 400'000 && !held.exchange(true)) released.wait();
  });
  dialogs_.fileAnswers = {path};
  panel.ShownSession().ChooseAndOpen();
  ASSERT_TRUE(test::QtWaitFor([&] { return held.load(); }, 60s)) << "the load never reached the hold";
  ASSERT_EQ(panel.State(), ProgramState::Loading);

  // Play (button and space bar), another file, a seek and a double-click are refused.
  const std::size_t requests = dialogs_.requests.size();
  panel.findChild<QPushButton*>(QStringLiteral("playButton"))->click();
  panel.ShownSession().TogglePlay();
  panel.ShownSession().ChooseAndOpen();
  auto* slider = panel.findChild<QSlider*>(QStringLiteral("timeSlider"));
  EXPECT_FALSE(slider->isEnabled());
  const std::optional<std::int32_t> current = position_.currentEvent;
  const QPointF point = PointOnScreen(2);
  form_->DoubleClicked(static_cast<float>(point.x()), static_cast<float>(point.y()));
  EXPECT_EQ(panel.State(), ProgramState::Loading);
  EXPECT_FALSE(panel.ShownSession().IsPortOpen());
  EXPECT_EQ(dialogs_.requests.size(), requests);
  EXPECT_EQ(position_.currentEvent, current);

  // The window is resized, and drawn at its new size, while the load waits.
  const QSize before = Surface()->size();
  form_->resize(form_->width() + 60, form_->height() + 40);
  ASSERT_TRUE(test::QtWaitFor([&] { return Surface()->size() != before; }, 5s));
  const QImage frame = Frame();
  EXPECT_EQ(frame.width(), form_->width() * frame.devicePixelRatio());

  // Cancel: the load ends and the performance shown before stays.
  auto* cancel = panel.findChild<QPushButton*>(QStringLiteral("cancelButton"));
  ASSERT_TRUE(cancel->isEnabled());
  cancel->click();
  release.set_value();
  ASSERT_TRUE(test::QtWaitFor([&] { return panel.State() == ProgramState::Idle; }, 30s));
  EXPECT_EQ(performance_.EventCount(), eventsBefore);
  EXPECT_EQ(performance_.sourcePath, sourceBefore);
  EXPECT_TRUE(dialogs_.messages.empty()) << dialogs_.messages.front().text;

  // Play works again.
  panel.findChild<QPushButton*>(QStringLiteral("playButton"))->click();
  EXPECT_TRUE(panel.ShownSession().IsReplaying());
  panel.ShownSession().Stop();
}

}  // namespace
}  // namespace rp::testing
