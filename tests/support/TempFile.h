// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file with given bytes that the tests read and that is gone afterwards.

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

namespace rp::test {

class TempFile {
 public:
  explicit TempFile(std::string_view bytes) {
    char name[] = "/tmp/rp_test_XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd >= 0) ::close(fd);
    path_ = name;
    std::ofstream(path_, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  ~TempFile() { std::remove(path_.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

inline std::string DataFile(const char* name) { return std::string(RP_TEST_DATA_DIR) + "/" + name; }

}  // namespace rp::test
