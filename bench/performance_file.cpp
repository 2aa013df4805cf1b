// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the load benchmarks' 1,000,000-line performance to a file, for the
// whole-process timings of bench/command_line.sh.
//
// Run: build/release/bin/bench_performance_file OUT.txt

#include <cstdio>

#include "PerformanceFile.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_performance_file OUT.txt\n");
    return 64;
  }
  if (rp::bench::WritePerformanceFile(argv[1]) < 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
