// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/ViewMenu.h"

#include "base/TranslatableText.h"
#include "plot/ViewState.h"

namespace rp {

std::array<ViewMenuEntry, 16> ViewMenu::MakeEntries() {
  return {{
      {ViewMenuItem::ExitMenu, "menuExit", QT_TRANSLATE_NOOP("returnplot", "Close menu"), true, true, false, ""},
      {ViewMenuItem::Load, "menuLoad", QT_TRANSLATE_NOOP("returnplot", "Open scatter file..."), true, true, false, ""},
      {ViewMenuItem::Reset, "menuReset", QT_TRANSLATE_NOOP("returnplot", "Reset orientation"), true, true, false, ""},
      {ViewMenuItem::Connect, "menuConnect", QT_TRANSLATE_NOOP("returnplot", "Connecting lines"), true, true, true, ""},
      {ViewMenuItem::Lines, "menuLines", QT_TRANSLATE_NOOP("returnplot", "Drop lines"), true, true, false, ""},
      {ViewMenuItem::FootLines, "menuFootLines", QT_TRANSLATE_NOOP("returnplot", "Floor shadows"), true, true, true,
       ""},
      {ViewMenuItem::Base, "menuBase", QT_TRANSLATE_NOOP("returnplot", "Frosted glass plate"), true, true, true, ""},
      {ViewMenuItem::Rotate, "menuRotate", QT_TRANSLATE_NOOP("returnplot", "Auto-rotate"), true, true, false, ""},
      {ViewMenuItem::AddCompared, "menuAddCompared",
       QT_TRANSLATE_NOOP("returnplot", "Add performance for comparison..."), true, true, false, ""},
      {ViewMenuItem::RemoveCompared, "menuRemoveCompared",
       QT_TRANSLATE_NOOP("returnplot", "Remove compared performances"), true, true, false, ""},
      {ViewMenuItem::AnalysisSettings, "menuAnalysisSettings", QT_TRANSLATE_NOOP("returnplot", "Analysis settings..."),
       true, true, false, ""},
      {ViewMenuItem::Record, "menuRecord", QT_TRANSLATE_NOOP("returnplot", "Record from MIDI input..."), true, true,
       false, ""},
      {ViewMenuItem::LogAxes, "menuLogAxes", QT_TRANSLATE_NOOP("returnplot", "Logarithmic axes"), true, true, false,
       ""},
      {ViewMenuItem::IdentityLine, "menuIdentityLine", QT_TRANSLATE_NOOP("returnplot", "Identity line"), true, true,
       false, ""},
      {ViewMenuItem::ColourByTime, "menuColourByTime", QT_TRANSLATE_NOOP("returnplot", "Colour by time"), true, true,
       false, ""},
      {ViewMenuItem::EventRange, "menuEventRange", QT_TRANSLATE_NOOP("returnplot", "Event range..."), true, true, false,
       ""},
  }};
}

namespace {

void Toggle(bool& flag, ViewMenuEntry& entry) {
  flag = !flag;
  entry.checked = flag;
}

}  // namespace

void ResetView(ViewState& state) {
  // As at start: the camera where it starts (ViewState's own values) and at
  // rest, the plot unturned.
  const ViewState start;
  state.orientation = start.orientation;
  state.cameraPosition = start.cameraPosition;
  state.velocity = start.velocity;
  state.yawVelocity = start.yawVelocity;
  state.pitchVelocity = start.pitchVelocity;
  state.yaw = start.yaw;
  state.pitch = start.pitch;
  state.cameraMatrix = glm::mat4(1.0f);
}

void ToggleConnectLines(ViewState& state, ViewMenu& menu) {
  Toggle(state.showConnectLines, menu.Entry(ViewMenuItem::Connect));
}

void ToggleDropLines(ViewState& state, ViewMenu& menu) { Toggle(state.showDropLines, menu.Entry(ViewMenuItem::Lines)); }

void ToggleFloorShadows(ViewState& state, ViewMenu& menu) {
  Toggle(state.showFloorShadows, menu.Entry(ViewMenuItem::FootLines));
}

void ToggleGlass(ViewState& state, ViewMenu& menu) { Toggle(state.showGlass, menu.Entry(ViewMenuItem::Base)); }

void ToggleAutoRotation(ViewState& state, ViewMenu& menu) {
  state.autoRotate = !state.autoRotate;
  menu.Entry(ViewMenuItem::Rotate).checked = state.autoRotate;
}

void ShowDisplayOptions(const ViewState& state, ViewMenu& menu) {
  menu.Entry(ViewMenuItem::LogAxes).checked = state.display.logarithmic;
  menu.Entry(ViewMenuItem::IdentityLine).checked = state.display.identityLine;
  ViewMenuEntry& byTime = menu.Entry(ViewMenuItem::ColourByTime);
  byTime.checked = state.display.colourByTime;
  byTime.enabled = state.compared.empty();
  byTime.toolTip = byTime.enabled ? ""
                                  : QT_TRANSLATE_NOOP("returnplot",
                                                      "Colours by time show one performance: remove the compared "
                                                      "performances to use them.");
}

void ShowSwitches(const ViewState& state, ViewMenu& menu) {
  menu.Entry(ViewMenuItem::Connect).checked = state.showConnectLines;
  menu.Entry(ViewMenuItem::Lines).checked = state.showDropLines;
  menu.Entry(ViewMenuItem::FootLines).checked = state.showFloorShadows;
  menu.Entry(ViewMenuItem::Base).checked = state.showGlass;
  menu.Entry(ViewMenuItem::Rotate).checked = state.autoRotate;
}

void ShowRecordingState(ViewMenu& menu, bool recording) {
  menu.Entry(ViewMenuItem::Record).caption = recording ? QT_TRANSLATE_NOOP("returnplot", "Stop recording")
                                                       : QT_TRANSLATE_NOOP("returnplot", "Record from MIDI input...");
}

bool ChooseMenuItem(ViewState& state, ViewMenu& menu, ViewMenuItem item) {
  switch (item) {
    case ViewMenuItem::ExitMenu:
      return true;
    case ViewMenuItem::Load:
    case ViewMenuItem::AddCompared:
    case ViewMenuItem::RemoveCompared:
    case ViewMenuItem::AnalysisSettings:
      return false;
    case ViewMenuItem::Reset:
      ResetView(state);
      return true;
    case ViewMenuItem::Connect:
      ToggleConnectLines(state, menu);
      return true;
    case ViewMenuItem::Lines:
      ToggleDropLines(state, menu);
      return true;
    case ViewMenuItem::FootLines:
      ToggleFloorShadows(state, menu);
      return true;
    case ViewMenuItem::Base:
      ToggleGlass(state, menu);
      return true;
    case ViewMenuItem::Rotate:
      ToggleAutoRotation(state, menu);
      return true;
    case ViewMenuItem::Record:
    case ViewMenuItem::EventRange:
      return false;
    case ViewMenuItem::LogAxes:
      Toggle(state.display.logarithmic, menu.Entry(item));
      return false;
    case ViewMenuItem::ColourByTime:
      Toggle(state.display.colourByTime, menu.Entry(item));
      return false;
    case ViewMenuItem::IdentityLine:
      Toggle(state.display.identityLine, menu.Entry(item));
      return true;
  }
  return false;
}

}  // namespace rp
