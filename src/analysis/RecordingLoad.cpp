// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/RecordingLoad.h"

#include <new>

#include "analysis/OnsetAnalysis.h"
#include "analysis/RecordingPerformance.h"
#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "frontend/ProgressSink.h"
#include "frontend/ProgressThrottle.h"
#include "io/RecordingReader.h"
#include "model/Performance.h"

namespace rp {

LoadResult LoadRecordingFile(const std::string& path, Performance& performance, ProgressSink* progress) {
  LoadResult result;
  NullProgressSink none;
  ProgressThrottle shown(progress ? *progress : none);
  shown.ShowWindow();
  RecordingRead read;
  try {
    read = ReadRecording(path, performance.settings.onsets, progress);
  } catch (const std::bad_alloc&) {
    shown.HideWindow();
    return NotEnoughMemory(path);
  }
  if (!read.Ok() || static_cast<std::int64_t>(read.onsets.size()) > kMaxNotes) {
    shown.HideWindow();
    result.status = read.cancelled ? LoadStatus::Cancelled : LoadStatus::CannotOpen;
    if (!read.cancelled) {
      result.message =
          read.error.empty()
              ? FormatText(QT_TRANSLATE_NOOP("returnplot", "\"%1\" holds more onsets than returnplot can load."),
                           {path})
              : FormatText(QT_TRANSLATE_NOOP("returnplot", "Cannot read the recording \"%1\": %2."),
                           {path, read.error});
    }
    return result;
  }
  TakeRecordingOnsets(read.onsets, performance);
  AnalyseOnsets(performance, &shown);
  result.noteOnCount = performance.NoteCount();
  FinishRead(performance, path, shown);
  return result;
}

}  // namespace rp
