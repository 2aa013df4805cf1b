// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RecordingDevice.h"

#include <algorithm>
#include <cmath>

namespace rp {

RecordingDevice::RecordingDevice(std::uint32_t backBufferWidth, std::uint32_t backBufferHeight)
    : backBufferWidth_(backBufferWidth),
      backBufferHeight_(backBufferHeight),
      viewport_{0, 0, backBufferWidth, backBufferHeight, 0.0f, 1.0f} {
  transforms_[Transform::World] = glm::mat4(1.0f);
  transforms_[Transform::View] = glm::mat4(1.0f);
  transforms_[Transform::Projection] = glm::mat4(1.0f);
}

DeviceCall& RecordingDevice::Record(std::string op) {
  calls.push_back({});
  calls.back().op = std::move(op);
  return calls.back();
}

std::vector<const DeviceCall*> RecordingDevice::Calls(const std::string& op) const {
  std::vector<const DeviceCall*> out;
  for (const auto& c : calls)
    if (c.op == op) out.push_back(&c);
  return out;
}

std::size_t RecordingDevice::Count(const std::string& op) const {
  return static_cast<std::size_t>(
      std::count_if(calls.begin(), calls.end(), [&](const DeviceCall& c) { return c.op == op; }));
}

DrawState RecordingDevice::CurrentDrawState() const {
  DrawState s{};
  s.world = transforms_.at(Transform::World);
  s.view = transforms_.at(Transform::View);
  s.projection = transforms_.at(Transform::Projection);
  s.material = material_;
  s.texture = texture_;
  s.alphaBlend = states_.alphaBlending;
  s.srcBlend = states_.sourceBlend;
  s.destBlend = states_.destinationBlend;
  s.target = target_;
  s.targetLevel = target_ ? static_cast<int>(target_->Level()) : -1;
  return s;
}

bool RecordingDevice::LightEnabled(std::uint32_t index) const {
  auto it = lightEnabled_.find(index);
  return it != lightEnabled_.end() && it->second;
}

const rp::Light* RecordingDevice::Light(std::uint32_t index) const {
  auto it = lights_.find(index);
  return it == lights_.end() ? nullptr : &it->second;
}

DeviceStatus RecordingDevice::Status() {
  Record("Status");
  return status;
}

bool RecordingDevice::ResetBackBuffer() {
  Record("ResetBackBuffer");
  if (!resetSucceeds) return false;
  viewport_ = {0, 0, backBufferWidth_, backBufferHeight_, 0.0f, 1.0f};
  status = DeviceStatus::Ready;
  return true;
}

void RecordingDevice::BeginScene() {
  Record("BeginScene");
  if (inScene_) throw DeviceError("BeginScene inside a scene");
  inScene_ = true;
}

void RecordingDevice::EndScene() {
  Record("EndScene");
  if (!inScene_) throw DeviceError("EndScene outside a scene");
  inScene_ = false;
}

void RecordingDevice::Clear(Argb32 colour) {
  auto& c = Record("Clear");
  c.args = {colour};
  c.object = target_;
  c.state = CurrentDrawState();
}

void RecordingDevice::Present() {
  Record("Present");
  if (presentFails) throw DeviceError("present failed");
}

void RecordingDevice::SetTransform(Transform which, const glm::mat4& matrix) {
  auto& c = Record("SetTransform");
  c.args = {static_cast<std::uint32_t>(which)};
  c.matrix = matrix;
  transforms_[which] = matrix;
}

glm::mat4 RecordingDevice::GetTransform(Transform which) {
  Record("GetTransform").args = {static_cast<std::uint32_t>(which)};
  return transforms_.at(which);
}

void RecordingDevice::SetViewport(const Viewport& viewport) {
  Record("SetViewport").viewport = viewport;
  viewport_ = viewport;
}

Viewport RecordingDevice::GetViewport() {
  Record("GetViewport");
  return viewport_;
}

void RecordingDevice::SetMaterial(const Material& material) {
  Record("SetMaterial").material = material;
  material_ = material;
}

Material RecordingDevice::GetMaterial() {
  Record("GetMaterial");
  return material_;
}

void RecordingDevice::SetLight(std::uint32_t index, const rp::Light& light) {
  auto& c = Record("SetLight");
  c.args = {index};
  c.light = light;
  lights_[index] = light;
}

void RecordingDevice::EnableLight(std::uint32_t index, bool enable) {
  Record("EnableLight").args = {index, enable ? 1u : 0u};
  lightEnabled_[index] = enable;
}

void RecordingDevice::SetAmbientLight(Argb32 colour) {
  Record("SetAmbientLight").args = {colour};
  states_.ambientLight = colour;
}

void RecordingDevice::SetLighting(bool enable) {
  Record("SetLighting").args = {enable ? 1u : 0u};
  states_.lighting = enable;
}

void RecordingDevice::SetDepthTest(bool enable) {
  Record("SetDepthTest").args = {enable ? 1u : 0u};
  states_.depthTest = enable;
}

void RecordingDevice::SetShading(Shading shading) {
  Record("SetShading").args = {static_cast<std::uint32_t>(shading)};
  states_.shading = shading;
}

void RecordingDevice::SetCulling(Culling culling) {
  Record("SetCulling").args = {static_cast<std::uint32_t>(culling)};
  states_.culling = culling;
}

void RecordingDevice::SetAlphaBlending(bool enable) {
  Record("SetAlphaBlending").args = {enable ? 1u : 0u};
  states_.alphaBlending = enable;
}

void RecordingDevice::SetBlendFactors(BlendFactor source, BlendFactor destination) {
  Record("SetBlendFactors").args = {static_cast<std::uint32_t>(source), static_cast<std::uint32_t>(destination)};
  states_.sourceBlend = source;
  states_.destinationBlend = destination;
}

void RecordingDevice::SetTexture(std::shared_ptr<Texture> texture) {
  Record("SetTexture").object = texture.get();
  texture_ = std::move(texture);
}

void RecordingDevice::SetMinFilter(TextureFilter filter) {
  Record("SetMinFilter").args = {static_cast<std::uint32_t>(filter)};
  states_.minFilter = filter;
}

void RecordingDevice::DrawVertices(Primitive primitive, std::span<const Vertex> vertices) {
  auto& c = Record("DrawVertices");
  c.args = {static_cast<std::uint32_t>(primitive)};
  c.vertices.assign(vertices.begin(), vertices.end());
  c.state = CurrentDrawState();
}

void RecordingDevice::DrawMeshSubset(const Mesh& mesh, std::uint32_t subset) {
  auto& c = Record("DrawSubset");
  c.args = {subset};
  c.object = &mesh;
  c.state = CurrentDrawState();
}

void RecordingDevice::DrawMeshInstances(const Mesh& mesh, std::span<const MeshDraw> draws) {
  auto& c = Record("DrawMeshInstances");
  c.args = {static_cast<std::uint32_t>(draws.size())};
  c.object = &mesh;
  GraphicsDevice::DrawMeshInstances(mesh, draws);
}

std::shared_ptr<Texture> RecordingDevice::CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                                        TextureFormat format) {
  auto t = std::make_shared<Texture>(width, height, levels, format);
  auto& c = Record("CreateTexture");
  c.args = {width, height, levels, static_cast<std::uint32_t>(format)};
  c.object = t.get();
  return t;
}

