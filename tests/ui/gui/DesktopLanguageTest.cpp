// SPDX-License-Identifier: GPL-3.0-or-later
// The windows speak the language the desktop's locale names. The test runs
// its own program again with only LANG set, as a desktop session would start
// the program, and that run looks at the plot's popup menu.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "model/ComparedPerformances.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "session/Session.h"
#include "support/ChildProcess.h"
#include "support/ScriptedDialogs.h"
#include "ui/PlotWindow.h"
#include "ui/QtUiPost.h"
#include "ui/Translations.h"

namespace rp {
namespace {

constexpr const char* kExpectedVariable = "RP_TEST_EXPECTED_CAPTION";

TEST(DesktopLanguage, PopupMenuFollowsLang) {
  if (const char* expected = std::getenv(kExpectedVariable)) {
    // The run started below: the program's start-up, then the menu.
    InstallTranslations(*qApp, QLocale::system());
    ScriptedDialogs dialogs;
    Session session(dialogs, QtUiPoster(qApp));
    PlotWindow form(session, dialogs, StartOptions{});
    EXPECT_EQ(form.MenuItem(QStringLiteral("menuConnect"))->text().toStdString(), expected);
    return;
  }
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  for (const auto& [lang, caption] :
       {std::pair{"de_DE.UTF-8", "Verbindungslinien"}, std::pair{"en_US.UTF-8", "Connecting lines"}}) {
    const std::map<std::string, std::string> env = {
        {"LANG", lang}, {"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANGUAGE", ""}, {kExpectedVariable, caption}};
    const test::ProgramRun run = test::RunCapturing({self, "--gtest_filter=DesktopLanguage.PopupMenuFollowsLang"},
                                                    test::StdErr::IntoOut, env, std::chrono::minutes(1));
    EXPECT_EQ(run.status, 0) << "LANG=" << lang << ":\n" << run.out;
  }
}

}  // namespace
}  // namespace rp
