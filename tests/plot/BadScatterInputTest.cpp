// SPDX-License-Identifier: GPL-3.0-or-later
// Scatter files that are damaged, hostile or not files at all: each has a
// defined outcome, and none may crash, hang or take memory out of proportion.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "plot/PlotPoints.h"
#include "plot/ScatterPoints.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestDataFiles.h"
#include "support/ThisProcess.h"

namespace rp {
namespace {

using test::kBadData;
using test::TempDir;

const std::string kColumns = "Comma delimited file must have at least 4 columns (name,x,y,z)";

std::vector<std::string> Names(const PlotPoints& view) {
  std::vector<std::string> names;
  for (const DataEntry& p : view.points) names.push_back(p.dataName);
  return names;
}

// A view already showing one point under its own titles.
struct Shown {
  ScriptedDialogs dialogs;
  PlotPoints view;
  Shown() {
    view.xAxisName = "old x";
    view.sizeName = "old size";
    view.AddEntry(dialogs, "old", 1, 2, 3, 1, 7, "");
  }
  void Load(const std::string& path) {
    dialogs.messages.clear();
    LoadFile(view, dialogs, path);
  }
  std::string Message() const { return dialogs.messages.size() == 1 ? dialogs.messages[0].text : "<none or many>"; }
  bool Unchanged() const { return Names(view) == std::vector<std::string>{"old"} && view.xAxisName == "old x"; }
};

TEST(BadScatterInput, FilesWithoutDataRows) {
  Shown s;
  // Nothing to read is a load of no points, as a file of comments would be.
  for (const char* name : {"empty", "only_blank_lines"}) {
    s.Load(kBadData + name);
    EXPECT_TRUE(s.dialogs.messages.empty()) << name;
    EXPECT_TRUE(s.view.points.Empty()) << name;
    EXPECT_EQ(s.view.xAxisName, "old x") << name;
  }
  // Lines of commas are header rows (field 1 is no number) until one has
  // fewer than five fields.
  s.Load(kBadData + "only_commas");
  EXPECT_EQ(s.Message(), kColumns);
  EXPECT_TRUE(s.view.points.Empty());
  EXPECT_EQ(s.view.xAxisName, "");
  EXPECT_EQ(s.view.sizeName, "");
}

TEST(BadScatterInput, BinaryBytesAreReadAsText) {
  Shown s;
  s.Load(kBadData + "binary_nul");
  // A NUL ends a number like any other stray character and stays in a name;
  // the line of NULs has too few fields.
  EXPECT_EQ(s.Message(), kColumns);
  ASSERT_EQ(s.view.points.Count(), 2u);
  const DataEntry& p = s.view.points.Item(2);
  EXPECT_EQ(p.dataName, std::string("name\0", 5));
  EXPECT_EQ(p.dataX, 1);
  EXPECT_EQ(p.dataSize, 4);
}

TEST(BadScatterInput, NumbersOutOfRange) {
  Shown s;
  // Beyond a double either way: the load fails and the old points return.
  for (const char* name : {"huge_exponent.csv", "negative_huge_exponent.csv"}) {
    s.Load(kBadData + name);
    EXPECT_EQ(s.Message(), "there was an error loading " + kBadData + name);
    EXPECT_TRUE(s.Unchanged()) << name;
  }
  // NaN and infinity spelt out are no numbers (0); underflow reads 0 too.
  s.Load(kBadData + "nan_text.csv");
  EXPECT_TRUE(s.dialogs.messages.empty());
  ASSERT_EQ(Names(s.view), (std::vector<std::string>{"first", "nan", "tiny"}));
  for (std::size_t i : {2u, 3u}) {
    const DataEntry& p = s.view.points.Item(i);
    EXPECT_EQ(p.dataX, 0);
    EXPECT_EQ(p.dataY, 0);
    EXPECT_EQ(p.dataZ, 0);
  }
  EXPECT_EQ(s.view.points.Item(3).dataSize, 1);

  // Colours: the signed 32-bit range holds, one step beyond fails the load.
  s = Shown();
  s.Load(kBadData + "colour_2pow31.csv");
  EXPECT_EQ(s.Message(), "there was an error loading " + kBadData + "colour_2pow31.csv");
  s.Load(kBadData + "colour_below_int32.csv");
  EXPECT_EQ(s.Message(), "there was an error loading " + kBadData + "colour_below_int32.csv");
  EXPECT_TRUE(s.Unchanged());
  TempDir dir;
  s.Load(dir.Write("limits.csv", "largest,1,2,3,1,2147483647\nsmallest,1,2,3,1,-2147483648\n"));
  ASSERT_EQ(s.view.points.Count(), 2u);
  EXPECT_EQ(s.view.points.Item(1).colour, 2147483647);
  EXPECT_EQ(s.view.points.Item(2).colour, -2147483647 - 1);
}

TEST(BadScatterInput, A64MegabyteLine) {
  constexpr std::size_t k64Mb = std::size_t{64} << 20;
  TempDir dir;
  Shown s;

  // No comma in it: one line with too few fields.
  s.Load(dir.WriteLong("letters.csv", "", 'x', k64Mb, "\n"));
  EXPECT_EQ(s.Message(), kColumns);
  EXPECT_TRUE(s.view.points.Empty());

  // 64 million digits: a number no double holds.
  s.view.AddEntry(s.dialogs, "old", 1, 2, 3, 1, 7, "");
  const std::string digits = dir.WriteLong("digits.csv", "a,", '9', k64Mb, ",2,3,1\n");
  s.Load(digits);
  EXPECT_EQ(s.Message(), "there was an error loading " + digits);
  EXPECT_TRUE(s.Unchanged());

  // The line as a payload is carried whole.
  s.Load(dir.WriteLong("payload.csv", "a,1,2,3,1,0,", 'p', k64Mb, ""));
  EXPECT_TRUE(s.dialogs.messages.empty());
  ASSERT_EQ(s.view.points.Count(), 1u);
  EXPECT_EQ(s.view.points.Item(1).data.size(), k64Mb);

  // The whole file is held a few times over while it is read, never more.
  EXPECT_LT(test::PeakRssBytes(), std::int64_t{1} << 30);
}

TEST(BadScatterInput, PathsThatAreNoReadableFile) {
  TempDir dir;
  Shown s;
  // A folder or a pipe is no file to load: nothing is opened, nothing waits.
  for (const std::string& path : {dir.Path(""), dir.MakeFifo("pipe.csv")}) {
    s.Load(path);
    EXPECT_EQ(s.Message(), "Unable to find " + path);
    EXPECT_TRUE(s.Unchanged());
  }
  // Unreadable: the previous points stay (root reads the file regardless).
  const std::string locked = dir.WriteUnreadable("locked.csv", "new,1,2,3,1\n");
  s.Load(locked);
  if (test::RunningAsRoot()) {
    EXPECT_EQ(Names(s.view), (std::vector<std::string>{"new"}));
  } else {
    EXPECT_EQ(s.Message(), "there was an error loading " + locked);
    EXPECT_TRUE(s.Unchanged());
  }
}

}  // namespace
}  // namespace rp
