// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The replay of the loaded performance through the MIDI output port, and the
// control panel's handlers around it: from the current event to the end of
// the file, every note event becomes one queued message; the port sends them
// on its own timing thread, and each sent first note of a cluster makes that
// cluster the current event, moves the time display and has the view show the
// event's tail. The view cannot be resized while it follows a replay.
//
// The engine keeps the program's state (ProgramStates) for the replay: Play
// moves Idle to OpeningOutput, and the replay is Replaying once the output is
// open, at once for a MIDI port, when the port says `opened` for the
// built-in synthesizer (the time display says "Starting..." meanwhile); every
// stop goes back to Idle. What does not fit the state is refused.
//
// A performance read from a recording replays the recording's own sound
// instead (RecordingReplay), wherever the device list points: the same
// states, the same following of the heard events, Stop and seeking as for
// the notes.
//
// Everything here runs on the UI thread; the port's notifications arrive
// there between other window events.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "model/VelocityScale.h"
#include "replay/MidiOutputPort.h"
#include "replay/ReplayMessages.h"

namespace rp {

class Dialogs;
class PlotViewLink;
class ProgramStates;
class ProgressSink;
class RecordingReplay;
class ReplayControls;

// The time display while the output opens.
inline constexpr const char* kStartingText = "Starting...";

// The entry of the device list chosen at start: the last device that is not
// a through or loop-back port (its name holds "Through" or "Loopback", in any
// case), which would pass the notes on unheard; entry 0, the program's first
// output (the built-in synthesizer), when there is none.
int DefaultOutputEntry(const std::vector<std::string>& entries);

class ReplayEngine {
 public:
  // Connects the port's notifications to the handlers below; every reference
  // must outlive the engine. The engine replays `performance`, keeps
  // `position` where the replay stands and `states` what the replay does.
  // The tail length follows the controls from here on.
  ReplayEngine(MidiOutputPort& port, ReplayControls& controls, PlotViewLink& view, ProgressSink& progress,
               Dialogs& dialogs, const Performance& performance, ReplayPosition& position, ProgramStates& states);
  ~ReplayEngine();
  ReplayEngine(const ReplayEngine&) = delete;
  // The player of recordings (none: a recording replays its onsets as
  // notes); it must outlive the engine.
  void SetRecordingReplay(RecordingReplay* recording);
  // Whether Play replays the recording's own sound.
  bool PlaysRecording() const;
  ReplayEngine& operator=(const ReplayEngine&) = delete;

  // The entries of the device list, one per device, entry i being device i.
  // The port keeps the device it has: Play opens the entry chosen then.
  std::vector<std::string> ListOutputDevices();

  // Replays from the first note of the current event to the end of the file
  // (only when Idle).
  void Play();
  // Stops and closes the port (an open under way is cancelled), makes the
  // view sizable again; a replay goes back to Idle.
  void Stop();
  // The end of the program: stops as Stop does, and an external device is
  // told all-notes-off and reset-all-controllers on every channel before the
  // port closes.
  void StopForShutdown();
  // Queues one message per note event from index `from` to `to` (both adjusted in
  // place to the file), and the controllers with them, behind the progress
  // window "Preparing MIDI...". Returns how many notes MIDI cannot carry were
  // left out.
  int QueueMessages(std::int32_t& from, std::int32_t& to);
  // Speed, tail length and device from the controls, then opens the port.
  void OpenOutput();
  // Opens the port; once it is open, fixes the view's border and starts
  // sending.
  void StartSending();
  // Resets and closes the port when it is open (also when the panel closes).
  void CloseOutput();

  // The velocity scale: by the performance's provenance unless the user
  // fixes one; it applies from the next Play.
  void SetVelocityScale(const VelocityScaleChoice& choice) { velocityScale_ = choice; }
  const VelocityScaleChoice& VelocityScale() const { return velocityScale_; }
  // The scale the next replay uses, and what the control panel shows of it.
  double VelocityScaleInUse() const { return rp::VelocityScaleInUse(performance_, velocityScale_); }
  std::string VelocityScaleText() const { return rp::VelocityScaleText(performance_, velocityScale_); }

  // The speed slider applies at once, also during a replay.
  void OnSpeedChanged();
  // Another device is used from the next replay on; this one stops.
  void OnDeviceChosen();
  // The tail length applies at once: a tail shown now is drawn anew.
  void OnTailLengthChanged();
  // The user moved the time slider to `event` (or rewound to the first): stop, make
  // that event current, move the slider and time display there, and have the
  // view rebuild all points and then the current event's tail.
  void SeekTo(int event);
  // Time slider to the current event, time display to its onset.
  void UpdateTimeDisplay();

  // The port's notifications.
  void OnPortError(MidiError code, const std::string& text);
  void OnMessageSent(std::int32_t event);  // the port or recording reached `event`
  void OnReplayEnded() { Stop(); }
  void OnOutputOpened();

 private:
  const OnsetEvent& EventAt(std::optional<std::int32_t> event) const;  // an all-zero event for none or outside
  void BeginReplay();
  void PlayRecording();

  MidiOutputPort& port_;
  ReplayControls& controls_;
  PlotViewLink& view_;
  ProgressSink& progress_;
  Dialogs& dialogs_;
  const Performance& performance_;
  ReplayPosition& position_;
  VelocityScaleChoice velocityScale_;
  ProgramStates& states_;
  RecordingReplay* recording_ = nullptr;
};

}  // namespace rp
