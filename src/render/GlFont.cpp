// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/GlFont.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "render/GlDevice.h"

namespace rp {
namespace {
constexpr std::size_t kCachedTexts = 64;
}

QFont ToQFont(const FontDesc& desc) {
  QFont f(QString::fromStdString(desc.faceName));
  f.setPixelSize(std::max(1, int(std::lround(desc.pointSize * 96.0f / 72.0f))));
  f.setWeight(QFont::Weight(std::clamp(desc.weight, 1, 1000)));
  f.setItalic(desc.italic);
  f.setUnderline(desc.underline);
  f.setStrikeOut(desc.strikeout);
  return f;
}

std::vector<std::string_view> SplitTextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size() || lines.empty()) lines.push_back(text.substr(start));
  if (text.empty()) lines.clear();
  return lines;
}

GlFont::GlFont(GlDevice& device, FontDesc desc)
    : device_(device), context_(device.ContextPtr()), desc_(std::move(desc)), font_(ToQFont(desc_)) {}

GlFont::~GlFont() {
  if (!context_->MakeCurrent()) return;
  for (const auto& c : cache_) context_->Gl().glDeleteTextures(1, &c.texture);
}

const GlFont::Cached& GlFont::Rasterise(std::string_view text, Argb32 colour, float scale) {
  for (auto it = cache_.begin(); it != cache_.end(); ++it) {
    if (it->text == text && it->colour == colour && it->scale == scale) {
      cache_.splice(cache_.begin(), cache_, it);
      return cache_.front();
    }
  }
  QFont font = font_;
  font.setPixelSize(std::max(1, int(std::lround(font_.pixelSize() * scale))));
  const QFontMetrics fm(font);
  const auto lines = SplitTextLines(text);
  int width = 1;
  for (auto line : lines)
    width = std::max(width, fm.horizontalAdvance(QString::fromUtf8(line.data(), qsizetype(line.size()))));
  const int height = std::max(1, int(lines.size()) * fm.height());
  QImage image(width, height, QImage::Format_RGBA8888_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(
        QColor(int((colour >> 16) & 0xFF), int((colour >> 8) & 0xFF), int(colour & 0xFF), int(colour >> 24)));
    for (std::size_t i = 0; i < lines.size(); ++i)
      painter.drawText(0, int(i) * fm.height() + fm.ascent(),
                       QString::fromUtf8(lines[i].data(), qsizetype(lines[i].size())));
  }
  auto& gl = context_->Gl();
  GLuint texture = 0;
  if (cache_.size() >= kCachedTexts) {
    texture = cache_.back().texture;  // reuse the oldest entry's texture
    cache_.pop_back();
  } else {
    gl.glGenTextures(1, &texture);
  }
  gl.glBindTexture(GL_TEXTURE_2D, texture);
  gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  gl.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.constBits());
  gl.glBindTexture(GL_TEXTURE_2D, 0);
  cache_.push_front({std::string(text), colour, scale, texture, float(width) / scale, float(height) / scale});
  return cache_.front();
}

std::int32_t GlFont::MeasureText(std::string_view text, Rect& rect) {
  const QFontMetrics fm(font_);
  const auto lines = SplitTextLines(text);
  std::int32_t width = 0;
  for (auto line : lines)
    width = std::max<std::int32_t>(width, fm.horizontalAdvance(QString::fromUtf8(line.data(), qsizetype(line.size()))));
  const std::int32_t height = std::int32_t(lines.size()) * fm.height();
  rect.right = rect.left + width;
  rect.bottom = rect.top + height;
  return height;
}

std::int32_t GlFont::DrawText(std::string_view text, const Rect& rect, Argb32 colour) {
  const QFontMetrics fm(font_);
  const auto lines = SplitTextLines(text);
  const std::int32_t height = std::int32_t(lines.size()) * fm.height();
  if (lines.empty()) return 0;

  const bool hasArea = rect.right > rect.left && rect.bottom > rect.top;
  const float left = float(rect.left), top = float(rect.top);
  if (!context_->MakeCurrent()) throw DeviceError("the OpenGL context is lost");
  const Cached& c = Rasterise(text, colour, device_.PixelRatio());
  if (hasArea) {
    // Clip by cutting the quad and its texture coordinates to the rectangle.
    const float x0 = std::max(left, float(rect.left)), y0 = std::max(top, float(rect.top));
    const float x1 = std::min(left + c.width, float(rect.right)), y1 = std::min(top + c.height, float(rect.bottom));
    if (x1 <= x0 || y1 <= y0) return height;
    device_.DrawTextQuad(c.texture, x0, y0, x1 - x0, y1 - y0, (x0 - left) / c.width, (y0 - top) / c.height,
                         (x1 - left) / c.width, (y1 - top) / c.height);
  } else {
    device_.DrawTextQuad(c.texture, left, top, c.width, c.height, 0, 0, 1, 1);
  }
  return height;
}

}  // namespace rp
