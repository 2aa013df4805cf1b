// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "io/FileReplacement.h"
#include "support/TempDir.h"

namespace rp {
namespace {

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
  for (const mode_t mode : {0600, 0640, 0755, 0444}) {  // a read-only one too
    if (std::filesystem::exists(path)) {
      ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    }
    std::ofstream(path) << "old";
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    EXPECT_EQ(Replace(path, "new"), "");
    EXPECT_EQ(test::FileText(path), "new");
    EXPECT_EQ(Mode(path), mode);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "nothing left beside it";
}

}  // namespace
}  // namespace rp
