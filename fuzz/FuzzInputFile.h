// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The readers take a path: each fuzz input is written to one scratch file per
// process, in a folder of its own (in /dev/shm when there is one, so no disk
// is touched), and read back from there, so the whole load runs as it does
// for a user's file.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace rp::fuzz {

class FuzzInputFile {
 public:
  explicit FuzzInputFile(const std::string& suffix) : path_(dir_.Path("input" + suffix)) {}
  FuzzInputFile(const FuzzInputFile&) = delete;
  FuzzInputFile& operator=(const FuzzInputFile&) = delete;

  // Replaces the file's content with `size` bytes at `data`.
  void Write(const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    if (f == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    if (std::fclose(f) != 0) std::abort();
  }

  const std::string& path() const { return path_; }

 private:
  static std::filesystem::path Parent() {
    std::error_code ec;
    return std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm") : std::filesystem::path();
  }

  test::TempDir dir_{"returnplot-fuzz-", Parent()};
  std::string path_;
};

// Stops the run with a message when an invariant fails, so libFuzzer keeps
// the input that broke it.
#define RP_FUZZ_CHECK(condition)                                                         \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)

}  // namespace rp::fuzz
