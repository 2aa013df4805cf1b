#pragma once
// The 3D device as the scene and the view use it: a fixed-function device
// (transforms, one material, lights, render states, texture stage 0, vertex
// format, immediate draws) plus the helper objects made through it: textures
// and their surfaces, fonts, render-to-surface, and meshes (Mesh.h).
//
// The OpenGL implementation lives in platform/qt; RecordingDevice keeps every
// call for tests. Device calls that fail throw DeviceError.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/GraphicsTypes.h"

namespace rp {

class GraphicsDevice;
class Mesh;

struct DeviceError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Surface;

// A 2D texture with its mip chain. Made by GraphicsDevice::CreateTexture.
class Texture : public std::enable_shared_from_this<Texture> {
 public:
  Texture(std::uint32_t width, std::uint32_t height, std::uint32_t levels, D3DFORMAT format);
  virtual ~Texture() = default;
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  std::uint32_t Width() const { return width_; }
  std::uint32_t Height() const { return height_; }
  std::uint32_t GetLevelCount() const { return levels_; }
  D3DFORMAT Format() const { return format_; }
  std::uint32_t LevelWidth(std::uint32_t level) const;
  std::uint32_t LevelHeight(std::uint32_t level) const;

  // The drawable surface of one mip level; throws DeviceError for a level
  // beyond the chain.
  std::shared_ptr<Surface> GetSurfaceLevel(std::uint32_t level);

  // Number of levels of a full mip chain down to 1x1.
  static std::uint32_t FullChainLevels(std::uint32_t width, std::uint32_t height);

 private:
  std::uint32_t width_, height_, levels_;
  D3DFORMAT format_;
};

// One mip level of a texture: the target of a render-to-surface scene.
class Surface {
 public:
  Surface(std::shared_ptr<Texture> texture, std::uint32_t level)
      : texture_(std::move(texture)), level_(level) {}
  Texture& GetTexture() const { return *texture_; }
  const std::shared_ptr<Texture>& GetTexturePtr() const { return texture_; }
  std::uint32_t Level() const { return level_; }
  std::uint32_t Width() const { return texture_->LevelWidth(level_); }
  std::uint32_t Height() const { return texture_->LevelHeight(level_); }

 private:
  std::shared_ptr<Texture> texture_;
  std::uint32_t level_;
};

// A text font bound to the device that made it.
class Font {
 public:
  virtual ~Font() = default;
  // Draws text (lines separated by CR, LF or CR LF) in the colour inside rect.
  // With DT_CALCRECT (1024) nothing is drawn: rect's right and bottom are set
  // so the rectangle just holds the text, its left and top kept. Format 0
  // draws left- and top-aligned starting at rect's top-left corner. Returns
  // the height of the text in pixels.
  virtual std::int32_t DrawText(std::string_view text, RECT& rect, std::uint32_t format,
                                D3DCOLOR color) = 0;
  virtual const FontDesc& Desc() const = 0;
};

// Redirects the device's drawing into a texture surface between BeginScene
// and EndScene; Clear, draws and font text in between land in the surface.
class RenderToSurface {
 public:
  virtual ~RenderToSurface() = default;
  virtual void BeginScene(const std::shared_ptr<Surface>& surface, const D3DVIEWPORT& viewport) = 0;
  virtual void EndScene() = 0;
};

// Device-private data a device may attach to a mesh it draws (uploaded
// buffers and the like); released with the mesh.
struct MeshDeviceData {
  virtual ~MeshDeviceData() = default;
};

class GraphicsDevice {
 public:
  virtual ~GraphicsDevice() = default;

  // --- device life ---
  virtual CooperativeLevel TestCooperativeLevel() = 0;
  // Rebuilds the back buffer with the parameters (width/height 0: the
  // window's client size). False when the reset failed.
  virtual bool Reset(const D3DPRESENT_PARAMETERS& params) = 0;
  virtual D3DCAPS GetDeviceCaps() = 0;
  virtual D3DDISPLAYMODE GetDisplayMode() = 0;

