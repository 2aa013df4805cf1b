// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loading a performance file, from the "Open performance..." button or the command
// line: an ASCII MIDI listing, a Standard MIDI File, a match file (a
// performance aligned to its score), a list of times or a recording, told
// apart by content. Read every note event into the performance's notes (for
// a listing two passes: count, then fill an array sized once), make the onset
// events (the onset analysis, or the events the file gives), and end the
// load (the view rebuilds its points, replay stopped, the first event current,
// time display updated). A plain list of times is read in the unit of the
// performance's settings.
//
// The file is read into a new performance, which takes the place of the
// loaded one only when the read has ended: a file that cannot be opened or
// read, or a load that is cancelled, leaves the performance as it was, and
// the read can run on a thread of its own while the windows go on showing
// and replaying the loaded one.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/Dialogs.h"
#include "model/SkippedLines.h"

namespace rp {

class ProgressSink;
struct Performance;
struct ReplayPosition;

// What the load asks of the windows around it. Every member may be left empty.
struct LoadHooks {
  ProgressSink* progress = nullptr;                        // progress window and count labels
  ReplayPosition* position = nullptr;                      // made to stand at the first event
  std::function<void()> stopReplay;                        // the replay's stop
  std::function<void()> updateAllData;                     // the view rebuilds all its points
  std::function<void()> stopAutoRotation;                  // the plot stops turning by itself
  std::function<void(std::int32_t)> setTimeSliderMaximum;  // to `PlotEventCount`
  std::function<void()> updateTimeDisplay;                 // the control panel's time display
};

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

// The file dialog of performance files under `title`: "All performances"
// (every kind the loader reads) first, then ASCII MIDI listings (*.txt),
// MIDI files, match files, lists of times and all files.
OpenFileRequest PerformanceFileRequest(std::string title);

// Reads and analyses `path` into `fresh`, a performance of its own that holds
// the settings to use and that nothing else sees meanwhile; any thread may
// run it. `progress` (null: a load nobody watches) shows the passes, and a
// cancel it asks for (ProgressSink::CancelRequested) ends the read as
// LoadStatus::Cancelled.
LoadResult ReadPerformanceFile(const std::string& path, Performance& fresh, ProgressSink* progress);
// Whether the read gave a performance to take: loaded, or what was read
// before a read error.
bool KeepsPerformance(const LoadResult& result);
// The end of a load (on the UI thread): `fresh` becomes `performance`, and
// the windows follow through `hooks`.
void TakeLoadedPerformance(Performance& performance, Performance&& fresh, const LoadHooks& hooks);

// The whole load of `path` into `performance` without any dialog, on this
// thread; failures are returned, not shown.
LoadResult LoadPerformanceFile(const std::string& path, Performance& performance, const LoadHooks& hooks = {});

// The control panel's side of loading: the file dialog, and messages for
// files that cannot be loaded.
class PerformanceLoader {
 public:
  PerformanceLoader(Dialogs& dialogs, Performance& performance, LoadHooks hooks)
      : dialogs_(dialogs), performance_(performance), hooks_(std::move(hooks)) {}

  // The file dialog of "Open performance..." ("Open ASCII MIDI File", all
  // performances first, then each kind and all files) starting in `folder`
  // (empty: the dialog's own choice): the chosen file, or nothing when
  // cancelled.
  std::optional<std::string> ChoosePath(const std::string& folder = {});
  // Stops the replay, asks for a file and loads it on this thread.
  LoadResult ChooseAndOpen(const std::string& folder = {});
  // Stops the replay and loads `path` on this thread.
  LoadResult Open(const std::string& path);
  // Shows what went wrong in a load, and what was left out.
  void Report(const LoadResult& result);

 private:
  LoadResult LoadAndReport(const std::string& path);
  Dialogs& dialogs_;
  Performance& performance_;
  LoadHooks hooks_;
};

}  // namespace rp
