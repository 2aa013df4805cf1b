// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a test may ask about its own process: whether it runs as root (which
// reads files whatever their permission bits), and the most memory it has
// held so far.

#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>

namespace rp::test {

inline bool RunningAsRoot() { return ::geteuid() == 0; }

inline std::int64_t PeakRssBytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::int64_t>(usage.ru_maxrss) * 1024;
}

}  // namespace rp::test