  // --- frame ---
  virtual void BeginScene() = 0;
  virtual void EndScene() = 0;
  // flags: D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL; clears the
  // whole viewport of the current target.
  virtual void Clear(std::uint32_t flags, D3DCOLOR color, float z, std::uint32_t stencil) = 0;
  // Shows the back buffer (in windowOverride when given, else the device
  // window). Throws DeviceError on failure.
  virtual void Present(WindowHandle windowOverride = nullptr) = 0;

  // --- state ---
  virtual void SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) = 0;
  virtual D3DMATRIX GetTransform(D3DTRANSFORMSTATETYPE state) = 0;
  virtual void SetViewport(const D3DVIEWPORT& viewport) = 0;
  virtual D3DVIEWPORT GetViewport() = 0;
  virtual void SetMaterial(const D3DMATERIAL& material) = 0;
  virtual D3DMATERIAL GetMaterial() = 0;
  virtual void SetLight(std::uint32_t index, const D3DLIGHT& light) = 0;
  virtual void LightEnable(std::uint32_t index, bool enable) = 0;
  virtual void SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value) = 0;
  virtual std::uint32_t GetRenderState(D3DRENDERSTATETYPE state) = 0;
  // texture nullptr: no texture on that stage.
  virtual void SetTexture(std::uint32_t stage, std::shared_ptr<Texture> texture) = 0;
  virtual void SetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type,
                                    std::uint32_t value) = 0;
  // Sets the flexible vertex format of the following DrawPrimitiveUP calls.
  virtual void SetVertexShader(std::uint32_t fvf) = 0;

  // --- drawing ---
  // Draws primitiveCount primitives from vertices in user memory laid out in
  // the current vertex format, stride bytes apart.
  virtual void DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount,
                               const void* vertices, std::uint32_t stride) = 0;
  // Draws the faces of one subset of a mesh with the current states (what
  // Mesh::DrawSubset calls).
  virtual void DrawMeshSubset(const Mesh& mesh, std::uint32_t subset) = 0;

  // --- helper objects ---
  // levels 0: the full mip chain. usage is kept for the record only.
  virtual std::shared_ptr<Texture> CreateTexture(std::uint32_t width, std::uint32_t height,
                                                 std::uint32_t levels, std::uint32_t usage,
                                                 D3DFORMAT format, D3DPOOL pool) = 0;
  // A texture with the picture in the file (format from the file, full mip
  // chain); nullptr when the file cannot be read as a picture.
  virtual std::shared_ptr<Texture> CreateTextureFromFile(const std::string& path) = 0;
  virtual std::shared_ptr<Font> CreateFont(const FontDesc& desc) = 0;
  virtual std::shared_ptr<RenderToSurface> CreateRenderToSurface(std::uint32_t width,
                                                                 std::uint32_t height,
                                                                 D3DFORMAT format,
                                                                 bool depthStencil,
                                                                 D3DFORMAT depthFormat) = 0;
};

// The object that enumerates adapters and creates devices (device set-up).
class Direct3D {
 public:
  virtual ~Direct3D() = default;
  virtual std::uint32_t GetAdapterCount() = 0;
  virtual std::uint32_t GetAdapterModeCount(std::uint32_t adapter) = 0;
  virtual D3DDISPLAYMODE EnumAdapterModes(std::uint32_t adapter, std::uint32_t mode) = 0;
  virtual D3DDISPLAYMODE GetAdapterDisplayMode(std::uint32_t adapter) = 0;
  virtual bool CheckDeviceType(std::uint32_t adapter, D3DDEVTYPE type, D3DFORMAT displayFormat,
                               D3DFORMAT backBufferFormat, bool windowed) = 0;
  virtual D3DCAPS GetDeviceCaps(std::uint32_t adapter, D3DDEVTYPE type) = 0;
  // nullptr when no device of that type can be made on the window.
  virtual std::shared_ptr<GraphicsDevice> CreateDevice(std::uint32_t adapter, D3DDEVTYPE type,
                                                       WindowHandle focusWindow,
                                                       std::uint32_t behaviorFlags,
                                                       const D3DPRESENT_PARAMETERS& params) = 0;
};

}  // namespace rp
