// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The big performance the load benchmarks read: 1,000,000 lines (about
// 35 MB), chords of three with a melody note between them and note-offs after
// each, 500,000 notes, the same on every run.

#include <cstdio>
#include <string>

namespace rp::bench {

inline constexpr int kPerformanceLines = 1000000;

// Writes the file; returns its size in bytes, or -1 when it cannot be written.
inline long WritePerformanceFile(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return -1;
  char line[96];
  double ms = 0;
  unsigned seed = 12345;
  for (int i = 1; i <= kPerformanceLines; ++i) {
    seed = seed * 1103515245u + 12345u;
    const bool on = (i % 4) < 2;
    ms += (i % 8 == 0) ? 180 + (seed >> 16) % 400 : (seed >> 16) % 30;
    const int key = 36 + static_cast<int>((seed >> 8) % 60);
    const int velocity = on ? 30 + static_cast<int>((seed >> 20) % 90) : 64;
    const int n =
        std::snprintf(line, sizeof line, "%d; /* %.0f ms */%c%02d%3d;\n", i, ms, on ? '+' : '-', key, velocity);
    std::fwrite(line, 1, static_cast<std::size_t>(n), f);
  }
  const long bytes = std::ftell(f);
  return std::fclose(f) == 0 ? bytes : -1;
}

}  // namespace rp::bench
