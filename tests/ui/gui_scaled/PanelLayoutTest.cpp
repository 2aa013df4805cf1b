// SPDX-License-Identifier: GPL-3.0-or-later
// The control panel on a desktop scaled by RP_TEST_SCALE_FACTOR, in English
// and German and with a larger font: every control lies inside the window
// and no caption is cut, from the panel's smallest width up.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QTest>
#include <QTranslator>
#include <memory>
#include <string>

#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "session/Session.h"
#include "support/FakePlotView.h"
#include "support/RecordingMidiBackend.h"
#include "support/ScriptedDialogs.h"
#include "ui/ControlPanel.h"
#include "ui/QtUiPost.h"
#include "ui/Translations.h"

namespace rp {
namespace {

class RP_LAYOUT_SUITE : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    if (GetParam() == "de") {
      ASSERT_TRUE(InstallTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)))
          << "no German translation in " << TranslationsFolder().toStdString();
    }
    if (GetParam() == "large font") {
      QFont larger = QApplication::font();
      larger.setPointSizeF(larger.pointSizeF() * 1.5);
      QApplication::setFont(larger);
    }
  }
  void TearDown() override {
    for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
      QCoreApplication::removeTranslator(t);
      delete t;
    }
    QApplication::setFont(QFont());
  }

  std::unique_ptr<ControlPanel> MakePanel() {
    MidiOutputSetup midi;
    midi.clock = std::make_unique<SteadyReplayClock>();
    midi.backend = std::make_unique<RecordingMidiBackend>(*midi.clock, std::vector<std::string>{"Synth"});
    session_ = std::make_unique<Session>(dialogs_, QtUiPoster(qApp));
    session_->ConnectOutput(std::move(midi));
    session_->Start();
    return std::make_unique<ControlPanel>(*session_, dialogs_);
  }

  ScriptedDialogs dialogs_;
  std::unique_ptr<Session> session_;  // the last panel's
};

// Every shown control of the panel inside it, every caption whole.
void ExpectWhole(QWidget& panel, const std::string& where) {
  const QRect inside = panel.rect();
  for (QWidget* w : panel.findChildren<QWidget*>()) {
    if (!w->isVisible() || w->window() != &panel) continue;
    const std::string name = where + " " + w->objectName().toStdString();
    EXPECT_TRUE(inside.contains(QRect(w->mapTo(&panel, QPoint(0, 0)), w->size()))) << name;
    if (auto* label = qobject_cast<QLabel*>(w)) {
      EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(label->text())) << name;
      EXPECT_GE(label->contentsRect().height(), label->fontMetrics().height()) << name;
    } else if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty()) {
      EXPECT_GE(button->width(), button->sizeHint().width()) << name;
    }
  }
}

TEST_P(RP_LAYOUT_SUITE, EveryControlInsideAndNoCaptionCut) {
  const std::unique_ptr<ControlPanel> panel = MakePanel();
  if (GetParam() == "de") {
    EXPECT_EQ(panel->findChild<QLabel*>(QStringLiteral("tailLengthCaption"))->text(), "Länge des Schweifs");
  }
  panel->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
  const std::string where = GetParam() + " at " + RP_TEST_SCALE_FACTOR;
  ExpectWhole(*panel, where + ", start size");
  panel->resize(panel->minimumSizeHint());
  QCoreApplication::processEvents();
  ExpectWhole(*panel, where + ", smallest");
  panel->resize(panel->minimumSizeHint().width() * 2, panel->height());
  QCoreApplication::processEvents();
  ExpectWhole(*panel, where + ", wide");
  // The slider runs the width of the window, and does not run past it.
  const QWidget* slider = panel->findChild<QWidget*>(QStringLiteral("timeSlider"));
  EXPECT_GT(slider->width(), panel->width() * 8 / 10);
}

INSTANTIATE_TEST_SUITE_P(Languages, RP_LAYOUT_SUITE, ::testing::Values("en", "de", "large font"), [](const auto& info) {
  std::string name = info.param;
  for (char& c : name)
    if (c == ' ') c = '_';
  return name;
});

}  // namespace
}  // namespace rp
