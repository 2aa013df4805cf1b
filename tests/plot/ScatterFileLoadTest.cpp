// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "frontend/Dialogs.h"
#include "plot/PlotPoints.h"
#include "plot/ScatterFileLoad.h"
#include "support/ScriptedDialogs.h"

namespace rp {
namespace {

TEST(ScatterFileLoad, LoadsThenRebuildsInEveryCase) {
  ScriptedDialogs dialogs;
  PlotPoints view;
  std::vector<std::string> shown;
  const auto recordShown = [&] { shown.push_back("shown x=" + std::to_string(view.points.Item(0).x)); };
  LoadScatterFileShown(view, dialogs, RP_TEST_DATA_DIR "/scatter_cube.csv", recordShown);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(view.points.Count(), 3u);
  EXPECT_EQ(shown, (std::vector<std::string>{"shown x=-4.000000"}));

  // After "Unable to find" the unchanged points are rebuilt.
  shown.clear();
  LoadScatterFileShown(view, dialogs, RP_TEST_DATA_DIR "/scatter_missing.csv", recordShown);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Unable to find " RP_TEST_DATA_DIR "/scatter_missing.csv");
  EXPECT_EQ(shown, (std::vector<std::string>{"shown x=-4.000000"}));

  // A step that fails is said, never swallowed; the next step still runs.
  dialogs.messages.clear();
  shown.clear();
  LoadScatterFileShown(view, dialogs, RP_TEST_DATA_DIR "/scatter_cube.csv",
                       [&] { throw std::runtime_error("no frame"); });
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "no frame");
}

}  // namespace
}  // namespace rp
