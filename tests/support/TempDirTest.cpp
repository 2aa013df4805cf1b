// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "support/TempDir.h"

namespace rp::test {
namespace {

namespace fs = std::filesystem;

TEST(TempDir, IsAFreshFolderUnderItsParentAndGoesWithEverythingInIt) {
  const TempDir parent("rp_parent_");
  std::string kept;
  {
    const TempDir dir("rp_own_", parent.Path());
    kept = dir.Path();
    EXPECT_EQ(fs::path(kept).parent_path(), fs::path(parent.Path()));
    EXPECT_EQ(fs::status(kept).permissions() & fs::perms::all, fs::perms::owner_all);
    fs::create_directories(dir.Path("a/b"));
    std::ofstream(dir.Path("a/b/c.txt")) << "text";
    EXPECT_EQ(fs::file_size(dir.Write("bytes", std::string("x\0y", 3))), 3u);
    dir.WriteUnreadable("locked", "secret");
    EXPECT_NE(TempDir("rp_own_", parent.Path()).Path(), kept);
  }
  EXPECT_FALSE(fs::exists(kept));
  EXPECT_TRUE(fs::is_empty(parent.Path())) << "nothing else was touched";
}

// A folder it cannot make fails the test there and then: never a fall-back
// to the parent, which would then be removed with everything in it.
TEST(TempDir, ThrowsWhenItCannotMakeItsFolderAndLeavesTheParentAlone) {
  const TempDir parent("rp_parent_");
  const std::string mine = parent.Write("mine.txt", "keep me");
  EXPECT_THROW(TempDir("rp_", parent.Path("no/such/folder")), std::runtime_error);
  EXPECT_THROW(TempDir("rp_", mine), std::runtime_error);  // a file, not a folder
  EXPECT_TRUE(fs::exists(mine));
  EXPECT_THROW(parent.Write("no/such/folder/file", "x"), std::runtime_error);
}

}  // namespace
}  // namespace rp::test
