// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps a take on disk while it is played: every note event is appended to a
// file as one ASCII MIDI line, and what was appended is handed to the system
// at least once a second, so a crash of the program loses at most the last
// second. Closing writes the rest and waits until it is on the disk (fsync),
// so a take ended by a signal survives a power cut. The file is left in
// place when the writer goes; the owner removes it once the take is saved
// for good.

#include <chrono>
#include <cstdio>
#include <string>

#include "model/Performance.h"

namespace rp {

class TakeWriter {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr Clock::duration kFlushEvery = std::chrono::seconds(1);

  TakeWriter() = default;
  ~TakeWriter();
  TakeWriter(const TakeWriter&) = delete;
  TakeWriter& operator=(const TakeWriter&) = delete;

  // Starts a new file at `path`, in a folder that exists. False, with
  // Error() set, when it cannot be made; a file or link already there is
  // never touched, and the error names it (an empty file, which holds no
  // take, is made anew).
  bool Open(const std::string& path, Clock::time_point now);
  void Append(const NoteEvent& note, Clock::time_point now);
  // Hands unwritten lines to the system once kFlushEvery has passed since the
  // last time; call it regularly, also when no note comes.
  void Tick(Clock::time_point now);
  // Writes the rest, has the system put it on the disk and closes the file;
  // false when anything failed to be written.
  bool Close();

  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Path() const { return path_; }
  const std::string& Error() const { return error_; }

 private:
  void Flush(Clock::time_point now);

  std::FILE* file_ = nullptr;
  std::string path_;
  std::string error_;
  bool unflushed_ = false;
  bool failed_ = false;
  Clock::time_point lastFlush_{};
};

}  // namespace rp
