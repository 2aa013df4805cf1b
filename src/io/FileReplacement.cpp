// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/FileReplacement.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace rp {

FileReplacement::~FileReplacement() {
  if (!temporary_.empty() && !committed_) std::remove(temporary_.c_str());
}

std::string FileReplacement::Begin() {
  // The process id keeps two runs apart; the count a name left by a killed
  // run of an earlier process with the same id.
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name =
        path_ + "." + std::to_string(::getpid()) + (attempt > 0 ? "-" + std::to_string(attempt) : "") + ".part";
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      temporary_ = std::move(name);
      return {};
    }
    if (errno != EEXIST) break;
  }
  return "Cannot write \"" + path_ + "\": " + std::strerror(errno) + ".";
}

std::string FileReplacement::Commit() {
  if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
    return "Cannot write \"" + path_ + "\": " + std::strerror(errno) + ".";
  }
  committed_ = true;
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
