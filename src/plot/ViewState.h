#pragma once
// Everything the plot window knows between two events: its points and their
// titles (PlotPoints), the scene built from them, the device objects, the
// display toggles, the hover label and the orientation. Plain data: the
// window (PlotView) owns one and hands it to the routines that build, draw
// and turn the plot, each of which reads and writes the members it needs.
//
// The half-extent of the plot cube is the constant kAxisExtent of
// view/PlotScaling.h.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "scene/GraphicsTypes.h"
#include "plot/FrameClock.h"
#include "plot/PlotPoints.h"

namespace rp {

class SceneNode;
class Font;
class Mesh;
class Texture;
class ControlPanelLink;

// The running sums of every rotation applied to the root node: the axis
// components and the angle (radians) are each added up, so a rebuilt scene
// can be given the same turn again.
struct RotationSums {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float angle = 0.0f;
};

// Number of entries of the key table: key codes 0 to 256.
inline constexpr std::size_t kKeyStateSize = 257;

struct ViewState : PlotPoints {
  // --- life of the window and its device ---
  bool DeviceReady = false;  // the 3D device exists; gates drawing, timer, mouse and resize
  DeviceKind RendererKind = DeviceKind::Hardware;  // the device's renderer, chosen at start-up
  bool GraphBuilt = false;   // a scene has been built once; painting draws only then
  bool Minimized = false;
  FontDesc LabelFontSource;       // the window's own font
  FontDesc TitleFontSource;       // the font of the title-font button

  // --- device objects ---
  std::shared_ptr<Font> LabelFont;  // hover label and the vertical-axis caption
  std::shared_ptr<Font> TitleFont;  // the axis names in AxisNameTexture
  std::shared_ptr<Mesh> PointMesh;  // sphere r 0.1, shared by every point
  std::shared_ptr<Mesh> GlassMesh;  // box 10 x 10 x 0.1, the glass plate
  std::shared_ptr<Texture> AxisNameTexture;  // 256 x 256: lines 0..2 are the three axis names
  std::int32_t TitleLineHeight = 0;          // height of one line of TitleFont in that texture

  // --- the scene (rebuilt whole after every change of the points) ---
  std::shared_ptr<SceneNode> RootNode;         // turned by RotationSum
  std::shared_ptr<SceneNode> GlassNode;        // the glass plate in the floor plane
  std::shared_ptr<SceneNode> UpperPoints;      // points with scene y >= 0
  std::shared_ptr<SceneNode> LowerPoints;      // points below the floor (or y not a number)
  // The compared groups' points, split the same way: one child per group,
  // holding that group's spheres. Made only when something is compared.
  std::shared_ptr<SceneNode> ComparedUpper;
  std::shared_ptr<SceneNode> ComparedLower;
  std::shared_ptr<SceneNode> XNameAnchor;      // anchor of the x-axis name plate
  std::shared_ptr<SceneNode> DepthNameAnchor;  // anchor of the depth-axis name plate

  // --- display toggles (all off until the first update from the performance) ---
  bool ShowConnectLines = false;
  bool ShowDropLines = false;
  bool ShowFloorShadows = false;
  bool ShowGlass = false;
  bool AutoRotate = false;  // the plot turns by itself; a load stops it

  // --- hover label ---
  bool ShowHoverText = false;
  std::string HoverText;  // lines separated by CR
  Rect HoverRect{0, 0, 0, 0};  // only left and top are used

  // --- orientation: the plot's own turn and the camera ---
  RotationSums RotationSum;
  glm::vec3 CameraPosition{0.0f, 4.0f, -20.0f};
  glm::mat4 CameraMatrix{1.0f};  // camera to world
  glm::mat4 ViewMatrix{1.0f};    // world to camera, as set on the device
  bool Dragging = false;                     // a non-right button is held over the view
  float LastMouseX = 0.0f;
  float LastMouseY = 0.0f;
  FrameClock Clock;                          // time between camera updates
  float StepTime = 0.0f;                     // time step of the current camera update
  glm::vec3 Velocity{0.0f, 0.0f, 0.0f};      // camera velocity in camera space
  float YawVelocity = 0.0f;
  float PitchVelocity = 0.0f;
  float Yaw = 0.0f;
  float Pitch = 0.0f;
  std::array<bool, kKeyStateSize> KeyState{};  // true while the key with that code is held

  // The control panel, once it exists: the view stops its replay, asks for
  // the Timing/Velocity choice and whether a replay is running. Not owned.
  ControlPanelLink* ControlPanel = nullptr;
};

}  // namespace rp
