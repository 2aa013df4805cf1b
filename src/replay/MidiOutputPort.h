// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The MIDI output port of the control panel: lists the output
// devices, opens one, keeps a queue of time-stamped messages and, once
// started, sends them from a timing thread of its own at their times scaled by
// the replay speed. It answers through notifications that always run on
// the user-interface thread, handed there by the PostToUi function.
//
// Stop, close and reset silence the device (the replay's end stops the
// port): every pedal held is let up (controllers 64, 66 and 67 to 0) and every note still
// sounding gets its note-off.
//
// messageSent comes when the message is heard: at once for a MIDI port, and
// the backend's SoundDelay after the due time for the built-in synthesizer,
// whose sound leaves through a buffered audio stream. replayEnded follows the
// last of them, so the plot reaches the last event with the sound. The
// synthesizer also gets each message its LookAhead before the due time; a
// stop drops what was sent ahead and a later start goes on from there.
//
// A device whose opening takes time (the synthesizer's sound output) is
// opened by the timing thread: the port is Opening meanwhile and says
// `opened` when it is Open (or raises the error); a stop or close in that
// time cancels the open. During a replay a watcher thread asks the backend
// every 200 ms, without the timing thread's lock, whether the device is
// still there; a device that is gone, like one that refuses a message, ends
// the replay with one error naming it, followed by replayEnded.
//
// Threads: every method is called from the UI thread. The timing thread only
// opens, sends and posts notifications. Once stop, close or reset (or the
// destructor) has returned, no further message is sent and no notification of
// the replay (opened, messageSent, replayEnded, a send failure, a lost device)
// is delivered, even one that was already queued. Errors of the commands
// themselves (a failed open) are still delivered after a stop, so that the
// user sees why a replay did not start. Listing the devices never takes the
// timing thread's lock.

#include <array>
#include <atomic>
#include <bitset>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "frontend/UiPost.h"
#include "midi/MidiBackend.h"
#include "midi/MidiMessage.h"
#include "midi/ReplayClock.h"
#include "replay/ReplayTimeline.h"

namespace rp {

enum class PortState { Closed, Opening, Open, Replaying };

class MidiOutputPort {
 public:
  struct Notifications {
    std::function<void(MidiError code, const std::string& text)> error;
    std::function<void(int tag)> messageSent;
    std::function<void()> replayEnded;
    std::function<void()> opened = nullptr;  // a device that took time to open is open
  };

  // backend and clock must outlive the port.
  MidiOutputPort(MidiBackend& backend, ReplayClock& clock, PostToUi postToUi);
  ~MidiOutputPort();
  MidiOutputPort(const MidiOutputPort&) = delete;
  MidiOutputPort& operator=(const MidiOutputPort&) = delete;

  void SetNotifications(Notifications notifications);

  int DeviceCount() const;
  int DeviceIndex() const;
  void SetDeviceIndex(int index);
  std::string DeviceName() const;           // of deviceIndex; "" when there is no such device
  std::string DeviceName(int index) const;  // of device `index`; the chosen one stays
  // Read under the port's lock: the timing thread announces why a replay
  // ended (an error, the end) and changes the state in one step, so whoever
  // sees the port Open again finds those announcements already queued.
  PortState State() const;

  int ReplaySpeed() const;
  // Takes effect at once, also during a replay: from the next message on,
  // going on from the current position (no jump).
  void SetReplaySpeed(int speed);

  // Opens the device of deviceIndex (another device than the open one closes
  // that first); a failure raises the error notification. A device whose
  // opening takes time leaves the port Opening: `opened` or the error follows.
  void Open();
  // Closes the device; an open under way is cancelled (the port is Closed
  // once the timing thread has let go of it).
  void Close();
  // Closes as Close does, after telling the device to sound nothing and
  // forget its controllers: the notes still sounding get their note-offs,
  // then every channel all-notes-off (controller 123) and reset-all-
  // controllers (121). For the end of the program, so that no note hangs on
  // an instrument.
  void CloseResettingDevice();
  // Drops every queued message; also while closed.
  void Reset();
  // Starts sending the queue; on a port that is not open it raises
  // MidiError::NotOpen.
  void Start();
  void Stop();
  // Queues `message`; one that is neither a channel message nor tag-only
  // raises MidiError::InvalidMessage and is not queued.
  void Append(const MidiMessage& message);

  // The queued messages not yet sent, in queue order.
  std::vector<MidiMessage> QueuedMessages() const;

 private:
  struct Channel;

  // Runs `command` under the lock, then has the timing thread look at the
  // new state.
  template <class Command>
  void Locked(Command command);
  void CloseLocked();
  void EndReplay();  // drops pending replay notifications, silences the device
  void Silence();
  void SendNow(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
  void TrackSounding(const MidiMessage& m);
  void RaiseError(MidiError code, std::string text);
  void PostReplayNotification(std::function<void(const Notifications&)> call);
  void PostMessageSent(int tag);
  // Ends the replay from one of the port's threads with `failure` and
  // replayEnded, once.
  void FailReplay(MidiFailure failure);
  void StartThreads();
  void Run();
  void OpenRequested(std::unique_lock<std::mutex>& lock);  // on the timing thread
  void WatchDevice();

  MidiBackend& backend_;
  ReplayClock& clock_;
  PostToUi post_;
  std::shared_ptr<Channel> channel_;

  mutable std::mutex mutex_;
  std::atomic<PortState> state_{PortState::Closed};
  // The chosen device; the first one, the program's usual output, until
  // another is chosen.
  std::atomic<int> deviceIndex_{0};
  int openDevice_ = 0;    // meaningful while the port is not Closed
  std::string openName_;  // of openDevice_
  int requested_ = 0;     // the device the timing thread is to open
  bool cancelOpen_ = false;
  int replaySpeed_ = 0;
  std::vector<MidiMessage> queue_;
  std::size_t cursor_ = 0;  // first message not yet sent
  double resumeMs_ = 0;     // replay position of the last message sent
  ReplayTimeline timeline_;
  std::array<std::bitset<128>, 16> sounding_{};  // notes on, per channel
  // The pedals a stop releases: sustain, sostenuto, soft.
  static constexpr std::array<std::uint8_t, 3> kPedals = {64, 66, 67};
  std::array<std::bitset<kPedals.size()>, 16> pedalsHeld_{};  // down (value above 0), per channel
  struct Sent {
    ReplayClock::Time due;
    int tag;
    std::size_t index;  // in queue_
  };
  // Sent, not yet reported as heard; each is heard SoundDelay() after due.
  std::deque<Sent> heard_;
  double startMs_ = 0;  // replay position at the last start
  bool quit_ = false;
  std::thread thread_;
  std::condition_variable watch_;  // wakes the watcher for a replay or the end
  std::thread watcher_;
};

}  // namespace rp
