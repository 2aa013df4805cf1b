// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The graphics device on OpenGL 3.3 core, drawing into a GlView. The states
// the program sets (transforms, one material, lights, render states, the
// texture) are kept here and handed to the shaders at each draw.
//
// Frames are drawn whenever the program asks: every call makes the view's
// context current, draws go to the view's framebuffer (or, inside a
// render-to-surface scene, into a texture), and Present asks the view to show
// what was drawn.
//
// On the view's framebuffer every position and size the device takes or
// gives (viewport, back-buffer size, text places) is in the window's own
// pixels, the unit of mouse events and widget sizes; the device turns them
// into framebuffer pixels (devicePixelRatioF of them each) itself. On a
// scaled desktop the plot is thus laid out as at 100 %, only drawn sharper.
// Inside a texture one unit is one texel.

#include <QImage>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "render/GlContext.h"
#include "render/GlShaders.h"
#include "scene/GraphicsDevice.h"

namespace rp {

class GlTexture;
struct GlMeshData;

// True for the renderer strings of software rasterisers (llvmpipe, softpipe,
// swrast, "Software Rasterizer").
bool IsSoftwareRenderer(std::string_view renderer);

class GlDevice : public GraphicsDevice {
 public:
  // The view's context must exist and be current-able (GlView::EnsureContext).
  GlDevice(GlView* view, std::string renderer);
  ~GlDevice() override;

  // A device on the GlView behind the window handle; nullptr when the window
  // holds no GlView, no 3.3 core context can be made on it, or a hardware
  // device is asked for on a software renderer.
  static std::shared_ptr<GraphicsDevice> CreateOn(WindowHandle window, DeviceKind kind);

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
  // One instanced draw per subset; a sphere mesh becomes one draw of true
  // spheres when the batch allows it (SpheresDrawable).
  void DrawMeshInstances(const Mesh& mesh, std::span<const MeshDraw> draws) override;
  std::shared_ptr<Texture> CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                         TextureFormat format) override;
  std::shared_ptr<Font> CreateFont(const FontDesc& desc) override;
  std::shared_ptr<RenderToSurface> CreateRenderToSurface(std::uint32_t width, std::uint32_t height,
                                                         bool depthBuffer) override;

  // --- beyond the interface ---
  const std::string& Renderer() const { return renderer_; }
  GlView* View() const { return context_->View(); }
  // The back buffer as drawn so far (top row first), straight from GL, in
  // framebuffer pixels.
  QImage ReadBackBuffer();
  // One level of a texture (top row first).
  QImage ReadTexture(const Texture& texture, std::uint32_t level = 0);

  // --- used by the device's fonts and render-to-surface objects ---
  GlContext& Context() { return *context_; }
  const std::shared_ptr<GlContext>& ContextPtr() const { return context_; }
  // Framebuffer pixels per unit of the current target: the view's device
  // pixel ratio, or 1 inside a texture. Text is rasterised at this scale.
  float PixelRatio() const { return target_.scale; }
  // Draws the part (u0, v0)-(u1, v1) of a premultiplied RGBA texture as a
  // rectangle at target units (left, top), size w x h, over what is there.
  void DrawTextQuad(GLuint texture, float left, float top, float w, float h, float u0, float v0, float u1, float v1);
  // Points drawing at a framebuffer whose storage is top row first (a
  // texture); fbo 0 returns to the back buffer.
  void SetRenderTarget(GLuint fbo, std::uint32_t width, std::uint32_t height);

 private:
  struct Target {
    GLuint fbo = 0;                       // 0: the view's framebuffer
    std::uint32_t width = 0, height = 0;  // in units
    bool flipY = false;
    float scale = 1.0f;  // framebuffer pixels per unit
  };
  // A rectangle of the target (units, rows from the top) in GL's framebuffer
  // pixels (rows from the bottom unless stored top row first); edges are
  // rounded, so rectangles that touch still touch.
  struct PixelRect {
    GLint x, y;
    GLsizei width, height;
  };
  PixelRect ToPixels(const Viewport& area) const;
  Target ViewTarget() const;
  void MakeCurrent();
  void BindTarget();
  void ApplyRasterState();
  enum class DrawKind { Single, Instanced, Sphere };
  SceneProgram& PrepareSceneProgram(bool hasTexCoord, DrawKind kind = DrawKind::Single);
  GlMeshData& MeshData(const Mesh& mesh);
  void UploadInstances(std::span<const MeshDraw> draws);
  void BindInstanceAttributes();
  bool SpheresDrawable(std::span<const MeshDraw> draws, float radius, glm::vec3& eye) const;
  void UploadWorld(SceneProgram& p);
  void UploadCamera(SceneProgram& p);
  void UploadMaterial(SceneProgram& p);
  void UploadLights(SceneProgram& p);
  void UploadSampler();
  void StateChanged();

  std::shared_ptr<GlContext> context_;
  QOpenGLFunctions_3_3_Core* gl_;
  std::string renderer_;

  std::map<SceneProgramKey, SceneProgram> programs_;
  TextProgram text_;
  GLuint streamVao_ = 0, streamVbo_ = 0, textVao_ = 0, textVbo_ = 0, sampler_ = 0;
  // Batches: the per-copy attributes stream through instanceVbo_; true
  // spheres are squares from squareVbo_'s four corners.
  GLuint instanceVbo_ = 0, squareVao_ = 0, squareVbo_ = 0;

  Target target_;
  bool inScene_ = false;
  unsigned seenSwitches_ = ~0u, seenPaints_ = ~0u;
  bool rasterDirty_ = true;
  // Generation of each state group; a program uploads a group when its copy
  // is older.
  unsigned worldGen_ = 1, cameraGen_ = 1, materialGen_ = 1, lightsGen_ = 1, statesGen_ = 1;

  glm::mat4 world_{1.0f}, view_{1.0f}, projection_{1.0f};
  Viewport viewport_{};
  Material material_{};
  std::map<std::uint32_t, Light> lights_;
  std::map<std::uint32_t, bool> lightEnabled_;
  RenderStates states_;
  std::shared_ptr<Texture> texture_;
};

}  // namespace rp
