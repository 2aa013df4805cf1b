// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ListingLoad.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "analysis/OnsetAnalysis.h"
#include "analysis/RecordingPerformance.h"
#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "frontend/ProgressSink.h"
#include "frontend/ProgressThrottle.h"
#include "io/AsciiMidiReader.h"
#include "io/FieldReader.h"
#include "io/SplitNoteRead.h"
#include "io/TextLike.h"
#include "model/Performance.h"

namespace rp {

namespace {

// What the readers look for, for the message about a file none can read.
constexpr const char* kReadableKinds = QT_TRANSLATE_NOOP(
    "returnplot",
    "an ASCII MIDI listing (note lines like \"1; /* 0 ms */+60 64;\"), a Standard MIDI File, a match file or a "
    "recording (WAV, FLAC, Ogg/Vorbis or MP3)");

constexpr SkippedKind kNoteLines{QT_TRANSLATE_NOOP("returnplot", "a note"), QT_TRANSLATE_NOOP("returnplot", "notes")};

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

}  // namespace

LoadResult LoadListing(std::FILE* file, const std::string& path, double velocityScale, bool text,
                       Performance& performance, ProgressSink* progress) {
  LoadResult result;
  if (progress == nullptr) return LoadUnwatched(file, path, velocityScale, performance, text);

  // First pass: counts for the progress and the records. Its buffer grows to
  // the longest field.
  FieldReader fields(file);
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
    ReportFindings(::fileno(file), path, read.found, result);
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

}  // namespace rp
