#pragma once
// The replay of the loaded performance through the MIDI output port, and the
// control panel's handlers around it: from the current event to the end of
// the file, every note event becomes one queued message; the port sends them
// on its own timing thread, and each sent first note of a cluster makes that
// cluster the current event, moves the time display and has the view show the
// event's tail. The view cannot be resized while it follows a replay.
//
// Everything here runs on the UI thread; the port's notifications arrive
// there between other window events (or inside `ReplayControls::DoEvents`).

#include <cstdint>
#include <string>
#include <vector>

#include "performance/global.h"
#include "platform/MidiOutputPort.h"

namespace rp {

class Dialogs;
class PlotViewLink;
class ProgressSink;
class ReplayControls;

// A recorded key velocity as sent: times 1.5, halves to the even neighbour,
// at most 127 (1 gives 2, 3 gives 4, 84 gives 126, 85 and above 127).
int ScaledVelocity(std::uint8_t velocity);

// The time a replay that starts at `first` counts from: its time rounded to
// whole ms, halves to the even neighbour.
double ReplayStartMs(const NoteEvent& first);

// The message a note event becomes: note-on (144) or note-off (128) on
// channel 1, its key, the scaled velocity, its time after `startMs`, and its
// cluster index as the tag.
MidiMessage ReplayMessage(const NoteEvent& note, double startMs);

class ReplayEngine {
 public:
  // Connects the port's notifications to the handlers below; every reference
  // must outlive the engine.
  ReplayEngine(MidiOutputPort& port, ReplayControls& controls, PlotViewLink& view, ProgressSink& progress,
               Dialogs& dialogs);
  ~ReplayEngine();
  ReplayEngine(const ReplayEngine&) = delete;
  ReplayEngine& operator=(const ReplayEngine&) = delete;

  // The entries of `OutputDevCombo`: the default entry (device -1), then every
  // device. Leaves the port's `DeviceIndex` at the last device; the panel
  // selects the last entry to match.
  std::vector<std::string> ListOutputDevices();

  // Replays from the first note of `CurrentEvent` to the end of the file.
  void PlayButton_Click();
  void StopButton_Click() { StopPlay(); }
  // Stops and closes the port, enables Play, makes the view sizable again.
  void StopPlay();
  // Queues one message per note event from `from` to `to` (both adjusted in
  // place to the file) behind the progress window "Preparing MIDI...".
  void PrepareMidi(std::int32_t& from, std::int32_t& to);
  // Speed, tail length and device from the controls, then opens the port.
  void OpenOutput();
  // Opens the port, fixes the view's border and starts sending.
  void StartPlay();
  // Resets and closes the port when it is open.
  void CloseOutput();

  // The speed slider applies at once, also during a replay.
  void PlaybackRateSlider_Change();
  // Another device is used from the next replay on; this one stops.
  void OutputDevCombo_Click() { StopPlay(); }
  // The tail length shows from the view's next update; no redraw now.
  void SchwanzLaengenSlider_Change();
  // The time slider released at `sliderValue`: stop, make that event current,
  // and have the view rebuild all points and then the current event's tail.
  void TimeSlider_MouseUp(int sliderValue);
  // Time slider to `CurrentEvent`, time display to its onset.
  void UpdateTime();
  // Closing the control panel closes the port.
  void Form_Unload() { CloseOutput(); }

  // The port's notifications.
  void PortError(int code, const std::string& text);
  void MessageSent(int tag);
  void ReplayEnded() { StopPlay(); }

 private:
  MidiOutputPort& port_;
  ReplayControls& controls_;
  PlotViewLink& view_;
  ProgressSink& progress_;
  Dialogs& dialogs_;
  // Counts the stops, so that a start can tell whether the events it let run
  // stopped the replay it is starting.
  std::uint64_t stops_ = 0;
};

}  // namespace rp
