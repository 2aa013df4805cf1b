// SPDX-License-Identifier: GPL-3.0-or-later
// The one estimate of a text's width and its cut: a cut text fits the width
// given, keeps as much as fits, never splits a character, and leaves a text
// that fits as it is.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/TextWidth.h"

namespace rp {
namespace {

bool WholeUtf8(const std::string& text) {
  // No lead byte without all its continuation bytes at the end.
  std::size_t i = text.size();
  std::size_t continuation = 0;
  while (i > 0 && (static_cast<unsigned char>(text[i - 1]) & 0xC0U) == 0x80U) {
    --i;
    ++continuation;
  }
  if (i == 0) return continuation == 0;
  const auto lead = static_cast<unsigned char>(text[i - 1]);
  const std::size_t expected = lead < 0x80U ? 0 : lead >= 0xF0U ? 3 : lead >= 0xE0U ? 2 : 1;
  return continuation == expected;
}

TEST(TextWidth, GrowsWithTheTextItsSizeAndWeightAndCountsCharactersNotBytes) {
  EXPECT_EQ(EstimatedTextWidth("", 12.0), 0.0);
  EXPECT_LT(EstimatedTextWidth("tempo", 12.0), EstimatedTextWidth("tempo (ms)", 12.0));
  EXPECT_LT(EstimatedTextWidth("tempo", 12.0), EstimatedTextWidth("tempo", 24.0));
  EXPECT_LT(EstimatedTextWidth("Chopin op. 10/3", 15.0), EstimatedTextWidth("Chopin op. 10/3", 15.0, TextWeight::Bold));
  // Two bytes, one character: as wide as one wide character, not two.
  EXPECT_EQ(EstimatedTextWidth("\u00e9", 12.0), EstimatedTextWidth("\u2013", 12.0));
  EXPECT_LT(EstimatedTextWidth("\u00e9", 12.0), EstimatedTextWidth("ab", 12.0));
  // Whole pixels, at least the text's ems at that size: ten digits are over six ems wide.
  const double digits = EstimatedTextWidth("0123456789", 10.0);
  EXPECT_EQ(digits, std::floor(digits));
  EXPECT_GE(digits, 60.0);
}

TEST(TextWidth, ACutTextFitsKeepsAllThatFitsAndNeverSplitsACharacter) {
  for (const std::string& text :
       {std::string("Chopin_op10_no3_p01.match, Chopin_op10_no3_p02.match"),
        std::string("Étude – Tristesse, «\u00a0Lento ma non troppo\u00a0»"), std::string(200, 'n')}) {
    for (const TextWeight weight : {TextWeight::Normal, TextWeight::Bold}) {
      const double whole = EstimatedTextWidth(text, 12.0, weight);
      EXPECT_EQ(CutToWidth(text, whole, 12.0, weight), text) << "fits exactly";
      for (double width = 0.0; width < whole; width += 3.0) {
        const std::string cut = CutToWidth(text, width, 12.0, weight);
        const std::string where = "\"" + text + "\" in " + std::to_string(width) + " px";
        EXPECT_LE(EstimatedTextWidth(cut, 12.0, weight), width) << where;
        if (cut.empty()) {
          EXPECT_GT(EstimatedTextWidth("\u2026", 12.0, weight), width) << where << ": the ellipsis would have fitted";
          continue;
        }
        ASSERT_TRUE(cut.ends_with("\u2026")) << where;
        const std::string kept = cut.substr(0, cut.size() - std::string("\u2026").size());
        EXPECT_TRUE(text.starts_with(kept) && WholeUtf8(kept)) << where << ": " << cut;
        // One character more would not have fitted.
        std::size_t next = kept.size() + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0U) == 0x80U) ++next;
        EXPECT_GT(EstimatedTextWidth(text.substr(0, next) + "\u2026", 12.0, weight), width) << where;
      }
    }
  }
}

}  // namespace
}  // namespace rp
