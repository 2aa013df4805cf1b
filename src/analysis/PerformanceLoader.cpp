// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/PerformanceLoader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <span>

#include "analysis/GivenEvents.h"
#include "analysis/OnsetAnalysis.h"
#include "analysis/RecordingPerformance.h"
#include "analysis/ScoreAlignedEvents.h"
#include "base/Dialogs.h"
#include "base/ProgressThrottle.h"
#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "io/AsciiMidiReader.h"
#include "io/AsciiMidiWriter.h"
#include "io/FieldReader.h"
#include "io/MatchFileReader.h"
#include "io/RecordingReader.h"
#include "io/RecordingSignature.h"
#include "io/SplitNoteRead.h"
#include "io/StandardMidiFileReader.h"
#include "io/TextLike.h"
#include "io/TimesListReader.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "model/VelocityScale.h"

namespace rp {

namespace {

// Counts and indices are 32-bit.
constexpr std::int64_t kMaxNotes = std::numeric_limits<std::int32_t>::max() - 16;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// What the readers look for, for the message about a file none can read.
constexpr const char* kReadableKinds = QT_TRANSLATE_NOOP(
    "returnplot",
    "an ASCII MIDI listing (note lines like \"1; /* 0 ms */+60 64;\"), a Standard MIDI File, a match file or a "
    "recording (WAV, FLAC, Ogg/Vorbis or MP3)");

// How much of a file's start tells its kind.
constexpr std::size_t kHeadBytes = 4096;

// Opens `path` for reading if it is a regular file; otherwise nothing, with
// the reason in `why`. A folder, a FIFO or a device is refused: opening a
// FIFO would wait for a writer without end, and the two passes need a file
// that can be read again from its start.
std::FILE* OpenRegularFile(const std::string& path, std::string& why) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    why = std::strerror(errno);
    return nullptr;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    why = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : QT_TRANSLATE_NOOP("returnplot", "not a regular file");
    ::close(fd);
    return nullptr;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::FILE* file = ::fdopen(fd, "rb");
  if (file == nullptr) {
    why = std::strerror(errno);
    ::close(fd);
  }
  return file;
}

// The end of a read that gave a performance: the progress window goes.
void FinishRead(Performance& performance, const std::string& path, ProgressThrottle& shown) {
  performance.sourcePath = path;
  shown.SetCaption(QT_TRANSLATE_NOOP("returnplot", "Processing..."));
  shown.HideWindow();
}

std::int64_t CountNoteOns(const Performance& performance) {
  std::int64_t count = 0;
  for (const NoteEvent& n : performance.notes) count += n.isNoteOn;
  return count;
}

// The performance is about to take the notes of a listing or a MIDI file,
// whose onset events the cluster window makes.
void BecomeNotes(Performance& performance) {
  performance.source = PerformanceSource::Notes;
  performance.score.reset();
  performance.controllers.clear();
  performance.provenanceVelocityScale = 1.0;
}

LoadResult NotEnoughMemory(const std::string& path) {
  LoadResult result;
  result.status = LoadStatus::TooLarge;
  result.message = FormatText(QT_TRANSLATE_NOOP("returnplot", "Not enough memory to load \"%1\"."), {path});
  return result;
}

LoadResult Cancelled() {
  LoadResult result;
  result.status = LoadStatus::Cancelled;
  return result;
}

// A Standard MIDI File is read whole by its own reader.
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

constexpr SkippedKind kNoteLines{QT_TRANSLATE_NOOP("returnplot", "a note"), QT_TRANSLATE_NOOP("returnplot", "notes")};
constexpr SkippedKind kMatchTerms{QT_TRANSLATE_NOOP("returnplot", "a match-file term"),
                                  QT_TRANSLATE_NOOP("returnplot", "match-file terms")};

// Adds `sentence` to what the user is told after the load.
void AddWarning(LoadResult& result, const std::string& sentence) {
  if (sentence.empty()) return;
  if (!result.warning.empty()) result.warning += ' ';
  result.warning += sentence;
}

void ReportSkipped(LoadResult& result, const std::string& path, SkippedLines skipped, SkippedKind kind) {
  result.skipped = std::move(skipped);
  result.skippedKind = kind;
  AddWarning(result, SkippedLinesSummary(result.skipped, path, kind));
}

// What a listing's read found besides its notes, for the user: the note
// lines skipped and the note-ons that go back in time. Lines are counted in
// the open file `fd` only when there is something to say.
void ReportFindings(int fd, const std::string& path, const NoteLineFindings& found, LoadResult& result) {
  SkippedLines skipped;
  if (found.skipped > 0) {
    skipped.count = found.skipped;
    skipped.firstLine = LineNumberAt(fd, found.firstSkippedAt);
    skipped.firstText = found.firstSkippedText;
    skipped.firstReason = found.firstSkippedReason;
  }
  ReportSkipped(result, path, std::move(skipped), kNoteLines);
  if (found.earlier == 0) return;
  const std::string line = std::to_string(LineNumberAt(fd, found.firstEarlierAt));
  AddWarning(result, found.earlier == 1
                         ? FormatText(QT_TRANSLATE_NOOP("returnplot",
                                                        "In \"%1\", the note-on at line %2 is earlier than the note-on "
                                                        "before it; it is kept in file order and joins the onset event "
                                                        "before it."),
                                      {path, line})
                         : FormatText(QT_TRANSLATE_NOOP("returnplot",
                                                        "In \"%1\", %3 note-ons are earlier than the note-on before "
                                                        "them; the first at line %2. They are kept in file order, each "
                                                        "in the onset event before it."),
                                      {path, line, std::to_string(found.earlier)}));
}

// A match file or a list of times is read whole by its own reader, like a
// Standard MIDI File; its events come with it.
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
      const TimesList list = ReadTimesList(path, performance.settings.timesUnit);
      if (!list.Ok()) {
        result.status = LoadStatus::CannotOpen;
        result.message = list.error;
        return result;
      }
      StoreTimes(loaded, list.timesMs,
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

// A recording is read and its onsets found whole before anything of the
// current performance changes, so a failed or cancelled read leaves it as it
// was.
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

// After the file was read through once: false, with the reason in `result`,
// when a read failed, it holds more notes than a performance can, or it holds
// nothing any reader knows (no note line, and not text); the performance is
// then left as it was. A text file without a note line loads, with a warning.
bool ReadThrough(const std::string& path, int error, const FieldCounts& counts, bool text, LoadResult& result) {
  result.fieldCount = counts.fields;
  if (error != 0) {
    result.status = LoadStatus::CannotOpen;
    result.message =
        FormatText(QT_TRANSLATE_NOOP("returnplot", "Cannot read \"%1\": %2"), {path, std::strerror(error)});
    return false;
  }
  if (counts.noteLines > kMaxNotes) {
    result.status = LoadStatus::TooLarge;
    result.message =
        FormatText(QT_TRANSLATE_NOOP("returnplot", "\"%1\" holds more notes than returnplot can load."), {path});
    return false;
  }
  if (counts.noteLines == 0 && !text) {
    result.status = LoadStatus::Unrecognised;
    result.message = FormatText(
        QT_TRANSLATE_NOOP("returnplot", "Nothing in \"%1\" is a performance returnplot can read: it expected %2."),
        {path, kReadableKinds});
    return false;
  }
  if (counts.noteLines == 0) {
    result.warning =
        FormatText(QT_TRANSLATE_NOOP("returnplot",
                                     "\"%1\" holds no note line (\"1; /* 0 ms */+60 64;\"): the performance is empty."),
                   {path});
  }
  return true;
}

// A load nobody watches has no progress to show, so it needs no count
// beforehand: it reads the file once. Otherwise the same as the two passes
// below, except that a read error anywhere gives no performance. A large file
// is read in two halves at once.
LoadResult LoadUnwatched(std::FILE* file, const std::string& path, double velocityScale, Performance& performance,
                         bool text) {
  LoadResult result;
  std::vector<NoteEvent> notes;
  SplitReadResult read;
  try {
    // A note line and its line end take 24 bytes or more in any file worth
    // timing; a shorter guess only costs the vector a regrowth.
    struct stat info {};
    const std::int64_t bytes = ::fstat(::fileno(file), &info) == 0 ? info.st_size : 0;
    StartRecords(notes, static_cast<std::size_t>(std::min<std::int64_t>(bytes / 24, kMaxNotes)));
    read = ReadAllNotesInHalves(::fileno(file), bytes, notes, kMaxNotes);
  } catch (const std::bad_alloc&) {
    return NotEnoughMemory(path);
  }
  const FieldCounts& counts = read.counts;
  if (!ReadThrough(path, read.error, counts, text, result)) return result;
  NullProgressSink none;
  ProgressThrottle shown(none);
  performance.notes = std::move(notes);
  BecomeNotes(performance);
  performance.provenanceVelocityScale = velocityScale;
  ForgetRecordingLoudness(performance);
  result.noteOnCount = counts.noteOns;  // counted while reading: no walk of its own
  ReportFindings(::fileno(file), path, counts.found, result);
  AnalyseOnsets(performance);  // nothing shown: the analysis in one walk
  FinishRead(performance, path, shown);
  return result;
}

LoadResult ReadAnyPerformanceFile(const std::string& path, Performance& performance, ProgressSink* progress) {
  LoadResult result;
  std::string why;
  std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFile(path, why));
  if (!file) {
    result.status = LoadStatus::CannotOpen;
    result.message = FormatText(QT_TRANSLATE_NOOP("returnplot", "Cannot open \"%1\": %2"), {path, why});
    return result;
  }
  // Every kind of performance file is recognised by its content.
  std::uint8_t headBytes[kHeadBytes] = {};
  const std::span<const std::uint8_t> head(headBytes, std::fread(headBytes, 1, sizeof headBytes, file.get()));
  if (LooksLikeStandardMidiFile(head)) {
    file.reset();
    return LoadMidiFile(path, performance, progress);
  }
  if (LooksLikeRecording(head)) {
    file.reset();
    return LoadRecordingFile(path, performance, progress);
  }
  const bool text = LooksLikeText(head);
  std::rewind(file.get());
  const std::string_view textHead(reinterpret_cast<const char*>(head.data()), head.size());
  if (LooksLikeMatchFile(textHead) || LooksLikeTimesList(textHead)) {
    const bool isMatchFile = LooksLikeMatchFile(textHead);
    file.reset();
    return LoadGivenEvents(path, isMatchFile, performance, progress);
  }
  // Everything else is read as an ASCII MIDI listing, replayed louder
  // unless this program wrote it.
  const double velocityScale = IsOwnListing(textHead) ? 1.0 : kOtherListingVelocityScale;
  if (progress == nullptr) return LoadUnwatched(file.get(), path, velocityScale, performance, text);

  // First pass: counts for the progress and the records. Its buffer grows to
  // the longest field.
  FieldReader fields(file.get());
  FieldCounts counts;
  try {
    counts = CountFields(fields);
  } catch (const std::bad_alloc&) {
    return NotEnoughMemory(path);
  }
  if (!ReadThrough(path, fields.Error(), counts, text, result)) return result;
  if (progress->CancelRequested()) return Cancelled();

  ProgressThrottle shown(*progress);
  BecomeNotes(performance);
  performance.provenanceVelocityScale = velocityScale;
  shown.ShowWindow();
  shown.SetRange(0, counts.fields);
  shown.SetValue(1);

  try {
    // Sized by the note lines, not by the fields: a file of nothing but
    // commas must not cost a record per comma.
    const auto noteLines = static_cast<std::size_t>(counts.noteLines);
    StartRecords(performance.notes, noteLines);
    shown.SetCaption(QT_TRANSLATE_NOOP("returnplot", "Loading..."));
    FieldCounts read;
    if (fields.Rewind()) read = ReadNotes(fields, performance.notes, noteLines, shown);
    ForgetRecordingLoudness(performance);
    ReportFindings(::fileno(file.get()), path, read.found, result);
    if (fields.Error() != 0) {
      result.status = LoadStatus::ReadError;
      result.message = FormatText(QT_TRANSLATE_NOOP("returnplot", "Reading \"%1\" failed after %2 notes: %3"),
                                  {path, std::to_string(performance.NoteCount()), std::strerror(fields.Error())});
    }
    AnalyseOnsets(performance, &shown);
    result.noteOnCount = CountNoteOns(performance);
  } catch (const std::bad_alloc&) {
    shown.HideWindow();
    return NotEnoughMemory(path);
  }
  FinishRead(performance, path, shown);
  return result;
}

}  // namespace

