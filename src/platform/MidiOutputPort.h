#pragma once
// The MIDI output port of the control panel (MIDIOutput1): lists the output
// devices, opens one, keeps a queue of time-stamped messages and, once
// started, sends them from a timing thread of its own at their times scaled by
// the replay speed. It answers through three notifications that always run on
// the user-interface thread, handed there by the PostToUi function.
//
// Threads: every method is called from the UI thread. The timing thread only
// sends and posts notifications. Once Stop, Close or Reset (or the destructor)
// has returned, no further message is sent and no notification of the replay
// (MessageSent, ReplayEnded, a send failure) is delivered, even one that was
// already queued. Errors of the commands themselves (a failed open) are still
// delivered after a stop, so that the user sees why a replay did not start.

#include <array>
#include <atomic>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/MidiBackend.h"
#include "platform/ReplayClock.h"
#include "platform/ReplayTimeline.h"
#include "platform/UiPost.h"

namespace rp {

struct MidiMessage {
  int tag = 0;
  double timeMs = 0;  // after the start of the replay, at the recorded tempo
  int status = 0;     // 144 note-on, 128 note-off (channel 1), or another channel message
  int data1 = 0;
  int data2 = 0;
};

// PortAction codes.
enum MidiPortAction : int {
  kPortOpen = 1,
  kPortClose = 2,
  kPortReset = 3,  // drops every queued message; also while closed
  kPortStart = 4,
  kPortStop = 5,
  kPortAppend = 6,  // queues the message made of the five message properties
};

// PortState values.
enum MidiPortState : int { kPortClosed = 0, kPortIsOpen = 1, kPortReplaying = 2 };

class MidiOutputPort {
 public:
  struct Notifications {
    std::function<void(int code, const std::string& text)> PortError;
    std::function<void(int tag)> MessageSent;
    std::function<void()> ReplayEnded;
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
  std::string DeviceName() const;  // of DeviceIndex; "" when there is no such device
  int PortState() const { return state_.load(); }

  int ReplaySpeed() const;
  // Takes effect at once, also during a replay: from the next message on,
  // going on from the current position (no jump).
  void SetReplaySpeed(int speed);

  int MessageTag() const;
  void SetMessageTag(int tag);
  double MessageTimeMs() const;
  void SetMessageTimeMs(double timeMs);
  int MessageStatus() const;
  void SetMessageStatus(int status);
  int MessageData1() const;
  void SetMessageData1(int data);
  int MessageData2() const;
  void SetMessageData2(int data);

  // Carries out one of the MidiPortAction codes. Start on a closed port, an
  // invalid message and an unknown code raise PortError.
  void SetPortAction(int action);

  // The queued messages not yet sent, in queue order.
  std::vector<MidiMessage> QueuedMessages() const;

 private:
  struct Channel;

  void Open();
  void Close();
  void Reset();
  void Start();
  void Stop();
  void Append();

  void EndReplay();  // drops pending replay notifications, silences the device
  void Silence();
  void TrackSounding(const MidiMessage& m);
  void RaiseError(int code, std::string text);
  void PostReplayNotification(std::function<void(const Notifications&)> call);
  void Run();

  MidiBackend& backend_;
  ReplayClock& clock_;
  PostToUi post_;
  std::shared_ptr<Channel> channel_;

  mutable std::mutex mutex_;
  std::atomic<int> state_{kPortClosed};
  int deviceIndex_ = -1;
  int openDevice_ = -1;
  int replaySpeed_ = 0;
  MidiMessage next_;
  std::vector<MidiMessage> queue_;
  std::size_t cursor_ = 0;    // first message not yet sent
  double resumeMs_ = 0;       // replay position of the last message sent
  ReplayTimeline timeline_;
  std::array<std::bitset<128>, 16> sounding_{};  // notes on, per channel
  bool quit_ = false;
  std::thread thread_;
};

}  // namespace rp
