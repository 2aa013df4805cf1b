// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one QApplication of the GUI test program, made on first use.

#include <QApplication>
#include <QStandardPaths>

namespace rp::testing {

// Settings go to a test folder, never the user's.
inline QApplication& GuiApp() {
  QStandardPaths::setTestModeEnabled(true);
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
  static int argc = 1;
  static char name[] = "test_view_gui";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

}  // namespace rp::testing
