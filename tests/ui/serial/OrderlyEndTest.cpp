// SPDX-License-Identifier: GPL-3.0-or-later
// The windows against a private JACK server (dummy driver), run by their event
// loop as the program runs them: a replay ended by closing the plot window
// leaves no note hanging on the listening port; a listening port whose program
// is killed mid-replay is reported and the windows go on; a take recorded in
// the windows survives SIGTERM in the recovery file, which the next start
// offers.

#include <RtMidi.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <array>
#include <csignal>
#include <filesystem>
#include <mutex>

#include "analysis/PerformanceLoader.h"
#include "audio/FluidSynthBackend.h"
#include "devices/MachineMidiInput.h"
#include "model/ComparedPerformances.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "session/Session.h"
#include "support/ChildProcess.h"
#include "support/PrivateJackServer.h"
#include "support/ScriptedDialogs.h"
#include "support/WaitFor.h"
#include "support/qt/QtWaitFor.h"
#include "ui/ControlPanel.h"
#include "ui/PlotWindow.h"
#include "ui/QtUiPost.h"
#include "ui/StopSignals.h"

namespace rp::test {
namespace {

using namespace std::chrono_literals;

// A MIDI input port of the test on the server that keeps every message it gets.
class Listener {
 public:
  Listener() : in_(RtMidi::UNIX_JACK, "rp_listener") {
    in_.setCallback(&Listener::OnMessage, this);
    in_.openVirtualPort("in");
  }
  std::vector<std::vector<unsigned char>> Got() {
    std::lock_guard lock(mutex_);
    return got_;
  }

 private:
  static void OnMessage(double /*delta*/, std::vector<unsigned char>* bytes, void* self) {
    auto* l = static_cast<Listener*>(self);
    std::lock_guard lock(l->mutex_);
    l->got_.push_back(*bytes);
  }
  RtMidiIn in_;
  std::mutex mutex_;
  std::vector<std::vector<unsigned char>> got_;
};

bool IsNoteOn(const std::vector<unsigned char>& m) { return m.size() == 3 && (m[0] & 0xF0) == 0x90 && m[2] > 0; }
bool IsNoteOff(const std::vector<unsigned char>& m) {
  return m.size() == 3 && ((m[0] & 0xF0) == 0x80 || ((m[0] & 0xF0) == 0x90 && m[2] == 0));
}

// Notes sounding on the listener: note-ons not yet followed by their note-off, by channel and key.
int Sounding(const std::vector<std::vector<unsigned char>>& got) {
  std::array<int, 16 * 128> on{};
  int sounding = 0;
  for (const auto& m : got) {
    const std::size_t slot = static_cast<std::size_t>(m[0] & 0x0F) * 128 + m[1];
    if (IsNoteOn(m)) {
      sounding += on[slot] == 0 ? 1 : 0;
      ++on[slot];
    } else if (IsNoteOff(m) && on[slot] > 0) {
      sounding -= 1;
      on[slot] = 0;
    }
  }
  return sounding;
}

class WindowsOnJack : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::filesystem::exists("/dev/snd/seq")) {
      GTEST_SKIP() << "skipped: this machine has an ALSA sequencer, which the program talks to before JACK";
    }
    if (!server_.Start()) GTEST_SKIP() << "skipped: no private JACK server: " << server_.Why();
    server_.UseInThisProcess();
  }

  // The windows as the program opens them, replaying to the output whose name holds `output`.
  std::unique_ptr<PlotWindow> Open(std::optional<std::string> file, std::optional<std::string> output,
                                   bool offerRecovery = false) {
    session_ = std::make_unique<Session>(dialogs_, QtUiPoster(qApp));
    auto form = std::make_unique<PlotWindow>(
        *session_, dialogs_, StartOptions{.file = file, .offerRecovery = offerRecovery, .output = output});
    form->Start();
    EXPECT_TRUE(QtWaitFor([&] { return form->ControlPanel()->State() == ProgramState::Idle; }, 30s));
    dialogs_.messages.clear();  // a software device under Xvfb says so
    return form;
  }
  static void Click(PlotWindow& form, const char* button) {
    form.ControlPanel()->findChild<QPushButton*>(QLatin1String(button))->click();
  }
  // Runs the event loop as main does, `first` from inside it, until the
  // windows leave it: the exit status (-99 when they never do).
  static int RunUntilEnd(const std::function<void()>& first) {
    QTimer never;
    never.setSingleShot(true);
    QObject::connect(&never, &QTimer::timeout, [] { QCoreApplication::exit(-99); });
    never.start(60s);
    QTimer::singleShot(0, first);
    return QApplication::exec();
  }

  PrivateJackServer server_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<Session> session_;  // the last windows' session
};

TEST_F(WindowsOnJack, ClosingThePlotWindowMidNoteEndsEveryNoteOnTheListeningPortAndExitsWithZero) {
  Listener listener;
  auto form = Open(RP_BUILD_DATA_DIR "/performance.txt", "rp_listener");
  Click(*form, "playButton");
  ASSERT_TRUE(QtWaitFor([&] { return Sounding(listener.Got()) > 0; }, 20s)) << "no note reached the listener";

  EXPECT_EQ(RunUntilEnd([&] { form->close(); }), 0);
  EXPECT_TRUE(form->ControlPanel()->State() == ProgramState::Closed);
  // Every channel is told all-notes-off and reset-all-controllers.
  auto resets = [&] {
    int count = 0;
    for (const auto& m : listener.Got())
      count += m.size() == 3 && (m[0] & 0xF0) == 0xB0 && (m[1] == 123 || m[1] == 121);
    return count;
  };
  ASSERT_TRUE(WaitFor([&] { return resets() == 32; }, 5s)) << resets() << " of 32 resets arrived";
  const auto got = listener.Got();
  EXPECT_EQ(Sounding(got), 0) << "a note was left sounding";
  EXPECT_TRUE(dialogs_.messages.empty()) << dialogs_.messages.front().text;
}

