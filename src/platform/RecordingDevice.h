#pragma once
// A graphics device that draws nothing: it keeps every call in order and the
// current state, so tests can check what the scene and the view asked for.
// Its fonts measure text with fixed metrics (see RecordingFont).

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/GraphicsDevice.h"
#include "platform/Mesh.h"

namespace rp {

// The state a draw call used.
struct DrawState {
  D3DMATRIX world, view, projection;
  D3DMATERIAL material;
  std::shared_ptr<Texture> texture0;
  std::uint32_t fvf;
  bool alphaBlend;
  std::uint32_t srcBlend, destBlend;
  const Surface* target;  // nullptr: the back buffer; identity only, may be gone
  int targetLevel;        // mip level of `target` at the draw, -1 for the back buffer
};

struct DeviceCall {
  std::string op;                    // the operation's name, e.g. "SetRenderState"
  std::vector<std::uint32_t> args;   // integer arguments in call order
  std::vector<float> values;         // floating-point arguments in call order
  D3DMATRIX matrix{};                // SetTransform
  D3DMATERIAL material{};            // SetMaterial
  D3DLIGHT light{};                  // SetLight
  D3DVIEWPORT viewport{};            // SetViewport, render-to-surface BeginScene
  RECT rect{};                       // DrawText: the rectangle as passed in
  std::string text;                  // DrawText
  const void* object = nullptr;      // texture, mesh, font or surface involved
  std::vector<std::uint8_t> vertexData;  // DrawPrimitiveUP
  DrawState state{};                 // draws: the state at the time of the call
};

class RecordingDevice : public GraphicsDevice {
 public:
  explicit RecordingDevice(std::uint32_t backBufferWidth = 606, std::uint32_t backBufferHeight = 443);

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
  // Records the path; a file that opens gives a 1 x 1 texture.
  std::shared_ptr<Texture> CreateTextureFromFile(const std::string& path) override;
  std::shared_ptr<Font> CreateFont(const FontDesc& desc) override;
  std::shared_ptr<RenderToSurface> CreateRenderToSurface(std::uint32_t width, std::uint32_t height,
                                                         D3DFORMAT format, bool depthStencil,
                                                         D3DFORMAT depthFormat) override;

  // --- what tests read ---
  std::vector<DeviceCall> calls;
  // Calls with this name, in order.
  std::vector<const DeviceCall*> Calls(const std::string& op) const;
  std::size_t Count(const std::string& op) const;
  // The state a draw issued now would use.
  DrawState CurrentDrawState() const;
  bool InScene() const { return inScene_; }
  bool LightEnabled(std::uint32_t index) const;
  const D3DLIGHT* Light(std::uint32_t index) const;
  std::uint32_t TextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type) const;
  std::shared_ptr<Texture> GetTexture(std::uint32_t stage) const;
  std::uint32_t VertexShader() const { return fvf_; }
  const D3DPRESENT_PARAMETERS& LastResetParams() const { return lastReset_; }

  // --- what tests script ---
  CooperativeLevel cooperativeLevel = CooperativeLevel::Ready;
  bool resetSucceeds = true;   // a successful Reset also makes the level Ready
  bool presentFails = false;   // Present throws DeviceError
  D3DDISPLAYMODE displayMode{1280, 1024, 60, D3DFMT_X8R8G8B8};
  D3DCAPS caps{D3DDEVTYPE_HAL, 0, 4096, 4096, 8, 0xFFFFF, 0xFFFFFF};

  // Used by the render-to-surface object: draws land in `target` until reset.
  void RedirectTarget(const Surface* target, const D3DVIEWPORT& viewport);
  void RestoreTarget();

 private:
  DeviceCall& Record(std::string op);

  std::uint32_t backBufferWidth_, backBufferHeight_;
  bool inScene_ = false;
  std::map<std::uint32_t, D3DMATRIX> transforms_;
  D3DVIEWPORT viewport_;
  D3DMATERIAL material_{};
  std::map<std::uint32_t, D3DLIGHT> lights_;
  std::map<std::uint32_t, bool> lightEnabled_;
  std::map<std::uint32_t, std::uint32_t> renderStates_;
  std::map<std::uint32_t, std::shared_ptr<Texture>> textures_;
  std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> stageStates_;
  std::uint32_t fvf_ = 0;
  const Surface* target_ = nullptr;
  D3DVIEWPORT savedViewport_{};
  D3DPRESENT_PARAMETERS lastReset_{};
};

class RecordingTexture : public Texture {
 public:
  RecordingTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                   std::uint32_t usage, D3DFORMAT format, D3DPOOL pool)
      : Texture(width, height, levels, format), usage(usage), pool(pool) {}
  std::uint32_t usage;
  D3DPOOL pool;
};

// Fixed metrics: every character is CharWidth() wide, every line
// LineHeight() high (both from the point size), lines split at CR, LF or
// CR LF. DrawText records a "DrawText" call on its device.
class RecordingFont : public Font {
 public:
  RecordingFont(RecordingDevice& device, FontDesc desc) : device_(device), desc_(std::move(desc)) {}
  std::int32_t DrawText(std::string_view text, RECT& rect, std::uint32_t format,
                        D3DCOLOR color) override;
  const FontDesc& Desc() const override { return desc_; }
  std::int32_t CharWidth() const;
  std::int32_t LineHeight() const;

 private:
  RecordingDevice& device_;
  FontDesc desc_;
};

// Records "RenderToSurface.BeginScene" / "RenderToSurface.EndScene" and
// points the device's draws at the surface in between.
class RecordingRenderToSurface : public RenderToSurface {
 public:
  explicit RecordingRenderToSurface(RecordingDevice& device) : device_(device) {}
  void BeginScene(const std::shared_ptr<Surface>& surface, const D3DVIEWPORT& viewport) override;
  void EndScene() override;

 private:
  RecordingDevice& device_;
  std::shared_ptr<Surface> surface_;
};

// One adapter with a few display modes; device creation per type can be
// switched off to script a machine without hardware (or any) support.
class RecordingDirect3D : public Direct3D {
 public:
  RecordingDirect3D();
  std::uint32_t GetAdapterCount() override { return 1; }
  std::uint32_t GetAdapterModeCount(std::uint32_t adapter) override;
  D3DDISPLAYMODE EnumAdapterModes(std::uint32_t adapter, std::uint32_t mode) override;
  D3DDISPLAYMODE GetAdapterDisplayMode(std::uint32_t adapter) override;
  bool CheckDeviceType(std::uint32_t adapter, D3DDEVTYPE type, D3DFORMAT displayFormat,
                       D3DFORMAT backBufferFormat, bool windowed) override;
  D3DCAPS GetDeviceCaps(std::uint32_t adapter, D3DDEVTYPE type) override;
  std::shared_ptr<GraphicsDevice> CreateDevice(std::uint32_t adapter, D3DDEVTYPE type,
                                               WindowHandle focusWindow,
                                               std::uint32_t behaviorFlags,
                                               const D3DPRESENT_PARAMETERS& params) override;

  bool hardwareAvailable = true;
  bool softwareAvailable = true;
  std::vector<D3DDISPLAYMODE> modes;
  D3DDISPLAYMODE desktopMode{1280, 1024, 60, D3DFMT_X8R8G8B8};
  // Size of the back buffer of created devices (the client area).
  std::uint32_t clientWidth = 606, clientHeight = 443;
  // Every CreateDevice request: (type, behaviour flags).
  std::vector<std::pair<D3DDEVTYPE, std::uint32_t>> createRequests;
  std::shared_ptr<RecordingDevice> lastDevice;
};

}  // namespace rp
