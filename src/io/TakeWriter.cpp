// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/TakeWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "io/AsciiMidiWriter.h"

namespace rp {

namespace {

std::string SystemError() { return std::strerror(errno); }

// Read and write for the user, read for the others, less what the umask takes.
constexpr mode_t kTakeFileMode = 0644;

// A file made by this call, never one that was there, nor through a link.
int OpenNewFile(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kTakeFileMode);
}

// A regular file of no bytes (a link is none).
bool IsEmptyFile(const std::string& path) {
  struct stat there {};
  return ::lstat(path.c_str(), &there) == 0 && S_ISREG(there.st_mode) && there.st_size == 0;
}

}  // namespace

TakeWriter::~TakeWriter() { Close(); }

bool TakeWriter::Open(const std::string& path, Clock::time_point now) {
  Close();
  path_ = path;
  error_.clear();
  failed_ = false;
  // Made here and now, never through a link: an earlier take left in the
  // file is kept, and a link planted in its place writes nothing elsewhere.
  int fd = OpenNewFile(path);
  // An empty file holds no take (one killed before its first line reached
  // the disk): it gives way.
  if (fd < 0 && errno == EEXIST && IsEmptyFile(path) && ::unlink(path.c_str()) == 0) fd = OpenNewFile(path);
  if (fd < 0) {
    error_ = errno == EEXIST ? "An earlier take is kept in " + path +
                                   "; open it and save it, or move it away, before recording again."
                             : "The take cannot be written to " + path + ": " + SystemError() + ".";
    return false;
  }
  file_ = ::fdopen(fd, "w");
  if (!file_) {
    error_ = "The take cannot be written to " + path + ": " + SystemError() + ".";
    ::close(fd);
    std::remove(path.c_str());
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
