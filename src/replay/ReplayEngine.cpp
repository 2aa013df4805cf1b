#include "replay/ReplayEngine.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>

#include "base/PlotViewLink.h"
#include "replay/ReplayControls.h"
#include "io/TimeDisplay.h"
#include "base/Dialogs.h"
#include "base/ProgressThrottle.h"

namespace rp {

namespace {

constexpr int kNoteOn = 144;   // channel 1
constexpr int kNoteOff = 128;  // channel 1

constexpr int kHighestMidiKey = 127;

// The port's error codes that are not for the user.
bool Silent(int code) { return code == 0 || code == 8; }

bool HoldsWord(const std::string& name, std::string_view lowerWord) {
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower.find(lowerWord) != std::string::npos;
}

}  // namespace

int ScaledVelocity(std::uint8_t velocity) {
  // 1.5 v is a whole number or a half: round the half to the even neighbour.
  const int triple = 3 * velocity;
  int scaled = triple / 2;
  if (triple % 2 != 0 && scaled % 2 != 0) ++scaled;
  return std::min(scaled, 127);
}

double ReplayStartMs(const NoteEvent& first) { return std::nearbyint(first.TimeMs); }

std::optional<MidiMessage> ReplayMessage(const NoteEvent& note, double startMs) {
  MidiMessage m;
  m.tag = note.ClusterIndex;
  m.timeMs = note.TimeMs - startMs;
  if (note.NoteKey > kHighestMidiKey) {
    if (m.tag == 0) return std::nullopt;
    m.status = kTagOnlyStatus;
    return m;
  }
  m.status = note.IsNoteOn ? kNoteOn : kNoteOff;
  m.data1 = note.NoteKey;
  m.data2 = ScaledVelocity(note.NoteVelocity);
  return m;
}

bool IsUnsendableNote(const NoteEvent& note) { return note.IsNoteOn && note.NoteKey > kHighestMidiKey; }

std::string SkippedNotesText(int count) {
  if (count == 1) return "1 note with a key above 127 was not sent: MIDI cannot carry it.";
  return std::to_string(count) + " notes with keys above 127 were not sent: MIDI cannot carry them.";
}

int DefaultOutputEntry(const std::vector<std::string>& entries) {
  for (std::size_t i = entries.size(); i-- > 1;)
    if (!HoldsWord(entries[i], "through") && !HoldsWord(entries[i], "loopback")) return static_cast<int>(i);
  return 0;
}

ReplayEngine::ReplayEngine(MidiOutputPort& port, ReplayControls& controls, PlotViewLink& view, ProgressSink& progress,
                           Dialogs& dialogs, const Performance& performance, ReplayPosition& position)
    : port_(port),
      controls_(controls),
      view_(view),
      progress_(progress),
      dialogs_(dialogs),
      performance_(performance),
      position_(position) {
  position_.TailLength = controls_.tailLength();
  port_.setNotifications({
      [this](int code, const std::string& text) { onPortError(code, text); },
      [this](int tag) { onMessageSent(tag); },
      [this] { onReplayEnded(); },
  });
}

ReplayEngine::~ReplayEngine() { port_.setNotifications({}); }

const PlotEvent& ReplayEngine::EventAt(std::int32_t k) const {
  static const PlotEvent kNone{};
  if (k < 0 || static_cast<std::size_t>(k) >= performance_.PlotEvents.size()) return kNone;
  return performance_.PlotEvents[static_cast<std::size_t>(k)];
}

std::vector<std::string> ReplayEngine::listOutputDevices() {
  std::vector<std::string> names;
  const int count = port_.deviceCount();
  for (int i = -1; i < count; ++i) {
    port_.setDeviceIndex(i);
    names.push_back(port_.deviceName());
  }
  port_.setDeviceIndex(DefaultOutputEntry(names) - 1);
  return names;
}

void ReplayEngine::play() {
  controls_.processPendingEvents();
  port_.reset();
  controls_.setPlayEnabled(false);
  updateTimeDisplay();
  position_.PlayFrom = EventAt(position_.CurrentEvent).FirstNote;
  position_.PlayTo = performance_.NoteEventCount;
  const int skipped = queueMessages(position_.PlayFrom, position_.PlayTo);
  if (skipped > 0) dialogs_.ShowMessage(SkippedNotesText(skipped), MessageKind::Information);
  startSending();
}

int ReplayEngine::queueMessages(std::int32_t& from, std::int32_t& to) {
  const std::int32_t count = performance_.NoteEventCount;
  if (from > to) {
    from -= 10;
    to += 10;
  }
  if (from < 1) from = 1;
  if (from > count) from = count - 1;
  if (to > count) to = count;
  if (count <= 0) return 0;
  // The array always reaches the count; this only guards the loop's indices.
  const auto& notes = performance_.NoteEvents;
  const auto last = static_cast<std::int32_t>(notes.size()) - 1;
  const std::int32_t end = std::min(to, last);

  const double start = ReplayStartMs(notes[static_cast<std::size_t>(from)]);
  ProgressThrottle shown(progress_);
  shown.ShowWindow();
  shown.SetCaption("Preparing MIDI...");
  shown.SetRange(from, to);
  int skipped = 0;
  for (std::int32_t i = from; i <= end; ++i) {
    const NoteEvent& note = notes[static_cast<std::size_t>(i)];
    if (const auto message = ReplayMessage(note, start)) port_.append(*message);
    if (IsUnsendableNote(note)) ++skipped;
    shown.ShowEvent(i);
    shown.SetValue(i);
    shown.ShowNumberEvents(count);
    if ((i & 255) == 0) shown.Poll();
  }
  shown.Flush();
  shown.HideWindow();
  return skipped;
}

void ReplayEngine::openOutput() {
  port_.setReplaySpeed(controls_.replaySpeed());
  position_.TailLength = controls_.tailLength();
  port_.setDeviceIndex(controls_.chosenDeviceEntry() - 1);
  port_.open();
}

void ReplayEngine::startSending() {
  const std::uint64_t stopsBefore = stops_;
  openOutput();
  if (port_.state() == PortState::Closed) {
    // The port could not be opened and says why in its error notification;
    // there is nothing to follow, so the panel goes back to stopped at once.
    stop();
    return;
  }
  view_.setBorderFixed(true);
  controls_.processPendingEvents();
  // A stop among those events (the Stop button, a resize, a load) wins.
  if (stops_ != stopsBefore) return;
  port_.start();
}

void ReplayEngine::stop() {
  ++stops_;
  port_.stop();
  closeOutput();
  controls_.setPlayEnabled(true);
  view_.setBorderFixed(false);
}

void ReplayEngine::closeOutput() {
  controls_.processPendingEvents();
  if (port_.state() != PortState::Closed) {
    port_.reset();
    port_.close();
  }
}

void ReplayEngine::onSpeedChanged() { port_.setReplaySpeed(controls_.replaySpeed()); }

void ReplayEngine::onTailLengthChanged() { position_.TailLength = controls_.tailLength(); }

void ReplayEngine::seekTo(int event) {
  stop();
  // Until the first file is loaded the slider reaches 1000 over five empty
  // events: only an existing event can become the current one.
  position_.CurrentEvent = std::clamp(event, 1, std::max(1, performance_.PlotEventCount));
  updateTimeDisplay();
  view_.showFirstEvents();
  view_.showTail();
}

void ReplayEngine::updateTimeDisplay() {
  controls_.setTimeSliderValue(position_.CurrentEvent);
  controls_.setTimeText(FormatTimeDisplay(EventAt(position_.CurrentEvent).OnsetMs));
}

void ReplayEngine::onPortError(int code, const std::string& text) {
  if (!Silent(code)) dialogs_.ShowMessage(text, MessageKind::Error);
}

void ReplayEngine::onMessageSent(int tag) {
  // Tags beyond the loaded clusters could only come from an earlier file.
  if (tag < 1 || tag > performance_.PlotEventCount) return;
  position_.CurrentEvent = tag;
  view_.showTail();
  updateTimeDisplay();
  progress_.ShowNumberEvents(performance_.PlotEventCount);
  progress_.ShowEvent(tag);
}

}  // namespace rp
