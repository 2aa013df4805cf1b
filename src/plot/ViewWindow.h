// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the plot view needs of the window it lives in: its size and state,
// the 10 ms timer, the control panel it brings up, and the desktop calls of
// the start-up. The Qt window implements it; tests script it.

#include <cstdint>

#include "scene/GraphicsTypes.h"

namespace rp {

class ViewWindow {
 public:
  virtual ~ViewWindow() = default;

  // The handle the device is created on and presents into.
  virtual WindowHandle Handle() = 0;
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

  // The 10 ms redraw timer.
  virtual void SetTimerEnabled(bool enabled) = 0;

  // Start-up: creates the control panel if needed and shows it modeless (its
  // own load, with the first file, runs inside this call).
  virtual void ShowControlPanel() = 0;
  // Places the window 10 twips below the top of the screen, centred, and shows it.
  virtual void PlaceAndShow() = 0;
  // Ends the program (by the window's orderly path) after a fatal error.
  virtual void EndProgram() = 0;
};

}  // namespace rp
