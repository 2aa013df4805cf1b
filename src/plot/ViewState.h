// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the plot window knows between two frames: its points and their
// titles (PlotPoints), the display toggles, the hover label, the plot's
// orientation and the camera (ViewCamera) and the mouse and keys at work on
// it (ViewInput). Plain data: the window (PlotView) owns one and
// hands it to the routines that describe, turn and pick the plot, each of
// which reads and writes the members it needs. Every frame is described
// anew from it (DescribeFrame.h).
//
// The half-extent of the plot cube is the constant kAxisExtent of
// plot/PlotScaling.h.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/ComparedAlignment.h"
#include "model/ValueKind.h"
#include "plot/DisplayOptions.h"
#include "plot/PlotPoints.h"
#include "plot/ViewCamera.h"
#include "plot/ViewInput.h"
#include "scene/GraphicsTypes.h"

namespace rp {

struct ViewState : PlotPoints {
  // --- life of the window and its renderer ---
  bool rendererReady = false;  // the window's renderer started and still draws; gates hover, drags and animation
  bool minimized = false;
  Viewport viewport{0, 0, 606, 443, 0.0f, 1.0f};  // the client area in the window's own pixels
  FontDesc labelFontSource;                       // the window's own font
  FontDesc titleFontSource;                       // the font of the title-font button

  // --- display switches: set here and by the view's start, then only by the
  // user (the menu's toggles); the menu's check marks show them ---
  bool showConnectLines = true;
  bool showDropLines = false;
  bool showFloorShadows = true;
  bool showGlass = true;
  bool autoRotate = false;  // the plot turns by itself; the view's start turns it on, a load leaves it
  DisplayOptions display;   // scale, identity line, colours by time, event range
  // While the full view is coloured by time: the onsets (ms) of its first
  // and last point, named at the colour bar's ends; 0..0 when it is not.
  double colourBarFromMs = 0.0;
  double colourBarToMs = 0.0;
  bool showColourBar = false;

  // --- hover label ---
  bool showHoverText = false;
  std::vector<std::string> hoverText;  // its lines
  Rect hoverRect{0, 0, 0, 0};          // only left and top are used

  // --- the plot's orientation and the camera, and the user's mouse and keys ---
  ViewCamera camera;
  ViewInput input;

  // How compared performances are aligned with the main one, as chosen in
  // the View menu; nothing chosen: by score position where every shown
  // performance has one, else by event number (EffectiveAlignBy).
  std::optional<AlignBy> alignBy;
  // The performances shown, for the hover label; not owned, unset for a
  // view without them.
  const Performance* mainPerformance = nullptr;
  const ComparedPerformances* comparedPerformances = nullptr;

  // What the session shows, as the window last heard it: the values chosen
  // for the axes (Timing, Velocity or Tempo) and whether a replay runs (the
  // plot does not turn by mouse meanwhile).
  ValueKind valueKind = ValueKind::Timing;
  bool replaying = false;
  // Stops the replay (a resize or a minimised window); unset: nothing to stop.
  std::function<void()> stopReplay;

  // Puts a text drawn in the plot (a line of the caption, the hover label or
  // the legend, an axis name or tick label) into the user's language; the
  // window sets it, and without it the texts are drawn as they are (English).
  std::function<std::string(const std::string&)> translateText;
};

}  // namespace rp
