// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "io/FileReplacement.h"
#include "support/TempDir.h"

namespace rp {
namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

mode_t Mode(const std::string& path) {
  struct stat s {};
  EXPECT_EQ(::stat(path.c_str(), &s), 0) << path;
  return s.st_mode & 07777;
}

// Writes `text` to `path` through a replacement; its error, "" when done.
std::string Replace(const std::string& path, const std::string& text) {
  FileReplacement file(path);
  if (std::string why = file.Begin(); !why.empty()) return why;
  std::ofstream(file.TemporaryPath(), std::ios::binary) << text;
  return file.Commit();
}

TEST(FileReplacement, KeepsThePermissionBitsOfWhatItReplaces) {
  const test::TempDir dir;
  const std::string path = dir.Path("priv.wav");
  for (const mode_t mode : {0600, 0640, 0755, 0444}) {
    if (std::filesystem::exists(path)) ASSERT_EQ(::chmod(path.c_str(), 0644), 0);  // writable for the next round
    std::ofstream(path) << "old";
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    EXPECT_EQ(Replace(path, "new"), "");
    EXPECT_EQ(Contents(path), "new");
    EXPECT_EQ(Mode(path), mode);
  }
  // A new file gets what the umask leaves, as any file made there.
  const mode_t mask = ::umask(022);
  ::umask(mask);
  const std::string fresh = dir.Path("fresh.wav");
  EXPECT_EQ(Replace(fresh, "x"), "");
  EXPECT_EQ(Mode(fresh), 0666 & ~mask);
  // Nothing is left beside them.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

}  // namespace
}  // namespace rp
