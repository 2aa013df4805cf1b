// SPDX-License-Identifier: GPL-3.0-or-later
// The estimate by which the snapshots and charts make room for their texts
// is never narrower than DejaVu Sans, in which the desktop program draws
// them, draws a character, regular or bold (the legend's swatch glyphs
// apart, which the legend gives room of their own).
#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <string>

#include "base/TextWidth.h"

namespace rp {

TEST(TextWidthFont, NoCharacterIsDrawnWiderThanEstimated) {
  QFont font(QStringLiteral("DejaVu Sans"));
  if (QFontInfo(font).family() != QStringLiteral("DejaVu Sans")) GTEST_SKIP() << "DejaVu Sans is not installed";
  font.setPixelSize(100);
  std::string characters;
  for (char c = ' '; c <= '~'; ++c) characters += c;
  for (const bool bold : {false, true}) {
    font.setBold(bold);
    const QFontMetricsF metrics(font);
    const QString text = QString::fromStdString(characters + "\u2026\u2013\u2014\u2212\u2192\u00e9\u00df\u03b5");
    for (const QChar c : text) {
      const double estimate =
          EstimatedTextWidth(QString(c).toStdString(), 100.0, bold ? TextWeight::Bold : TextWeight::Normal);
      EXPECT_GE(estimate, metrics.horizontalAdvance(c)) << QString(c).toStdString() << (bold ? " bold" : "");
    }
  }
}

}  // namespace rp
