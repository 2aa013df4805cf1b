// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "io/ScatterFileReader.h"
#include "support/TempDir.h"

namespace rp {
namespace {

TEST(ScatterFileReader, ReadsUtf8InPlaceLatin1DecodedAndRefusesFilesBeyondTheLimit) {
  const test::TempDir dir;
  // The same row in UTF-8 and in Latin-1; fields past the payload are never read.
  for (const char* bytes :
       {"n,x,y,z,size\nCaf\xc3\xa9,1,2,3,4,,extra,more,\n", "n,x,y,z,size\r\nCaf\xe9,1,2,3,4,,extra,more,"}) {
    const ScatterFile file = ReadScatterFile(dir.Write("rows.csv", bytes));
    ASSERT_EQ(file.status, ScatterReadStatus::Complete) << bytes;
    ASSERT_EQ(file.rows.size(), 1U) << bytes;
    EXPECT_EQ(file.rows[0].name, "Caf\u00e9");
    EXPECT_EQ(file.rows[0].size, 4.0);
    EXPECT_EQ(file.rows[0].payload, "extra");
    ASSERT_TRUE(file.titles.has_value());
    EXPECT_EQ(file.titles->size, "size");
  }
  // Beyond the limit (a sparse file: nothing is written): one sentence naming
  // the file and both sizes, and no rows.
  const std::string big = dir.Write("big.csv", "a,1,2,3,4\n");
  std::filesystem::resize_file(big, kMaxScatterFileBytes + 1);
  const ScatterFile refused = ReadScatterFile(big);
  EXPECT_EQ(refused.status, ScatterReadStatus::Failed);
  EXPECT_TRUE(refused.rows.empty());
  EXPECT_EQ(refused.failure, "Cannot read the scatter file \"" + big +
                                 "\": the file is 256 MB, more than the 256 MB such a file may have.");
}

}  // namespace
}  // namespace rp
