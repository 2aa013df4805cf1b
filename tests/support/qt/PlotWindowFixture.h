#pragma once
// The real plot window on the bundled performance, for the GUI tests of its
// interaction (also under a scaled desktop).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include <QImage>
#include <QLineF>
#include <QMouseEvent>

#include "support/InteractionScene.h"
#include "support/qt/GuiApp.h"
#include "model/ComparedPerformances.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "ui/ControlPanel.h"
#include "base/Dialogs.h"
#include "render/GlView.h"
#include "support/ManualReplayClock.h"
#include "support/RecordingMidiBackend.h"
#include "support/ScriptedDialogs.h"
#include "plot/EventPick.h"
#include "ui/PlotWindow.h"

namespace rp::testing {

// The real plot window on the bundled performance, drawn by OpenGL under
// Xvfb. Frames are drawn by hand (no timer, no auto-rotation) so that each
// check sees exactly the frames it asks for.
class PlotWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<PlotWindow>(dialogs, StartOptions{RP_BUILD_DATA_DIR "/performance.txt", false, {}},
                                        performance, position, compared);
    // A replay on a clock that stands still: it runs until stopped, and
    // never reaches a real output.
    form->setMidiOutput([] {
      MidiOutputSetup midi;
      midi.clock = std::make_unique<ManualReplayClock>();
      midi.backend = std::make_unique<RecordingMidiBackend>(*midi.clock);
      return midi;
    });
    form->view().deviceSetup().endProgram = [this](int status) { ended.push_back(status); };
    form->start();
    ASSERT_TRUE(form->view().state().DeviceReady) << "no device under this display";
    form->SetTimerEnabled(false);
    form->view().state().AutoRotate = false;
    Frame();
  }
  void TearDown() override {
    if (form && form->controlPanel()) form->controlPanel()->close();
    form.reset();
    EXPECT_TRUE(ended.empty());
  }
  ViewState& State() { return form->view().state(); }
  QWidget* Surface() { return form->deviceWidget(); }
  QImage Frame() {
    form->view().onFrameTimer();
    return form->grabClientArea();
  }
  void Send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPointF at) {
    QMouseEvent e(type, at, Surface()->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(Surface(), &e);
  }
  // Where point `position` shows in the window now.
  QPointF PointOnScreen(std::size_t position) {
    const DataEntry& p = State().Points.Item(position);
    State().RootNode->UpdateWorldMatrices();
    const glm::vec3 v = ScreenOf(*form->view().device(), {p.x, p.y, p.z},
                                          State().RootNode->GetMatrix());
    return {v.x, v.y};
  }
  // A point well inside the window with no other point drawn near it, so
  // that the pick cannot find a neighbour instead; 0 if there is none.
  // With `ofEventBut`, only a visible event other than that one.
  std::size_t LonePoint(std::optional<std::int32_t> ofEventBut = std::nullopt) {
    const std::size_t n = State().Points.Count();
    std::vector<QPointF> at(n + 1);
    for (std::size_t i = 1; i <= n; ++i) at[i] = PointOnScreen(i);
    for (std::size_t i = n; i >= 1; --i) {
      if (at[i].x() < 40 || at[i].y() < 90 || at[i].x() > 560 || at[i].y() > 400) continue;
      const std::int32_t event = EventOfPoint(State(), i);
      if (ofEventBut && (event == 0 || event == *ofEventBut)) continue;
      bool alone = true;
      for (std::size_t j = 1; j <= n && alone; ++j)
        alone = j == i || QLineF(at[i], at[j]).length() > 25;
      if (alone) return i;
    }
    return 0;
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

  QApplication& app = GuiApp();
  ScriptedDialogs dialogs;
  std::vector<int> ended;
  Performance performance;
  ReplayPosition position;
  ComparedPerformances compared;
  std::unique_ptr<PlotWindow> form;
};

}  // namespace rp::testing
