#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "io/LeadingNumber.h"
#include "io/TextLines.h"

namespace rp {
namespace {

TEST(LeadingNumber, TakesTheLongestLeadingNumber) {
  const std::vector<std::pair<std::string, double>> cases = {
      {" 1.5 ", 1.5},
      {"1 000", 1000},
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {".", 0},
      {"-.5", -0.5},
      {"+3.", 3},
      {"1.2.3", 1.2},
      {"1e3", 1000},
      {"1E+3x", 1000},
      {"2D-2", 0.02},
      {"1e", 1},
      {"1e+", 1},
      {"- 4\t2\n", -42},
      {"&H10", 16},
      {"&hff", 255},
      {"&O17", 15},
      {"&H", 0},
      {"&HFF000000", -16777216.0},
      {"&HFFFFFFFF", -1},
      {"&H000000010", 16},
      {"&HZ", 0},
      {"1e-400", 0},
      {"0.000e999", 0},
      {"-0", 0},
      {"1,5", 1},
  };
  for (const auto& [text, expected] : cases) {
    const std::optional<double> value = ReadLeadingNumber(text);
    ASSERT_TRUE(value.has_value()) << '"' << text << '"';
    EXPECT_EQ(*value, expected) << '"' << text << '"';
    EXPECT_FALSE(std::signbit(*value) && *value == 0) << '"' << text << '"';
  }
  // Too large to hold: a failure rather than infinity or a wrapped value.
  for (const std::string text : {"1E400", "-1d309", "99999999999999999999e300", "&H100000000", "&O40000000000"}) {
    EXPECT_FALSE(ReadLeadingNumber(text).has_value()) << text;
  }
  EXPECT_EQ(ReadLeadingNumber("1.7976931348623157e308"), 1.7976931348623157e308);
}

TEST(LeadingNumber, WholeNumberDecidesHeaderRows) {
  for (const std::string text : {"1", " 1.5 ", "\t-2\t", "+.5", "3.", "1e5", "2D-3", "&HFF", "&o7"}) {
    EXPECT_TRUE(IsWholeNumber(text)) << '"' << text << '"';
  }
  for (const std::string text : {"", "  ", "time", "12abc", "1 000", ".", "-", "1e", "&H", "&O8", "1.2.3", "$5"}) {
    EXPECT_FALSE(IsWholeNumber(text)) << '"' << text << '"';
  }
}

TEST(TextLines, DecodingAndSplitting) {
  // Valid UTF-8 passes; overlong, surrogate, truncated and stray bytes become Latin-1.
  EXPECT_EQ(DecodeUtf8OrLatin1("a\xc3\xa9\xf0\x9f\x8e\xb9"), "a\u00e9\U0001F3B9");
  EXPECT_EQ(DecodeUtf8OrLatin1("\xc0\x80"), "\u00c0\u0080");
  EXPECT_EQ(DecodeUtf8OrLatin1("\xed\xa0\x80"), "\u00ed\u00a0\u0080");
  EXPECT_EQ(DecodeUtf8OrLatin1("x\xe2\x82"), "x\u00e2\u0082");
  EXPECT_EQ(DecodeUtf8OrLatin1("\xef\xbb\xbf"
                               "a\xef\xbb\xbf"),
            "a\ufeff");

  using Lines = std::vector<std::string_view>;
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("a"), Lines{"a"});
  EXPECT_EQ(SplitLines("a\n"), Lines{"a"});
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("\n\r\r\n"), (Lines{"", "", ""}));
  EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"}));
}

}  // namespace
}  // namespace rp
