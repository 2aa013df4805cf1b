// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/TakeWriter.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "io/AsciiMidiWriter.h"

namespace rp {

namespace {

std::string SystemError() { return std::strerror(errno); }

void MakeParentFolder(const std::string& path) {
  const auto parent = std::filesystem::path(path).parent_path();
  std::error_code ignored;
  if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
}

}  // namespace

TakeWriter::~TakeWriter() { Close(); }

bool TakeWriter::Open(const std::string& path, Clock::time_point now) {
  Close();
  path_ = path;
  error_.clear();
  failed_ = false;
  MakeParentFolder(path);
  file_ = std::fopen(path.c_str(), "w");
  if (!file_) {
    error_ = "The take cannot be written to " + path + ": " + SystemError() + ".";
    return false;
  }
  // A recovered take replays as played, like the listing saved from it.
  const std::string first = std::string(kOwnListingLine) + '\n';
  if (std::fwrite(first.data(), 1, first.size(), file_) != first.size()) failed_ = true;
  lastFlush_ = now;
  unflushed_ = true;
  return true;
}

void TakeWriter::Append(const NoteEvent& note, Clock::time_point now) {
  if (!file_) return;
  std::string line = AsciiMidiLine(note);
  line += '\n';
  if (std::fwrite(line.data(), 1, line.size(), file_) != line.size()) failed_ = true;
  unflushed_ = true;
  Tick(now);
}

void TakeWriter::Tick(Clock::time_point now) {
  if (file_ && unflushed_ && now - lastFlush_ >= kFlushEvery) Flush(now);
}

void TakeWriter::Flush(Clock::time_point now) {
  if (std::fflush(file_) != 0) failed_ = true;
  unflushed_ = false;
  lastFlush_ = now;
}

bool TakeWriter::Close() {
  if (!file_) return !failed_;
  if (std::fflush(file_) != 0 || ::fsync(::fileno(file_)) != 0) failed_ = true;
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  if (failed_ && error_.empty()) error_ = "Writing the take to " + path_ + " failed: " + SystemError() + ".";
  return !failed_;
}

}  // namespace rp
