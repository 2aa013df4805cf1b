// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/GlText.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "base/TranslatableText.h"

namespace rp {

namespace {

constexpr std::size_t kCachedTexts = 64;

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QColor ToQColor(Argb32 c) { return {int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF), int(c >> 24)}; }

// One line in `colour` on a transparent image just large enough for it,
// premultiplied.
QImage LineImage(const std::string& text, Argb32 colour, const QFont& font) {
  const QFontMetrics fm(font);
  const QString line = ToQString(text);
  QImage image(std::max(1, fm.horizontalAdvance(line)), std::max(1, fm.height()),
               QImage::Format_RGBA8888_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(ToQColor(colour));
  painter.drawText(0, fm.ascent(), line);
  return image;
}

GLuint Upload(QOpenGLFunctions_3_3_Core& gl, GLuint texture, const QImage& image) {
  if (texture == 0) gl.glGenTextures(1, &texture);
  gl.glBindTexture(GL_TEXTURE_2D, texture);
  gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  gl.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image.width(), image.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                  image.constBits());
  gl.glBindTexture(GL_TEXTURE_2D, 0);
  return texture;
}

}  // namespace

QFont ToQFont(const FontDesc& desc) {
  QFont f(QString::fromStdString(desc.faceName));
  f.setPixelSize(std::max(1, int(std::lround(desc.pointSize * 96.0f / 72.0f))));
  f.setWeight(QFont::Weight(std::clamp(desc.weight, 1, 1000)));
  f.setItalic(desc.italic);
  f.setUnderline(desc.underline);
  f.setStrikeOut(desc.strikeout);
  return f;
}

void GlText::Release(QOpenGLFunctions_3_3_Core& gl) {
  for (const Cached& c : cache_) gl.glDeleteTextures(1, &c.texture);
  cache_.clear();
  if (axisTexture_ != 0) gl.glDeleteTextures(1, &axisTexture_);
  axisTexture_ = 0;
  axisLines_.clear();
}

const GlText::Cached& GlText::Rasterise(QOpenGLFunctions_3_3_Core& gl, const std::string& text, Argb32 colour,
                                        const QFont& font, float scale) {
  const QString key = font.key();
  for (auto it = cache_.begin(); it != cache_.end(); ++it) {
    if (it->text == text && it->colour == colour && it->scale == scale && it->fontKey == key) {
      cache_.splice(cache_.begin(), cache_, it);
      return cache_.front();
    }
  }
  QFont scaled = font;
  scaled.setPixelSize(std::max(1, int(std::lround(float(font.pixelSize()) * scale))));
  const QImage image = LineImage(text, colour, scaled);
  GLuint texture = 0;
  if (cache_.size() >= kCachedTexts) {
    texture = cache_.back().texture;  // the oldest entry's texture is reused
    cache_.pop_back();
  }
  texture = Upload(gl, texture, image);
  cache_.push_front({text, colour, key, scale, texture, float(image.width()), float(image.height())});
  return cache_.front();
}

std::vector<GlText::Placed> GlText::Place(QOpenGLFunctions_3_3_Core& gl, const TextItem& item, const QFont& font,
                                          float scale) {
  std::vector<Placed> placed;
  const QFontMetrics fm(font);
  for (std::size_t i = 0; i < item.lines.size(); ++i) {
    const TextLine& line = item.lines[i];
    if (line.text.empty()) continue;
    float left = float(item.x);
    if (item.align == TextAlign::Right) left -= float(fm.horizontalAdvance(ToQString(line.text)));
    const float top = float(item.y) + float(i) * float(fm.height());
    const Cached& c = Rasterise(gl, line.text, line.colour, font, scale);
    // The corner goes to the nearest whole framebuffer pixel, so that texels
    // fall on pixels also at a fractional pixel ratio.
    placed.push_back({c.texture, std::round(left * scale), std::round(top * scale), c.width, c.height});
  }
  return placed;
}

GLuint GlText::AxisNames(QOpenGLFunctions_3_3_Core& gl, const std::vector<std::string>& lines, const QFont& font,
                         std::int32_t& lineHeight) {
  const QFontMetrics fm(font);
  if (axisTexture_ == 0 || lines != axisLines_ || font.key() != axisFont_) {
    const std::int32_t size = AxisNameTexture::kSize;
    QImage image(size, size, QImage::Format_RGBA8888_Premultiplied);
    image.fill(ToQColor(AxisNameTexture::kBackground));
    QPainter painter(&image);
    for (std::size_t k = 0; k < lines.size(); ++k) {
      if (lines[k].empty()) continue;
      // The default names are marked texts; names from a scatter file have no translation and stay.
      const std::string shown = QCoreApplication::translate(kTextContext, lines[k].c_str()).toStdString();
      painter.drawImage(AxisNameTexture::kLeft, int(k) * fm.height(), LineImage(shown, AxisNameTexture::kInk, font));
    }
    painter.end();
    axisTexture_ = Upload(gl, axisTexture_, image);
    gl.glBindTexture(GL_TEXTURE_2D, axisTexture_);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    gl.glBindTexture(GL_TEXTURE_2D, 0);
    axisLines_ = lines;
    axisFont_ = font.key();
    axisLineHeight_ = fm.height();
  }
  lineHeight = axisLineHeight_;
  return axisTexture_;
}

}  // namespace rp
