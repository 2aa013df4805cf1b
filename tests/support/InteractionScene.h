// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot scene for the interaction tests, built as the window builds it,
// and the camera and projection of the running window on a recording device.

#include <string>
#include <vector>

#include "plot/BuildGraph.h"
#include "plot/ViewState.h"
#include "scene/Mesh.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"
#include "support/RecordingDevice.h"

namespace rp::testing {

inline void BuildTestScene(ViewState& s, GraphicsDevice& dev) {
  s.deviceReady = true;
  if (!s.pointMesh) s.pointMesh = CreateSphere(dev, 0.1f, 16, 16);
  if (!s.glassMesh) s.glassMesh = CreateBox(dev, 10, 10, 0.1f);
  if (!s.titleFont) s.titleFont = dev.CreateFont(FontDesc{"DejaVu Sans", 16.5f, 700});
  if (!s.axisNameTexture) s.axisNameTexture = dev.CreateTexture(256, 256, 0, TextureFormat::Rgb);
  BuildGraph(s, &dev);
}

// The running window's camera: eye (0, 5, -20) looking at the origin, the
// default perspective for a 606 x 443 client.
inline void SetWindowCamera(GraphicsDevice& dev) {
  dev.SetViewport({0, 0, 606, 443, 0, 1});
  dev.SetTransform(Transform::View, LookAtLH({0, 5, -20}, {0, 0, 0}, {0, 1, 0}));
  dev.SetTransform(Transform::Projection, PerspectiveFovLH(3.1415f / 4, 606.0f / 443.0f, 1.0f, 3000.0f));
}

inline DataEntry MakePoint(std::string name, float x, float y, float z, double size = 1.0) {
  DataEntry e;
  e.dataName = std::move(name);
  e.x = x;
  e.y = y;
  e.z = z;
  e.size = size;
  e.dataSize = size;
  return e;
}

// Where a scene point shows in the window.
inline glm::vec3 ScreenOf(GraphicsDevice& dev, const glm::vec3& p, const glm::mat4& world) {
  return ProjectToWindow(p, dev.GetViewport(), dev.GetTransform(Transform::Projection),
                         dev.GetTransform(Transform::View), world);
}

}  // namespace rp::testing
