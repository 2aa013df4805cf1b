// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/SceneSvg.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "base/XmlText.h"
#include "scene/AnchoredTexts.h"
#include "scene/ArgbColour.h"
#include "scene/LitColour.h"
#include "scene/SceneMath.h"
#include "scene/ScenePick.h"
#include "scene/TextLayout.h"

namespace rp {

namespace {

std::string Hex(const ColourF& c) {
  const auto byte = [](float v) { return static_cast<int>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", byte(c.r), byte(c.g), byte(c.b));
  return text;
}

// Fill (and its opacity when not opaque) as SVG attributes.
std::string Fill(const ColourF& c) {
  std::string attributes = "fill=\"" + Hex(c) + "\"";
  if (c.a < 1.0f) attributes += " fill-opacity=\"" + std::to_string(std::clamp(c.a, 0.0f, 1.0f)) + "\"";
  return attributes;
}

std::string Number(float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", static_cast<double>(v));
  return text;
}

std::string Number6(float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", static_cast<double>(v));
  return text;
}

std::string FontAttributes(const FontDesc& font, float pixels) {
  std::string attributes = "font-family=\"" + XmlText(font.faceName) + "\" font-size=\"" + Number(pixels) + "\"";
  if (font.weight >= 700) attributes += " font-weight=\"bold\"";
  if (font.italic) attributes += " font-style=\"italic\"";
  return attributes;
}

// One shape of the 3D scene, its depth the window depth of its middle.
struct Shape {
  float depth;
  std::string svg;
};

// One line of text with its baseline at `baseline`, as the renderers draw
// it: no baseline keyword, which renderers read differently.
std::string TextElement(float x, float baseline, const std::string& text, Argb32 colour, const FontDesc& font,
                        bool right, const std::string& extra = "") {
  return "<text x=\"" + Number(x) + "\" y=\"" + Number(baseline) + "\"" + (right ? " text-anchor=\"end\"" : "") +
         " xml:space=\"preserve\" " + Fill(ColourFromArgb(static_cast<std::int32_t>(colour))) + ' ' +
         FontAttributes(font, FontPixels(font)) + extra + '>' + XmlText(text) + "</text>";
}

// The name on an axis plate as the renderer draws it: its line of the
// axis-name texture (the name kLeft texels from the left, its baseline the
// title font's ascent below the line's top) carried onto the plate's corners
// in the window by the affine map their texture coordinates give.
std::string PlateName(const SceneDescription& scene, const Quad& q, const std::array<glm::vec3, 4>& window,
                      const std::string& name) {
  const float size = static_cast<float>(AxisNameTexture::kSize);
  const float lineHeight = FontLineHeight(scene.titleFont);
  const auto texel = [&](std::size_t k) { return glm::vec2(q.texCoords[k].x * size, q.texCoords[k].y * lineHeight); };
  const glm::vec2 t0 = texel(0), du = texel(1) - t0, dv = texel(3) - t0;
  const glm::vec2 p0(window[0]), pu = glm::vec2(window[1]) - p0, pv = glm::vec2(window[3]) - p0;
  const float det = du.x * dv.y - du.y * dv.x;
  if (det == 0.0f) return {};
  // The texel-to-window map: columns a (per texel across) and c (per texel down).
  const glm::vec2 a = (pu * dv.y - pv * du.y) / det;
  const glm::vec2 c = (pv * du.x - pu * dv.x) / det;
  const glm::vec2 e = p0 - a * t0.x - c * t0.y;
  const std::string transform = " transform=\"matrix(" + Number6(a.x) + ' ' + Number6(a.y) + ' ' + Number6(c.x) + ' ' +
                                Number6(c.y) + ' ' + Number6(e.x) + ' ' + Number6(e.y) + ")\"";
  return TextElement(static_cast<float>(AxisNameTexture::kLeft), FontAscent(scene.titleFont), name,
                     AxisNameTexture::kInk, scene.titleFont, false, transform);
}

}  // namespace

void WriteSceneSvg(const SceneDescription& scene, std::ostream& out, std::int32_t width, std::int32_t height) {
  const Viewport& viewport = scene.camera.viewport;
  const auto shownWidth = width > 0 ? width : static_cast<std::int32_t>(viewport.width);
  const auto shownHeight = height > 0 ? height : static_cast<std::int32_t>(viewport.height);
  const auto at = [&scene](const glm::vec3& p) { return WindowPosition(scene, p); };
  // The camera's right and its way back, in world space and in the plot's.
  const glm::mat4 cameraToWorld = InverseOrZero(scene.camera.view);
  const glm::vec3 towardsCamera = NormalizeOrZero(TransformDirection({0.0f, 0.0f, -1.0f}, cameraToWorld));
  const glm::mat4 worldToPlot = InverseOrZero(scene.orientation);
  const glm::vec3 plotTowardsCamera = NormalizeOrZero(TransformDirection(towardsCamera, worldToPlot));
  const glm::vec3 plotRight =
      NormalizeOrZero(TransformDirection(TransformDirection({1.0f, 0.0f, 0.0f}, cameraToWorld), worldToPlot));

  std::vector<Shape> shapes;
  for (const SphereInstance& s : scene.spheres) {
    if (s.radius <= 0.0f) continue;
    const glm::vec3 centre = at(s.centre);
    const glm::vec3 edge = at(s.centre + plotRight * s.radius);
    const float r = std::hypot(edge.x - centre.x, edge.y - centre.y);
    // A sphere is as near as its nearest point: a large one covers the small
    // ones whose centres lie inside it.
    const float nearest = at(s.centre + plotTowardsCamera * s.radius).z;
    shapes.push_back({nearest, "<circle cx=\"" + Number(centre.x) + "\" cy=\"" + Number(centre.y) + "\" r=\"" +
                                   Number(r) + "\" " + Fill(LitColour(s.colour, towardsCamera, scene.lighting)) +
                                   "/>"});
  }
  for (const LineSegment& l : scene.lines) {
    // A line to a point without a place (an undefined value) is not drawn.
    if (!std::isfinite(l.from.x + l.from.y + l.from.z + l.to.x + l.to.y + l.to.z)) continue;
    const glm::vec3 a = at(l.from);
    const glm::vec3 b = at(l.to);
    const ColourF c = LitColour(l.colour, glm::vec3(0.0f), scene.lighting);
    shapes.push_back({(a.z + b.z) / 2.0f, "<line x1=\"" + Number(a.x) + "\" y1=\"" + Number(a.y) + "\" x2=\"" +
                                              Number(b.x) + "\" y2=\"" + Number(b.y) + "\" stroke=\"" + Hex(c) +
                                              "\" stroke-width=\"1\"/>"});
  }
  const glm::vec3 eye = TransformPoint(glm::vec3(0.0f), cameraToWorld);
  for (const Quad& q : scene.quads) {
    const glm::vec3 normal = NormalizeOrZero(TransformDirection(q.normal, scene.orientation));
    // A plate is two faces back to back, each with its name the right way
    // round from its own side: only the face towards the eye is written.
    glm::vec3 centre(0.0f);
    for (const glm::vec3& corner : q.corners) centre += corner / 4.0f;
    const bool towardsEye = glm::dot(normal, eye - TransformPoint(centre, scene.orientation)) >= 0.0f;
    if (q.texture == QuadTexture::AxisNames && !towardsEye) continue;
    // A see-through plate seen through its near face: the renderer draws its
    // faces with depth, so a face behind a nearer one mostly does not show;
    // written here, every face would darken it once more.
    if (q.colour.a < 1.0f && !towardsEye) continue;
    ColourF colour = q.colour;
    if (q.texture == QuadTexture::AxisNames) {
      const ColourF plate = ColourFromArgb(static_cast<std::int32_t>(AxisNameTexture::kBackground));
      colour = {q.colour.r * plate.r, q.colour.g * plate.g, q.colour.b * plate.b, q.colour.a};
    }
    std::string svg = "<polygon points=\"";
    glm::vec3 middle(0.0f);
    std::array<glm::vec3, 4> window{};
    for (std::size_t k = 0; k < 4; ++k) {
      window[k] = at(q.corners[k]);
      svg += Number(window[k].x) + "," + Number(window[k].y) + " ";
      middle += window[k] / 4.0f;
    }
    // Lit by its own normal from whichever side it is seen, as the renderer lights it.
    svg += "\" " + Fill(LitColour(colour, normal, scene.lighting)) + "/>";
    const auto line = static_cast<std::size_t>(q.textureLine);
    if (q.texture == QuadTexture::AxisNames && line < scene.axisNames.lines.size() &&
        !scene.axisNames.lines[line].empty()) {
      svg += PlateName(scene, q, window, scene.axisNames.lines[line]);
    }
    shapes.push_back({middle.z, std::move(svg)});
  }
  // Far first: what is nearer covers it.
  std::stable_sort(shapes.begin(), shapes.end(), [](const Shape& a, const Shape& b) { return a.depth > b.depth; });

  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << shownWidth << "\" height=\"" << shownHeight
      << "\" preserveAspectRatio=\"none\" viewBox=\"" << viewport.x << ' ' << viewport.y << ' ' << viewport.width << ' '
      << viewport.height << "\">\n"
      << "<rect x=\"" << viewport.x << "\" y=\"" << viewport.y << "\" width=\"" << viewport.width << "\" height=\""
      << viewport.height << "\" " << Fill(ColourFromArgb(static_cast<std::int32_t>(scene.background | 0xFF000000u)))
      << "/>\n";
  for (const Shape& shape : shapes) out << shape.svg << '\n';
  for (const ScreenRect& r : scene.rects) {
    out << "<rect x=\"" << r.x << "\" y=\"" << r.y << "\" width=\"" << r.width << "\" height=\"" << r.height << "\" "
        << Fill(ColourFromArgb(static_cast<std::int32_t>(r.colour))) << "/>\n";
  }
  std::vector<TextItem> texts = scene.texts;
  for (TextItem& item : PlacedAnchoredTexts(scene)) texts.push_back(std::move(item));
  for (const TextItem& item : texts) {
    const FontDesc& font = ItemFont(scene, item);
    const float height = FontLineHeight(font);
    float top = static_cast<float>(item.y);
    for (const TextLine& line : item.lines) {
      if (!line.text.empty()) {
        out << TextElement(static_cast<float>(item.x), top + FontAscent(font), line.text, line.colour, font,
                           item.align == TextAlign::Right)
            << '\n';
      }
      top += height;
    }
  }
  out << "</svg>\n";
}

}  // namespace rp
