// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/DescribeFrame.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "io/TextLines.h"
#include "model/Performance.h"
#include "model/ValueKind.h"
#include "plot/EventRange.h"
#include "plot/Legend.h"
#include "plot/OverlayLines.h"
#include "plot/Plates.h"
#include "plot/PlotTheme.h"
#include "plot/ScaleItems.h"
#include "plot/ViewState.h"
#include "scene/ArgbColour.h"
#include "scene/SceneDefaults.h"
#include "scene/SceneMath.h"
#include "scene/TextLayout.h"

namespace rp {

namespace {

constexpr Argb32 kBackground = 0xFF303030;
constexpr Argb32 kWhiteText = 0xFFFFFFFF;
constexpr float kPointRadius = 0.1f;
constexpr std::int32_t kCaptionLeft = 10;
constexpr std::int32_t kCaptionTop = 20;
constexpr std::int32_t kBlockGap = 4;            // pixels between blocks of text moved apart
constexpr Argb32 kHoverBackground = 0xB0000000;  // black, alpha 0.69
constexpr std::int32_t kHoverPadding = 3;
constexpr std::int32_t kHoverReach = 20;  // the label's near side from the cursor, as HoverLabelRect places it

void AddSpheres(std::vector<SphereInstance>& spheres, const PointCollection& points, std::size_t group,
                float pointSize = 1.0f) {
  std::size_t position = 0;
  for (const DataEntry& p : points) {
    SphereInstance s;
    s.centre = {p.x, p.y, p.z};
    s.radius = kPointRadius * std::abs(static_cast<float>(p.size)) * pointSize;
    s.colour = ColourFromArgb(p.colour);
    s.point = {group, position++};
    s.clipped = p.clipped;
    spheres.push_back(s);
  }
}

Camera PlotCamera(const ViewState& s) {
  Camera c;
  c.view = s.camera.viewMatrix;
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

// The quantity on the axes with its unit, as the caption names it.
std::string QuantityName(ValueKind kind, const Performance& performance, const TempoMeasure& tempo) {
  const VelocityKind velocity = performance.velocityKind;
  switch (kind) {
    case ValueKind::Timing:
      return QT_TRANSLATE_NOOP("returnplot", "inter-onset interval (ms)");
    case ValueKind::Velocity:
      return velocity == VelocityKind::Decibel ? QT_TRANSLATE_NOOP("returnplot", "loudness (dB)")
                                               : QT_TRANSLATE_NOOP("returnplot", "velocity");
    case ValueKind::Tempo:
      return TempoQuantity(performance, tempo);
    case ValueKind::MelodyLead:
      return QT_TRANSLATE_NOOP("returnplot", "melody lead (ms)");
    case ValueKind::Spread:
      return QT_TRANSLATE_NOOP("returnplot", "chord spread (ms)");
  }
  return {};
}

// The title a picture of the performances shown has unless one is given:
// the piece when compared performances share one score, else the main
// performance's file name.
std::string DefaultTitle(const ViewState& s) {
  const auto piece = [](const Performance& p) { return p.score ? p.score->piece : std::string(); };
  const Performance* main = s.mainPerformance;
  if (main != nullptr && s.comparedPerformances != nullptr && !s.compared.empty() && !piece(*main).empty()) {
    const bool samePiece = std::all_of(s.comparedPerformances->begin(), s.comparedPerformances->end(),
                                       [&](const Performance& p) { return piece(p) == piece(*main); });
    if (samePiece) return piece(*main);
  }
  return s.pointsName;
}

std::string Title(const ViewState& s) { return s.display.title.value_or(DefaultTitle(s)); }

// What the values are, the delay and the events shown when not all: for a
// performance's points only.
std::string QuantityLine(const ViewState& s) {
  const Performance* main = s.mainPerformance;
  if (main == nullptr || !s.scale.active || main->EventCount() == 0) return {};
  std::string line = QuantityName(s.valueKind, *main, s.display.tempo);
  // A delay other than the default is named already in the note of the settings.
  if (s.captionNote.rfind("d = ", 0) != 0) line += ", d = " + std::to_string(main->settings.delay);
  if (const std::optional<EventSpan>& range = s.display.eventRange) {
    // Numbered from 1 for the reader.
    const std::int32_t first = std::max(range->first, 0) + 1;
    const std::int32_t last = std::min(range->last, main->EventCount() - 1) + 1;
    line += ", " + FormatText(QT_TRANSLATE_NOOP("returnplot", "events %1\u2013%2"),
                              {std::to_string(first), std::to_string(last)});
  }
  return line;
}

void Shift(std::vector<TextItem>& items, std::size_t from, std::size_t to, std::int32_t dy) {
  for (std::size_t i = from; i < to; ++i) items[i].y += dy;
}

TextBox BlockBox(const std::vector<TextItem>& items, std::size_t from, std::size_t to, const ViewState& s) {
  TextBox box{1e9f, 1e9f, -1e9f, -1e9f};
  for (std::size_t i = from; i < to; ++i) {
    const TextBox b = ItemBox(items[i], items[i].font == FontRole::Title ? s.titleFontSource : s.labelFontSource);
    box = {std::min(box.left, b.left), std::min(box.top, b.top), std::max(box.right, b.right),
           std::max(box.bottom, b.bottom)};
  }
  return box;
}

// The hover label beside the cursor on a translucent background, on the
// cursor's other side where it would leave the picture on the right or
// cover the colour bar, and moved up where it would leave it at the bottom.
void AddHoverLabel(const ViewState& s, SceneDescription& scene) {
  TextItem label;
  for (const std::string& line : s.hoverText) label.lines.push_back({line, kWhiteText});
  label.x = s.hoverRect.left;
  label.y = s.hoverRect.top;
  label.overlay = true;
  TextBox box = ItemBox(label, s.labelFontSource);
  const auto width = static_cast<float>(s.viewport.width);
  const auto height = static_cast<float>(s.viewport.height);
  float right = width - static_cast<float>(kHoverPadding);
  for (const ScreenRect& r : scene.rects)
    if (box.top < static_cast<float>(r.y + r.height) && static_cast<float>(r.y) < box.bottom)
      right = std::min(right, static_cast<float>(r.x - kHoverPadding));
  if (box.right > right) {
    const float cursorX = static_cast<float>(s.hoverRect.left + kHoverReach);
    const float flipped = cursorX - static_cast<float>(kHoverReach) - (box.right - box.left);
    const float dx = std::max(static_cast<float>(kHoverPadding), flipped) - box.left;
    label.x += static_cast<std::int32_t>(std::lround(dx));
  }
  if (box.bottom > height - static_cast<float>(kHoverPadding))
    label.y -= static_cast<std::int32_t>(std::lround(box.bottom - height + kHoverPadding));
  label.y = std::max(label.y, kHoverPadding);
  box = ItemBox(label, s.labelFontSource);
  const auto left = static_cast<std::int32_t>(std::floor(box.left)) - kHoverPadding;
  const auto top = static_cast<std::int32_t>(std::floor(box.top)) - kHoverPadding;
  scene.rects.push_back({left, top, static_cast<std::int32_t>(std::ceil(box.right)) + kHoverPadding - left,
                         static_cast<std::int32_t>(std::ceil(box.bottom)) + kHoverPadding - top, kHoverBackground});
  scene.texts.push_back(std::move(label));
}

// The title and caption at the top left, the legend at the top right (moved
// below the caption where they would meet) and the colour bar's labels as
// AppendScaleItems placed them (moved down with the bar likewise).
void AddTexts(const ViewState& s, SceneDescription& scene) {
  std::vector<TextItem>& texts = scene.texts;
  const std::size_t barTexts = texts.size();  // the colour bar's, from AppendScaleItems
  // Lines too long for the window are cut short.
  const float room = static_cast<float>(s.viewport.width) - static_cast<float>(kCaptionLeft + kBlockGap);
  const auto fit = [room](TextItem& item, const FontDesc& font, float width) {
    for (TextLine& line : item.lines) line.text = Elided(line.text, font, std::min(room, width));
  };
  std::int32_t top = kCaptionTop;
  const std::string title = Title(s);
  if (!title.empty()) {
    TextItem item = Text(title, kCaptionLeft, top);
    item.font = FontRole::Title;
    fit(item, s.titleFontSource, room);
    top += static_cast<std::int32_t>(FontLineHeight(s.titleFontSource)) * static_cast<std::int32_t>(item.lines.size());
    texts.push_back(std::move(item));
  }
  std::string caption;
  if (const std::string quantity = QuantityLine(s); !quantity.empty()) caption = quantity + "\r";
  caption += FormatText(QT_TRANSLATE_NOOP("returnplot", "z axis = %1"), {s.verticalAxisName});
  if (!s.captionNote.empty()) caption += "      " + s.captionNote;
  if (!s.pointNote.empty()) caption += "\r" + s.pointNote;
  texts.push_back(Text(caption, kCaptionLeft, top));
  fit(texts.back(), s.labelFontSource, room);
  const std::size_t legendFrom = texts.size();
  // One performance alone has its name in the legend when the title is another.
  const bool alone = s.display.legend && s.compared.empty() && title != s.pointsName;
  if (s.display.legend)
    for (TextItem& legend : LegendTexts(s, static_cast<std::int32_t>(s.viewport.width), s.labelFontSource, alone))
      texts.push_back(std::move(legend));
  if (legendFrom < texts.size()) {
    TextItem& names = texts[legendFrom];
    fit(names, s.labelFontSource, static_cast<float>(names.x - kBlockGap));
  }
  if (s.display.theme == PlotTheme::Light && legendFrom < texts.size()) {
    // The names in the text's colour: the point colours' light tints are for a dark background.
    for (TextLine& line : texts[legendFrom].lines) line.colour = kWhiteText;
  }
  const TextBox captionBox = BlockBox(texts, barTexts, legendFrom, s);
  const TextBox legendBox = BlockBox(texts, legendFrom, texts.size(), s);
  if (legendFrom < texts.size() && legendBox.Overlaps(captionBox)) {
    Shift(texts, legendFrom, texts.size(),
          static_cast<std::int32_t>(std::ceil(captionBox.bottom - legendBox.top)) + kBlockGap);
  }
  if (barTexts > 0) {
    // The colour bar and its labels below what stands above them.
    const TextBox bar = BlockBox(texts, 0, barTexts, s);
    float lowest = bar.top;
    for (const TextBox& above : {captionBox, BlockBox(texts, legendFrom, texts.size(), s)})
      if (above.right > above.left && bar.left < above.right && above.left < bar.right)
        lowest = std::max(lowest, above.bottom + kBlockGap);
    if (const auto dy = static_cast<std::int32_t>(std::ceil(lowest - bar.top)); dy > 0) {
      Shift(texts, 0, barTexts, dy);
      for (ScreenRect& r : scene.rects) r.y += dy;
    }
  }
  if (s.showHoverText) AddHoverLabel(s, scene);
}

}  // namespace

std::vector<SphereInstance> PointSpheres(const PlotPoints& points, float pointSize) {
  std::vector<SphereInstance> spheres;
  AddSpheres(spheres, points.points, 0, pointSize);
  for (std::size_t g = 0; g < points.compared.size(); ++g)
    AddSpheres(spheres, points.compared[g].points, g + 1, pointSize);
  return spheres;
}

SceneDescription DescribePickScene(const ViewState& state) {
  SceneDescription scene;
  scene.camera = PlotCamera(state);
  scene.orientation = RotationMatrix(state.camera.orientation);
  scene.spheres = PointSpheres(state, state.display.pointSize);
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
  AddTexts(state, scene);
  scene.labelFont = state.labelFontSource;
  scene.titleFont = state.titleFontSource;
  scene.axisNames.lines = {state.xAxisName, state.verticalAxisName, state.depthAxisName};
  if (state.translateText) TranslateTexts(state.translateText, scene);
  ApplyTheme(state.display.theme, scene);
  return scene;
}

}  // namespace rp
