// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "plot/PlotPoints.h"
#include "plot/ScatterPoints.h"
#include "support/ScriptedDialogs.h"

namespace rp {
namespace {

const std::string kData = RP_TEST_DATA_DIR "/";

std::vector<std::string> Names(const PlotPoints& view) {
  std::vector<std::string> names;
  for (const DataEntry& p : view.points) names.push_back(p.dataName);
  return names;
}

std::vector<std::string> Texts(const ScriptedDialogs& dialogs) {
  std::vector<std::string> texts;
  for (const auto& m : dialogs.messages) texts.push_back(m.text);
  return texts;
}

// A view that already shows two points under its own titles.
PlotPoints ViewWithTwoPoints(Dialogs& dialogs) {
  PlotPoints view;
  view.xAxisName = "old x";
  view.verticalAxisName = "old y";
  view.depthAxisName = "old z";
  view.sizeName = "old s";
  view.AddEntry(dialogs, "old 1", 1, 2, 3, 1, 7, "");
  view.AddEntry(dialogs, "old 2", 4, 5, 6, 1, 8, "");
  return view;
}

TEST(ScatterFile, HeadersCommentsFieldsAndDefaultColours) {
  ScriptedDialogs dialogs;
  PlotPoints view;
  LoadFile(view, dialogs, kData + "scatter_headers.csv");
  EXPECT_TRUE(dialogs.messages.empty());
  // The last header row before the data wins.
  EXPECT_EQ(view.xAxisName, "time");
  EXPECT_EQ(view.verticalAxisName, "level");
  EXPECT_EQ(view.depthAxisName, "depth");
  EXPECT_EQ(view.sizeName, "weight");
  // Comments, the empty line and the line of blanks add nothing; a
  // non-numeric field 1 after the first data row reads 0; a quoted comma splits.
  ASSERT_EQ(Names(view), (std::vector<std::string>{"a", "b", "c", "\"d", "last"}));

  const DataEntry& a = view.points.Item(1);
  EXPECT_EQ(a.dataX, 1);
  EXPECT_EQ(a.dataY, 2);
  EXPECT_EQ(a.dataZ, 3);
  EXPECT_EQ(a.dataSize, 1);
  EXPECT_EQ(static_cast<std::uint32_t>(a.colour), 0xFF5E4D38u);  // data row 1
  EXPECT_EQ(a.data, "");
  EXPECT_EQ(a.x, 0.0f);  // scene fields wait for the scaling
  EXPECT_EQ(a.size, 0.0);

  const DataEntry& b = view.points.Item(2);
  EXPECT_EQ(b.colour, 0) << "an empty colour field reads 0";
  EXPECT_EQ(b.data, "payload b");

  const DataEntry& c = view.points.Item(3);
  EXPECT_EQ(c.dataX, 0);
  EXPECT_EQ(c.colour, -16777216);
  EXPECT_EQ(c.data, "p c") << "fields after the seventh are ignored";

  const DataEntry& d = view.points.Item(4);
  EXPECT_EQ(d.dataX, 0);  // e"
  EXPECT_EQ(d.dataY, 9);
  EXPECT_EQ(d.dataSize, 11);
  EXPECT_EQ(d.colour, 1);

  const DataEntry& last = view.points.Item(5);
  EXPECT_EQ(last.dataX, 12);
  EXPECT_EQ(last.colour, DefaultPointColour(5));
  EXPECT_THROW(view.points.Item(0), std::out_of_range);
  EXPECT_THROW(view.points.Item(6), std::out_of_range);
}

TEST(ScatterFile, EveryLineEndAndAnyEncoding) {
  ScriptedDialogs dialogs;
  PlotPoints view;
  LoadFile(view, dialogs, kData + "scatter_line_ends.csv");
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(Names(view), (std::vector<std::string>{"lf", "cr", "crlf", "blank line above", "end without line end"}));
  EXPECT_EQ(view.points.Item(5).dataSize, 1);

  LoadFile(view, dialogs, kData + "scatter_encoding.csv");
  EXPECT_TRUE(dialogs.messages.empty());
  // UTF-8 kept (byte-order mark dropped); stray bytes taken as Latin-1.
  EXPECT_EQ(Names(view), (std::vector<std::string>{"caf\u00e9", "na\u00efve", "stra\u00dfe \u00e2\u0082"}));
}

TEST(ScatterFile, LenientNumbers) {
  ScriptedDialogs dialogs;
  PlotPoints view;
  LoadFile(view, dialogs, kData + "scatter_numbers.csv");
  EXPECT_TRUE(dialogs.messages.empty());
  ASSERT_EQ(view.points.Count(), 4u);
  auto values = [&](std::size_t i) {
    const DataEntry& p = view.points.Item(i);
    return std::vector<double>{p.dataX, p.dataY, p.dataZ, p.dataSize};
  };
  EXPECT_EQ(values(1), (std::vector<double>{1.5, 1000, 2, 0}));
  EXPECT_EQ(values(2), (std::vector<double>{12, 150, -25, 1}));
  EXPECT_EQ(values(3), (std::vector<double>{16, 15, -1, 0.5}));
  EXPECT_EQ(values(4), (std::vector<double>{0, 3, -25, 5}));
}

TEST(ScatterFile, ColourFields) {
  ScriptedDialogs dialogs;
  PlotPoints view;
  LoadFile(view, dialogs, kData + "scatter_colours.csv");
  EXPECT_TRUE(dialogs.messages.empty());
  std::vector<std::uint32_t> colours;
  for (const DataEntry& p : view.points) colours.push_back(static_cast<std::uint32_t>(p.colour));
  EXPECT_EQ(colours, (std::vector<std::uint32_t>{0xFF000000u, 0xFF00FF00u, 0x000000FFu, 2u, 4u, 0u, 0x7FFFFFFFu}));
}

TEST(ScatterFile, DefaultColoursCycleWithDataRows) {
  EXPECT_EQ(static_cast<std::uint32_t>(DefaultPointColour(1)), 0xFF5E4D38u);
  EXPECT_EQ(static_cast<std::uint32_t>(DefaultPointColour(2)), 0xFF664D3Du);
  EXPECT_EQ(static_cast<std::uint32_t>(DefaultPointColour(10)), 0xFFAA4D66u);
  EXPECT_EQ(static_cast<std::uint32_t>(DefaultPointColour(20)), 0xFF554D99u);
  EXPECT_EQ(static_cast<std::uint32_t>(DefaultPointColour(40)), 0xFF554D33u);

  ScriptedDialogs dialogs;
  PlotPoints view;
  LoadFile(view, dialogs, kData + "scatter_rows41.csv");
  ASSERT_EQ(view.points.Count(), 41u);
  // The header and the comment between rows 3 and 4 are not counted.
  for (std::size_t n = 1; n <= 41; ++n) {
    EXPECT_EQ(view.points.Item(n).colour, DefaultPointColour(static_cast<std::int64_t>(n))) << "row " << n;
  }
  EXPECT_EQ(view.points.Item(41).colour, view.points.Item(1).colour);
}

TEST(ScatterFile, FailuresLeaveThePointsAsDocumented) {
  ScriptedDialogs dialogs;
  PlotPoints view = ViewWithTwoPoints(dialogs);

  // No file (or a folder): nothing changes.
  for (const std::string& path : {kData + "scatter_missing.csv", kData, std::string()}) {
    LoadFile(view, dialogs, path);
    EXPECT_EQ(Names(view), (std::vector<std::string>{"old 1", "old 2"}));
    EXPECT_EQ(Texts(dialogs).back(), "Unable to find " + path);
  }

  // A colour beyond signed 32 bits: the previous points and titles return.
  const std::string overflow = kData + "scatter_colour_overflow.csv";
  LoadFile(view, dialogs, overflow);
  EXPECT_EQ(Names(view), (std::vector<std::string>{"old 1", "old 2"}));
  EXPECT_EQ(view.xAxisName, "old x");
  EXPECT_EQ(view.sizeName, "old s");
  EXPECT_EQ(Texts(dialogs).back(), "there was an error loading " + overflow);

  // A number too large for a double fails the same way.
  const std::string huge = kData + "scatter_huge_number.csv";
  LoadFile(view, dialogs, huge);
  EXPECT_EQ(Names(view), (std::vector<std::string>{"old 1", "old 2"}));
  EXPECT_EQ(Texts(dialogs).back(), "there was an error loading " + huge);

  // Too few fields: the points before that line stay, the rest is not read.
  LoadFile(view, dialogs, kData + "scatter_four_columns.csv");
  EXPECT_EQ(Names(view), (std::vector<std::string>{"kept 1", "kept 2"}));
  EXPECT_EQ(view.xAxisName, "tempo");
  EXPECT_EQ(Texts(dialogs).back(), "Comma delimited file must have at least 4 columns (name,x,y,z)");
  EXPECT_EQ(dialogs.messages.size(), 6u);

  // A file without a header row keeps the titles in force.
  LoadFile(view, dialogs, kData + "scatter_no_header.csv");
  EXPECT_EQ(Names(view), (std::vector<std::string>{"only"}));
  EXPECT_EQ(view.xAxisName, "tempo");
  EXPECT_EQ(view.verticalAxisName, "level");
  EXPECT_EQ(dialogs.messages.size(), 6u);
}

}  // namespace
}  // namespace rp
