// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PlotTheme.h"

#include <array>
#include <utility>

#include "scene/ArgbColour.h"

namespace rp {

namespace {

// Each dark-look colour (alpha included) and what the light look draws
// instead. The performances' colours follow the Okabe-Ito palette: the main
// performance blue with its current event orange, the compared ones
// vermillion, reddish purple, bluish green, sky blue, black, yellow and
// grey, in the order they are added.
constexpr std::array<std::pair<Argb32, Argb32>, 19> kLightColours{{
    {0xFF303030u, 0xFFFFFFFFu},  // background
    {0xFFFFFFFFu, 0xFF000000u},  // texts, clip marks
    {0xFFE0E0E0u, 0xFF202020u},  // tick labels
    {0xFFA0A0A0u, 0xFF404040u},  // axes and ticks
    {0xFFD8D8D8u, 0xFF707070u},  // the identity line
    {0xFF0000FFu, 0xFF0072B2u},  // main performance: blue
    {0xFFFFB000u, 0xFFE69F00u},  // current event and connecting lines: orange
    {0xFFFF0000u, 0xFFD55E00u},  // drop lines
    {0xFFAACCFFu, 0xFFB8B8B8u},  // floor shadows: grey
    {0x00000FF0u, 0x00404040u},  // floor cross
    {0x33C0C0C0u, 0x1A808080u},  // glass
    {0xFF00AA00u, 0xFFD55E00u},  // compared 1: vermillion
    {0xFFC800C8u, 0xFFCC79A7u},  // compared 2: reddish purple
    {0xFF00AAC8u, 0xFF009E73u},  // compared 3: bluish green
    {0xFFC8C800u, 0xFF56B4E9u},  // compared 4: sky blue
    {0xFFC82828u, 0xFF000000u},  // compared 5: black
    {0xFFE6E6E6u, 0xFFF0E442u},  // compared 6: yellow
    {0xFF965A1Eu, 0xFF999999u},  // compared 7: grey
    {0xFF000000u, 0xFF000000u},  // placeholders
}};

Argb32 Light(Argb32 colour) {
  for (const auto& [dark, light] : kLightColours)
    if (dark == colour) return light;
  return colour;
}

Argb32 Packed(const ColourF& c) { return static_cast<Argb32>(ColourToArgb(c)); }

void Recolour(ColourF& colour) { colour = ColourFromArgb(static_cast<std::int32_t>(Light(Packed(colour)))); }

}  // namespace

std::optional<PlotTheme> PlotThemeFromName(std::string_view name) {
  if (name == "dark") return PlotTheme::Dark;
  if (name == "light") return PlotTheme::Light;
  return std::nullopt;
}

void ApplyTheme(PlotTheme theme, SceneDescription& scene) {
  if (theme == PlotTheme::Dark) return;
  scene.background = Light(scene.background);
  for (SphereInstance& s : scene.spheres) Recolour(s.colour);
  for (LineSegment& l : scene.lines) Recolour(l.colour);
  for (Quad& q : scene.quads)
    if (q.texture == QuadTexture::None) Recolour(q.colour);
  for (TextItem& item : scene.texts)
    for (TextLine& line : item.lines) line.colour = Light(line.colour);
  for (AnchoredText& text : scene.anchoredTexts) text.colour = Light(text.colour);
}

}  // namespace rp
