// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include "ui/WindowGeometry.h"

namespace rp {
namespace {

TEST(WindowGeometry, AKeptPlaceComesBackAndOneOffTheScreensComesBackInside) {
  const QRect area(0, 30, 1280, 960);
  EXPECT_EQ(InsideArea({100, 100, 400, 300}, area), QRect(100, 100, 400, 300));
  EXPECT_EQ(InsideArea({3000, -50, 400, 300}, area), QRect(880, 30, 400, 300)) << "a screen that is gone";
  EXPECT_EQ(InsideArea({-10, 0, 2000, 2000}, area), area) << "larger than the area: shrunk to it";

  QWidget window;
  window.setObjectName(QStringLiteral("geometryTestWindow"));
  EXPECT_FALSE(RestoreWindowGeometry(window)) << "nothing kept yet";
  window.resize(300, 200);
  window.move(40, 60);
  StoreWindowGeometry(window);
  QWidget again;
  again.setObjectName(window.objectName());
  ASSERT_TRUE(RestoreWindowGeometry(again));
  EXPECT_EQ(again.size(), QSize(300, 200));
  EXPECT_EQ(again.pos(), QPoint(40, 60));

  // Kept on a monitor since unplugged: inside the free area of the screen there is.
  QSettings(QStringLiteral("returnplot"), QStringLiteral("returnplot"))
      .setValue(QStringLiteral("windows/geometryTestWindow"), QRect(5000, 5000, 300, 200));
  ASSERT_TRUE(RestoreWindowGeometry(again));
  EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(QRect(again.pos(), again.size())));
  QSettings(QStringLiteral("returnplot"), QStringLiteral("returnplot")).remove(QStringLiteral("windows"));
}

}  // namespace
}  // namespace rp
