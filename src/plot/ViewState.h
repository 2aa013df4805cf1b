// SPDX-License-Identifier: GPL-3.0-or-later
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

#include "plot/FrameClock.h"
#include "plot/PlotPoints.h"
#include "scene/GraphicsTypes.h"

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
  bool deviceReady = false;                        // the 3D device exists; gates drawing, timer, mouse and resize
  DeviceKind rendererKind = DeviceKind::Hardware;  // the device's renderer, chosen at start-up
  bool graphBuilt = false;                         // a scene has been built once; painting draws only then
  bool minimized = false;
  FontDesc labelFontSource;  // the window's own font
  FontDesc titleFontSource;  // the font of the title-font button

  // --- device objects ---
  std::shared_ptr<Font> labelFont;           // hover label and the vertical-axis caption
  std::shared_ptr<Font> titleFont;           // the axis names in AxisNameTexture
  std::shared_ptr<Mesh> pointMesh;           // sphere r 0.1, shared by every point
  std::shared_ptr<Mesh> glassMesh;           // box 10 x 10 x 0.1, the glass plate
  std::shared_ptr<Texture> axisNameTexture;  // 256 x 256: lines 0..2 are the three axis names
  std::int32_t titleLineHeight = 0;          // height of one line of TitleFont in that texture

  // --- the scene (rebuilt whole after every change of the points) ---
  std::shared_ptr<SceneNode> rootNode;     // turned by RotationSum
  std::shared_ptr<SceneNode> glassNode;    // the glass plate in the floor plane
  std::shared_ptr<SceneNode> upperPoints;  // points with scene y >= 0
  std::shared_ptr<SceneNode> lowerPoints;  // points below the floor (or y not a number)
  // The compared groups' points, split the same way: one child per group,
  // holding that group's spheres. Made only when something is compared.
  std::shared_ptr<SceneNode> comparedUpper;
  std::shared_ptr<SceneNode> comparedLower;
  std::shared_ptr<SceneNode> xNameAnchor;      // anchor of the x-axis name plate
  std::shared_ptr<SceneNode> depthNameAnchor;  // anchor of the depth-axis name plate

  // --- display toggles (all off until the first update from the performance) ---
  bool showConnectLines = false;
  bool showDropLines = false;
  bool showFloorShadows = false;
  bool showGlass = false;
  bool autoRotate = false;  // the plot turns by itself; a load stops it

  // --- hover label ---
  bool showHoverText = false;
  std::string hoverText;       // lines separated by CR
  Rect hoverRect{0, 0, 0, 0};  // only left and top are used

  // --- orientation: the plot's own turn and the camera ---
  RotationSums rotationSum;
  glm::vec3 cameraPosition{0.0f, 4.0f, -20.0f};
  glm::mat4 cameraMatrix{1.0f};  // camera to world
  glm::mat4 viewMatrix{1.0f};    // world to camera, as set on the device
  bool dragging = false;         // a non-right button is held over the view
  float lastMouseX = 0.0f;
  float lastMouseY = 0.0f;
  FrameClock clock;                      // time between camera updates
  float stepTime = 0.0f;                 // time step of the current camera update
  glm::vec3 velocity{0.0f, 0.0f, 0.0f};  // camera velocity in camera space
  float yawVelocity = 0.0f;
  float pitchVelocity = 0.0f;
  float yaw = 0.0f;
  float pitch = 0.0f;
  std::array<bool, kKeyStateSize> keyState{};  // true while the key with that code is held

  // The control panel, once it exists: the view stops its replay, asks for
  // the Timing/Velocity choice and whether a replay is running. Not owned.
  ControlPanelLink* controlPanel = nullptr;
};

}  // namespace rp
