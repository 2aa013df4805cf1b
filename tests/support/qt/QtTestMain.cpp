// SPDX-License-Identifier: GPL-3.0-or-later
// The main of every Qt test program: the one QApplication, made in test mode
// (settings and file dialogs' state go to a test folder, never the user's)
// before any test runs and gone after the last. A program built with
// RP_TEST_SCALE_FACTOR runs on a desktop scaled by that factor, which Qt
// reads once, when the application is made. Listing the tests needs no
// display, so no application is made for it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <cstdlib>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
#ifdef RP_TEST_SCALE_FACTOR
  ::setenv("QT_SCALE_FACTOR", RP_TEST_SCALE_FACTOR, 1);
#endif
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
