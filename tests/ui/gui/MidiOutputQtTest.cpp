// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <string>
#include <vector>

#include "devices/RtMidiBackend.h"
#include "replay/MidiOutputPort.h"
#include "support/RecordingMidiBackend.h"
#include "support/WaitFor.h"
#include "support/qt/QtWaitFor.h"
#include "ui/QtUiPost.h"

namespace rp {
namespace {

// Whatever MIDI system this machine has, the real backend starts and either
// opens its first port or says plainly that there is no output.
TEST(RtMidiBackend, FirstPortOpensOrReportsThatNoOutputIsAvailable) {
  RtMidiBackend backend;
  SteadyReplayClock clock;
  std::vector<std::pair<MidiError, std::string>> errors;
  {
    MidiOutputPort port(backend, clock, QtUiPoster(QCoreApplication::instance()));
    port.SetNotifications({[&](MidiError code, const std::string& text) { errors.emplace_back(code, text); }, {}, {}});
    EXPECT_EQ(port.DeviceName().empty(), port.DeviceCount() == 0);
    port.Open();  // the first port, chosen from the start
    QCoreApplication::processEvents();
    if (port.DeviceCount() == 0) {
      EXPECT_EQ(backend.ApiName(), "");
      EXPECT_EQ(port.State(), PortState::Closed);
      ASSERT_EQ(errors.size(), 1u);
      EXPECT_EQ(errors[0].first, MidiError::NoOutput);
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
  SteadyReplayClock clock;
  RecordingMidiBackend backend(clock);
  std::vector<std::string> seen;
  bool onUiThread = true;
  MidiOutputPort port(backend, clock, QtUiPoster(QCoreApplication::instance()));
  auto note = [&](std::string what) {
    onUiThread = onUiThread && QThread::currentThread() == QCoreApplication::instance()->thread();
    seen.push_back(std::move(what));
  };
  port.SetNotifications({[&](MidiError, const std::string&) { note("error"); },
                         [&](int tag) { note("sent " + std::to_string(tag)); }, [&] { note("ended"); }});
  port.Open();
  for (int i = 1; i <= 3; ++i) {
    port.Append({i, 2.0 * i, 144, 0, 0});
  }
  port.Start();
  test::QtWaitFor([&] { return seen.size() >= 4; }, std::chrono::seconds(5));
  EXPECT_EQ(seen, (std::vector<std::string>{"sent 1", "sent 2", "sent 3", "ended"}));
  EXPECT_TRUE(onUiThread);

  // A long message is still pending when the replay is stopped.
  seen.clear();
  port.Reset();
  port.Append({3, 0, 144, 0, 0});
  port.Append({3, 10000, 144, 0, 0});
  port.Start();
  test::WaitFor([&] { return backend.SentMessages().size() >= 4; }, std::chrono::seconds(5),
                std::chrono::milliseconds(1));
  ASSERT_EQ(backend.SentMessages().size(), 4u);
  port.Stop();
  QCoreApplication::processEvents();
  EXPECT_TRUE(seen.empty());
}

}  // namespace
}  // namespace rp
