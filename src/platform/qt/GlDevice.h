#pragma once
// The graphics device on OpenGL 3.3 core, drawing into a GlView. The
// fixed-function states the program uses (transforms, one material, lights,
// render states, texture stage 0) are kept here and handed to the shaders
// at each draw.
//
// Frames are drawn whenever the program asks: every call makes the view's
// context current, draws go to the view's framebuffer (or, inside a
// render-to-surface scene, into a texture), and Present asks the view to show
// what was drawn.

#include <QImage>
#include <map>
#include <memory>
#include <string>

#include "platform/GraphicsDevice.h"
#include "platform/qt/GlContext.h"
#include "platform/qt/GlShaders.h"

namespace rp {

class GlTexture;

class GlDevice : public GraphicsDevice {
 public:
  // The view's context must exist and be current-able (GlView::EnsureContext).
  GlDevice(GlView* view, D3DDEVTYPE type, std::string renderer);
  ~GlDevice() override;

  CooperativeLevel TestCooperativeLevel() override;
  bool Reset(const D3DPRESENT_PARAMETERS& params) override;
  D3DCAPS GetDeviceCaps() override;
  D3DDISPLAYMODE GetDisplayMode() override;
  void BeginScene() override;
  void EndScene() override;
  void Clear(std::uint32_t flags, D3DCOLOR color, float z, std::uint32_t stencil) override;
  void Present(WindowHandle windowOverride = nullptr) override;
  void SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) override;
  D3DMATRIX GetTransform(D3DTRANSFORMSTATETYPE state) override;
  void SetViewport(const D3DVIEWPORT& viewport) override;
  D3DVIEWPORT GetViewport() override;
  void SetMaterial(const D3DMATERIAL& material) override;
  D3DMATERIAL GetMaterial() override;
  void SetLight(std::uint32_t index, const D3DLIGHT& light) override;
  void LightEnable(std::uint32_t index, bool enable) override;
  void SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value) override;
  std::uint32_t GetRenderState(D3DRENDERSTATETYPE state) override;
  void SetTexture(std::uint32_t stage, std::shared_ptr<Texture> texture) override;
  void SetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type,
                            std::uint32_t value) override;
  void SetVertexShader(std::uint32_t fvf) override;
  void DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const void* vertices,
                       std::uint32_t stride) override;
  void DrawMeshSubset(const Mesh& mesh, std::uint32_t subset) override;
  std::shared_ptr<Texture> CreateTexture(std::uint32_t width, std::uint32_t height,
                                         std::uint32_t levels, std::uint32_t usage,
                                         D3DFORMAT format, D3DPOOL pool) override;
  std::shared_ptr<Texture> CreateTextureFromFile(const std::string& path) override;
  std::shared_ptr<Font> CreateFont(const FontDesc& desc) override;
  std::shared_ptr<RenderToSurface> CreateRenderToSurface(std::uint32_t width, std::uint32_t height,
                                                         D3DFORMAT format, bool depthStencil,
                                                         D3DFORMAT depthFormat) override;

  // --- beyond the interface ---
  const std::string& Renderer() const { return renderer_; }
  GlView* View() const { return context_->View(); }
  // The back buffer as drawn so far (top row first), straight from GL.
  QImage ReadBackBuffer();
  // One level of a texture (top row first).
  QImage ReadTexture(const Texture& texture, std::uint32_t level = 0);

  // --- used by the device's fonts and render-to-surface objects ---
  GlContext& Context() { return *context_; }
  const std::shared_ptr<GlContext>& ContextPtr() const { return context_; }
  // Draws the part (u0, v0)-(u1, v1) of a premultiplied RGBA texture as a
  // rectangle at target pixels (left, top), size w x h, over what is there.
  void DrawTextQuad(GLuint texture, float left, float top, float w, float h, float u0, float v0,
                    float u1, float v1);
  // Points drawing at a framebuffer whose storage is top row first (a
  // texture); fbo 0 returns to the back buffer.
  void SetRenderTarget(GLuint fbo, std::uint32_t width, std::uint32_t height);

 private:
  struct Target {
    GLuint fbo = 0;  // 0: the view's framebuffer
    std::uint32_t width = 0, height = 0;
    bool flipY = false;
  };
  void MakeCurrent();
  void BindTarget();
  void ApplyRasterState();
  SceneProgram& PrepareSceneProgram(bool hasNormal, bool hasColor, bool hasTexCoord);
  void UploadWorld(SceneProgram& p);
  void UploadCamera(SceneProgram& p);
  void UploadMaterial(SceneProgram& p);
  void UploadLights(SceneProgram& p);
  void UploadSampler();
  void BackBufferSize(std::uint32_t& w, std::uint32_t& h) const;

  std::shared_ptr<GlContext> context_;
  QOpenGLFunctions_3_3_Core* gl_;
  D3DDEVTYPE type_;
  std::string renderer_;

  std::map<SceneProgramKey, SceneProgram> programs_;
  TextProgram text_;
  GLuint streamVao_ = 0, streamVbo_ = 0, textVao_ = 0, textVbo_ = 0, sampler_ = 0;
  std::uint32_t streamFvf_ = ~0u, streamStride_ = 0;

  Target target_;
  bool inScene_ = false;
  unsigned seenSwitches_ = ~0u, seenPaints_ = ~0u;
  bool rasterDirty_ = true;
  // Generation of each state group; a program uploads a group when its copy
  // is older.
  unsigned worldGen_ = 1, cameraGen_ = 1, materialGen_ = 1, lightsGen_ = 1, statesGen_ = 1,
           stageGen_ = 1;

  D3DMATRIX world_, view_, projection_;
  D3DVIEWPORT viewport_{};
  D3DMATERIAL material_{};
  std::map<std::uint32_t, D3DLIGHT> lights_;
  std::map<std::uint32_t, bool> lightEnabled_;
  std::map<std::uint32_t, std::uint32_t> renderStates_;
  std::map<std::uint32_t, std::uint32_t> stageStates_;
  std::shared_ptr<Texture> texture0_;
  std::uint32_t fvf_ = 0;
};

}  // namespace rp
