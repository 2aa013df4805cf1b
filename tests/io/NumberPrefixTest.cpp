#include <gtest/gtest.h>

#include <string>

#include "io/NumberPrefix.h"

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

TEST(NumberPrefix, BytesRoundHalfToEvenAndOutOfRangeIsZero) {
  EXPECT_EQ(ReadBytePrefix(" 64"), 64);
  EXPECT_EQ(ReadBytePrefix("2.5"), 2);
  EXPECT_EQ(ReadBytePrefix("3.5"), 4);
  EXPECT_EQ(ReadBytePrefix("255.4"), 255);
  EXPECT_EQ(ReadBytePrefix("255.5"), 0);  // rounds to 256
  EXPECT_EQ(ReadBytePrefix("300"), 0);
  EXPECT_EQ(ReadBytePrefix(" -1"), 0);
  EXPECT_EQ(ReadBytePrefix("-0.4"), 0);
  EXPECT_EQ(ReadBytePrefix("abc"), 0);
}

}  // namespace
}  // namespace rp
