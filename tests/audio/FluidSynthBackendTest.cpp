// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/FluidSynthBackend.h"
#include "audio/GeneralMidiSynth.h"
#include "midi/ChainedMidiOutputs.h"
#include "replay/MidiOutputPort.h"
#include "support/ManualUiQueue.h"
#include "support/RecordingMidiBackend.h"
#include "support/TempDir.h"
#include "support/WaitFor.h"

namespace rp {
namespace {

using namespace std::chrono_literals;

FluidSynthOptions Options(std::vector<std::string> drivers) {
  FluidSynthOptions o;
  o.soundFonts = SoundFontCandidates("");
  o.audioDrivers = std::move(drivers);
  o.fadeOut = 50ms;
  return o;
}

TEST(FluidSynthBackend, WithoutSoundOutputOrSoundFontOpeningFailsWithAClearText) {
  {
    FluidSynthBackend synth(Options({}));  // a machine with no sound server and no card
    EXPECT_EQ(synth.DeviceCount(), 1);
    EXPECT_EQ(synth.DeviceName(0), "Built-in synthesizer (General MIDI)");
    EXPECT_EQ(synth.DeviceName(1), "");
    EXPECT_EQ(synth.Open(1)->code, MidiError::NoSuchOutput);
    const auto failure = synth.Open(0);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->code, MidiError::NoSoundOutput);
    EXPECT_EQ(failure->text,
              "The built-in synthesizer cannot play: no sound server (PulseAudio, PipeWire or JACK) is "
              "running and there is no sound card. Choose a MIDI output device instead.");
    EXPECT_EQ(synth.AudioDriver(), "");
    synth.Close();  // closing what never opened is harmless
  }
  {
    FluidSynthBackend synth(Options({"no-such-driver"}));
    const auto failure = synth.Open(0);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->code, MidiError::SoundOutputFailed);
    EXPECT_EQ(failure->text.rfind("The built-in synthesizer could not open the sound output: ", 0), 0u)
        << failure->text;
    EXPECT_NE(failure->text.find("no-such-driver"), std::string::npos) << failure->text;
  }
  {
    FluidSynthOptions o = Options({});
    o.soundFonts = {"/nonexistent/TimGM6mb.sf2"};
    FluidSynthBackend synth(o);
    const auto failure = synth.Open(0);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->code, MidiError::NoSoundFont);
    EXPECT_NE(failure->text.find("timgm6mb-soundfont"), std::string::npos) << failure->text;
  }
}

TEST(FluidSynthBackend, SoundFontIsFoundBesideTheDataFolderFirst) {
  const auto paths = SoundFontCandidates("/opt/rp/share/returnplot");
  ASSERT_GE(paths.size(), 3u);
  EXPECT_EQ(paths[0], "/opt/rp/share/returnplot/TimGM6mb.sf2");
  EXPECT_EQ(paths[1], "/opt/rp/share/sounds/sf2/TimGM6mb.sf2");
  EXPECT_EQ(paths[2], "/usr/share/sounds/sf2/TimGM6mb.sf2");
  EXPECT_EQ(SoundFontCandidates("/opt/rp/share/returnplot/")[1], paths[1]);
}

// The live device behind the port's timing thread, its sound going to a file
// in real time: a replay through it sounds, and a stop releases the notes.
TEST(FluidSynthBackend, ReplayThroughThePortSoundsAndStopReleasesTheNotes) {
  const test::TempDir dir("rp_live_");
  const std::string path = dir.Path("live.wav");
  {
    FluidSynthOptions o = Options({"file"});
    o.audioFile = path;
    o.fadeOut = 1500ms;
    auto built = std::make_unique<FluidSynthBackend>(o);
    FluidSynthBackend* synth = built.get();
    SteadyReplayClock clock;
    RecordingMidiBackend* ports = nullptr;
    auto recording = std::make_unique<RecordingMidiBackend>(clock);
    ports = recording.get();
    ChainedMidiOutputs devices(std::move(built), std::move(recording));
    ManualUiQueue ui;
    MidiOutputPort port(devices, clock, ui.Poster());
    std::vector<std::string> events;
    port.SetNotifications({[&](MidiError, const std::string& text) { events.push_back("error " + text); },
                           [&](int tag) { events.push_back("sent " + std::to_string(tag)); },
                           [&] { events.push_back("ended"); }, [&] { events.push_back("opened"); }});
    port.Open();  // the first device, the synthesizer: its sound output starts on the port's thread
    test::WaitFor(
        [&] {
          ui.Drain();
          return port.State() != PortState::Opening && !events.empty();
        },
        5s);
    ASSERT_EQ(port.State(), PortState::Open) << (events.empty() ? "" : events.back());
    EXPECT_EQ(synth->AudioDriver(), "file");
    for (int i = 0; i < 3; ++i) {
      port.Append({i + 1, 100.0 * i, 144, 60 + 4 * i, 120});
    }
    port.Start();
    test::WaitFor(
        [&] {
          ui.Drain();
          return !events.empty() && events.back() == "ended";
        },
        5s);
    port.Stop();  // three notes still sounding
    port.Close();
    EXPECT_EQ(events, (std::vector<std::string>{"opened", "sent 1", "sent 2", "sent 3", "ended"}));
    EXPECT_TRUE(ports->SentMessages().empty());
    // The sound output stays for the fade-out, then goes.
    test::WaitFor([&] { return synth->AudioDriver().empty(); }, 5s, 10ms);
    EXPECT_EQ(synth->AudioDriver(), "");
  }
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 44u);
  // Loud while the notes sound; silent (dither aside) once they have faded.
  int peak = 0;
  int tailPeak = 0;
  const std::size_t tail = bytes.size() - 4 * 4410;  // the last 100 ms
  for (std::size_t at = 44; at + 1 < bytes.size(); at += 2) {
    const auto s = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[at]) |
                                             static_cast<unsigned char>(bytes[at + 1]) << 8);
    peak = std::max(peak, std::abs(int{s}));
    if (at >= tail) tailPeak = std::max(tailPeak, std::abs(int{s}));
  }
  EXPECT_GT(peak, 1000);
  EXPECT_LE(tailPeak, 4);
}

}  // namespace
}  // namespace rp
