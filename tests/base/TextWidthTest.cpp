// SPDX-License-Identifier: GPL-3.0-or-later
// A text cut to a width fits it, keeps all that fits and never splits a
// character; one that fits stays as it is.

#include <gtest/gtest.h>

#include <string>

#include "base/TextWidth.h"

namespace rp {

TEST(TextWidth, ACutTextFitsKeepsAllThatFitsAndNeverSplitsACharacter) {
  const std::string ellipsis = "\u2026";
  for (const std::string& text : {std::string("Chopin_op10_no3_p01.match, Chopin_op10_no3_p02.match"),
                                  std::string("\u00c9tude \u2013 \u00ablento ma non troppo\u00bb")}) {
    for (const TextWeight weight : {TextWeight::Normal, TextWeight::Bold}) {
      const double whole = EstimatedTextWidth(text, 12.0, weight);
      EXPECT_EQ(CutToWidth(text, whole, 12.0, weight), text);
      for (double width = 0.0; width < whole; width += 3.0) {
        const std::string cut = CutToWidth(text, width, 12.0, weight), where = text + " in " + std::to_string(width);
        EXPECT_LE(EstimatedTextWidth(cut, 12.0, weight), width) << where;
        if (cut.empty()) {
          EXPECT_GT(EstimatedTextWidth(ellipsis, 12.0, weight), width) << where;
          continue;
        }
        const std::string kept = cut.substr(0, cut.size() - ellipsis.size());
        ASSERT_EQ(cut, kept + ellipsis) << where;
        ASSERT_TRUE(text.starts_with(kept) && (static_cast<unsigned char>(text[kept.size()]) & 0xC0U) != 0x80U) << cut;
        // One character more would not have fitted.
        std::size_t next = kept.size() + 1;
        while ((static_cast<unsigned char>(text[next]) & 0xC0U) == 0x80U) ++next;
        EXPECT_GT(EstimatedTextWidth(text.substr(0, next) + ellipsis, 12.0, weight), width) << where;
      }
    }
  }
}

}  // namespace rp
