// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/SplitNoteRead.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <iterator>
#include <limits>
#include <system_error>
#include <thread>
#include <utility>

#include "io/FieldReader.h"

namespace rp {

namespace {

// How far past the middle a line feed is looked for; a file without one
// there is read by one thread.
constexpr std::int64_t kSearchLimit = std::int64_t{1} << 20;

// The offset just after the first line end (LF, CR LF or a lone CR) at or
// after the middle of the file, or 0 when there is none close enough or the
// file cannot be read.
std::int64_t FindCut(int fd, std::int64_t size) {
  char block[4096];
  const std::int64_t from = size / 2;
  for (std::int64_t at = from; at < size && at < from + kSearchLimit;) {
    ssize_t got;
    do {
      got = ::pread(fd, block, sizeof block, static_cast<off_t>(at));
    } while (got < 0 && errno == EINTR);
    if (got <= 0) return 0;
    const auto n = static_cast<std::int64_t>(got);
    std::int64_t i = 0;
    while (i < n && block[i] != '\n' && block[i] != '\r') ++i;
    if (i == n) {
      at += n;
      continue;
    }
    if (block[i] == '\r' && i + 1 == n && i > 0 && at + n < size) {
      at += i;  // whether an LF follows the CR is in the next block
      continue;
    }
    const std::int64_t cut = at + i + 1 + (block[i] == '\r' && i + 1 < n && block[i + 1] == '\n' ? 1 : 0);
    return cut < size ? cut : 0;
  }
  return 0;
}

// What the second half's thread leaves behind.
struct SecondHalf {
  std::vector<NoteEvent> notes;
  FieldCounts counts;
  int error = 0;
  std::exception_ptr failure;  // a bad_alloc, rethrown by the first half's thread
};

SplitReadResult ReadFromStart(FieldReader& fields, std::vector<NoteEvent>& notes, std::int64_t limit,
                              FieldCounts counts) {
  counts = ReadAllNotes(fields, notes, limit, INT64_MAX, std::move(counts));
  return {std::move(counts), fields.Error(), false};
}

// What the whole file's read found, from what its first half found and
// what the second one did; `joinAt` is the offset of the second half's first
// note-on when that one is earlier than the first half's last (-1 if not).
void JoinFindings(NoteLineFindings& first, const NoteLineFindings& second, std::int64_t joinAt) {
  if (first.skipped == 0) {
    first.firstSkippedAt = second.firstSkippedAt;
    first.firstSkippedText = second.firstSkippedText;
    first.firstSkippedReason = second.firstSkippedReason;
  }
  first.skipped += second.skipped;
  const bool joinEarlier = joinAt >= 0;
  if (first.earlier == 0) first.firstEarlierAt = joinEarlier ? joinAt : second.firstEarlierAt;
  first.earlier += second.earlier + (joinEarlier ? 1 : 0);
  if (second.lastNoteOnMs > -std::numeric_limits<double>::infinity()) first.lastNoteOnMs = second.lastNoteOnMs;
}

}  // namespace

SplitReadResult ReadAllNotesInHalves(int fd, std::int64_t size, std::vector<NoteEvent>& notes, std::int64_t limit,
                                     std::int64_t minSplitBytes) {
  FieldReader first(fd, 0);
  const std::int64_t cut =
      size >= minSplitBytes && size >= 2 && std::thread::hardware_concurrency() != 1 ? FindCut(fd, size) : 0;
  if (cut <= 0) return ReadFromStart(first, notes, limit, {});

  SecondHalf second;
  std::thread worker;
  try {
    worker = std::thread([&second, fd, cut, size, limit] {
      try {
        // The same guess of 24 bytes a note as the caller's.
        second.notes.reserve(static_cast<std::size_t>((size - cut) / 24 + 1));
        AskForLargePages(second.notes.data(), second.notes.capacity() * sizeof(NoteEvent));
        FieldReader fields(fd, cut);
        second.counts = ReadAllNotes(fields, second.notes, limit);
        second.error = fields.Error();
      } catch (...) {
        second.failure = std::current_exception();
      }
    });
  } catch (const std::system_error&) {
    return ReadFromStart(first, notes, limit, {});  // no thread to be had: one reader does it all
  }

  FieldCounts counts;
  try {
    counts = ReadAllNotes(first, notes, limit, cut);
  } catch (...) {
    worker.join();
    throw;
  }
  worker.join();
  if (first.Error() != 0 || first.Offset() < cut) return {counts, first.Error(), false};  // ended before the cut
  if (first.Offset() > cut) return ReadFromStart(first, notes, limit, counts);            // a field ran across it
  if (second.failure) std::rethrow_exception(second.failure);

  const std::int64_t room = std::max<std::int64_t>(limit - counts.Read(), 0);
  // The second half read its first note-on without the one before it.
  std::int64_t joinAt = -1;
  const auto firstOn =
      std::find_if(second.notes.begin(), second.notes.end(), [](const NoteEvent& n) { return n.isNoteOn; });
  if (firstOn != second.notes.end() && firstOn->timeMs < counts.found.lastNoteOnMs) {
    FieldReader again(fd, cut);
    joinAt = FindNoteLine(again, firstOn - second.notes.begin());
  }
  JoinFindings(counts.found, second.counts.found, joinAt);
  const auto taken = static_cast<std::ptrdiff_t>(std::min<std::int64_t>(room, std::ssize(second.notes)));
  notes.insert(notes.end(), second.notes.begin(), second.notes.begin() + taken);
  counts.fields += second.counts.fields;
  counts.noteLines += second.counts.noteLines;
  counts.noteOns += taken == std::ssize(second.notes)
                        ? second.counts.noteOns
                        : std::count_if(second.notes.begin(), second.notes.begin() + taken,
                                        [](const NoteEvent& n) { return n.isNoteOn; });
  return {std::move(counts), second.error, true};
}

}  // namespace rp
