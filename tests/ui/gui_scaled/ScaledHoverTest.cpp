// SPDX-License-Identifier: GPL-3.0-or-later
// The plot on a scaled desktop. Built once per scale factor
// (RP_TEST_SCALE_FACTOR, RP_TEST_SUITE), which the test main hands to Qt
// before it makes the application.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <optional>
#include <string>

#include "render/GlText.h"
#include "support/qt/PlotWindowFixture.h"

namespace rp {
namespace {

// The bounding box of the white pixels (text) in `area` of `image`.
QRect WhiteBox(const QImage& image, const QRect& area) {
  QRect box;
  const QRect inside = area & image.rect();
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QRgb c = image.pixel(x, y);
      if (qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 200) box |= QRect(x, y, 1, 1);
    }
  return box;
}

class RP_TEST_SUITE : public testing::PlotWindowTest {};

TEST_F(RP_TEST_SUITE, HoverLabelsTheSphereUnderTheCursorAndTextKeepsItsSize) {
  const double scale = std::stod(RP_TEST_SCALE_FACTOR);
  ASSERT_DOUBLE_EQ(Surface()->devicePixelRatioF(), scale);
  // Laid out in the window's pixels as at 100 %: the viewport is the client area.
  EXPECT_EQ(State().viewport.width, 606u);
  EXPECT_EQ(State().viewport.height, 443u);

  const std::optional<std::size_t> lone = LonePoint();
  ASSERT_TRUE(lone.has_value()) << "every point is crowded by another";
  const QPointF at = PointOnScreen(*lone);
  Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, at);
  ASSERT_TRUE(State().showHoverText) << "no sphere found under the cursor";
  const std::optional<std::int32_t> index = State().pointEvents.at(*lone);
  ASSERT_TRUE(index.has_value());
  const std::string event = "event " + std::to_string(*index + 1) + " at ";  // numbered from 1 for the user
  ASSERT_GE(State().hoverText.size(), 2u);
  EXPECT_EQ(State().hoverText[0], "performance.txt");
  EXPECT_EQ(State().hoverText[1].substr(0, event.size()), event);
  EXPECT_EQ(State().hoverRect.left, std::lround(at.x() - 20));
  EXPECT_EQ(State().hoverRect.top, std::lround(at.y() - 70));

  // Drawn there, sharper: the frame has the screen's pixels, and the label
  // and the caption are as large as the same text in the window's font.
  const QImage frame = Frame();
  ASSERT_EQ(frame.width(), std::lround(606 * scale));
  const QFontMetrics metrics(ToQFont(State().labelFontSource));
  const QRect label = WhiteBox(frame, QRect(QPointF((at.x() - 20) * scale, (at.y() - 70) * scale).toPoint(),
                                            QSize(int(std::lround(80 * scale)), int(metrics.height() * scale))));
  ASSERT_FALSE(label.isEmpty()) << "no label beside the cursor";
  EXPECT_LE(std::abs(label.left() - (at.x() - 20) * scale), 3 * scale);

  // The title and the caption below it: as wide as their widest line.
  const QFontMetrics titleMetrics(ToQFont(State().titleFontSource));
  const int captionBottom = 20 + titleMetrics.height() + 2 * metrics.height();
  State().showHoverText = false;  // the label may stand over them
  const QRect drawn = WhiteBox(Frame(), QRect(0, 0, int(300 * scale), int(captionBottom * scale)));
  double expected = titleMetrics.horizontalAdvance(QString::fromStdString(State().pointsName));
  for (const char* line : {"inter-onset interval (ms), d = 1", "z axis = event n+2d"})
    expected = std::max(expected, double(metrics.horizontalAdvance(QString::fromUtf8(line))));
  expected *= scale;
  EXPECT_NEAR(drawn.width(), expected, 0.1 * expected);
  EXPECT_NEAR(drawn.left(), 10 * scale, 3 * scale);
}

}  // namespace
}  // namespace rp
