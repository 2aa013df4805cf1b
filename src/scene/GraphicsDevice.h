// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 3D device as the scene and the view use it: transforms, one material,
// lights, a few render states, one texture, immediate draws of vertices and
// of mesh subsets, plus the helper objects made through it: textures and
// their surfaces, fonts, render-to-surface, and meshes (Mesh.h).
//
// The OpenGL implementation lives in platform/qt; the tests have a recording
// one. Device calls that fail throw DeviceError.

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string_view>

#include "scene/GraphicsTypes.h"

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
  Texture(std::uint32_t width, std::uint32_t height, std::uint32_t levels, TextureFormat format);
  virtual ~Texture() = default;
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  std::uint32_t Width() const { return width_; }
  std::uint32_t Height() const { return height_; }
  std::uint32_t GetLevelCount() const { return levels_; }
  TextureFormat Format() const { return format_; }
  std::uint32_t LevelWidth(std::uint32_t level) const;
  std::uint32_t LevelHeight(std::uint32_t level) const;

  // The drawable surface of one mip level; throws DeviceError for a level
  // beyond the chain.
  std::shared_ptr<Surface> GetSurfaceLevel(std::uint32_t level);

  // Number of levels of a full mip chain down to 1x1.
  static std::uint32_t FullChainLevels(std::uint32_t width, std::uint32_t height);

 private:
  std::uint32_t width_, height_, levels_;
  TextureFormat format_;
};

// One mip level of a texture: the target of a render-to-surface scene.
class Surface {
 public:
  Surface(std::shared_ptr<Texture> texture, std::uint32_t level) : texture_(std::move(texture)), level_(level) {}
  Texture& GetTexture() const { return *texture_; }
  const std::shared_ptr<Texture>& GetTexturePtr() const { return texture_; }
  std::uint32_t Level() const { return level_; }
  std::uint32_t Width() const { return texture_->LevelWidth(level_); }
  std::uint32_t Height() const { return texture_->LevelHeight(level_); }

 private:
  std::shared_ptr<Texture> texture_;
  std::uint32_t level_;
};

// A text font bound to the device that made it. Text lines are separated by
// CR, LF or CR LF.
class Font {
 public:
  virtual ~Font() = default;
  // Sets rect's right and bottom so the rectangle just holds the text, its
  // left and top kept; draws nothing. Returns the text's height in pixels.
  virtual std::int32_t MeasureText(std::string_view text, Rect& rect) = 0;
  // Draws the text in the colour from rect's top-left corner, clipped to the
  // rectangle when it has an area. Returns the text's height in pixels.
  virtual std::int32_t DrawText(std::string_view text, const Rect& rect, Argb32 colour) = 0;
  virtual const FontDesc& Desc() const = 0;
};

// Redirects the device's drawing into a texture surface between BeginScene
// and EndScene; Clear, draws and font text in between land in the surface.
class RenderToSurface {
 public:
  virtual ~RenderToSurface() = default;
  virtual void BeginScene(const std::shared_ptr<Surface>& surface, const Viewport& viewport) = 0;
  virtual void EndScene() = 0;
};

// The render states a device holds, as a fresh device starts with them.
struct RenderStates {
  Argb32 ambientLight = 0;
  bool lighting = true;
  bool depthTest = true;
  Shading shading = Shading::Gouraud;
  Culling culling = Culling::CounterClockwise;
  bool alphaBlending = false;
  BlendFactor sourceBlend = BlendFactor::One;
  BlendFactor destinationBlend = BlendFactor::Zero;
  TextureFilter minFilter = TextureFilter::Point;
};

// One copy of a mesh in a batch: where it stands and what it is made of.
struct MeshDraw {
  glm::mat4 world{1.0f};
  Material material{};
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
  virtual DeviceStatus Status() = 0;
  // Rebuilds the back buffer at the window's client size. False when that
  // failed.
  virtual bool ResetBackBuffer() = 0;

  // --- frame ---
  virtual void BeginScene() = 0;
  virtual void EndScene() = 0;
  // Clears the whole viewport of the current target to the colour and its
  // depth to the far plane.
  virtual void Clear(Argb32 colour) = 0;
  // Shows the back buffer in the device's window. Throws DeviceError on
  // failure.
  virtual void Present() = 0;

  // --- state ---
  virtual void SetTransform(Transform which, const glm::mat4& matrix) = 0;
  virtual glm::mat4 GetTransform(Transform which) = 0;
  virtual void SetViewport(const Viewport& viewport) = 0;
  virtual Viewport GetViewport() = 0;
  virtual void SetMaterial(const Material& material) = 0;
  virtual Material GetMaterial() = 0;
  virtual void SetLight(std::uint32_t index, const Light& light) = 0;
  virtual void EnableLight(std::uint32_t index, bool enable) = 0;
  // The light every lit surface gets on top of the lights (0xAARRGGBB).
  virtual void SetAmbientLight(Argb32 colour) = 0;
  virtual void SetLighting(bool enable) = 0;
  virtual void SetDepthTest(bool enable) = 0;
  virtual void SetShading(Shading shading) = 0;
  virtual void SetCulling(Culling culling) = 0;
  virtual void SetAlphaBlending(bool enable) = 0;
  virtual void SetBlendFactors(BlendFactor source, BlendFactor destination) = 0;
  // nullptr: draw untextured.
  virtual void SetTexture(std::shared_ptr<Texture> texture) = 0;
  // How a texture shown smaller than its size is sampled.
  virtual void SetMinFilter(TextureFilter filter) = 0;

  // --- drawing ---
  virtual void DrawVertices(Primitive primitive, std::span<const Vertex> vertices) = 0;
  // Draws the faces of one subset of a mesh with the current states (what
  // Mesh::DrawSubset calls).
  virtual void DrawMeshSubset(const Mesh& mesh, std::uint32_t subset) = 0;
  // Draws every subset of `mesh` once per entry, untextured, each with its
  // world matrix and material, in order: the picture of SetTransform(World),
  // SetMaterial, SetTexture(nullptr) and DrawMeshSubset per entry. Leaves the
  // world transform as it found it, and the material and texture as the last
  // entry set them. This version does exactly that; a device may draw the
  // whole batch at once, and a sphere mesh (Mesh::SphereRadius) as true
  // spheres.
  virtual void DrawMeshInstances(const Mesh& mesh, std::span<const MeshDraw> draws);

  // --- helper objects ---
  // levels 0: the full mip chain.
  virtual std::shared_ptr<Texture> CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                                 TextureFormat format) = 0;
  virtual std::shared_ptr<Font> CreateFont(const FontDesc& desc) = 0;
  // Surfaces up to width x height, with a depth buffer of their own when
  // depthBuffer is set.
  virtual std::shared_ptr<RenderToSurface> CreateRenderToSurface(std::uint32_t width, std::uint32_t height,
                                                                 bool depthBuffer) = 0;
};

}  // namespace rp
