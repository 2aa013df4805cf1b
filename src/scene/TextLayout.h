// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the texts of a frame stand in the window, as boxes in window pixels:
// for the rules that keep every text inside the picture and no two over each
// other, and for the SVG drawing's baselines. Widths are base/TextWidth's
// estimates at the font's pixel size and weight; the font's ascent and line
// height are the window's own when it measured them (FontDesc), else
// estimates of the same kind.

#include <string>
#include <string_view>
#include <vector>

#include "scene/SceneDescription.h"

namespace rp {

// Pixel box; right and bottom lie just outside it.
struct TextBox {
  float left = 0, top = 0, right = 0, bottom = 0;
  bool Overlaps(const TextBox& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
};

// From a line's top to its baseline, and from one line's top to the next's.
float FontAscent(const FontDesc& font);
float FontLineHeight(const FontDesc& font);

// The estimated width of one line of `text` (UTF-8) in `font`.
float TextWidth(std::string_view text, const FontDesc& font);

// `text` cut at the end, with an ellipsis, to at most `width` pixels
// wide; as it is when it fits (nothing when not even the ellipsis fits).
std::string Elided(const std::string& text, const FontDesc& font, float width);

// The box of every line of `item` that has text, top to bottom.
std::vector<TextBox> LineBoxes(const TextItem& item, const FontDesc& font);
// The box round all of them; an item without text has an empty box at its place.
TextBox ItemBox(const TextItem& item, const FontDesc& font);

// The font a text item of `scene` is drawn in.
const FontDesc& ItemFont(const SceneDescription& scene, const TextItem& item);

}  // namespace rp
