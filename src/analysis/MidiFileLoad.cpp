// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/MidiFileLoad.h"

#include <new>

#include "analysis/OnsetAnalysis.h"
#include "analysis/RecordingPerformance.h"
#include "frontend/ProgressSink.h"
#include "frontend/ProgressThrottle.h"
#include "io/StandardMidiFileReader.h"
#include "model/Performance.h"

namespace rp {

LoadResult LoadMidiFile(const std::string& path, Performance& performance, ProgressSink* progress) {
  LoadResult result;
  MidiFileReadResult read;
  try {
    read = ReadStandardMidiFile(path);
  } catch (const std::bad_alloc&) {
    return NotEnoughMemory(path);
  }
  if (!read.Ok()) {
    result.status = LoadStatus::CannotOpen;
    result.message = std::move(read.error);
    return result;
  }
  NullProgressSink none;
  ProgressThrottle shown(progress ? *progress : none);
  shown.ShowWindow();
  performance.notes = std::move(read.events);
  BecomeNotes(performance);
  performance.controllers = std::move(read.controllers);
  ForgetRecordingLoudness(performance);
  AnalyseOnsets(performance, &shown);
  result.noteOnCount = CountNoteOns(performance);
  FinishRead(performance, path, shown);
  return result;
}

}  // namespace rp
