// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/Dialogs.h"
#include "plot/PlotPoints.h"
#include "plot/ScatterPoints.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

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
  const std::string path = kData + "scatter_headers.csv";
  LoadFile(view, dialogs, path);
  // The last header row before the data wins.
  EXPECT_EQ(view.xAxisName, "time");
  EXPECT_EQ(view.verticalAxisName, "level");
  EXPECT_EQ(view.depthAxisName, "depth");
  EXPECT_EQ(view.sizeName, "weight");
  // Comments, the empty line and the line of blanks add nothing; a data row
  // whose x holds no number ("oops", and "e\"" of a quoted comma, which
  // splits) is skipped, and one message says so.
  ASSERT_EQ(Names(view), (std::vector<std::string>{"a", "b", "last"}));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(dialogs.messages[0].text,
            "In \"" + path +
                "\", 2 lines that look like data rows were skipped; the first at line 9: an x that is not a number "
                "(\"c,oops,7,8,0.5,-16777216,p c,ignored,also ignored\").");

  const DataEntry& a = view.points.Item(0);
  EXPECT_EQ(a.dataX, 1);
  EXPECT_EQ(a.dataY, 2);
  EXPECT_EQ(a.dataZ, 3);
  EXPECT_EQ(a.dataSize, 1);
  EXPECT_EQ(static_cast<std::uint32_t>(a.colour), 0xFF5E4D38u);  // data row 1
  EXPECT_EQ(a.data, "");
  EXPECT_EQ(a.x, 0.0f);  // scene fields wait for the scaling
  EXPECT_EQ(a.size, 0.0);

  const DataEntry& b = view.points.Item(1);
  EXPECT_EQ(b.colour, DefaultPointColour(2)) << "an empty colour field gives the default colour";
  EXPECT_EQ(b.data, "payload b");

  // Skipped data rows keep their numbers: the colours of the others stay.
  const DataEntry& last = view.points.Item(2);
  EXPECT_EQ(last.dataX, 12);
  EXPECT_EQ(last.colour, DefaultPointColour(5));
  EXPECT_THROW(view.points.Item(3), std::out_of_range);

  // A header row needs fields 1 to 3 without a number, and only before the
  // first data row; fields after the seventh are ignored.
  test::TempDir dir;
  dialogs.messages.clear();
  LoadFile(view, dialogs,
           dir.Write("headers.csv", "n,x,y,z,s\nrow,2,3,4,1,&H10,p,ignored\nlate,x,y,z,s\nskipped,,2,3,1\n"));
  EXPECT_EQ(Names(view), (std::vector<std::string>{"row"}));
  EXPECT_EQ(view.xAxisName, "x");
  EXPECT_EQ(view.points.Item(0).colour, 16);
  EXPECT_EQ(view.points.Item(0).data, "p");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("2 lines that look like data rows were skipped; the first at line 3: an x"),
            std::string::npos);
}

TEST(ScatterFile, EveryLineEndAndAnyEncoding) {
  ScriptedDialogs dialogs;
  PlotPoints view;
  LoadFile(view, dialogs, kData + "scatter_line_ends.csv");
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(Names(view), (std::vector<std::string>{"lf", "cr", "crlf", "blank line above", "end without line end"}));
  EXPECT_EQ(view.points.Item(4).dataSize, 1);

  LoadFile(view, dialogs, kData + "scatter_encoding.csv");
  EXPECT_TRUE(dialogs.messages.empty());
  // UTF-8 kept (byte-order mark dropped); stray bytes taken as Latin-1.
  EXPECT_EQ(Names(view), (std::vector<std::string>{"caf\u00e9", "na\u00efve", "stra\u00dfe \u00e2\u0082"}));
}

TEST(ScatterFile, LenientNumbers) {
  ScriptedDialogs dialogs;
  PlotPoints view;
  LoadFile(view, dialogs, kData + "scatter_numbers.csv");
  // An empty size and an x of "abc" are no numbers: those rows are skipped.
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("the first at line 1: a size that is not a number"), std::string::npos);
  ASSERT_EQ(view.points.Count(), 2u);
  auto values = [&](std::size_t i) {
    const DataEntry& p = view.points.Item(i);
    return std::vector<double>{p.dataX, p.dataY, p.dataZ, p.dataSize};
  };
  EXPECT_EQ(values(0), (std::vector<double>{12, 150, -25, 1}));
  EXPECT_EQ(values(1), (std::vector<double>{16, 15, -1, 0.5}));
}

