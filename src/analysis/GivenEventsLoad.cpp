// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/GivenEventsLoad.h"

#include <new>
#include <utility>

#include "analysis/GivenEvents.h"
#include "analysis/ScoreAlignedEvents.h"
#include "base/ProgressSink.h"
#include "base/ProgressThrottle.h"
#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "io/MatchFileReader.h"
#include "io/TimesListReader.h"
#include "model/Performance.h"

namespace rp {

namespace {

constexpr SkippedKind kMatchTerms{QT_TRANSLATE_NOOP("returnplot", "a match-file term"),
                                  QT_TRANSLATE_NOOP("returnplot", "match-file terms")};

}  // namespace

LoadResult LoadGivenEvents(const std::string& path, bool isMatchFile, Performance& performance,
                           ProgressSink* progress) {
  LoadResult result;
  Performance loaded;
  loaded.settings = performance.settings;
  try {
    if (isMatchFile) {
      const MatchFile file = ReadMatchFile(path);
      if (!file.Ok()) {
        result.status = LoadStatus::CannotOpen;
        result.message = file.error;
        return result;
      }
      StoreScoreAligned(loaded, file, MakeScoreAlignedEvents(file));
      ReportSkipped(result, path, file.damagedLines, kMatchTerms);
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
  performance = std::move(loaded);
  NullProgressSink none;
  ProgressThrottle shown(progress ? *progress : none);
  result.noteOnCount = CountNoteOns(performance);
  FinishRead(performance, path, shown);
  return result;
}

}  // namespace rp
