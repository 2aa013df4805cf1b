// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "frontend/Dialogs.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "plot/PlotScaling.h"
#include "plot/PlotView.h"
#include "plot/ResetView.h"
#include "plot/ViewMouse.h"
#include "plot/ViewWindow.h"
#include "scene/SceneMath.h"
#include "support/ScriptedDialogs.h"
#include "support/TestPerformance.h"

namespace rp {
namespace {

double gNow = 100.0;
double FakeClock() { return gNow; }

// A window whose renderer can fail, and which logs what the view asks of it.
class FakeWindow final : public ViewWindow {
 public:
  FontDesc LabelFontSource() override { return {"DejaVu Sans", 12, 400}; }
  FontDesc TitleFontSource() override { return {"DejaVu Sans Condensed", 16.5f, 700}; }
  std::int32_t ClientWidth() override { return width; }
  std::int32_t ClientHeight() override { return height; }
  bool IsMinimized() override { return minimized; }
  void SetClientWidth(std::int32_t p) override { log.push_back("width " + std::to_string(width = p)); }
  void SetClientHeight(std::int32_t p) override { log.push_back("height " + std::to_string(height = p)); }
  void SetBorderFixed(bool fixed) override { borderFixed = fixed; }
  RendererStart StartRenderer() override {
    log.push_back("renderer");
    return renderer;
  }
  void RequestFrame() override { ++frames; }
  void PlotCannotBeDrawn(PlotFailure failure) override {
    log.push_back(failure == PlotFailure::NoRenderer ? "no renderer" : "context lost");
  }
  void ShowControlPanel() override {
    log.push_back("control panel");
    if (controlPanelLoad) controlPanelLoad();
  }
  void PlaceAndShow() override { log.push_back("show"); }

  std::vector<std::string> log;
  std::int32_t width = 606, height = 443;
  bool minimized = false, borderFixed = false;
  int frames = 0;
  RendererStart renderer{true, false, ""};
  std::function<void()> controlPanelLoad;
};

// The plot window with a control panel whose load reads a performance of
// 20 events, as at start-up; time stands still until a test moves it.
struct Window {
  FakeWindow window;
  ScriptedDialogs dialogs;
  int stopPlays = 0;  // the replay stops the view asked for
  Performance performance;
  ReplayPosition position;
  ComparedPerformances compared;
  PlotView view{window, dialogs, performance, position, compared};