TEST(ScatterFile, ColourFields) {
  ScriptedDialogs dialogs;
  PlotPoints view;
  LoadFile(view, dialogs, kData + "scatter_colours.csv");
  EXPECT_TRUE(dialogs.messages.empty());
  std::vector<std::uint32_t> colours;
  for (const DataEntry& p : view.points) colours.push_back(static_cast<std::uint32_t>(p.colour));
  EXPECT_EQ(colours, (std::vector<std::uint32_t>{0xFF000000u, 0xFF00FF00u, 0x000000FFu, 2u, 4u,
                                                 static_cast<std::uint32_t>(DefaultPointColour(6)), 0x7FFFFFFFu}));

  // Decimal up to 2^32 - 1 and "0x" hexadecimal are ARGB too; a colour that
  // cannot be read gives the default colour and one warning.
  const std::string mixed = RP_TEST_DATA_DIR "/bad/scatter_decimal_colour.csv";
  LoadFile(view, dialogs, mixed);
  colours.clear();
  for (const DataEntry& p : view.points) colours.push_back(static_cast<std::uint32_t>(p.colour));
  EXPECT_EQ(colours,
            (std::vector<std::uint32_t>{0xFF0000FFu, 0xFFFF0000u, static_cast<std::uint32_t>(DefaultPointColour(3)),
                                        static_cast<std::uint32_t>(DefaultPointColour(4))}));
  ASSERT_EQ(Texts(dialogs), (std::vector<std::string>{"In \"" + mixed +
                                                      "\", 2 colours could not be read; the first at line 3 "
                                                      "(\"blue\"). Those points have the default colour."}));
  EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Information);
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
    EXPECT_EQ(view.points.Item(n - 1).colour, DefaultPointColour(static_cast<std::int64_t>(n))) << "row " << n;
  }
  EXPECT_EQ(view.points.Item(40).colour, view.points.Item(0).colour);
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

  // Too few fields on a line: nothing of the file is taken, and the message
  // names the line.
  EXPECT_EQ(LoadFile(view, dialogs, kData + "scatter_four_columns.csv"), ScatterLoadOutcome::Failed);
  EXPECT_EQ(Names(view), (std::vector<std::string>{"old 1", "old 2"}));
  EXPECT_EQ(view.xAxisName, "old x");
  EXPECT_EQ(view.sizeName, "old s");
  EXPECT_EQ(Texts(dialogs).back(),
            "Comma delimited file must have at least 5 columns (name,x,y,z,size); line 4 has 4.");
  EXPECT_EQ(dialogs.messages.back().kind, MessageKind::Error);

  // With `strict`, a skipped row fails the load the same way.
  const std::string huge = kData + "scatter_huge_number.csv";
  EXPECT_EQ(LoadFile(view, dialogs, huge, true), ScatterLoadOutcome::Refused);
  EXPECT_EQ(Names(view), (std::vector<std::string>{"old 1", "old 2"}));
  EXPECT_EQ(Texts(dialogs).back(), "In \"" + huge +
                                       "\", 1 line that looks like a data row was skipped, line 2: an x too large for "
                                       "a number (\"too big,1E400,2,3,1\").");
  EXPECT_EQ(dialogs.messages.back().kind, MessageKind::Error);
  const std::size_t shown = dialogs.messages.size();

  // A colour in decimal above 2^31 is read; the titles are the file's.
  LoadFile(view, dialogs, kData + "scatter_colour_overflow.csv");
  EXPECT_EQ(Names(view), (std::vector<std::string>{"ok", "opaque red as unsigned", "never read"}));
  EXPECT_EQ(static_cast<std::uint32_t>(view.points.Item(1).colour), 0xFFFF0000u);
  EXPECT_EQ(view.xAxisName, "new x");

  // A file without a header row keeps the titles in force.
  LoadFile(view, dialogs, kData + "scatter_no_header.csv");
  EXPECT_EQ(Names(view), (std::vector<std::string>{"only"}));
  EXPECT_EQ(view.xAxisName, "new x");
  EXPECT_EQ(view.verticalAxisName, "new y");
  EXPECT_EQ(dialogs.messages.size(), shown);
}

}  // namespace
}  // namespace rp
