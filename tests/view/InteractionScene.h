#pragma once
// A small plot scene for the interaction tests, laid out as the window builds
// it: glass plate, upper and lower point groups with one sphere frame per
// point named " 1", " 2"..., and the two name anchors; the camera and
// projection of the running window set on a recording device.

#include <cstring>
#include <string>
#include <vector>

#include "platform/Mesh.h"
#include "platform/RecordingDevice.h"
#include "scene/CD3DFrame.h"
#include "scene/D3DMath.h"
#include "scene/D3DUtil_Vector.h"
#include "view/ViewState.h"

namespace rp::testing {

inline void BuildTestScene(ViewState& s, GraphicsDevice& dev) {
  if (!s.PointMesh) s.PointMesh = CreateSphere(dev, 0.1f, 16, 16);
  if (!s.GlassMesh) s.GlassMesh = CreateBox(dev, 10, 10, 0.1f);
  s.RootFrame = D3DUtil_NewFrame(nullptr);
  s.GlassFrame = D3DUtil_NewFrame(s.RootFrame);
  s.GlassFrame->AddD3DXMesh(s.GlassMesh);
  s.GlassFrame->SetOrientation(D3DUtil_AxisAngleQuat(1, 0, 0, 90));
  s.UpperPointsFrame = D3DUtil_NewFrame(s.RootFrame);
  s.LowerPointsFrame = D3DUtil_NewFrame(s.RootFrame);
  s.XNameFrame = D3DUtil_NewFrame(s.RootFrame);
  s.XNameFrame->SetPosition({0, 0, -6});
  s.DepthNameFrame = D3DUtil_NewFrame(s.RootFrame);
  s.DepthNameFrame->SetPosition({6, 0, 0});
  s.DepthNameFrame->SetOrientation(D3DUtil_AxisAngleQuat(0, 1, 0, -90));
  int n = 1;
  for (const DataEntry& p : s.Points) {
    auto f = D3DUtil_NewFrame(p.y >= 0 ? s.UpperPointsFrame : s.LowerPointsFrame);
    f->SetScale(static_cast<float>(p.size));
    f->SetPosition({p.x, p.y, p.z});
    f->AddD3DXMesh(s.PointMesh);
    f->ObjectName = " " + std::to_string(n++);
  }
  s.GraphBuilt = true;
  s.DeviceReady = true;
}

// The running window's camera: eye (0, 5, -20) looking at the origin, the
// default perspective for a 606 x 443 client.
inline void SetWindowCamera(GraphicsDevice& dev) {
  dev.SetViewport({0, 0, 606, 443, 0, 1});
  dev.SetTransform(D3DTS_VIEW, D3DXMatrixLookAtLH({0, 5, -20}, {0, 0, 0}, {0, 1, 0}));
  dev.SetTransform(D3DTS_PROJECTION,
                   D3DXMatrixPerspectiveFovLH(3.1415f / 4, 606.0f / 443.0f, 1.0f, 3000.0f));
}

inline DataEntry MakePoint(std::string name, float x, float y, float z, double size = 1.0) {
  DataEntry e;
  e.dataname = std::move(name);
  e.x = x;
  e.y = y;
  e.z = z;
  e.size = size;
  e.dataSize = size;
  return e;
}

// The vertices of a recorded DrawPrimitiveUP call.
inline std::vector<VertexPNT> Vertices(const DeviceCall& c) {
  std::vector<VertexPNT> v(c.vertexData.size() / sizeof(VertexPNT));
  if (!v.empty()) std::memcpy(v.data(), c.vertexData.data(), v.size() * sizeof(VertexPNT));
  return v;
}

// Where a scene point shows in the window.
inline D3DVECTOR ScreenOf(GraphicsDevice& dev, const D3DVECTOR& p, const D3DMATRIX& world) {
  return D3DXVec3Project(p, dev.GetViewport(), dev.GetTransform(D3DTS_PROJECTION),
                         dev.GetTransform(D3DTS_VIEW), world);
}

}  // namespace rp::testing
