// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "io/TextLines.h"

namespace rp {
namespace {

TEST(TextLines, DecodingAndSplitting) {
  // Valid UTF-8 passes; overlong, surrogate, truncated and stray bytes become Latin-1.
  EXPECT_EQ(DecodeUtf8OrLatin1("a\xc3\xa9\xf0\x9f\x8e\xb9"), "a\u00e9\U0001F3B9");
  EXPECT_EQ(DecodeUtf8OrLatin1("\xc0\x80"), "\u00c0\u0080");
  EXPECT_EQ(DecodeUtf8OrLatin1("\xed\xa0\x80"), "\u00ed\u00a0\u0080");
  EXPECT_EQ(DecodeUtf8OrLatin1("x\xe2\x82"), "x\u00e2\u0082");
  EXPECT_EQ(DecodeUtf8OrLatin1("\xef\xbb\xbf"
                               "a\xef\xbb\xbf"),
            "a\ufeff");

  // Bytes that decode to themselves can be used without the copy.
  EXPECT_TRUE(IsUtf8WithoutByteOrderMark("a\xc3\xa9\xf0\x9f\x8e\xb9"));
  EXPECT_FALSE(IsUtf8WithoutByteOrderMark("caf\xe9"));
  EXPECT_FALSE(
      IsUtf8WithoutByteOrderMark("\xef\xbb\xbf"
                                 "a"));

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
