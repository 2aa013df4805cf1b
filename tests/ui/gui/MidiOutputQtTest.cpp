// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <chrono>
#include <string>
#include <vector>

#include "devices/RtMidiBackend.h"
#include "replay/MidiOutputPort.h"
#include "support/RecordingMidiBackend.h"
#include "ui/QtUiPost.h"

namespace rp {
namespace {

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "test";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

// Whatever MIDI system this machine has, the real backend starts, lists the
// default entry and either opens it or says plainly that there is no output.
TEST(RtMidiBackend, DefaultEntryOpensOrReportsThatNoOutputIsAvailable) {
  App();
  RtMidiBackend backend;
  SteadyReplayClock clock;
  std::vector<std::pair<int, std::string>> errors;
  {
    MidiOutputPort port(backend, clock, QtUiPoster(&App()));
    port.SetNotifications({[&](int code, const std::string& text) { errors.emplace_back(code, text); }, {}, {}});
    port.SetDeviceIndex(-1);
    EXPECT_FALSE(port.DeviceName().empty());
    port.Open();
    QCoreApplication::processEvents();
    if (port.DeviceCount() == 0) {
      EXPECT_EQ(backend.ApiName(), "");
      EXPECT_EQ(port.State(), PortState::Closed);
      ASSERT_EQ(errors.size(), 1u);
      EXPECT_NE(errors[0].first, 0);
      EXPECT_NE(errors[0].first, 8);
      EXPECT_NE(errors[0].second.find("No MIDI output is available"), std::string::npos);
    } else {
      EXPECT_EQ(port.State(), PortState::Open) << (errors.empty() ? "" : errors[0].second);
      port.Close();
    }
  }
}

// Notifications reach the UI thread through the Qt event loop, in order, and
// none arrives after a stop.
TEST(QtUiPoster, DeliversOnTheUiThreadInOrderAndNothingAfterStop) {
  App();
  SteadyReplayClock clock;
  RecordingMidiBackend backend(clock);
  std::vector<std::string> seen;
  bool onUiThread = true;
  MidiOutputPort port(backend, clock, QtUiPoster(&App()));
  auto note = [&](std::string what) {
    onUiThread = onUiThread && QThread::currentThread() == App().thread();
    seen.push_back(std::move(what));
  };
  port.SetNotifications({[&](int, const std::string&) { note("error"); },
                         [&](int tag) { note("sent " + std::to_string(tag)); }, [&] { note("ended"); }});
  port.Open();
  for (int i = 1; i <= 3; ++i) {
    port.Append({i, 2.0 * i, 144, 0, 0});
  }
  port.Start();
  QElapsedTimer timer;
  timer.start();
  while (seen.size() < 4 && timer.elapsed() < 5000) QCoreApplication::processEvents();
  EXPECT_EQ(seen, (std::vector<std::string>{"sent 1", "sent 2", "sent 3", "ended"}));
  EXPECT_TRUE(onUiThread);

  // A long message is still pending when the replay is stopped.
  seen.clear();
  port.Reset();
  port.Append({3, 0, 144, 0, 0});
  port.Append({3, 10000, 144, 0, 0});
  port.Start();
  timer.restart();
  while (backend.SentMessages().size() < 4 && timer.elapsed() < 5000) QThread::msleep(1);
  ASSERT_EQ(backend.SentMessages().size(), 4u);
  port.Stop();
  QCoreApplication::processEvents();
  EXPECT_TRUE(seen.empty());
}

}  // namespace
}  // namespace rp
