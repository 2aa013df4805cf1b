// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot's popup menu "POPUPMENU" as plain data, and the actions of its
// entries. The window shows the items in this order with their captions,
// visibility, enabled state and check marks, and calls ChooseMenuItem when
// one is chosen.
//
// The check marks of the display toggles and "Auto-rotate" are the view's
// switches as they stand (ShowSwitches): the window shows them again whenever
// the plot may have changed, so a mark never says other than its switch.

#include <array>
#include <cstdint>
#include <string>

namespace rp {

struct ViewState;

enum class ViewMenuItem : std::int32_t {
  ExitMenu,          // "Close menu": only closes the menu
  Load,              // "Open scatter file...": the window's file dialog for a scatter file
  Reset,             // "Reset orientation"
  Connect,           // "Connecting lines"
  Lines,             // "Drop lines"
  FootLines,         // "Floor shadows"
  Base,              // "Frosted glass plate"
  Rotate,            // "Auto-rotate"
  AddCompared,       // "Add performance for comparison...": the window's file dialog
  RemoveCompared,    // "Remove compared performances": the window's
  AnalysisSettings,  // "Analysis settings...": the window's dialog for cluster window and delay
  Record,            // "Record from MIDI input..." / "Stop recording": the control panel's
  LogAxes,           // "Logarithmic axes": the switch, then the window rebuilds the points in the new scale
  IdentityLine,      // "Identity line"
  ColourByTime,      // "Colour by time": the switch, then the window rebuilds the points
  EventRange,        // "Event range...": the window asks for the events the full view shows
};

struct ViewMenuEntry {
  ViewMenuItem item;
  std::string name;     // the item's control name, e.g. "menuReset"
  std::string caption;  // English; the windows translate it (base/TranslatableText.h)
  bool visible = true;
  bool enabled = true;
  bool checked = false;
  std::string toolTip;  // English; said while the item cannot be chosen
};

struct ViewMenu {
  std::string name = "popupMenu";
  std::string caption = "POPUPMENU";
  std::array<ViewMenuEntry, 16> entries = MakeEntries();

  ViewMenuEntry& Entry(ViewMenuItem item) { return entries[static_cast<std::size_t>(item)]; }
  const ViewMenuEntry& Entry(ViewMenuItem item) const { return entries[static_cast<std::size_t>(item)]; }

 private:
  static std::array<ViewMenuEntry, 16> MakeEntries();
};

// Back to the start pose: the plot's own turn undone (for good: a rebuild
// keeps the orientation as it is), the camera where it starts and at rest.
void ResetView(ViewState& state);

// The display toggles and "Auto-rotate": negate the switch, show it as the check
// mark. Nothing is drawn here; the window asks for a frame after a choice.
void ToggleConnectLines(ViewState& state, ViewMenu& menu);
void ToggleDropLines(ViewState& state, ViewMenu& menu);
void ToggleFloorShadows(ViewState& state, ViewMenu& menu);
void ToggleGlass(ViewState& state, ViewMenu& menu);
void ToggleAutoRotation(ViewState& state, ViewMenu& menu);

// The check marks of the scale's switches as the state has them, and
// "Colour by time" enabled only while one performance is shown (else with
// a tooltip saying why).
void ShowDisplayOptions(const ViewState& state, ViewMenu& menu);
// The check marks of the display toggles and "Auto-rotate" from the switches.
void ShowSwitches(const ViewState& state, ViewMenu& menu);

// The recording entry's caption while a take is (or is not) being recorded.
void ShowRecordingState(ViewMenu& menu, bool recording);

// Runs the action of a chosen entry. False for "Open scatter file...", the
// two entries of compared performances, "Analysis settings...", the
// recording entry, "Event range..." and (after their switch) "Logarithmic
// axes" and "Colour by time", whose actions (a dialog, loading or re-analysis, a rebuild
// of the scene; the control panel's recording) belong to the windows.
bool ChooseMenuItem(ViewState& state, ViewMenu& menu, ViewMenuItem item);

}  // namespace rp
