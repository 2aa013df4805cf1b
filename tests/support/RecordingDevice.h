// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A graphics device that draws nothing: it keeps every call in order and the
// current state, so tests can check what the scene and the view asked for.
// Its fonts measure text with fixed metrics (see RecordingFont).

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "scene/GraphicsDevice.h"
#include "scene/Mesh.h"

namespace rp {

// The state a draw call used.
struct DrawState {
  glm::mat4 world, view, projection;
  Material material;
  std::shared_ptr<Texture> texture;
  bool alphaBlend;
  BlendFactor srcBlend, destBlend;
  const Surface* target;  // nullptr: the back buffer; identity only, may be gone
  int targetLevel;        // mip level of `target` at the draw, -1 for the back buffer
};

struct DeviceCall {
  std::string op;                   // the operation's name, e.g. "SetCulling"
  std::vector<std::uint32_t> args;  // integer arguments in call order (enums as numbers)
  glm::mat4 matrix{0.0f};           // SetTransform
  Material material{};              // SetMaterial
  Light light{};                    // SetLight
  Viewport viewport{};              // SetViewport, render-to-surface BeginScene
  Rect rect{};                      // MeasureText, DrawText: the rectangle as passed in
  std::string text;                 // MeasureText, DrawText
  const void* object = nullptr;     // texture, mesh, font or surface involved
  std::vector<Vertex> vertices;     // DrawVertices
  DrawState state{};                // draws: the state at the time of the call
};

class RecordingDevice : public GraphicsDevice {
 public:
  explicit RecordingDevice(std::uint32_t backBufferWidth = 606, std::uint32_t backBufferHeight = 443);

  DeviceStatus Status() override;
  bool ResetBackBuffer() override;
  void BeginScene() override;
  void EndScene() override;
  void Clear(Argb32 colour) override;
  void Present() override;
  void SetTransform(Transform which, const glm::mat4& matrix) override;
  glm::mat4 GetTransform(Transform which) override;
  void SetViewport(const Viewport& viewport) override;
  Viewport GetViewport() override;
  void SetMaterial(const Material& material) override;
  Material GetMaterial() override;
  void SetLight(std::uint32_t index, const Light& light) override;
  void EnableLight(std::uint32_t index, bool enable) override;
  void SetAmbientLight(Argb32 colour) override;
  void SetLighting(bool enable) override;
  void SetDepthTest(bool enable) override;
  void SetShading(Shading shading) override;
  void SetCulling(Culling culling) override;
  void SetAlphaBlending(bool enable) override;
  void SetBlendFactors(BlendFactor source, BlendFactor destination) override;
  void SetTexture(std::shared_ptr<Texture> texture) override;
  void SetMinFilter(TextureFilter filter) override;
  void DrawVertices(Primitive primitive, std::span<const Vertex> vertices) override;
  void DrawMeshSubset(const Mesh& mesh, std::uint32_t subset) override;
  // Records "DrawMeshInstances" (args: the batch's length), then draws as
  // the interface's own version does, so each copy is also a "DrawSubset".
  void DrawMeshInstances(const Mesh& mesh, std::span<const MeshDraw> draws) override;
  std::shared_ptr<Texture> CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                         TextureFormat format) override;
  std::shared_ptr<Font> CreateFont(const FontDesc& desc) override;
  std::shared_ptr<RenderToSurface> CreateRenderToSurface(std::uint32_t width, std::uint32_t height,
                                                         bool depthBuffer) override;

  // --- what tests read ---
  std::vector<DeviceCall> calls;
  // Calls with this name, in order.
  std::vector<const DeviceCall*> Calls(const std::string& op) const;
  std::size_t Count(const std::string& op) const;
  // The state a draw issued now would use.
  DrawState CurrentDrawState() const;
  bool InScene() const { return inScene_; }
  bool LightEnabled(std::uint32_t index) const;
  const rp::Light* Light(std::uint32_t index) const;
  std::shared_ptr<Texture> CurrentTexture() const { return texture_; }
  const RenderStates& States() const { return states_; }

  // --- what tests script ---
  DeviceStatus status = DeviceStatus::Ready;
  bool resetSucceeds = true;  // a successful reset also makes the status Ready
  bool presentFails = false;  // Present throws DeviceError

  // Used by the render-to-surface object: draws land in `target` until reset.
  void RedirectTarget(const Surface* target, const Viewport& viewport);
  void RestoreTarget();

 private:
  DeviceCall& Record(std::string op);

  std::uint32_t backBufferWidth_, backBufferHeight_;
  bool inScene_ = false;
  std::map<Transform, glm::mat4> transforms_;
  Viewport viewport_;
  Material material_{};
  std::map<std::uint32_t, rp::Light> lights_;
  std::map<std::uint32_t, bool> lightEnabled_;
  RenderStates states_;
  std::shared_ptr<Texture> texture_;
  const Surface* target_ = nullptr;
  Viewport savedViewport_{};
};

// Fixed metrics: every character is CharWidth() wide, every line
// LineHeight() high (both from the point size), lines split at CR, LF or
// CR LF. Records "MeasureText" and "DrawText" calls on its device.
class RecordingFont : public Font {
 public:
  RecordingFont(RecordingDevice& device, FontDesc desc) : device_(device), desc_(std::move(desc)) {}
  std::int32_t MeasureText(std::string_view text, Rect& rect) override;
  std::int32_t DrawText(std::string_view text, const Rect& rect, Argb32 colour) override;
  const FontDesc& Desc() const override { return desc_; }
  std::int32_t CharWidth() const;
  std::int32_t LineHeight() const;

 private:
  DeviceCall& Record(std::string op, std::string_view text, const Rect& rect);

  RecordingDevice& device_;
  FontDesc desc_;
};

// Records "RenderToSurface.BeginScene" / "RenderToSurface.EndScene" and
// points the device's draws at the surface in between.
class RecordingRenderToSurface : public RenderToSurface {
 public:
  explicit RecordingRenderToSurface(RecordingDevice& device) : device_(device) {}
  void BeginScene(const std::shared_ptr<Surface>& surface, const Viewport& viewport) override;
  void EndScene() override;

 private:
  RecordingDevice& device_;
  std::shared_ptr<Surface> surface_;
};

}  // namespace rp
