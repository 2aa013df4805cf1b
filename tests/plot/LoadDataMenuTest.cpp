// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "plot/LoadDataMenu.h"
#include "plot/PlotPoints.h"
#include "support/ScriptedDialogs.h"

namespace rp {
namespace {

struct Recorder {
  std::vector<std::string> steps;
  const PlotPoints* view = nullptr;
  std::function<void()> Shown() {
    return [this] { steps.push_back("shown x=" + std::to_string(view->points.Item(1).x)); };
  }
};

TEST(LoadDataMenu, CancelTouchesNothing) {
  ScriptedDialogs dialogs;
  dialogs.fileAnswers = {std::nullopt, std::string()};
  PlotPoints view;
  view.mediaFolder = "/media/folder/";
  view.xAxisName = "kept";
  view.AddEntry(dialogs, "p", 1, 2, 3, 1, 0, "");
  Recorder recorder;
  recorder.view = &view;
  LoadDataFromFileMenu(view, dialogs, recorder.Shown());
  LoadDataFromFileMenu(view, dialogs, recorder.Shown());
  EXPECT_TRUE(recorder.steps.empty());
  EXPECT_EQ(view.points.Count(), 1u);
  EXPECT_EQ(view.points.Item(1).x, 0.0f) << "not even rescaled";
  EXPECT_EQ(view.xAxisName, "kept");
  ASSERT_EQ(dialogs.requests.size(), 2u);
  EXPECT_EQ(dialogs.requests[0].filter, "csv|*.csv");
  EXPECT_EQ(dialogs.requests[0].initialDir, "/media/folder/");
}

TEST(LoadDataMenu, LoadsThenRebuildsInEveryCase) {
  ScriptedDialogs dialogs;
  // A name typed without its extension finds the .csv file.
  dialogs.fileAnswers = {std::string(RP_TEST_DATA_DIR "/scatter_cube"),
                         std::string(RP_TEST_DATA_DIR "/scatter_missing.csv")};
  PlotPoints view;
  Recorder recorder;
  recorder.view = &view;
  LoadDataFromFileMenu(view, dialogs, recorder.Shown());
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(view.points.Count(), 3u);
  EXPECT_EQ(recorder.steps, (std::vector<std::string>{"shown x=-4.000000"}));

  // After "Unable to find" the unchanged points are rebuilt.
  recorder.steps.clear();
  LoadDataFromFileMenu(view, dialogs, recorder.Shown());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Unable to find " RP_TEST_DATA_DIR "/scatter_missing.csv");
  EXPECT_EQ(recorder.steps, (std::vector<std::string>{"shown x=-4.000000"}));
}

}  // namespace
}  // namespace rp