  Window() {
    view.State().stopReplay = [this] { ++stopPlays; };
    view.State().camera.clock = FrameClock(&FakeClock);
    window.controlPanelLoad = [this] {
      performance = testing::MakePerformance(20);
      view.ShowFirstEvents();
    };
  }
  ViewState& S() { return view.State(); }
};

TEST(PlotView, StartUpBringsUpThePanelFirstThenStartsTheRendererAndAsksForAFrame) {
  Window w;
  std::size_t pointsBeforeRenderer = 0;
  w.window.controlPanelLoad = [&] {
    w.performance = testing::MakePerformance(20);
    w.view.ShowFirstEvents();  // the first file, before the view has a renderer
    pointsBeforeRenderer = w.S().points.Count();
  };
  w.view.Start();
  EXPECT_EQ(pointsBeforeRenderer, 20u);
  EXPECT_EQ(w.window.log, (std::vector<std::string>{"control panel", "show", "renderer"}));
  EXPECT_EQ(w.window.frames, 1) << "none before the renderer, one after";
  ASSERT_TRUE(w.S().rendererReady);
  EXPECT_TRUE(w.S().autoRotate);
  EXPECT_TRUE(w.view.Animating());
  EXPECT_TRUE(w.dialogs.messages.empty());
  EXPECT_FALSE(w.S().mediaFolder.empty());
  EXPECT_EQ(w.S().mediaFolder.back(), '/');

  const SceneDescription frame = w.view.NextFrame();
  ASSERT_EQ(frame.spheres.size(), 20u) << "the panel's points";
  EXPECT_FLOAT_EQ(frame.spheres[19].centre.y, 2 * kAxisExtent)
      << "the largest value (event n+2d) on the top face, in the scale made";
  EXPECT_EQ(frame.axisNames.lines[0], "event n") << "the plate and the hover label agree";
  EXPECT_EQ(frame.labelFont.faceName, "DejaVu Sans");
  EXPECT_EQ(frame.titleFont.faceName, "DejaVu Sans Condensed");
  EXPECT_EQ(frame.camera.view, InverseOrZero(AffineTransformation(1.25f, {0, 0, 0}, {1, 0, 0, 0}, {0, 4, -20})));
  EXPECT_EQ(frame.camera.viewport.width, 606u);
  EXPECT_EQ(frame.orientation, glm::mat4(1.0f));
}

TEST(PlotView, TheRenderersTroublesAreToldOnceAndLeftToTheWindowsOwner) {
  Window soft;
  soft.window.renderer.software = true;
  soft.view.Start();
  ASSERT_EQ(soft.dialogs.messages.size(), 1u);
  EXPECT_EQ(soft.dialogs.messages[0].text, kNoHardwareMessage);
  EXPECT_EQ(soft.dialogs.messages[0].kind, MessageKind::Information);

  Window none;
  none.window.renderer = {false, false, "the context offers OpenGL 2.1, not 3.3 core"};
  none.view.Start();
  EXPECT_FALSE(none.S().rendererReady);
  EXPECT_EQ(none.window.log.back(), "no renderer");
  ASSERT_EQ(none.dialogs.messages.size(), 1u);
  EXPECT_EQ(none.dialogs.messages[0].text,
            "No OpenGL 3.3 device could be created for the plot: the context offers OpenGL 2.1, not 3.3 core");
  EXPECT_EQ(none.dialogs.messages[0].kind, MessageKind::Error);
  none.view.Resized();
  EXPECT_EQ(none.window.frames, 0);
  EXPECT_EQ(none.stopPlays, 1) << "a resize stops the replay even without a renderer";

  // A lost context that cannot be made again: one message, the plot stands
  // still, the panel's updates go on.
  Window lost;
  lost.view.Start();
  lost.view.RendererLost();
  lost.view.RendererLost();
  ASSERT_EQ(lost.dialogs.messages.size(), 1u);
  EXPECT_EQ(lost.dialogs.messages[0].text, "The plot's OpenGL context was lost and could not be restored.");
  EXPECT_EQ(std::count(lost.window.log.begin(), lost.window.log.end(), "context lost"), 1);
  EXPECT_FALSE(lost.view.Animating());
  const int frames = lost.window.frames;
  lost.position.currentEvent = 4;
  lost.view.ShowTail();
  EXPECT_EQ(lost.window.frames, frames);
}

TEST(PlotView, AnimationMovesOnByRealTimeOnlyWhileItRuns) {
  Window w;
  w.view.Start();
  const float perSecond = std::numbers::pi_v<float> / 40 * 1.3f;
  auto angle = [&] { return 2.0f * std::acos(std::min(1.0f, std::abs(w.S().camera.orientation.w))); };
  gNow += 5.0;
  w.view.NextFrame();
  EXPECT_EQ(angle(), 0.0f) << "the time before the first animated frame does not count";
  gNow += 0.2;
  w.view.NextFrame();
  EXPECT_NEAR(angle(), 0.2f * perSecond, 1e-5f);

  // Off: frames stop coming and the plot stays; on again, it goes on from
  // where it stood, not by the time it stood still.
  w.S().autoRotate = false;
  EXPECT_FALSE(w.view.Animating());
  gNow += 0.5;
  w.view.NextFrame();
  gNow += 60.0;
  w.S().autoRotate = true;
  w.view.NextFrame();
  EXPECT_NEAR(angle(), 0.2f * perSecond, 1e-5f);
  gNow += 0.1;
  w.view.NextFrame();
  EXPECT_NEAR(angle(), 0.3f * perSecond, 1e-5f);
  // A long stall moves the animation on by a quarter second at most.
  gNow += 30.0;
  w.view.NextFrame();
  EXPECT_NEAR(angle(), 0.55f * perSecond, 1e-5f);

  w.window.minimized = true;
  w.view.Resized();
  EXPECT_FALSE(w.view.Animating()) << "nothing to show while minimised";
}

TEST(PlotView, TheOrientationIsKeptThroughSwitchesSeeksAndRebuildsAndResetLasts) {
  Window w;
  w.view.Start();
  w.S().autoRotate = false;
  // Turned about two different axes by dragging.
  MouseDown(w.S(), kLeftButton, 300, 200);
  MouseMove(w.S(), kLeftButton, 340, 230);
  MouseMove(w.S(), kLeftButton, 330, 180);
  MouseUp(w.S());
  const glm::mat4 turned = w.view.NextFrame().orientation;
  ASSERT_GT(std::abs(turned[0][1]) + std::abs(turned[1][2]), 0.1f) << "turned about more than one axis";
  auto expectKept = [&](const char* after) {
    const glm::mat4 now = w.view.NextFrame().orientation;
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) EXPECT_NEAR(now[r][c], turned[r][c], 1e-5f) << after;
  };
  w.view.State().valueKind = ValueKind::Velocity;
  w.view.ShowFirstEvents();
  expectKept("Timing to Velocity");
  w.view.State().valueKind = ValueKind::Timing;
  w.view.ShowFirstEvents();
  expectKept("Velocity to Timing");
  w.position.currentEvent = 11;
  w.position.tailLength = 10;
  w.view.ShowTail();
  expectKept("a seek");
  w.view.Rebuild();
  expectKept("new analysis settings");