TEST_F(WindowsOnJack, AListenerKilledMidReplayIsReportedWithinTwoSecondsAndTheSynthesizerPlaysNext) {
  ChildProcess dump;
  ASSERT_TRUE(server_.StartClient(dump, {"jack_midi_dump", "rp_dump"}, "rp_dump:input"));
  auto form = Open(RP_BUILD_DATA_DIR "/performance.txt", "rp_dump");
  Click(*form, "playButton");
  ASSERT_TRUE(QtWaitFor([&] { return form->ControlPanel()->State() == ProgramState::Replaying; }, 10s));

  ::kill(dump.Pid(), SIGKILL);
  const auto killed = std::chrono::steady_clock::now();
  ASSERT_TRUE(QtWaitFor([&] { return !dialogs_.messages.empty(); }, 5s)) << "the lost port was never reported";
  EXPECT_LE(std::chrono::steady_clock::now() - killed, 2s);
  EXPECT_NE(dialogs_.messages[0].text.find("rp_dump"), std::string::npos) << dialogs_.messages[0].text;
  EXPECT_EQ(form->ControlPanel()->State(), ProgramState::Idle);
  LetTimePassWithEvents(500ms);  // the watcher goes on checking: it must not say it again
  EXPECT_EQ(dialogs_.messages.size(), 1u);

  // The panel is usable: the built-in synthesizer (on the server's audio) plays.
  auto* devices = form->ControlPanel()->findChild<QComboBox*>(QStringLiteral("deviceCombo"));
  const int synth = devices->findText(QString::fromLatin1(kBuiltInSynthName));
  ASSERT_GE(synth, 0);
  devices->setCurrentIndex(synth);
  Click(*form, "playButton");
  EXPECT_TRUE(QtWaitFor([&] { return form->ControlPanel()->State() == ProgramState::Replaying; }, 10s))
      << (dialogs_.messages.size() > 1 ? dialogs_.messages.back().text : "");
  EXPECT_EQ(dialogs_.messages.size(), 1u);
  Click(*form, "stopButton");
  EXPECT_EQ(form->ControlPanel()->State(), ProgramState::Idle);
}

TEST_F(WindowsOnJack, ATakeEndedBySigtermIsWholeInTheRecoveryFileAndTheNextStartOffersIt) {
  const std::string recovery =
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString() + "/recovery.txt";
  std::filesystem::create_directories(std::filesystem::path(recovery).parent_path());
  std::filesystem::remove(recovery);
  RtMidiOut keys(RtMidi::UNIX_JACK, "rp_keys");
  keys.openVirtualPort("out");
  const auto inputs = MakeMachineMidiInput()->DeviceNames();
  const auto input = std::find(inputs.begin(), inputs.end(), "rp_keys:out");
  ASSERT_NE(input, inputs.end());

  auto form = Open(RP_BUILD_DATA_DIR "/performance.txt", std::nullopt);
  dialogs_.listAnswers = {static_cast<int>(input - inputs.begin())};
  form->ControlPanel()->ShownSession().ToggleRecording();
  ASSERT_TRUE(form->ControlPanel()->ShownSession().IsRecording())
      << (dialogs_.messages.empty() ? "" : dialogs_.messages[0].text);
  constexpr int kNotes = 6;
  for (int i = 0; i < kNotes; ++i) {
    std::vector<unsigned char> on = {0x90, static_cast<unsigned char>(60 + i), 70};
    keys.sendMessage(&on);
    std::vector<unsigned char> off = {0x80, static_cast<unsigned char>(60 + i), 0};
    keys.sendMessage(&off);
    LetTimePassWithEvents(150ms);  // the player's pace: one onset event per note
  }
  // An event is shown once the event 2d + 1 after it has begun: once the
  // first kNotes - 2d - 1 are shown, the last note has arrived.
  const int shown = kNotes - 2 * session_->Main().settings.delay - 1;
  ASSERT_TRUE(QtWaitFor([&] { return session_->Main().EventCount() >= shown; }, 10s)) << session_->Main().EventCount();

  int status = 0;
  {
    const StopSignals stopSignals([&](int signal) { form->Shutdown(ShutdownCause::Signal, 128 + signal); });
    status = RunUntilEnd([] { ::raise(SIGTERM); });
  }
  EXPECT_EQ(status, 128 + SIGTERM);
  Performance kept;
  ASSERT_TRUE(LoadPerformanceFile(recovery, kept).Ok()) << "no recovery file";
  ASSERT_EQ(kept.NoteCount(), 2 * kNotes);
  for (int i = 0; i < kNotes; ++i) EXPECT_EQ(kept.notes[2 * std::size_t(i)].noteKey, 60 + i);
  form.reset();

  // The next start asks, and Yes loads the take.
  dialogs_.messages.clear();
  dialogs_.questions.clear();
  dialogs_.yesNoAnswers = {true};
  auto next = Open(std::nullopt, std::nullopt, true);
  ASSERT_FALSE(dialogs_.questions.empty());
  EXPECT_NE(dialogs_.questions[0].find("A take recorded earlier was not saved"), std::string::npos);
  EXPECT_EQ(session_->Main().NoteCount(), 2 * kNotes);
  next.reset();
  std::filesystem::remove(recovery);
}

}  // namespace
}  // namespace rp::test
