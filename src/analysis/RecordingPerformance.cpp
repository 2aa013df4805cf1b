// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/RecordingPerformance.h"

#include <algorithm>
#include <cmath>

#include "model/Performance.h"

namespace rp {

namespace {

constexpr std::uint8_t kOnsetKey = 60;

std::uint8_t MidiVelocityOf(double loudnessDb) {
  const double v = 1.0 + (loudnessDb + 60.0) * (126.0 / 60.0);
  return static_cast<std::uint8_t>(std::clamp(std::lround(v), 1L, 127L));
}

}  // namespace

void TakeRecordingOnsets(const std::vector<DetectedOnset>& onsets, Performance& performance) {
  StartRecords(performance.notes, onsets.size());
  performance.noteLoudnessDb.clear();
  performance.noteLoudnessDb.reserve(onsets.size());
  for (const DetectedOnset& onset : onsets) {
    NoteEvent n;
    n.timeMs = onset.timeMs;
    n.isNoteOn = true;
    n.noteKey = kOnsetKey;
    n.noteVelocity = MidiVelocityOf(onset.loudnessDb);
    performance.notes.push_back(n);
    performance.noteLoudnessDb.push_back(onset.loudnessDb);
  }
  performance.events.clear();
  performance.velocityKind = VelocityKind::Decibel;
  // Its onset events are made by the cluster window, like a listing's.
  performance.source = PerformanceSource::Notes;
  performance.score.reset();
  performance.controllers.clear();
}

void ForgetRecordingLoudness(Performance& performance) {
  performance.velocityKind = VelocityKind::Midi;
  performance.noteLoudnessDb.clear();
  performance.noteLoudnessDb.shrink_to_fit();
}

}  // namespace rp
