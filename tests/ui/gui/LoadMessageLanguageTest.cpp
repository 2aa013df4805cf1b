// SPDX-License-Identifier: GPL-3.0-or-later
// The messages a load composes in the plain libraries reach the windows in
// English; the windows show them in the desktop's language with the file
// names in place, and the command line keeps the English.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <string>

#include "analysis/PerformanceLoader.h"
#include "model/Performance.h"
#include "model/ValueKind.h"
#include "plot/DescribeFrame.h"
#include "plot/HoverLabel.h"
#include "plot/PerformancePoints.h"
#include "plot/ViewState.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"
#include "support/TestPerformance.h"
#include "ui/Translations.h"

namespace rp {
namespace {

// A listing with a note-on earlier than the one before it and a note line
// whose velocity is no number: a warning of two sentences.
constexpr const char* kTwoFindings = "1; /* 100 ms */+60 64;\n2; /* 0 ms */+62 64;\n3; /* 200 ms */+60300;\n";

TEST(LoadMessageLanguage, GermanWindowsEnglishCommandLine) {
  const test::TempDir dir;
  const std::string missing = dir.Path("Take 1: Mazurka.txt");
  const std::string listing = dir.Write("two findings.txt", kTwoFindings);
  Performance performance;
  const LoadResult failed = ReadPerformanceFile(missing, performance, nullptr);
  const LoadResult warned = ReadPerformanceFile(listing, performance, nullptr);
  ASSERT_EQ(failed.message.rfind("Cannot open \"" + missing + "\": ", 0), 0u) << failed.message;
  ASSERT_NE(warned.warning.find(". In \""), std::string::npos) << warned.warning;

  QTranslator german;
  ASSERT_TRUE(german.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("returnplot"), QStringLiteral("_"),
                          TranslationsFolder()));
  QCoreApplication::installTranslator(&german);
  const std::string shownError = TranslatedText(failed.message).toStdString();
  const std::string shownWarning = TranslatedText(warned.warning).toStdString();
  QCoreApplication::removeTranslator(&german);

  EXPECT_EQ(shownError.rfind("„" + missing + "“ kann nicht geöffnet werden: ", 0), 0u) << shownError;
  EXPECT_EQ(shownWarning, "In „" + listing +
                              "“ wurde 1 Zeile, die wie eine Note aussieht, übersprungen, Zeile 3: eine Velocity, die "
                              "keine Zahl von 0 bis 255 ist („3; /* 200 ms */+60300;“). In „" +
                              listing +
                              "“ liegt das Note-on in Zeile 2 vor dem Note-on davor; es bleibt in der Reihenfolge der "
                              "Datei und gehört zum Anschlagsereignis davor.")
      << shownWarning;
  // Untranslated, a message stays as it came.
  EXPECT_EQ(TranslatedText(failed.message).toStdString(), failed.message);

  const test::ProgramRun run = test::RunCapturing({RP_PROGRAM, "--export-events", missing}, test::StdErr::Apart,
                                                  {{"LANG", "de_DE.UTF-8"}, {"LC_ALL", ""}, {"LANGUAGE", ""}});
  EXPECT_EQ(run.err.rfind("returnplot: " + failed.message, 0), 0u) << run.err;
}

// The plot draws its caption, plates and hover label in the window's language.
TEST(LoadMessageLanguage, PlotTextsInGerman) {
  ViewState s;
  SetEventAxisNames(s);
  const Performance performance = testing::MakePerformance(5);
  DataEntry point;
  point.dataX = 412.5;
  s.hoverText = PerformancePointText(s, point, performance, 1, ValueKind::Timing, ".");
  s.showHoverText = true;
  s.translateText = RememberingTranslator();

  QTranslator german;
  ASSERT_TRUE(german.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("returnplot"), QStringLiteral("_"),
                          TranslationsFolder()));
  QCoreApplication::installTranslator(&german);
  const SceneDescription scene = DescribeFrame(s);
  QCoreApplication::removeTranslator(&german);

  ASSERT_GE(scene.texts.size(), 2u);
  std::vector<std::string> hover;
  for (const TextLine& line : scene.texts.back().lines) hover.push_back(line.text);
  ASSERT_GE(hover.size(), 3u);
  EXPECT_EQ(hover[1].rfind("Ereignis 2 bei 0:", 0), 0u) << hover[1];
  EXPECT_EQ(hover[2], "Ereignis n = 412.500 ms");
  EXPECT_EQ(scene.texts[0].lines[0].text, "z-Achse = Ereignis n+2d");
  EXPECT_EQ(scene.axisNames.lines[0], "Ereignis n");
}

}  // namespace
}  // namespace rp
