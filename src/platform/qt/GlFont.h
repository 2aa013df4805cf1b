#pragma once
// Device text: Qt's font engine rasterises a text once into a texture, the
// device draws it as a rectangle over the current target. Recent texts are
// kept, so a caption drawn every frame is rasterised once.

#include <QFont>
#include <list>
#include <string>

#include "platform/GraphicsDevice.h"
#include "platform/qt/GlContext.h"

namespace rp {

class GlDevice;

class GlFont : public Font {
 public:
  GlFont(GlDevice& device, FontDesc desc);
  ~GlFont() override;
  // Lines split at CR, LF or CR LF. DT_CALCRECT measures only: right and
  // bottom are set so the rectangle just holds the text. Otherwise the text
  // is drawn aligned in the rectangle (left/top unless DT_CENTER, DT_RIGHT,
  // DT_VCENTER, DT_BOTTOM) and clipped to it; a rectangle without area
  // (right <= left or bottom <= top) does not clip, so the text starts at its
  // top-left corner. Returns the text's height in pixels.
  std::int32_t DrawText(std::string_view text, RECT& rect, std::uint32_t format,
                        D3DCOLOR color) override;
  const FontDesc& Desc() const override { return desc_; }
  const QFont& QtFont() const { return font_; }

 private:
  struct Cached {
    std::string text;
    D3DCOLOR color;
    GLuint texture;
    int width, height;
  };
  const Cached& Rasterise(std::string_view text, D3DCOLOR color);

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
