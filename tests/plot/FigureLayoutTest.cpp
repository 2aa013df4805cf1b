// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of a figure stand inside the picture and apart from each other
// for any window size and any turn of the plot, computed from the frame's
// description as every renderer places them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/PerformanceLoader.h"
#include "model/ComparedPerformances.h"
#include "model/Performance.h"
#include "plot/DescribeFrame.h"
#include "plot/FrameMove.h"
#include "plot/FullViewScale.h"
#include "plot/PerformancePoints.h"
#include "plot/ViewState.h"
#include "scene/AnchoredTexts.h"
#include "scene/SceneMath.h"
#include "scene/TextLayout.h"
#include "support/ScriptedDialogs.h"

namespace rp {
namespace {

const std::string kMatch = RP_SHARED_DATA_DIR "/vienna4x22/match/Chopin_op10_no3_p";

struct Figure {
  ScriptedDialogs dialogs;
  Performance main;
  ComparedPerformances compared;
  ViewState s;

  // The full view of the first file, the others compared with it.
  Figure(const std::vector<std::string>& files, ValueKind kind) {
    for (std::size_t i = 0; i < files.size(); ++i) {
      Performance& p = i == 0 ? main : compared.emplace_back();
      EXPECT_TRUE(LoadPerformanceFile(files[i], p).Ok()) << files[i];
    }
    s.labelFontSource = {"DejaVu Sans", 9.0f, 400};
    s.titleFontSource = {"DejaVu Sans", 12.0f, 700};
    s.valueKind = kind;
    s.mainPerformance = &main;
    s.comparedPerformances = &compared;
    s.rendererReady = true;
    FillAllEventPoints(s, dialogs, main);
    FillComparedPoints(s, dialogs, main, compared);
    ApplyPerformanceSettings(s, main.settings);
    ScaleFullView(s, main);
  }

  // The frame at `width` x `height`, the plot turned as --yaw and --pitch turn it.
  SceneDescription Frame(std::uint32_t width, std::uint32_t height, float yaw, float pitch) {
    s.viewport = {0, 0, width, height, 0, 1};
    s.camera.orientation = glm::quat(1, 0, 0, 0);
    FrameMove(s, 0.0f);
    constexpr float kPerDegree = 3.14159265f / 180.0f;
    s.camera.orientation = QuatThen(QuatFromAxisAngle({0, 1, 0}, yaw * kPerDegree), s.camera.orientation);
    s.camera.orientation =
        glm::normalize(QuatThen(s.camera.orientation, QuatFromAxisAngle({1, 0, 0}, -pitch * kPerDegree)));
    return DescribeFrame(s);
  }
};

struct Placed {
  TextBox box;
  std::size_t item;
  std::string text;
};

// Every line of text the renderers draw, with the item it belongs to.
std::vector<Placed> DrawnTexts(const SceneDescription& scene) {
  std::vector<TextItem> items = scene.texts;
  for (TextItem& item : PlacedAnchoredTexts(scene)) items.push_back(std::move(item));
  std::vector<Placed> placed;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::vector<TextBox> boxes = LineBoxes(items[i], ItemFont(scene, items[i]));
    std::size_t line = 0;
    for (const TextBox& box : boxes) {
      while (items[i].lines[line].text.empty()) ++line;
      placed.push_back({box, i, items[i].lines[line++].text});
    }
  }
  return placed;
}

TEST(FigureLayout, EveryTextInsideThePictureAndNoneOverAnotherAtAnySizeAndAngle) {
  if (!std::filesystem::exists(kMatch + "01.match"))
    GTEST_SKIP() << "the Vienna 4x22 match files are not in " RP_SHARED_DATA_DIR;
  Figure one({kMatch + "01.match"}, ValueKind::Timing);
  Figure four({kMatch + "01.match", kMatch + "02.match", kMatch + "03.match", kMatch + "04.match"}, ValueKind::Tempo);
  four.s.display.theme = PlotTheme::Light;
  Figure part({kMatch + "05.match"}, ValueKind::Velocity);
  part.s.display.eventRange = EventSpan{19, 119};
  part.s.display.title = "Chopin op. 10/3, pianist 5: a long title that a narrow picture has to cut short";
  ScaleFullView(part.s, part.main);
  int frames = 0;
  for (Figure* figure : {&one, &four, &part}) {
    for (const auto& [width, height] : std::vector<std::pair<std::uint32_t, std::uint32_t>>{
             {606, 443}, {606, 200}, {606, 886}, {300, 500}, {1000, 700}}) {
      for (const float yaw : {0.0f, 35.0f, 90.0f, 160.0f, 270.0f}) {
        for (const float pitch : {-45.0f, 0.0f, 5.0f, 60.0f}) {
          const SceneDescription scene = figure->Frame(width, height, yaw, pitch);
          const std::vector<Placed> texts = DrawnTexts(scene);
          ++frames;
          const auto where = [&](const Placed& t) {
            return "\"" + t.text + "\" at " + std::to_string(width) + "x" + std::to_string(height) + ", yaw " +
                   std::to_string(yaw) + ", pitch " + std::to_string(pitch);
          };
          for (const Placed& t : texts) {
            EXPECT_TRUE(t.box.left >= 0 && t.box.top >= 0 && t.box.right <= static_cast<float>(width) &&
                        t.box.bottom <= static_cast<float>(height))
                << where(t) << " is cut";
          }
          for (std::size_t a = 0; a < texts.size(); ++a)
            for (std::size_t b = a + 1; b < texts.size(); ++b)
              if (texts[a].item != texts[b].item && texts[a].box.Overlaps(texts[b].box))
                ADD_FAILURE() << where(texts[a]) << " covers " << where(texts[b]);
        }
      }
    }
  }
  EXPECT_EQ(frames, 3 * 5 * 5 * 4);
  // What the figures name: the title, the quantity with its unit, the delay and the events shown.
  const SceneDescription scene = part.Frame(606, 443, 0, 0);
  ASSERT_GE(scene.texts.size(), 2u);
  EXPECT_EQ(scene.texts[0].font, FontRole::Title);
  EXPECT_EQ(scene.texts[1].lines[0].text, "velocity, d = 1, events 20\u2013120");
  EXPECT_EQ(one.Frame(606, 443, 0, 0).texts[0].lines[0].text, "Chopin_op10_no3_p01.match");
  EXPECT_EQ(one.Frame(606, 443, 0, 0).texts[1].lines[0].text, "inter-onset interval (ms), d = 1");
  const SceneDescription compared = four.Frame(606, 443, 0, 0);
  EXPECT_EQ(compared.background, 0xFFFFFFFFu) << "the light look";
  EXPECT_NE(compared.texts[0].lines[0].text.find("Chopin"), std::string::npos) << "the piece names the comparison";
}

}  // namespace
}  // namespace rp
