// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "io/LegacyText.h"
#include "io/TextLines.h"

namespace rp {
namespace {

TEST(NumberPrefix, TakesTheLongestLeadingNumberIgnoringBlanks) {
  EXPECT_EQ(ReadNumberPrefix("1234"), 1234.0);
  EXPECT_EQ(ReadNumberPrefix("  12.5 ms */"), 12.5);
  EXPECT_EQ(ReadNumberPrefix("1 2 3"), 123.0);  // blanks anywhere are ignored
  EXPECT_EQ(ReadNumberPrefix("\t7\n"), 7.0);
  EXPECT_EQ(ReadNumberPrefix("- 5"), -5.0);
  EXPECT_EQ(ReadNumberPrefix("-.5"), -0.5);
  EXPECT_EQ(ReadNumberPrefix("+8"), 8.0);
  EXPECT_EQ(ReadNumberPrefix("5."), 5.0);
  EXPECT_EQ(ReadNumberPrefix("1.2.3"), 1.2);
  EXPECT_EQ(ReadNumberPrefix("1.5e3"), 1500.0);
  EXPECT_EQ(ReadNumberPrefix("2D2"), 200.0);
  EXPECT_EQ(ReadNumberPrefix("25E-1x"), 2.5);
  EXPECT_EQ(ReadNumberPrefix("1e"), 1.0);  // an exponent without digits is not taken
  EXPECT_EQ(ReadNumberPrefix("3e+"), 3.0);
  EXPECT_EQ(ReadNumberPrefix("12,5"), 12.0);  // "." is the only decimal point
}

TEST(NumberPrefix, TextWithoutANumberOrOutOfRangeReadsAsZero) {
  for (const char* text : {"", "   ", "abc", "+-5", ".", "-", "E5", ".e1", "1e999", "-1e999"}) {
    EXPECT_EQ(ReadNumberPrefix(text), 0.0) << '"' << text << '"';
  }
  EXPECT_EQ(ReadNumberPrefix("1e-999"), 0.0);
  // A number longer than any sensible one still reads exactly.
  EXPECT_EQ(ReadNumberPrefix(std::string(300, '0') + "42.5"), 42.5);
  EXPECT_EQ(ReadNumberPrefix("0." + std::string(300, '0') + "1e301"), 1.0);
}

TEST(NumberPrefix, TellsTextWithoutANumberFromZero) {
  for (const char* text : {"0", " 0.0 ", "-0", "1e-999", "0abc"}) {
    EXPECT_TRUE(ReadNumber(text).Ok()) << '"' << text << '"';
    EXPECT_EQ(ReadNumber(text).value, 0.0) << '"' << text << '"';
  }
  for (const char* text : {"", "   ", "abc", "+-5", ".", "-", "E5", ".e1", "NaN", "inf"}) {
    EXPECT_FALSE(ReadNumber(text).found) << '"' << text << '"';
  }
  EXPECT_TRUE(ReadNumber("-1e999").tooLarge);
  EXPECT_FALSE(ReadNumber("-1e999").Ok());
  EXPECT_FALSE(ReadFieldNumber("&HZ").found);
  EXPECT_TRUE(ReadFieldNumber("&H100000000").tooLarge);
}

TEST(NumberPrefix, BytesRoundHalfToEvenAndOutOfRangeIsNone) {
  EXPECT_EQ(ReadByteNumber(" 64"), 64);
  EXPECT_EQ(ReadByteNumber("000"), 0);
  EXPECT_EQ(ReadByteNumber("2.5"), 2);
  EXPECT_EQ(ReadByteNumber("3.5"), 4);
  EXPECT_EQ(ReadByteNumber("255.4"), 255);
  EXPECT_EQ(ReadByteNumber("-0.4"), 0);
  for (const char* text : {"255.5", "300", " -1", "abc", "   ", "", "1e9"}) {
    EXPECT_EQ(ReadByteNumber(text), -1) << '"' << text << '"';
  }
}

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