std::shared_ptr<Font> RecordingDevice::CreateFont(const FontDesc& desc) {
  auto f = std::make_shared<RecordingFont>(*this, desc);
  auto& c = Record("CreateFont");
  c.text = desc.faceName;
  c.args = {static_cast<std::uint32_t>(desc.weight)};
  c.object = f.get();
  return f;
}

std::shared_ptr<RenderToSurface> RecordingDevice::CreateRenderToSurface(std::uint32_t width, std::uint32_t height,
                                                                        bool depthBuffer) {
  auto r = std::make_shared<RecordingRenderToSurface>(*this);
  auto& c = Record("CreateRenderToSurface");
  c.args = {width, height, depthBuffer ? 1u : 0u};
  c.object = r.get();
  return r;
}

void RecordingDevice::RedirectTarget(const Surface* target, const Viewport& viewport) {
  savedViewport_ = viewport_;
  target_ = target;
  viewport_ = viewport;
}

void RecordingDevice::RestoreTarget() {
  target_ = nullptr;
  viewport_ = savedViewport_;
}

std::int32_t RecordingFont::CharWidth() const {
  return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(desc_.pointSize)));
}

std::int32_t RecordingFont::LineHeight() const {
  return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(desc_.pointSize * 2)));
}

DeviceCall& RecordingFont::Record(std::string op, std::string_view text, const Rect& rect) {
  auto& c = device_.calls.emplace_back();
  c.op = std::move(op);
  c.rect = rect;
  c.text = std::string(text);
  c.object = this;
  c.state = device_.CurrentDrawState();
  return c;
}

namespace {

// Number of lines and characters in the longest one.
struct TextExtent {
  std::int32_t lines = 0, longest = 0;
};

TextExtent ExtentOf(std::string_view text) {
  TextExtent e;
  e.lines = text.empty() ? 0 : 1;
  std::int32_t current = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      e.longest = std::max(e.longest, current);
      current = 0;
      if (i + 1 < text.size()) ++e.lines;
    } else {
      ++current;
    }
  }
  e.longest = std::max(e.longest, current);
  return e;
}

}  // namespace

std::int32_t RecordingFont::MeasureText(std::string_view text, Rect& rect) {
  Record("MeasureText", text, rect);
  const TextExtent e = ExtentOf(text);
  rect.right = rect.left + e.longest * CharWidth();
  rect.bottom = rect.top + e.lines * LineHeight();
  return e.lines * LineHeight();
}

std::int32_t RecordingFont::DrawText(std::string_view text, const Rect& rect, Argb32 colour) {
  Record("DrawText", text, rect).args = {colour};
  return ExtentOf(text).lines * LineHeight();
}

void RecordingRenderToSurface::BeginScene(const std::shared_ptr<Surface>& surface, const Viewport& viewport) {
  auto& c = device_.calls.emplace_back();
  c.op = "RenderToSurface.BeginScene";
  c.object = surface.get();
  c.viewport = viewport;
  if (surface_) throw DeviceError("render-to-surface scene already begun");
  surface_ = surface;
  device_.RedirectTarget(surface.get(), viewport);
}

void RecordingRenderToSurface::EndScene() {
  device_.calls.emplace_back().op = "RenderToSurface.EndScene";
  if (!surface_) throw DeviceError("render-to-surface scene not begun");
  device_.RestoreTarget();
  surface_.reset();
}

}  // namespace rp
