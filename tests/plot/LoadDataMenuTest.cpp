// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <stdexcept>
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
  bool failRelease = false;
  SceneRebuildSteps Steps() {
    return {[this] {
              steps.push_back("release");
              if (failRelease) throw std::runtime_error("release failed");
            },
            [this] { steps.push_back("build x=" + std::to_string(view->points.Item(1).x)); },
            [this] { steps.push_back("restore"); }};
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
  LoadDataFromFileMenu(view, dialogs, recorder.Steps());
  LoadDataFromFileMenu(view, dialogs, recorder.Steps());
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
  recorder.failRelease = true;  // a failing step does not stop the next
  LoadDataFromFileMenu(view, dialogs, recorder.Steps());
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(view.points.Count(), 3u);
  EXPECT_EQ(recorder.steps, (std::vector<std::string>{"release", "build x=-4.000000", "restore"}));

  // After "Unable to find" the unchanged points are rebuilt.
  recorder.steps.clear();
  recorder.failRelease = false;
  LoadDataFromFileMenu(view, dialogs, recorder.Steps());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Unable to find " RP_TEST_DATA_DIR "/scatter_missing.csv");
  EXPECT_EQ(recorder.steps, (std::vector<std::string>{"release", "build x=-4.000000", "restore"}));
}

}  // namespace
}  // namespace rp
