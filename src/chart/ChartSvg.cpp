// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartSvg.h"

#include <array>
#include <cstdio>
#include <sstream>

#include "base/XmlText.h"

namespace rp {

namespace {

// Two decimals at most, no trailing zeros: the same text for the same number.
std::string Number(double value) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.2f", value);
  std::string s = text.data();
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

std::string Points(const std::vector<ChartPixel>& points) {
  std::string text;
  for (const ChartPixel& p : points) {
    if (!text.empty()) text += ' ';
    text += Number(p.x) + ',' + Number(p.y);
  }
  return text;
}

struct ItemWriter {
  std::ostream& out;

  void operator()(const DrawRect& r) const {
    out << "<rect x=\"" << Number(r.x) << "\" y=\"" << Number(r.y) << "\" width=\"" << Number(r.width) << "\" height=\""
        << Number(r.height) << "\" fill=\"" << (r.fill ? HexColour(*r.fill) : "none") << '"';
    if (r.stroke) out << " stroke=\"" << HexColour(*r.stroke) << "\" stroke-width=\"" << Number(r.strokeWidth) << '"';
    out << "/>\n";
  }
  void operator()(const DrawPath& p) const {
    out << '<' << (p.closed ? "polygon" : "polyline") << " points=\"" << Points(p.points)
        << "\" fill=\"none\" stroke=\"" << HexColour(p.colour) << "\" stroke-width=\"" << Number(p.width)
        << "\" stroke-linejoin=\"round\"";
    if (p.opacity < 1.0) out << " stroke-opacity=\"" << Number(p.opacity) << '"';
    if (p.dashed) out << " stroke-dasharray=\"5,4\"";
    out << "/>\n";
  }
  void operator()(const DrawDots& d) const {
    const std::string colour = HexColour(d.colour);
    out << "<g " << (d.filled ? "fill=\"" + colour + '"' : "fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"2\"")
        << ">\n";
    for (const ChartPixel& c : d.centres)
      out << "<circle cx=\"" << Number(c.x) << "\" cy=\"" << Number(c.y) << "\" r=\"" << Number(d.radius) << "\"/>\n";
    out << "</g>\n";
  }
  void operator()(const DrawText& t) const {
    static constexpr std::array<const char*, 3> kAnchors = {"start", "middle", "end"};
    out << "<text x=\"" << Number(t.x) << "\" y=\"" << Number(t.baseline) << "\" font-size=\"" << Number(t.size)
        << "\" fill=\"" << HexColour(t.colour) << "\" text-anchor=\"" << kAnchors[static_cast<std::size_t>(t.anchor)]
        << '"';
    if (t.bold) out << " font-weight=\"bold\"";
    if (t.upright) out << " transform=\"rotate(-90 " << Number(t.x) << ' ' << Number(t.baseline) << ")\"";
    out << '>' << XmlText(t.text) << "</text>\n";
  }
};

}  // namespace

std::string ChartSvg(const ChartDrawing& drawing) {
  std::ostringstream out;
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << Number(drawing.width) << "\" height=\""
      << Number(drawing.height) << "\" viewBox=\"0 0 " << Number(drawing.width) << ' ' << Number(drawing.height)
      << "\" font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\">\n";
  if (!drawing.title.empty()) out << "<title>" << XmlText(drawing.title) << "</title>\n";
  const ItemWriter writer{out};
  for (const DrawItem& item : drawing.items) std::visit(writer, item);
  out << "</svg>\n";
  return out.str();
}

}  // namespace rp
