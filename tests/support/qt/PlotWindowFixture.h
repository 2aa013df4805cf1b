// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real plot window on the bundled performance, for the GUI tests of its
// interaction (also under a scaled desktop).

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QLineF>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "frontend/Dialogs.h"
#include "model/ComparedPerformances.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "plot/EventPick.h"
#include "render/GlView.h"
#include "session/Session.h"
#include "support/InteractionScene.h"
#include "support/ManualReplayClock.h"
#include "support/RecordingMidiBackend.h"
#include "support/ScriptedDialogs.h"
#include "support/qt/QtWaitFor.h"
#include "ui/ControlPanel.h"
#include "ui/PlotWindow.h"
#include "ui/QtUiPost.h"

namespace rp::testing {

// The real plot window on the bundled performance, drawn by OpenGL under
// Xvfb. Auto-rotation is off, so the plot stands still and each check sees
// exactly the frames it asks for.
class PlotWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ =
        std::make_unique<PlotWindow>(session_, dialogs_, StartOptions{.file = RP_BUILD_DATA_DIR "/performance.txt"});
    // A replay on a clock that stands still: it runs until stopped, and
    // never reaches a real output.
    form_->SetMidiOutput([this] {
      MidiOutputSetup midi;
      auto clock = std::make_unique<ManualReplayClock>();
      clock_ = clock.get();
      midi.clock = std::move(clock);
      midi.backend = std::make_unique<RecordingMidiBackend>(*midi.clock);
      return midi;
    });
    form_->Start();
    ASSERT_TRUE(form_->View().State().rendererReady) << "no renderer under this display";
    Settle();
    form_->View().State().autoRotate = false;
    Frame();
  }
  void TearDown() override {
    if (form_ && form_->ControlPanel()) form_->ControlPanel()->close();
    form_.reset();
  }
  // Waits until the loads running in the background have ended.
  void Settle() {
    ASSERT_TRUE(test::QtWaitFor([this] { return form_->ControlPanel()->State() != ProgramState::Loading; },
                                std::chrono::seconds(20)));
  }
  ViewState& State() { return form_->View().State(); }
  QWidget* Surface() { return form_->PlotWidget(); }
  QImage Frame() { return form_->GrabClientArea(); }
  void Send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPointF at) {
    QMouseEvent e(type, at, Surface()->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(Surface(), &e);
  }
  // Where point `position` shows in the window now.
  QPointF PointOnScreen(std::size_t position) {
    const DataEntry& p = State().points.Item(position);
    const glm::vec3 v = ScreenOf(State(), {p.x, p.y, p.z});
    return {v.x, v.y};
  }
  // The position of a point well inside the window with no other point drawn
  // near it, so that the pick cannot find a neighbour instead; none if there
  // is none. With `ofEventBut`, only a visible event other than that one
  // (an index from 0; kAnyEvent names none, so any event will do).
  static constexpr std::int32_t kAnyEvent = -1;
  std::optional<std::size_t> LonePoint(std::optional<std::int32_t> ofEventBut = std::nullopt) {
    const std::size_t n = State().points.Count();
    std::vector<QPointF> at(n);
    for (std::size_t i = 0; i < n; ++i) at[i] = PointOnScreen(i);
    for (std::size_t i = n; i-- > 0;) {
      if (at[i].x() < 40 || at[i].y() < 90 || at[i].x() > 560 || at[i].y() > 400) continue;
      const std::optional<std::int32_t> event = EventOfPoint(State(), i);
      if (ofEventBut && (!event || event == ofEventBut)) continue;
      bool alone = true;
      for (std::size_t j = 0; j < n && alone; ++j) alone = j == i || QLineF(at[i], at[j]).length() > 25;
      if (alone) return i;
    }
    return std::nullopt;
  }
  static int CountRed(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb c = image.pixel(x, y);
        n += qRed(c) > 100 && qGreen(c) < qRed(c) / 4 && qBlue(c) < qRed(c) / 4 ? 1 : 0;
      }
    return n;
  }

  ScriptedDialogs dialogs_;
  Session session_{dialogs_, QtUiPoster(qApp)};
  Performance& performance_ = session_.Main();
  ReplayPosition& position_ = session_.Position();
  const ComparedPerformances& compared_ = session_.Compared();
  std::unique_ptr<PlotWindow> form_;
  ManualReplayClock* clock_ = nullptr;  // the replay's, owned by the control panel
};

}  // namespace rp::testing
