// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>

#include "ui/AnalysisSettingsDialog.h"

namespace rp {
namespace {

TEST(AnalysisSettingsDialog, OffersTheTimesUnitAndSaysWhenTheClusterWindowDoesNotApply) {
  AnalysisSettings current;
  current.timesUnit = TimesUnit::Milliseconds;
  AnalysisSettingsDialog plain(current);
  EXPECT_EQ(plain.findChild<QLabel*>(QStringLiteral("clusterWindowNote")), nullptr);
  auto* unit = plain.findChild<QComboBox*>(QStringLiteral("timesUnitBox"));
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(plain.Settings().timesUnit, TimesUnit::Milliseconds);
  unit->setCurrentIndex(0);
  EXPECT_EQ(plain.Settings().timesUnit, TimesUnit::Seconds);

  const AnalysisSettingsDialog match(current, nullptr, true);
  const auto* note = match.findChild<QLabel*>(QStringLiteral("clusterWindowNote"));
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(note->text().contains(QStringLiteral("match files")));
}

}  // namespace
}  // namespace rp
