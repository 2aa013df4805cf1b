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
// A file that cannot be opened or read leaves the performance as it was.

#include <cstdint>
#include <functional>
#include <string>

#include "base/Dialogs.h"

namespace rp {

class ProgressSink;
struct Performance;
struct ReplayPosition;

// What the load asks of the windows around it. Every member may be left empty.
struct LoadHooks {
  ProgressSink* progress = nullptr;                        // progress window and count labels
  ReplayPosition* position = nullptr;                      // made to stand at the first event
  std::function<void()> processPendingEvents;              // let pending window events run
  std::function<void()> stopReplay;                        // the replay's stop
  std::function<void()> updateAllData;                     // the view rebuilds all its points
  std::function<void()> stopAutoRotation;                  // the plot stops turning by itself
  std::function<void(std::int32_t)> setTimeSliderMaximum;  // to `PlotEventCount`
  std::function<void()> updateTimeDisplay;                 // the control panel's time display
};

enum class LoadStatus {
  Loaded,        // the file was read and analysed
  Cancelled,     // the file dialog or the reading of a recording was cancelled; nothing changed
  CannotOpen,    // the file could not be opened or read; nothing changed
  ReadError,     // reading failed half-way; what was read is loaded
  TooLarge,      // more notes than the program can hold; nothing changed
  Unrecognised,  // no reader found anything it knows in the file; nothing changed
};

struct LoadResult {
  LoadStatus status = LoadStatus::Loaded;
  std::string message;           // for the user; empty when loaded without trouble
  std::string warning;           // for the user, when loaded: what was left out or changed
  std::string path;              // the file chosen or named; empty when cancelled
  std::int64_t fieldCount = 0;   // every field of the file
  std::int64_t noteOnCount = 0;  // the note-ons among the note events loaded
  bool Ok() const { return status == LoadStatus::Loaded; }
};

// The file dialog of performance files under `title`: ASCII MIDI listings
// (*.txt) first, then MIDI files, match files, lists of times and all files.
OpenFileRequest PerformanceFileRequest(std::string title);

// The whole load of `path` into `performance` without any dialog; failures
// are returned, not shown.
LoadResult LoadPerformanceFile(const std::string& path, Performance& performance, const LoadHooks& hooks = {});

// The control panel's side of loading: the file dialog, and messages for
// files that cannot be loaded.
class PerformanceLoader {
 public:
  PerformanceLoader(Dialogs& dialogs, Performance& performance, LoadHooks hooks)
      : dialogs_(dialogs), performance_(performance), hooks_(std::move(hooks)) {}

  // "Open performance...": stops the replay, asks for a file ("Open ASCII MIDI
  // File", *.txt first, then the other kinds and all files) starting in
  // `folder` (empty: the dialog's own choice), loads it.
  LoadResult ChooseAndOpen(const std::string& folder = {});
  // Stops the replay and loads `path` (a file named on the command line).
  LoadResult Open(const std::string& path);

 private:
  LoadResult LoadAndReport(const std::string& path);
  Dialogs& dialogs_;
  Performance& performance_;
  LoadHooks hooks_;
};

}  // namespace rp
