// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text for the renderer: Qt's font engine rasterises a text once into a
// texture, which is drawn as a rectangle over the frame; recent texts are
// kept, so a caption drawn in every frame is rasterised once. Also the
// axis-name texture, made again only when its names or font change. Sizes
// and places come in the window's own pixels; the textures hold the text at
// the screen's pixel ratio, so text on a scaled desktop is as large as at
// 100 %, and sharp.

#include <QFont>
#include <QOpenGLFunctions_3_3_Core>
#include <list>
#include <string>
#include <vector>

#include "scene/SceneDescription.h"

namespace rp {

// The Qt font for a window font description: the point size is taken at 96
// pixels per inch, as on the desktop the program was designed for, so text
// has the same pixel size on every screen.
QFont ToQFont(const FontDesc& desc);

class GlText {
 public:
  // Texts to draw: the rectangles, framebuffer pixels from the top-left, and
  // the textures holding them.
  struct Placed {
    GLuint texture;
    float left, top, width, height;
  };

  // With the context current: everything made is given back.
  void Release(QOpenGLFunctions_3_3_Core& gl);

  // The rectangles of `item`'s lines at `scale` framebuffer pixels per
  // window pixel, rasterising what is not kept yet.
  std::vector<Placed> Place(QOpenGLFunctions_3_3_Core& gl, const TextItem& item, const QFont& font, float scale);

  // The axis-name texture for these names in `font`, and its line height in
  // texels.
  GLuint AxisNames(QOpenGLFunctions_3_3_Core& gl, const std::vector<std::string>& lines, const QFont& font,
                   std::int32_t& lineHeight);

 private:
  struct Cached {
    std::string text;
    Argb32 colour;
    QString fontKey;
    float scale;
    GLuint texture;
    float width, height;  // in framebuffer pixels
  };
  const Cached& Rasterise(QOpenGLFunctions_3_3_Core& gl, const std::string& text, Argb32 colour, const QFont& font,
                          float scale);

  std::list<Cached> cache_;  // most recent first
  GLuint axisTexture_ = 0;
  std::vector<std::string> axisLines_;
  QString axisFont_;
  std::int32_t axisLineHeight_ = 0;
};

}  // namespace rp
