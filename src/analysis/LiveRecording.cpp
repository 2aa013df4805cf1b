// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/LiveRecording.h"

#include <algorithm>

#include "analysis/OnsetAnalysis.h"

namespace rp {

LiveRecording::LiveRecording(AnalysisSettings settings) { take_.settings = settings; }

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
  return take_.notes.back();
}

void LiveRecording::AddNote(bool on, std::uint8_t key, std::uint8_t velocity) {
  const auto j = static_cast<std::int32_t>(take_.notes.size());
  NoteEvent note;
  note.isNoteOn = on;
  // Rounded, not cut: the nearest tenth of a millisecond (times are never negative).
  const std::int64_t roundedUs = (elapsedUs_ + kResolutionUs / 2) / kResolutionUs * kResolutionUs;
  note.timeMs = static_cast<double>(roundedUs) / 1000.0;
  note.leadValue = j + 1;
  note.noteKey = key;
  note.noteVelocity = velocity;
  // The same rule as the analysis of a file: a note-on more than the window
  // after the newest event's first note-on opens the next event.
  auto& events = take_.events;
  const bool opens = on && (events.empty() || note.timeMs - clusterOnsetMs_ > take_.settings.clusterWindowMs);
  if (on && !opens &&
      TakesEventVelocity(take_.settings.eventVelocity, {static_cast<double>(velocity), key},
                         {events.back().velocity0, velocityKey_})) {
    events.back().velocity0 = velocity;
    velocityKey_ = key;
  }
  if (opens) {
    velocityKey_ = key;
    clusterOnsetMs_ = note.timeMs;
    note.opensEvent = static_cast<std::int32_t>(events.size());
    OnsetEvent& p = events.emplace_back();
    p.onsetMs = note.timeMs;
    p.velocity0 = velocity;
    p.firstNote = j;
    // The new event completes the one 2d + 1 before it.
    const auto d = static_cast<std::size_t>(std::max(take_.settings.delay, 1));
    if (events.size() > 2 * d + 1) CompleteOnsetEvent(events, events.size() - 2 * d - 2, d);
  }
  take_.notes.push_back(note);
}

std::int32_t LiveRecording::CompleteEventCount() const {
  const std::int32_t d = std::max(take_.settings.delay, 1);
  return std::max(take_.EventCount() - 2 * d - 1, 0);
}

Performance LiveRecording::CompletePart() const {
  const std::int32_t complete = CompleteEventCount();
  Performance part;
  part.settings = take_.settings;
  // The notes before the first note of the first incomplete event.
  const std::int32_t notes =
      complete < take_.EventCount() ? take_.events[static_cast<std::size_t>(complete)].firstNote : take_.NoteCount();
  part.notes.assign(take_.notes.begin(), take_.notes.begin() + notes);
  part.events.assign(take_.events.begin(), take_.events.begin() + complete);
  return part;
}

Performance LiveRecording::Finished() const {
  Performance finished = take_;
  AnalyseOnsets(finished);
  return finished;
}

}  // namespace rp
