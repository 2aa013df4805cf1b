// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "io/DataFolder.h"
#include "support/TempDir.h"

namespace rp {
namespace {

namespace fs = std::filesystem;

// Runs the test body in a fresh temporary folder and goes back afterwards.
class MediaDirTest : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    fs::current_path(folder_.Path());
  }
  void TearDown() override { fs::current_path(previous_); }
  fs::path previous_;
  test::TempDir folder_{"rp_media_"};
};

TEST(MediaDirNames, TrailingSlash) {
  EXPECT_EQ(WithTrailingSlash("/a/b"), "/a/b/");
  EXPECT_EQ(WithTrailingSlash("/a/b/"), "/a/b/");
  EXPECT_EQ(WithTrailingSlash("/"), "/");
  EXPECT_EQ(WithTrailingSlash(""), "/");
}

TEST_F(MediaDirTest, CurrentFolderWhenTheFileIsThereElseTheDataFolder) {
  const std::string data = ProgramDataFolder();
  // Tests run from the build tree's bin/ folder, next to the program.
  ASSERT_FALSE(data.empty());
  EXPECT_EQ(data.back(), '/');
  EXPECT_EQ(fs::weakly_canonical(data), fs::weakly_canonical(RP_BUILD_DATA_DIR));
  EXPECT_EQ(FindMediaFolder("ScatterData.csv"), data);

  fs::create_directory("ScatterData.csv");  // a folder of that name does not count
  EXPECT_EQ(FindMediaFolder("ScatterData.csv"), data);
  fs::remove("ScatterData.csv");

  std::ofstream("ScatterData.csv") << "a,1,2,3,1\n";
  EXPECT_EQ(FindMediaFolder("ScatterData.csv"), fs::current_path().string() + "/");
  EXPECT_EQ(FindMediaFolder("Other.csv"), data);
}

TEST(MediaDirData, BundledExampleIsInTheDataFolder) {
  EXPECT_TRUE(fs::is_regular_file(ProgramDataFolder() + "ScatterData.csv"));
}

}  // namespace
}  // namespace rp
