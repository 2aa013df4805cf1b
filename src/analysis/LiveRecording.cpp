#include "analysis/LiveRecording.h"

#include <algorithm>

#include "analysis/OnsetAnalysis.h"

namespace rp {

namespace {
// PlotEvents reaches at least PlotEventCount + 10, all zero above the count.
constexpr std::size_t kPlotSpare = 11;
}  // namespace

LiveRecording::LiveRecording(AnalysisSettings settings) {
  take_.settings = settings;
  take_.noteEvents.assign(1, NoteEvent{});
  take_.plotEvents.assign(kPlotSpare, PlotEvent{});
}

std::optional<NoteEvent> LiveRecording::Add(std::span<const std::uint8_t> bytes, std::int64_t timeUs) {
  if (bytes.empty()) return std::nullopt;
  if (!anyMessage_) zeroUs_ = timeUs;
  anyMessage_ = true;
  elapsedUs_ = std::max(elapsedUs_, timeUs - zeroUs_);
  if (bytes.size() < 3) return std::nullopt;
  const std::uint8_t kind = bytes[0] & 0xF0;
  const std::uint8_t key = bytes[1] & 0x7F;
  const std::uint8_t velocity = bytes[2] & 0x7F;
  if (kind == 0x90)
    AddNote(velocity > 0, key, velocity);
  else if (kind == 0x80)
    AddNote(false, key, velocity);
  else
    return std::nullopt;
  return take_.noteEvents.back();
}

void LiveRecording::AddNote(bool on, std::uint8_t key, std::uint8_t velocity) {
  const auto j = static_cast<std::int32_t>(take_.noteEvents.size());
  NoteEvent note;
  note.isNoteOn = on;
  // Rounded, not cut: the nearest tenth of a millisecond (times are never negative).
  const std::int64_t roundedUs = (elapsedUs_ + kResolutionUs / 2) / kResolutionUs * kResolutionUs;
  note.timeMs = static_cast<double>(roundedUs) / 1000.0;
  note.leadValue = j;
  note.noteKey = key;
  note.noteVelocity = velocity;
  // The same rule as the analysis of a file: a note-on more than the window
  // after the newest event's first note-on opens the next event.
  const bool opens =
      on && (take_.plotEventCount == 0 || note.timeMs - clusterOnsetMs_ > take_.settings.clusterWindowMs);
  if (opens) {
    const std::int32_t k = ++take_.plotEventCount;
    clusterOnsetMs_ = note.timeMs;
    note.clusterIndex = k;
    take_.plotEvents.resize(static_cast<std::size_t>(k) + kPlotSpare);
    auto& plots = take_.plotEvents;
    PlotEvent& p = plots[static_cast<std::size_t>(k)];
    p.onsetMs = note.timeMs;
    p.velocity0 = velocity;
    p.firstNote = j;
    // Event k completes event k - 2d - 1.
    const auto d = static_cast<std::size_t>(std::max(take_.settings.delay, 1));
    const std::int32_t done = k - 2 * static_cast<std::int32_t>(d) - 1;
    if (done >= 1) CompleteOnsetEvent(plots, static_cast<std::size_t>(done), d);
  }
  take_.noteEvents.push_back(note);
  take_.noteEventCount = j;
}

std::int32_t LiveRecording::CompleteEventCount() const {
  const std::int32_t d = std::max(take_.settings.delay, 1);
  return std::max(take_.plotEventCount - 2 * d - 1, 0);
}

Performance LiveRecording::CompletePart() const {
  const std::int32_t complete = CompleteEventCount();
  Performance part;
  part.settings = take_.settings;
  const std::int32_t notes = complete < take_.plotEventCount
                                 ? take_.plotEvents[static_cast<std::size_t>(complete) + 1].firstNote - 1
                                 : take_.noteEventCount;
  part.noteEvents.assign(take_.noteEvents.begin(), take_.noteEvents.begin() + notes + 1);
  part.noteEventCount = notes;
  part.plotEvents.assign(static_cast<std::size_t>(complete) + kPlotSpare, PlotEvent{});
  std::copy(take_.plotEvents.begin(), take_.plotEvents.begin() + complete + 1, part.plotEvents.begin());
  part.plotEventCount = complete;
  return part;
}

Performance LiveRecording::Finished() const {
  Performance finished = take_;
  AnalyseOnsets(finished);
  return finished;
}

}  // namespace rp
