// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the plot view needs of the window it lives in: its size and state,
// its renderer, frames on demand, the control panel it brings up, and the
// desktop calls of the start-up. The Qt window implements it; tests script
// it.

#include <cstdint>
#include <string>

#include "scene/GraphicsTypes.h"

namespace rp {

// How the window's renderer started.
struct RendererStart {
  bool ready = false;     // it draws
  bool software = false;  // on a software rasteriser
  std::string problem;    // why it cannot draw, when not ready
};

// Why the plot can no longer be drawn.
enum class PlotFailure {
  NoRenderer,   // none could be made at start
  ContextLost,  // the drawing context went and could not be made again
};

class ViewWindow {
 public:
  virtual ~ViewWindow() = default;

  // The window's own font (hover label, caption) and the title-font button's.
  virtual FontDesc LabelFontSource() = 0;
  virtual FontDesc TitleFontSource() = 0;

  // Client area in pixels.
  virtual std::int32_t ClientWidth() = 0;
  virtual std::int32_t ClientHeight() = 0;
  virtual bool IsMinimized() = 0;
  // Corrections of a too small client area; each raises a new resize.
  virtual void SetClientWidth(std::int32_t pixels) = 0;
  virtual void SetClientHeight(std::int32_t pixels) = 0;
  // Fixed single border (no resizing) or sizable.
  virtual void SetBorderFixed(bool fixed) = 0;

  // Makes the renderer on the window (once; later calls say how it went).
  virtual RendererStart StartRenderer() = 0;
  // Something the plot shows changed: one new frame, soon. Frames are drawn
  // only when asked for.
  virtual void RequestFrame() = 0;
  // The plot can no longer be drawn; the user has been told why. What
  // happens to the program then is the window owner's to decide.
  virtual void PlotCannotBeDrawn(PlotFailure failure) = 0;

  // Start-up: creates the control panel if needed and shows it modeless (its
  // own load, with the first file, runs inside this call).
  virtual void ShowControlPanel() = 0;
  // Places the window just below the top of the screen, centred, and shows it.
  virtual void PlaceAndShow() = 0;
};

}  // namespace rp
