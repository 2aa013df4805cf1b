// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "model/NumberReading.h"

namespace rp {
namespace {

TEST(StrictNumber, TheWholeTextIsOneNumberOrNothing) {
  const std::vector<std::pair<std::string, std::optional<double>>> doubles = {
      {"1", 1.0},
      {"-2.5", -2.5},
      {"1e3", 1000.0},
      {".5", 0.5},
      {"5.", 5.0},
      {"", std::nullopt},
      {" 1", std::nullopt},
      {"1 ", std::nullopt},
      {"+1", std::nullopt},
      {"1,5", std::nullopt},
      {"2x", std::nullopt},
      {"1e", std::nullopt},
      {"0x10", std::nullopt},
      {"1e400", std::nullopt},
  };
  for (const auto& [text, expected] : doubles) EXPECT_EQ(StrictNumber<double>(text), expected) << '"' << text << '"';
  EXPECT_EQ(StrictNumber<int>("-7"), -7);
  EXPECT_EQ(StrictNumber<int>("2.5"), std::nullopt);
  EXPECT_EQ(StrictNumber<int>("99999999999"), std::nullopt);
  EXPECT_EQ(StrictNumber<unsigned>("-1"), std::nullopt);
  EXPECT_EQ(StrictNumber<std::int32_t>("2147483647"), 2147483647);
}

TEST(LeadingWholeNumber, TheCountThatStartsTheTextAndHowFarItWent) {
  const std::vector<std::tuple<std::string, std::optional<long>, std::size_t>> cases = {
      {"12a", 12, 2},        {" 3+2", 3, 2},         {"+4", 4, 2},
      {"-5 ", -5, 2},        {"1, 2", 1, 1},         {"a1", std::nullopt, 0},
      {"", std::nullopt, 0}, {"-", std::nullopt, 0}, {"99999999999999999999", std::nullopt, 0},
  };
  for (const auto& [text, expected, length] : cases) {
    std::size_t taken = 0;
    EXPECT_EQ(LeadingWholeNumber<long>(text, &taken), expected) << '"' << text << '"';
    EXPECT_EQ(taken, length) << '"' << text << '"';
  }
}

TEST(NumberPrefix, TakesTheLongestLeadingNumberIgnoringBlanks) {
  // Blanks anywhere are ignored, an exponent without digits is not taken,
  // and "." is the only decimal point.
  const std::vector<std::pair<std::string, double>> cases = {
      {"1234", 1234.0}, {"  12.5 ms */", 12.5}, {"1 2 3", 123.0}, {"\t7\n", 7.0},
      {"- 5", -5.0},    {"-.5", -0.5},          {"+8", 8.0},      {"5.", 5.0},
      {"1.2.3", 1.2},   {"1.5e3", 1500.0},      {"2D2", 200.0},   {"25E-1x", 2.5},
      {"1e", 1.0},      {"3e+", 3.0},           {"12,5", 12.0},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ReadNumberPrefix(text), expected) << '"' << text << '"';
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
    EXPECT_TRUE(ReadLeadingNumber(text).Ok()) << '"' << text << '"';
    EXPECT_EQ(ReadLeadingNumber(text).value, 0.0) << '"' << text << '"';
  }
  for (const char* text : {"", "   ", "abc", "+-5", ".", "-", "E5", ".e1", "NaN", "inf"}) {
    EXPECT_FALSE(ReadLeadingNumber(text).found) << '"' << text << '"';
  }
  EXPECT_TRUE(ReadLeadingNumber("-1e999").tooLarge);
  EXPECT_FALSE(ReadLeadingNumber("-1e999").Ok());
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

TEST(FieldNumber, TakesTheLongestLeadingNumberAndRadixIntegers) {
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
    const NumberReading reading = ReadFieldNumber(text);
    EXPECT_FALSE(reading.tooLarge) << '"' << text << '"';
    EXPECT_EQ(reading.value, expected) << '"' << text << '"';
    EXPECT_FALSE(std::signbit(reading.value) && reading.value == 0) << '"' << text << '"';
  }
  // Too large to hold: a failure rather than infinity or a wrapped value.
  for (const std::string text : {"1E400", "-1d309", "99999999999999999999e300", "&H100000000", "&O40000000000"}) {
    EXPECT_TRUE(ReadFieldNumber(text).tooLarge) << text;
  }
  EXPECT_EQ(ReadFieldNumber("1.7976931348623157e308").value, 1.7976931348623157e308);
}

TEST(FieldNumber, WholeNumberDecidesHeaderRows) {
  for (const std::string text : {"1", " 1.5 ", "\t-2\t", "+.5", "3.", "1e5", "2D-3", "&HFF", "&o7"}) {
    EXPECT_TRUE(IsWholeNumber(text)) << '"' << text << '"';
  }
  for (const std::string text : {"", "  ", "time", "12abc", "1 000", ".", "-", "1e", "&H", "&O8", "1.2.3", "$5"}) {
    EXPECT_FALSE(IsWholeNumber(text)) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace rp