LoadResult ReadPerformanceFile(const std::string& path, Performance& fresh, ProgressSink* progress) {
  try {
    return ReadAnyPerformanceFile(path, fresh, progress);
  } catch (const WorkCancelled&) {
    if (progress) progress->HideWindow();
    return Cancelled();
  }
}

bool KeepsPerformance(const LoadResult& result) {
  return result.status == LoadStatus::Loaded || result.status == LoadStatus::ReadError;
}

void TakeLoadedPerformance(Performance& performance, Performance&& fresh, const LoadHooks& hooks) {
  performance = std::move(fresh);
  if (hooks.updateAllData) hooks.updateAllData();
  if (hooks.stopAutoRotation) hooks.stopAutoRotation();
  if (hooks.stopReplay) hooks.stopReplay();
  if (hooks.position) hooks.position->currentEvent = 1;
  if (hooks.setTimeSliderMaximum) hooks.setTimeSliderMaximum(performance.EventCount());
  if (hooks.updateTimeDisplay) hooks.updateTimeDisplay();
}

LoadResult LoadPerformanceFile(const std::string& path, Performance& performance, const LoadHooks& hooks) {
  Performance fresh;
  fresh.settings = performance.settings;
  LoadResult result = ReadPerformanceFile(path, fresh, hooks.progress);
  if (KeepsPerformance(result)) TakeLoadedPerformance(performance, std::move(fresh), hooks);
  return result;
}

