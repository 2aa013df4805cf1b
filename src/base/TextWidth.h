// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How wide a line of text is drawn, estimated from its characters and the
// font's size alone: plain code measures no glyphs, yet the snapshot's texts
// and the charts' legends must be kept inside the picture and apart. The
// estimate is at least as wide as the usual sans-serif fonts (DejaVu Sans
// first among them) draw the text, so what it lets through fits; where a
// text has to be cut, it is cut here.

#include <string>
#include <string_view>

namespace rp {

enum class TextWeight { Normal, Bold };

// The estimated width in pixels of one line of `text` (UTF-8) at
// `pixelSize` pixels to the em, rounded up to a whole pixel.
double EstimatedTextWidth(std::string_view text, double pixelSize, TextWeight weight = TextWeight::Normal);

// `text` cut at the end, at a whole character, with an ellipsis, to at most
// `width` estimated pixels; as it is when it fits, and nothing when not even
// the ellipsis fits.
std::string CutToWidth(std::string_view text, double width, double pixelSize, TextWeight weight = TextWeight::Normal);

}  // namespace rp
