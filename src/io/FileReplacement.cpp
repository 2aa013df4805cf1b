// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace rp {

FileReplacement::~FileReplacement() {
  if (!temporary_.empty() && !committed_) std::remove(temporary_.c_str());
}

namespace {

// Gives the new file `fd` the owner and group of the file it replaces; ""
// when done, else why not. The permission bits follow at the commit: a
// read-only file's bits now would keep its writer from writing.
std::string KeepOwner(int fd, const struct stat& old) {
  struct stat made {};
  if (::fstat(fd, &made) != 0) return std::strerror(errno);
  if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
    return "it belongs to another user or group, which a new file cannot keep";
  }
  return {};
}

}  // namespace

std::string FileReplacement::Begin() {
  // A file replaced keeps its permission bits, owner and group: a private
  // file stays private. What cannot be kept is refused before anything is written.
  struct stat old {};
  const bool replaces = ::stat(path_.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  // The process id keeps two runs apart; the count a name left by a killed
  // run of an earlier process with the same id.
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name =
        path_ + "." + std::to_string(::getpid()) + (attempt > 0 ? "-" + std::to_string(attempt) : "") + ".part";
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replaces ? 0600 : 0666);
    if (fd >= 0) {
      const std::string kept = replaces ? KeepOwner(fd, old) : std::string();
      ::close(fd);
      if (!kept.empty()) {
        std::remove(name.c_str());
        return "Cannot replace \"" + path_ + "\": " + kept + ".";
      }
      temporary_ = std::move(name);
      if (replaces) keptMode_ = old.st_mode & 07777;
      return {};
    }
    if (errno != EEXIST) break;
  }
  return "Cannot write \"" + path_ + "\": " + std::strerror(errno) + ".";
}

namespace {

// Has the system put `path`'s bytes (or a folder's entries) on the disk.
bool Sync(const char* path, int flags) {
  const int fd = ::open(path, flags | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  return ::close(fd) == 0 && synced;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string FileReplacement::Commit() {
  // The bytes reach the disk before the name does, and the name before the
  // caller removes anything the file replaces (a take's recovery file): a
  // power loss then leaves the old file or the whole new one.
  if (!Sync(temporary_.c_str(), O_RDONLY) ||
      (keptMode_ >= 0 && ::chmod(temporary_.c_str(), static_cast<mode_t>(keptMode_)) != 0) ||
      std::rename(temporary_.c_str(), path_.c_str()) != 0) {
    return "Cannot write \"" + path_ + "\": " + std::strerror(errno) + ".";
  }
  committed_ = true;
  (void)Sync(FolderOf(path_).c_str(), O_RDONLY | O_DIRECTORY);
  return {};
}

std::string FileReplacement::AsFinal(std::string message) const {
  if (temporary_.empty()) return message;
  for (std::size_t at = message.find(temporary_); at != std::string::npos;
       at = message.find(temporary_, at + path_.size())) {
    message.replace(at, temporary_.size(), path_);
  }
  return message;
}

}  // namespace rp
