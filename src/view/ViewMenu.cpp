#include "view/ViewMenu.h"

#include "scene/CD3DFrame.h"
#include "scene/D3DMath.h"
#include "view/ViewState.h"

namespace rp {

std::array<ViewMenuEntry, 8> ViewMenu::MakeEntries() {
  return {{
      {ViewMenuItem::ExitMenu, "MENU_EXITMENU", "Menu Verlassen!", true, true, false},
      {ViewMenuItem::Load, "MENU_LOAD", "Load Data From File!", false, false, false},
      {ViewMenuItem::Reset, "MENU_RESET", "Reset Orientation!", true, true, false},
      {ViewMenuItem::Connect, "MENU_CONNECT", "Verbindungslinien", true, true, true},
      {ViewMenuItem::Lines, "MENU_LINES", "Falllinien", true, true, false},
      {ViewMenuItem::FootLines, "MENU_FOOTLINES", "Bodenplattenlinienschatten", true, true, true},
      {ViewMenuItem::Base, "MENU_BASE", "Milchglasscheibe", true, true, true},
      {ViewMenuItem::Rotate, "MENU_ROTATE", "Auto Rot", true, true, false},
  }};
}

namespace {

void Toggle(bool& flag, ViewMenuEntry& entry) {
  flag = !flag;
  entry.checked = flag;
}

}  // namespace

void MENU_RESET_Click(ViewState& state) {
  if (state.RootFrame) state.RootFrame->SetMatrix(D3DXMatrixIdentity());
  state.CameraPosition = {0.0f, 0.0f, -20.0f};
  state.Yaw = 0.0f;
  state.Pitch = 0.0f;
  state.CameraMatrix = D3DXMatrixIdentity();
}

void MENU_CONNECT_Click(ViewState& state, ViewMenu& menu) {
  Toggle(state.ShowConnectLines, menu.Entry(ViewMenuItem::Connect));
}

void MENU_LINES_Click(ViewState& state, ViewMenu& menu) {
  Toggle(state.ShowDropLines, menu.Entry(ViewMenuItem::Lines));
}

void MENU_FOOTLINES_Click(ViewState& state, ViewMenu& menu) {
  Toggle(state.ShowFloorShadows, menu.Entry(ViewMenuItem::FootLines));
}

void MENU_BASE_Click(ViewState& state, ViewMenu& menu) {
  Toggle(state.ShowGlass, menu.Entry(ViewMenuItem::Base));
}

void MENU_ROTATE_Click(ViewState& state, ViewMenu& menu) {
  state.AutoRotate = !state.AutoRotate;
  menu.Entry(ViewMenuItem::Rotate).checked = state.AutoRotate;
}

bool ChooseMenuItem(ViewState& state, ViewMenu& menu, ViewMenuItem item) {
  switch (item) {
    case ViewMenuItem::ExitMenu: return true;
    case ViewMenuItem::Load: return false;
    case ViewMenuItem::Reset: MENU_RESET_Click(state); return true;
    case ViewMenuItem::Connect: MENU_CONNECT_Click(state, menu); return true;
    case ViewMenuItem::Lines: MENU_LINES_Click(state, menu); return true;
    case ViewMenuItem::FootLines: MENU_FOOTLINES_Click(state, menu); return true;
    case ViewMenuItem::Base: MENU_BASE_Click(state, menu); return true;
    case ViewMenuItem::Rotate: MENU_ROTATE_Click(state, menu); return true;
  }
  return false;
}

}  // namespace rp
