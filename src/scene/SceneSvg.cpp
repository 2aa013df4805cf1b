// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/SceneSvg.h"

#include <algorithm>
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
  for (const Quad& q : scene.quads) {
    const glm::vec3 normal = NormalizeOrZero(TransformDirection(q.normal, scene.orientation));
    // Quads are lit from both sides, as the renderer draws them.
    const glm::vec3 facing = glm::dot(normal, towardsCamera) < 0.0f ? -normal : normal;
    ColourF colour = q.colour;
    if (q.texture == QuadTexture::AxisNames) {
      const ColourF plate = ColourFromArgb(static_cast<std::int32_t>(AxisNameTexture::kBackground));
      colour = {q.colour.r * plate.r, q.colour.g * plate.g, q.colour.b * plate.b, q.colour.a};
    }
    std::string svg = "<polygon points=\"";
    glm::vec3 middle(0.0f);
    float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
    for (const glm::vec3& corner : q.corners) {
      const glm::vec3 p = at(corner);
      svg += Number(p.x) + "," + Number(p.y) + " ";
      middle += p / 4.0f;
      left = std::min(left, p.x), right = std::max(right, p.x), top = std::min(top, p.y),
      bottom = std::max(bottom, p.y);
    }
    svg += "\" " + Fill(LitColour(colour, facing, scene.lighting)) + "/>";
    const auto line = static_cast<std::size_t>(q.textureLine);
    if (q.texture == QuadTexture::AxisNames && line < scene.axisNames.lines.size()) {
      // The plate's name, as large as the plate's box allows (a character
      // about 0.6 of the font's size wide).
      const std::string& name = scene.axisNames.lines[line];
      const float fitsWidth = (right - left) / (0.6f * static_cast<float>(std::max<std::size_t>(name.size(), 1)));
      const float pixels = std::clamp(std::min((bottom - top) * 0.6f, fitsWidth), 4.0f, FontPixels(scene.titleFont));
      svg += "<text x=\"" + Number(middle.x) + "\" y=\"" + Number(middle.y) +
             "\" text-anchor=\"middle\" dominant-baseline=\"central\" fill=\"#000000\" " +
             FontAttributes(scene.titleFont, pixels) + ">" + XmlText(name) + "</text>";
    }
    shapes.push_back({middle.z, std::move(svg)});
  }
  // Far first: what is nearer covers it.
  std::stable_sort(shapes.begin(), shapes.end(), [](const Shape& a, const Shape& b) { return a.depth > b.depth; });

  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << shownWidth << "\" height=\"" << shownHeight
      << "\" viewBox=\"" << viewport.x << ' ' << viewport.y << ' ' << viewport.width << ' ' << viewport.height
      << "\">\n"
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
    const FontDesc& font = item.font == FontRole::Title ? scene.titleFont : scene.labelFont;
    const float pixels = FontPixels(font);
    float y = static_cast<float>(item.y);
    for (const TextLine& line : item.lines) {
      out << "<text x=\"" << item.x << "\" y=\"" << Number(y) << "\" dominant-baseline=\"hanging\""
          << (item.align == TextAlign::Right ? " text-anchor=\"end\"" : "") << ' '
          << Fill(ColourFromArgb(static_cast<std::int32_t>(line.colour))) << ' ' << FontAttributes(font, pixels) << '>'
          << XmlText(line.text) << "</text>\n";
      y += std::round(pixels * 1.2f);
    }
  }
  out << "</svg>\n";
}

}  // namespace rp