  ResetView(w.S());
  w.position.currentEvent = 12;
  w.view.ShowTail();
  EXPECT_EQ(w.view.NextFrame().orientation, glm::mat4(1.0f)) << "the next replayed event keeps the reset";
}

TEST(PlotView, OtherValuesKeepTheTailAndANewTailLengthShowsAtOnce) {
  Window w;
  w.view.Start();
  w.position.currentEvent = 11;
  w.position.tailLength = 5;
  w.view.ShowTail();
  const auto spheres = [&w] { return w.view.NextFrame().spheres.size(); };
  const std::size_t five = spheres();
  w.view.State().valueKind = ValueKind::Velocity;
  w.view.ShowValuesAgain();
  EXPECT_EQ(spheres(), five) << "Velocity keeps the tail of event 12";
  w.position.tailLength = 8;
  w.view.TailLengthChanged();
  EXPECT_GT(spheres(), five) << "a longer tail at once";
  w.view.ShowFirstEvents();
  const std::size_t all = spheres();
  w.position.tailLength = 3;
  w.view.TailLengthChanged();
  EXPECT_EQ(spheres(), all) << "the first events' view stays as it is";
}

TEST(PlotView, ResizeMinimiseAndTooSmallAWindow) {
  Window w;
  w.view.Start();
  w.window.log.clear();
  w.window.minimized = true;
  w.view.Resized();
  EXPECT_TRUE(w.S().minimized);
  EXPECT_TRUE(w.window.log.empty());

  // Restored to a client 5 pixels wide: corrected to 10, the plot waits.
  w.window.minimized = false;
  w.window.width = 5;
  const int frames = w.window.frames;
  w.view.Resized();
  EXPECT_FALSE(w.S().minimized);
  EXPECT_EQ(w.window.log, (std::vector<std::string>{"width 10"}));
  EXPECT_EQ(w.window.frames, frames);
  w.window.height = 3;
  w.view.Resized();
  EXPECT_EQ(w.window.log.back(), "height 10");

  // The resize the correction raises: the camera follows the new client.
  w.view.Resized();
  EXPECT_EQ(w.window.frames, frames + 1);
  const SceneDescription frame = w.view.NextFrame();
  EXPECT_EQ(frame.camera.viewport.width, 10u);
  EXPECT_EQ(frame.camera.projection[0][0], PerspectiveFovLH(std::numbers::pi_v<float> / 4, 1.0f, 1, 3000)[0][0]);
  EXPECT_EQ(w.stopPlays, 2) << "a resize stops the replay; minimising and restoring do not";

  w.view.SetBorderFixed(true);
  EXPECT_TRUE(w.window.borderFixed);
}

TEST(PlotView, TailUpdateKeepsTheScaleAndMarksTheCurrentEvent) {
  Window w;
  w.view.Start();
  ViewState& s = w.S();
  const double minX = s.minX, maxY = s.maxY;
  w.position.currentEvent = 4;
  w.position.tailLength = 10;
  const int frames = w.window.frames;
  w.view.ShowTail();
  EXPECT_EQ(w.window.frames, frames + 1);
  EXPECT_EQ(s.minX, minX);
  EXPECT_EQ(s.maxY, maxY);
  const SceneDescription frame = w.view.NextFrame();
  ASSERT_EQ(frame.spheres.size(), 11u);
  const SphereInstance& current = frame.spheres[10];
  EXPECT_EQ(current.point, (PointRef{0, 10}));
  EXPECT_FLOAT_EQ(current.radius, 0.2f);
  EXPECT_FLOAT_EQ(current.colour.g, 176 / 255.f);
  EXPECT_EQ(frame.spheres[0].radius, 0.0f) << "placeholder";
  EXPECT_EQ(frame.quads.size(), 4u + 6u) << "the glass shows";

  // A scatter file from the hidden menu entry: the plot shows it.
  w.view.LoadScatterFile(RP_TEST_DATA_DIR "/scatter_cube.csv");
  EXPECT_EQ(w.window.frames, frames + 2);
  EXPECT_EQ(w.view.NextFrame().spheres.size(), 3u);
}

}  // namespace
}  // namespace rp
