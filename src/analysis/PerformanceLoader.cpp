// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/PerformanceLoader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>

#include "analysis/GivenEventsLoad.h"
#include "analysis/ListingLoad.h"
#include "analysis/MidiFileLoad.h"
#include "analysis/PerformanceFileKind.h"
#include "analysis/RecordingLoad.h"
#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "frontend/ProgressSink.h"
#include "io/TextLike.h"
#include "model/Performance.h"
#include "model/VelocityScale.h"
#include "score/ScoreAlignmentRun.h"

namespace rp {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

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

LoadResult ReadAnyPerformanceFile(const std::string& path, Performance& performance, ProgressSink* progress) {
  std::string why;
  std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFile(path, why));
  if (!file) {
    LoadResult result;
    result.status = LoadStatus::CannotOpen;
    result.message = FormatText(QT_TRANSLATE_NOOP("returnplot", "Cannot open \"%1\": %2"), {path, why});
    return result;
  }
  std::uint8_t headBytes[kHeadBytes] = {};
  const std::span<const std::uint8_t> head(headBytes, std::fread(headBytes, 1, sizeof headBytes, file.get()));
  if (StartsAsUtf16Text(head)) {
    LoadResult result;
    result.status = LoadStatus::Unrecognised;
    result.message = FormatText(
        QT_TRANSLATE_NOOP("returnplot", "\"%1\" is a UTF-16 text file; returnplot reads text saved as UTF-8."), {path});
    return result;
  }
  const RecognisedFile found = RecognisePerformanceFile(head);
  switch (found.kind) {
    case PerformanceFileKind::MidiFile:
      file.reset();
      return LoadMidiFile(path, performance, progress);
    case PerformanceFileKind::Recording:
      file.reset();
      return LoadRecordingFile(path, performance, progress);
    case PerformanceFileKind::MatchFile:
    case PerformanceFileKind::TimesList:
      file.reset();
      return LoadGivenEvents(path, found.kind == PerformanceFileKind::MatchFile, performance, progress);
    case PerformanceFileKind::Listing:
      break;
  }
  // A listing is replayed louder unless this program wrote it.
  std::rewind(file.get());
  const double velocityScale = found.ownListing ? 1.0 : kOtherListingVelocityScale;
  return LoadListing(file.get(), path, velocityScale, found.text, performance, progress);
}

}  // namespace

// The performance at `path` read as it is, then aligned to the score its
// settings name and read again from the alignment's match text.
LoadResult ReadAlignedToScore(const std::string& path, Performance& fresh, ProgressSink* progress) {
  Performance played;
  played.settings = fresh.settings;
  played.settings.scoreFile.clear();
  LoadResult read = ReadAnyPerformanceFile(path, played, progress);
  if (!KeepsPerformance(read)) return read;
  if (progress) progress->SetCaption(QT_TRANSLATE_NOOP("returnplot", "Aligning to the score..."));
  const ScoreAlignmentRun run = AlignToScore(fresh.settings.scoreFile, played, path);
  if (!run.Ok()) {
    LoadResult failed;
    failed.status = LoadStatus::CannotOpen;
    failed.message = run.error;
    return failed;
  }
  LoadResult aligned = LoadMatchText(run.matchText, path, fresh, progress);
  // What the read of the performance itself said stays said.
  if (aligned.message.empty()) aligned.message = read.message;
  if (aligned.warning.empty()) aligned.warning = read.warning;
  if (aligned.skipped.count == 0) {
    aligned.skipped = read.skipped;
    aligned.skippedKind = read.skippedKind;
  }
  return aligned;
}

LoadResult ReadPerformanceFile(const std::string& path, Performance& fresh, ProgressSink* progress) {
  try {
    if (!fresh.settings.scoreFile.empty()) return ReadAlignedToScore(path, fresh, progress);
    return ReadAnyPerformanceFile(path, fresh, progress);
  } catch (const WorkCancelled&) {
    if (progress) progress->HideWindow();
    return Cancelled();
  }
}

LoadResult LoadPerformanceFile(const std::string& path, Performance& performance, ProgressSink* progress) {
  Performance fresh;
  fresh.settings = performance.settings;
  LoadResult result = ReadPerformanceFile(path, fresh, progress);
  if (KeepsPerformance(result)) performance = std::move(fresh);
  return result;
}

}  // namespace rp