OpenFileRequest PerformanceFileRequest(std::string title) {
  OpenFileRequest request;
  request.title = std::move(title);
  // Every kind the loader reads, together first, so that a folder of any
  // of them never looks empty.
  // Each label is marked on its own: the windows translate the labels.
  request.filter = std::string(QT_TRANSLATE_NOOP("returnplot", "All performances")) +
                   "|*.txt;*.mid;*.midi;*.match;*.csv;*.wav;*.flac;*.ogg;*.mp3|" +
                   QT_TRANSLATE_NOOP("returnplot", "(*.txt) ASCII MIDI files") + "|*.txt|" +
                   QT_TRANSLATE_NOOP("returnplot", "(*.mid;*.midi) MIDI files") + "|*.mid;*.midi|" +
                   QT_TRANSLATE_NOOP("returnplot", "(*.match) Match files") + "|*.match|" +
                   QT_TRANSLATE_NOOP("returnplot", "(*.txt;*.csv) Lists of times") + "|*.txt;*.csv|" +
                   QT_TRANSLATE_NOOP("returnplot", "(*.wav;*.flac;*.ogg;*.mp3) Recordings") +
                   "|*.wav;*.flac;*.ogg;*.mp3|" + QT_TRANSLATE_NOOP("returnplot", "(*) All files") + "|*|";
  request.defaultExtension = "txt";
  return request;
}

std::optional<std::string> PerformanceLoader::ChoosePath(const std::string& folder) {
  OpenFileRequest request = PerformanceFileRequest(QT_TRANSLATE_NOOP("returnplot", "Open ASCII MIDI File"));
  request.initialDir = folder;
  return dialogs_.OpenFile(request);
}

LoadResult PerformanceLoader::ChooseAndOpen(const std::string& folder) {
  if (hooks_.stopReplay) hooks_.stopReplay();
  const std::optional<std::string> path = ChoosePath(folder);
  if (!path) return Cancelled();
  return LoadAndReport(*path);
}

LoadResult PerformanceLoader::Open(const std::string& path) {
  if (hooks_.stopReplay) hooks_.stopReplay();
  return LoadAndReport(path);
}

LoadResult PerformanceLoader::LoadAndReport(const std::string& path) {
  LoadResult result = LoadPerformanceFile(path, performance_, hooks_);
  result.path = path;
  Report(result);
  return result;
}

void PerformanceLoader::Report(const LoadResult& result) {
  if (!result.message.empty()) dialogs_.ShowMessage(result.message, MessageKind::Error);
  if (!result.warning.empty()) dialogs_.ShowMessage(result.warning, MessageKind::Information);
}

}  // namespace rp
