#include "analysis/LiveRecording.h"

#include <algorithm>
#include <cmath>

#include "analysis/OnsetAnalysis.h"

namespace rp {

namespace {
// PlotEvents reaches at least PlotEventCount + 10, all zero above the count.
constexpr std::size_t kPlotSpare = 11;
}  // namespace

LiveRecording::LiveRecording(AnalysisSettings settings) {
  take_.Settings = settings;
  take_.NoteEvents.assign(1, NoteEvent{});
  take_.PlotEvents.assign(kPlotSpare, PlotEvent{});
}

std::optional<NoteEvent> LiveRecording::Add(std::span<const std::uint8_t> bytes, double deltaSeconds) {
  if (bytes.empty()) return std::nullopt;
  // The first message is the take's zero, whatever delta the system gives it.
  if (anyMessage_ && std::isfinite(deltaSeconds) && deltaSeconds > 0) {
    elapsedUs_ += std::llround(deltaSeconds * 1e6);
  }
  anyMessage_ = true;
  if (bytes.size() < 3) return std::nullopt;
  const std::uint8_t kind = bytes[0] & 0xF0;
  const std::uint8_t key = bytes[1] & 0x7F;
  const std::uint8_t velocity = bytes[2] & 0x7F;
  if (kind == 0x90) AddNote(velocity > 0, key, velocity);
  else if (kind == 0x80) AddNote(false, key, velocity);
  else return std::nullopt;
  return take_.NoteEvents.back();
}

void LiveRecording::AddNote(bool on, std::uint8_t key, std::uint8_t velocity) {
  const auto j = static_cast<std::int32_t>(take_.NoteEvents.size());
  NoteEvent note;
  note.IsNoteOn = on;
  note.TimeMs = LastMessageMs();
  note.LeadValue = j;
  note.NoteKey = key;
  note.NoteVelocity = velocity;
  // The same rule as the analysis of a file: a note-on more than the window
  // after the newest event's first note-on opens the next event.
  const bool opens = on && (take_.PlotEventCount == 0 || note.TimeMs - clusterOnsetMs_ > take_.Settings.ClusterWindowMs);
  if (opens) {
    const std::int32_t k = ++take_.PlotEventCount;
    clusterOnsetMs_ = note.TimeMs;
    note.ClusterIndex = k;
    take_.PlotEvents.resize(static_cast<std::size_t>(k) + kPlotSpare);
    auto& plots = take_.PlotEvents;
    PlotEvent& p = plots[static_cast<std::size_t>(k)];
    p.OnsetMs = note.TimeMs;
    p.Velocity0 = velocity;
    p.FirstNote = j;
    // Event k completes event k - 2d - 1.
    const auto d = static_cast<std::size_t>(std::max(take_.Settings.Delay, 1));
    const std::int32_t done = k - 2 * static_cast<std::int32_t>(d) - 1;
    if (done >= 1) CompleteOnsetEvent(plots, static_cast<std::size_t>(done), d);
  }
  take_.NoteEvents.push_back(note);
  take_.NoteEventCount = j;
}

std::int32_t LiveRecording::CompleteEventCount() const {
  const std::int32_t d = std::max(take_.Settings.Delay, 1);
  return std::max(take_.PlotEventCount - 2 * d - 1, 0);
}

Performance LiveRecording::CompletePart() const {
  const std::int32_t complete = CompleteEventCount();
  Performance part;
  part.Settings = take_.Settings;
  const std::int32_t notes =
      complete < take_.PlotEventCount ? take_.PlotEvents[static_cast<std::size_t>(complete) + 1].FirstNote - 1
                                      : take_.NoteEventCount;
  part.NoteEvents.assign(take_.NoteEvents.begin(), take_.NoteEvents.begin() + notes + 1);
  part.NoteEventCount = notes;
  part.PlotEvents.assign(static_cast<std::size_t>(complete) + kPlotSpare, PlotEvent{});
  std::copy(take_.PlotEvents.begin(), take_.PlotEvents.begin() + complete + 1, part.PlotEvents.begin());
  part.PlotEventCount = complete;
  return part;
}

Performance LiveRecording::Finished() const {
  Performance finished = take_;
  AnalyseOnsets(finished);
  return finished;
}

}  // namespace rp
