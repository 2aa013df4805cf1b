// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/ViewMenu.h"

#include "plot/ViewState.h"

namespace rp {

std::array<ViewMenuEntry, 12> ViewMenu::MakeEntries() {
  return {{
      {ViewMenuItem::ExitMenu, "menuExit", "Menu Verlassen!", true, true, false},
      {ViewMenuItem::Load, "menuLoad", "Load Data From File!", false, false, false},
      {ViewMenuItem::Reset, "menuReset", "Reset Orientation!", true, true, false},
      {ViewMenuItem::Connect, "menuConnect", "Verbindungslinien", true, true, true},
      {ViewMenuItem::Lines, "menuLines", "Falllinien", true, true, false},
      {ViewMenuItem::FootLines, "menuFootLines", "Bodenplattenlinienschatten", true, true, true},
      {ViewMenuItem::Base, "menuBase", "Milchglasscheibe", true, true, true},
      {ViewMenuItem::Rotate, "menuRotate", "Auto Rot", true, true, false},
      {ViewMenuItem::AddCompared, "menuAddCompared", "Add performance for comparison...", true, true, false},
      {ViewMenuItem::RemoveCompared, "menuRemoveCompared", "Remove compared performances", true, true, false},
      {ViewMenuItem::AnalysisSettings, "menuAnalysisSettings", "Analysis settings...", true, true, false},
      {ViewMenuItem::Record, "menuRecord", "Record from MIDI input...", true, true, false},
  }};
}

namespace {

void Toggle(bool& flag, ViewMenuEntry& entry) {
  flag = !flag;
  entry.checked = flag;
}

}  // namespace

void ResetView(ViewState& state) {
  state.orientation = glm::quat(1.0f, 0.0f, 0.0f, 0.0f);
  state.cameraPosition = {0.0f, 0.0f, -20.0f};
  state.yaw = 0.0f;
  state.pitch = 0.0f;
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

void ShowRecordingState(ViewMenu& menu, bool recording) {
  menu.Entry(ViewMenuItem::Record).caption = recording ? "Stop recording" : "Record from MIDI input...";
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
      return false;
  }
  return false;
}

}  // namespace rp
