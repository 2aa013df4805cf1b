// SPDX-License-Identifier: GPL-3.0-or-later
// Scatter files that are damaged, hostile or not files at all: each has a
// defined outcome, and none may crash, hang or take memory out of proportion.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/Dialogs.h"
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

std::string Columns(int line, int fields) {
  return "Comma delimited file must have at least 5 columns (name,x,y,z,size); line " + std::to_string(line) + " has " +
         std::to_string(fields) + ".";
}

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
  // Lines of commas are header rows (fields 1 to 3 no numbers) until one
  // has fewer than five fields, which fails the load.
  s.Load(kBadData + "only_commas");
  EXPECT_EQ(s.Message(), Columns(3, 3));
  EXPECT_TRUE(s.view.points.Empty());
  EXPECT_EQ(s.view.xAxisName, "old x");
}

TEST(BadScatterInput, BinaryBytesAreReadAsText) {
  Shown s;
  s.Load(kBadData + "binary_nul");
  // The line of NULs has too few fields.
  EXPECT_EQ(s.Message(), Columns(3, 1));
  EXPECT_TRUE(s.Unchanged());
  // A NUL ends a number like any other stray character and stays in a name.
  TempDir dir;
  constexpr char kNul[] = "first,1,2,3,1\nname\0,1\0,2,3,4\0\xff\n";
  s.Load(dir.Write("nul.csv", std::string(kNul, sizeof kNul - 1)));
  ASSERT_EQ(s.view.points.Count(), 2u);
  const DataEntry& p = s.view.points.Item(1);
  EXPECT_EQ(p.dataName, std::string("name\0", 5));
  EXPECT_EQ(p.dataX, 1);
  EXPECT_EQ(p.dataSize, 4);
}

TEST(BadScatterInput, DataRowsWithoutNumbersAreSkippedAndTold) {
  Shown s;
  // An empty x is no header row: the header stays, the row is skipped.
  const std::string emptyX = kBadData + "scatter_empty_x.csv";
  s.Load(emptyX);
  EXPECT_EQ(Names(s.view), (std::vector<std::string>{"b"}));
  EXPECT_EQ(s.view.xAxisName, "x");
  EXPECT_EQ(s.view.sizeName, "size");
  EXPECT_EQ(s.Message(), "In \"" + emptyX +
                             "\", 2 lines that look like data rows were skipped; the first at line 2: an x that is "
                             "not a number (\"a,,2,3,1\").");
  // Beyond a double either way, NaN and infinity spelt out: no numbers;
  // underflow reads 0.
  for (const char* name : {"huge_exponent.csv", "negative_huge_exponent.csv", "nan_text.csv"}) {
    s.Load(kBadData + name);
    EXPECT_NE(s.Message().find("1 line that looks like a data row was skipped, line 2: an x "), std::string::npos)
        << name;
    EXPECT_EQ(s.view.points.Item(0).dataName, std::string(name) == "nan_text.csv" ? "first" : "ok") << name;
  }
  ASSERT_EQ(Names(s.view), (std::vector<std::string>{"first", "tiny"}));
  const DataEntry& tiny = s.view.points.Item(1);
  EXPECT_EQ(std::vector<double>({tiny.dataX, tiny.dataY, tiny.dataZ, tiny.dataSize}),
            std::vector<double>({0, 0, 0, 1}));
}

TEST(BadScatterInput, ColoursAtTheEdgesOf32Bits) {
  Shown s;
  // Up to 2^32 - 1 and down to -2^31 a colour is read; beyond it is not.
  s.Load(kBadData + "colour_2pow31.csv");
  EXPECT_TRUE(s.dialogs.messages.empty());
  ASSERT_EQ(s.view.points.Count(), 3u);
  EXPECT_EQ(s.view.points.Item(0).colour, 2147483647);
  EXPECT_EQ(s.view.points.Item(1).colour, -2147483647 - 1);
  EXPECT_EQ(static_cast<std::uint32_t>(s.view.points.Item(2).colour), 0x80000000u);
  s.Load(kBadData + "colour_below_int32.csv");
  EXPECT_NE(s.Message().find("the colour at line 3 (\"-2147483649\") could not be read"), std::string::npos);
  EXPECT_EQ(s.view.points.Item(2).colour, DefaultPointColour(3));
}

TEST(BadScatterInput, A64MegabyteLine) {
  constexpr std::size_t k64Mb = std::size_t{64} << 20;
  TempDir dir;
  Shown s;

  // No comma in it: one line with too few fields.
  s.Load(dir.WriteLong("letters.csv", "", 'x', k64Mb, "\n"));
  EXPECT_EQ(s.Message(), Columns(1, 1));
  EXPECT_TRUE(s.Unchanged());

  // 64 million digits: a number no double holds; the message shows the
  // start of the line only.
  const std::string digits = dir.WriteLong("digits.csv", "a,", '9', k64Mb, ",2,3,1\n");
  s.Load(digits);
  EXPECT_NE(s.Message().find("line 1: an x too large for a number (\"a,999"), std::string::npos);
  EXPECT_LT(s.Message().size(), 400u);
  EXPECT_TRUE(s.view.points.Empty());

  // The line as a payload is carried whole.
  s.Load(dir.WriteLong("payload.csv", "a,1,2,3,1,0,", 'p', k64Mb, ""));
  EXPECT_TRUE(s.dialogs.messages.empty());
  ASSERT_EQ(s.view.points.Count(), 1u);
  EXPECT_EQ(s.view.points.Item(0).data.size(), k64Mb);

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
