// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/DescribeFrame.h"

#include <cmath>
#include <functional>
#include <string>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "io/TextLines.h"
#include "plot/Legend.h"
#include "plot/OverlayLines.h"
#include "plot/Plates.h"
#include "plot/ScaleItems.h"
#include "plot/ViewState.h"
#include "scene/ArgbColour.h"
#include "scene/SceneDefaults.h"
#include "scene/SceneMath.h"

namespace rp {

namespace {

constexpr Argb32 kBackground = 0xFF303030;
constexpr Argb32 kWhiteText = 0xFFFFFFFF;
constexpr float kPointRadius = 0.1f;
constexpr std::int32_t kCaptionLeft = 10;
constexpr std::int32_t kCaptionTop = 20;

void AddSpheres(std::vector<SphereInstance>& spheres, const PointCollection& points, std::size_t group) {
  std::size_t position = 1;
  for (const DataEntry& p : points) {
    SphereInstance s;
    s.centre = {p.x, p.y, p.z};
    s.radius = kPointRadius * std::abs(static_cast<float>(p.size));
    s.colour = ColourFromArgb(p.colour);
    s.point = {group, position++};
    s.clipped = p.clipped;
    spheres.push_back(s);
  }
}

Camera PlotCamera(const ViewState& s) {
  Camera c;
  c.view = s.viewMatrix;
  c.projection =
      PlotProjection(static_cast<std::int32_t>(s.viewport.width), static_cast<std::int32_t>(s.viewport.height));
  c.viewport = s.viewport;
  return c;
}

// Every text of the frame in the user's language, line by line.
void TranslateTexts(const std::function<std::string(const std::string&)>& translate, SceneDescription& scene) {
  for (TextItem& item : scene.texts)
    for (auto& line : item.lines) line.text = translate(line.text);
  for (AnchoredText& text : scene.anchoredTexts) text.text = translate(text.text);
  for (std::string& line : scene.axisNames.lines) line = translate(line);
}

TextItem Text(std::string_view text, std::int32_t x, std::int32_t y) {
  TextItem item;
  for (std::string_view line : SplitLines(text)) item.lines.push_back({std::string(line), kWhiteText});
  item.x = x;
  item.y = y;
  return item;
}

void AddTexts(const ViewState& s, std::vector<TextItem>& texts) {
  if (s.showHoverText) texts.push_back(Text(s.hoverText, s.hoverRect.left, s.hoverRect.top));
  std::string caption = FormatText(QT_TRANSLATE_NOOP("returnplot", "z axis = %1"), {s.verticalAxisName});
  if (!s.captionNote.empty()) caption += "      " + s.captionNote;
  if (!s.pointNote.empty()) caption += "\r" + s.pointNote;
  texts.push_back(Text(caption, kCaptionLeft, kCaptionTop));
  for (TextItem& legend : LegendTexts(s, static_cast<std::int32_t>(s.viewport.width), s.labelFontSource))
    texts.push_back(std::move(legend));
}

}  // namespace

std::vector<SphereInstance> PointSpheres(const PlotPoints& points) {
  std::vector<SphereInstance> spheres;
  AddSpheres(spheres, points.points, 0);
  for (std::size_t g = 0; g < points.compared.size(); ++g) AddSpheres(spheres, points.compared[g].points, g + 1);
  return spheres;
}

SceneDescription DescribePickScene(const ViewState& state) {
  SceneDescription scene;
  scene.camera = PlotCamera(state);
  scene.orientation = RotationMatrix(state.orientation);
  scene.spheres = PointSpheres(state);
  return scene;
}

SceneDescription DescribeFrame(const ViewState& state) {
  SceneDescription scene = DescribePickScene(state);
  scene.background = kBackground;
  scene.lighting = PlotLighting();
  AppendOverlayLines(state, scene.lines);
  AppendScaleItems(state, scene);
  for (std::int32_t axis : {0, 2})
    for (const Quad& q : AxisNamePlate(axis)) scene.quads.push_back(q);
  if (state.showGlass)
    for (const Quad& q : GlassPlate()) scene.quads.push_back(q);
  AddTexts(state, scene.texts);
  scene.labelFont = state.labelFontSource;
  scene.titleFont = state.titleFontSource;
  scene.axisNames.lines = {state.xAxisName, state.verticalAxisName, state.depthAxisName};
  if (state.translateText) TranslateTexts(state.translateText, scene);
  return scene;
}

}  // namespace rp
