// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/GivenEventsLoad.h"

#include <new>
#include <utility>

#include "analysis/GivenEvents.h"
#include "analysis/ScoreAlignedEvents.h"
#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "frontend/ProgressSink.h"
#include "frontend/ProgressThrottle.h"
#include "io/MatchFileReader.h"
#include "io/TimesListReader.h"
#include "model/Performance.h"

namespace rp {

namespace {

constexpr SkippedKind kMatchTerms{QT_TRANSLATE_NOOP("returnplot", "a match-file term"),
                                  QT_TRANSLATE_NOOP("returnplot", "match-file terms")};

// What both the read of a match file and that of a match text end with.
LoadResult Finish(LoadResult result, Performance& loaded, const std::string& path, Performance& performance,
                  ProgressSink* progress) {
  performance = std::move(loaded);
  NullProgressSink none;
  ProgressThrottle shown(progress ? *progress : none);
  result.noteOnCount = CountNoteOns(performance);
  FinishRead(performance, path, shown);
  return result;
}

// A match file read: its events into `loaded`; false (and why in `result`) when it holds none.
bool TakeMatchFile(const MatchFile& file, const std::string& path, Performance& loaded, LoadResult& result) {
  if (!file.Ok()) {
    result.status = LoadStatus::CannotOpen;
    result.message = file.error;
    return false;
  }
  StoreScoreAligned(loaded, file, MakeScoreAlignedEvents(file));
  ReportSkipped(result, path, file.damagedLines, kMatchTerms);
  return true;
}

}  // namespace

LoadResult LoadMatchText(std::string_view text, const std::string& path, Performance& performance,
                         ProgressSink* progress) {
  LoadResult result;
  Performance loaded;
  loaded.settings = performance.settings;
  try {
    if (!TakeMatchFile(ParseMatchFile(text, path), path, loaded, result)) return result;
  } catch (const std::bad_alloc&) {
    return NotEnoughMemory(path);
  }
  return Finish(std::move(result), loaded, path, performance, progress);
}

LoadResult LoadGivenEvents(const std::string& path, bool isMatchFile, Performance& performance,
                           ProgressSink* progress) {
  LoadResult result;
  Performance loaded;
  loaded.settings = performance.settings;
  try {
    if (isMatchFile) {
      if (!TakeMatchFile(ReadMatchFile(path), path, loaded, result)) return result;
    } else {
      TimesList list = ReadTimesList(path, performance.settings.timesUnit);
      if (!list.Ok()) {
        result.status = LoadStatus::CannotOpen;
        result.message = list.error;
        return result;
      }
      StoreTimes(loaded, std::move(list.timesMs),
                 list.form == TimesListForm::Plain ? PerformanceSource::PlainTimes : PerformanceSource::LabelledTimes);
      if (list.wasUnsorted)
        AddWarning(result, FormatText(QT_TRANSLATE_NOOP("returnplot",
                                                        "The times in \"%1\" were not in order; they were sorted."),
                                      {path}));
    }
  } catch (const std::bad_alloc&) {
    return NotEnoughMemory(path);
  }
  return Finish(std::move(result), loaded, path, performance, progress);
}

}  // namespace rp
