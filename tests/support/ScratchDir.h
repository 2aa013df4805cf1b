// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the bad-input tests need beyond the committed files in data/bad/: a
// private folder for files made on the spot (too large to commit, FIFOs,
// unreadable files), and the process's peak memory.

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace rp::test {

inline const std::string kBadData = RP_TEST_DATA_DIR "/bad/";

class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "rp_bad_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    dir_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  std::string Path(std::string_view name) const { return (dir_ / name).string(); }

  std::string Write(std::string_view name, std::string_view bytes) const {
    std::ofstream(Path(name), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return Path(name);
  }

  // `head`, then `count` copies of `fill`, then `tail`, written in pieces.
  std::string WriteLong(std::string_view name, std::string_view head, char fill, std::size_t count,
                        std::string_view tail) const {
    std::ofstream out(Path(name), std::ios::binary);
    out << head;
    const std::string block(std::size_t{1} << 20, fill);
    for (std::size_t left = count; left > 0;) {
      const std::size_t n = left < block.size() ? left : block.size();
      out.write(block.data(), static_cast<std::streamsize>(n));
      left -= n;
    }
    out << tail;
    return Path(name);
  }

  // A named pipe nobody writes to: opening it for reading would block.
  std::string MakeFifo(std::string_view name) const {
    if (::mkfifo(Path(name).c_str(), 0600) != 0) std::abort();
    return Path(name);
  }

  // A file whose permission bits forbid reading (root reads it all the same).
  std::string WriteUnreadable(std::string_view name, std::string_view bytes) const {
    const std::string path = Write(name, bytes);
    std::filesystem::permissions(path, std::filesystem::perms::none);
    return path;
  }

 private:
  std::filesystem::path dir_;
};

inline bool RunningAsRoot() { return ::geteuid() == 0; }

// The most memory this process has held so far.
inline std::int64_t PeakRssBytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::int64_t>(usage.ru_maxrss) * 1024;
}

}  // namespace rp::test
