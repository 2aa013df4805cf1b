// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a load of a performance file gave: whether it was read, what to tell
// the user, and what was left out; and what the readers of every kind share
// to say it.

#include <cstdint>
#include <limits>
#include <string>

#include "model/SkippedLines.h"

namespace rp {

class ProgressThrottle;
struct Performance;

enum class LoadStatus {
  Loaded,        // the file was read and analysed
  Cancelled,     // the file dialog or the load was cancelled; nothing changed
  CannotOpen,    // the file could not be opened or read; nothing changed
  ReadError,     // reading failed half-way; what was read is loaded
  TooLarge,      // more notes than the program can hold; nothing changed
  Unrecognised,  // no reader found anything it knows in the file; nothing changed
};

struct LoadResult {
  LoadStatus status = LoadStatus::Loaded;
  std::string message;  // for the user; empty when loaded without trouble
  // For the user, when loaded: what was left out or changed, in one message
  // (the summary of `skipped` first).
  std::string warning;
  SkippedLines skipped;          // the lines that look like notes (or terms) but could not be read
  SkippedKind skippedKind;       // what they looked like
  std::string path;              // the file chosen or named; empty when cancelled
  std::int64_t fieldCount = 0;   // every field of the file
  std::int64_t noteOnCount = 0;  // the note-ons among the note events loaded
  bool Ok() const { return status == LoadStatus::Loaded; }
};

// Whether the read gave a performance to take: loaded, or what was read
// before a read error.
bool KeepsPerformance(const LoadResult& result);

// Counts and indices are 32-bit.
inline constexpr std::int64_t kMaxNotes = std::numeric_limits<std::int32_t>::max() - 16;

LoadResult NotEnoughMemory(const std::string& path);
LoadResult Cancelled();
// Adds `sentence` to what the user is told after the load.
void AddWarning(LoadResult& result, const std::string& sentence);
void ReportSkipped(LoadResult& result, const std::string& path, SkippedLines skipped, SkippedKind kind);
// The end of a read that gave a performance: the progress window goes.
void FinishRead(Performance& performance, const std::string& path, ProgressThrottle& shown);
// The performance is about to take the notes of a listing or a MIDI file,
// whose onset events the cluster window makes.
void BecomeNotes(Performance& performance);
std::int64_t CountNoteOns(const Performance& performance);

}  // namespace rp
