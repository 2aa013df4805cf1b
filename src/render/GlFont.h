// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Device text: Qt's font engine rasterises a text once into a texture, the
// device draws it as a rectangle over the current target. Recent texts are
// kept, so a caption drawn every frame is rasterised once. Sizes and places
// are in the device's units; the texture holds the text at the target's
// pixel ratio, so text on a scaled desktop is as large as at 100 %, and sharp.

#include <QFont>
#include <list>
#include <string>

#include "render/GlContext.h"
#include "scene/GraphicsDevice.h"

namespace rp {

class GlDevice;

class GlFont : public Font {
 public:
  GlFont(GlDevice& device, FontDesc desc);
  ~GlFont() override;
  // Lines split at CR, LF or CR LF. A rectangle without area (right <= left
  // or bottom <= top) does not clip, so the text just starts at its top-left
  // corner.
  std::int32_t MeasureText(std::string_view text, Rect& rect) override;
  std::int32_t DrawText(std::string_view text, const Rect& rect, Argb32 colour) override;
  const FontDesc& Desc() const override { return desc_; }
  const QFont& QtFont() const { return font_; }

 private:
  struct Cached {
    std::string text;
    Argb32 colour;
    float scale;  // texels per unit
    GLuint texture;
    float width, height;  // in units
  };
  const Cached& Rasterise(std::string_view text, Argb32 colour, float scale);

  GlDevice& device_;
  std::shared_ptr<GlContext> context_;
  FontDesc desc_;
  QFont font_;
  std::list<Cached> cache_;  // most recent first
};

// The Qt font for a window font description: the point size is taken at 96
// pixels per inch, as on the desktop the program was designed for, so text
// has the same pixel size on every screen.
QFont ToQFont(const FontDesc& desc);

// Splits at CR LF, CR or LF.
std::vector<std::string_view> SplitTextLines(std::string_view text);

}  // namespace rp
