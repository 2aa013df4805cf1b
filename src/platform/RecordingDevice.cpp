#include "platform/RecordingDevice.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

namespace rp {
namespace {

D3DMATRIX Identity() {
  D3DMATRIX m{};
  for (int i = 0; i < 4; ++i) m.m[i][i] = 1.0f;
  return m;
}

}  // namespace

RecordingDevice::RecordingDevice(std::uint32_t backBufferWidth, std::uint32_t backBufferHeight)
    : backBufferWidth_(backBufferWidth),
      backBufferHeight_(backBufferHeight),
      viewport_{0, 0, backBufferWidth, backBufferHeight, 0.0f, 1.0f} {
  transforms_[D3DTS_WORLD] = Identity();
  transforms_[D3DTS_VIEW] = Identity();
  transforms_[D3DTS_PROJECTION] = Identity();
  // The fixed-function defaults a fresh device starts with.
  renderStates_[D3DRS_ZENABLE] = D3DZB_TRUE;
  renderStates_[D3DRS_SHADEMODE] = D3DSHADE_GOURAUD;
  renderStates_[D3DRS_CULLMODE] = D3DCULL_CCW;
  renderStates_[D3DRS_SRCBLEND] = D3DBLEND_ONE;
  renderStates_[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
  renderStates_[D3DRS_ALPHABLENDENABLE] = 0;
  renderStates_[D3DRS_CLIPPING] = 1;
  renderStates_[D3DRS_LIGHTING] = 1;
  renderStates_[D3DRS_AMBIENT] = 0;
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
  s.world = transforms_.at(D3DTS_WORLD);
  s.view = transforms_.at(D3DTS_VIEW);
  s.projection = transforms_.at(D3DTS_PROJECTION);
  s.material = material_;
  s.texture0 = GetTexture(0);
  s.fvf = fvf_;
  s.alphaBlend = renderStates_.at(D3DRS_ALPHABLENDENABLE) != 0;
  s.srcBlend = renderStates_.at(D3DRS_SRCBLEND);
  s.destBlend = renderStates_.at(D3DRS_DESTBLEND);
  s.target = target_;
  s.targetLevel = target_ ? static_cast<int>(target_->Level()) : -1;
  return s;
}

bool RecordingDevice::LightEnabled(std::uint32_t index) const {
  auto it = lightEnabled_.find(index);
  return it != lightEnabled_.end() && it->second;
}

const D3DLIGHT* RecordingDevice::Light(std::uint32_t index) const {
  auto it = lights_.find(index);
  return it == lights_.end() ? nullptr : &it->second;
}

std::uint32_t RecordingDevice::TextureStageState(std::uint32_t stage,
                                                 D3DTEXTURESTAGESTATETYPE type) const {
  auto it = stageStates_.find({stage, type});
  return it == stageStates_.end() ? 0 : it->second;
}

std::shared_ptr<Texture> RecordingDevice::GetTexture(std::uint32_t stage) const {
  auto it = textures_.find(stage);
  return it == textures_.end() ? nullptr : it->second;
}

CooperativeLevel RecordingDevice::TestCooperativeLevel() {
  Record("TestCooperativeLevel");
  return cooperativeLevel;
}

bool RecordingDevice::Reset(const D3DPRESENT_PARAMETERS& params) {
  auto& c = Record("Reset");
  c.args = {params.BackBufferWidth, params.BackBufferHeight, params.Windowed};
  if (!resetSucceeds) return false;
  lastReset_ = params;
  if (params.BackBufferWidth != 0) backBufferWidth_ = params.BackBufferWidth;
  if (params.BackBufferHeight != 0) backBufferHeight_ = params.BackBufferHeight;
  viewport_ = {0, 0, backBufferWidth_, backBufferHeight_, 0.0f, 1.0f};
  cooperativeLevel = CooperativeLevel::Ready;
  return true;
}

D3DCAPS RecordingDevice::GetDeviceCaps() {
  Record("GetDeviceCaps");
  return caps;
}

D3DDISPLAYMODE RecordingDevice::GetDisplayMode() {
  Record("GetDisplayMode");
  return displayMode;
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

void RecordingDevice::Clear(std::uint32_t flags, D3DCOLOR color, float z, std::uint32_t stencil) {
  auto& c = Record("Clear");
  c.args = {flags, color, stencil};
  c.values = {z};
  c.object = target_;
  c.state = CurrentDrawState();
}

void RecordingDevice::Present(WindowHandle windowOverride) {
  auto& c = Record("Present");
  c.object = windowOverride;
  if (presentFails) throw DeviceError("present failed");
}

void RecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) {
  auto& c = Record("SetTransform");
  c.args = {state};
  c.matrix = matrix;
  transforms_[state] = matrix;
}

D3DMATRIX RecordingDevice::GetTransform(D3DTRANSFORMSTATETYPE state) {
  Record("GetTransform").args = {state};
  auto it = transforms_.find(state);
  return it == transforms_.end() ? Identity() : it->second;
}

void RecordingDevice::SetViewport(const D3DVIEWPORT& viewport) {
  Record("SetViewport").viewport = viewport;
  viewport_ = viewport;
}

D3DVIEWPORT RecordingDevice::GetViewport() {
  Record("GetViewport");
  return viewport_;
}

void RecordingDevice::SetMaterial(const D3DMATERIAL& material) {
  Record("SetMaterial").material = material;
  material_ = material;
}

D3DMATERIAL RecordingDevice::GetMaterial() {
  Record("GetMaterial");
  return material_;
}

void RecordingDevice::SetLight(std::uint32_t index, const D3DLIGHT& light) {
  auto& c = Record("SetLight");
  c.args = {index};
  c.light = light;
  lights_[index] = light;
}

void RecordingDevice::LightEnable(std::uint32_t index, bool enable) {
  Record("LightEnable").args = {index, enable ? 1u : 0u};
  lightEnabled_[index] = enable;
}

void RecordingDevice::SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value) {
  Record("SetRenderState").args = {state, value};
  renderStates_[state] = value;
}

std::uint32_t RecordingDevice::GetRenderState(D3DRENDERSTATETYPE state) {
  Record("GetRenderState").args = {state};
  auto it = renderStates_.find(state);
  return it == renderStates_.end() ? 0 : it->second;
}

void RecordingDevice::SetTexture(std::uint32_t stage, std::shared_ptr<Texture> texture) {
  auto& c = Record("SetTexture");
  c.args = {stage};
  c.object = texture.get();
  textures_[stage] = std::move(texture);
}

void RecordingDevice::SetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type,
                                           std::uint32_t value) {
  Record("SetTextureStageState").args = {stage, type, value};
  stageStates_[{stage, type}] = value;
}

void RecordingDevice::SetVertexShader(std::uint32_t fvf) {
  Record("SetVertexShader").args = {fvf};
  fvf_ = fvf;
}

void RecordingDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount,
                                      const void* vertices, std::uint32_t stride) {
  auto& c = Record("DrawPrimitiveUP");
  c.args = {type, primitiveCount, stride};
  std::uint32_t count = 0;
  switch (type) {
    case D3DPT_POINTLIST: count = primitiveCount; break;
    case D3DPT_LINELIST: count = 2 * primitiveCount; break;
    case D3DPT_LINESTRIP: count = primitiveCount + 1; break;
    case D3DPT_TRIANGLELIST: count = 3 * primitiveCount; break;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: count = primitiveCount + 2; break;
  }
  if (vertices != nullptr && primitiveCount > 0) {
    const auto* bytes = static_cast<const std::uint8_t*>(vertices);
    c.vertexData.assign(bytes, bytes + std::size_t(count) * stride);
  }
  c.state = CurrentDrawState();
}

void RecordingDevice::DrawMeshSubset(const Mesh& mesh, std::uint32_t subset) {
  auto& c = Record("DrawSubset");
  c.args = {subset};
  c.object = &mesh;
  c.state = CurrentDrawState();
}

std::shared_ptr<Texture> RecordingDevice::CreateTexture(std::uint32_t width, std::uint32_t height,
                                                        std::uint32_t levels, std::uint32_t usage,
                                                        D3DFORMAT format, D3DPOOL pool) {
  auto t = std::make_shared<RecordingTexture>(width, height, levels, usage, format, pool);
  auto& c = Record("CreateTexture");
  c.args = {width, height, levels, usage, format, pool};
  c.object = t.get();
  return t;
}

std::shared_ptr<Texture> RecordingDevice::CreateTextureFromFile(const std::string& path) {
  auto& c = Record("CreateTextureFromFile");
  c.text = path;
  if (!std::ifstream(path)) return nullptr;
  auto t = std::make_shared<RecordingTexture>(1, 1, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED);
  c.object = t.get();
  return t;
}

std::shared_ptr<Font> RecordingDevice::CreateFont(const FontDesc& desc) {
  auto f = std::make_shared<RecordingFont>(*this, desc);
  auto& c = Record("CreateFont");
  c.text = desc.faceName;
  c.values = {desc.pointSize};
  c.args = {static_cast<std::uint32_t>(desc.weight)};
  c.object = f.get();
  return f;
}

std::shared_ptr<RenderToSurface> RecordingDevice::CreateRenderToSurface(
    std::uint32_t width, std::uint32_t height, D3DFORMAT format, bool depthStencil,
    D3DFORMAT depthFormat) {
  auto r = std::make_shared<RecordingRenderToSurface>(*this);
  auto& c = Record("CreateRenderToSurface");
  c.args = {width, height, format, depthStencil ? 1u : 0u, depthFormat};
  c.object = r.get();
  return r;
}

void RecordingDevice::RedirectTarget(const Surface* target, const D3DVIEWPORT& viewport) {
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

std::int32_t RecordingFont::DrawText(std::string_view text, RECT& rect, std::uint32_t format,
                                     D3DCOLOR color) {
  auto& c = device_.calls.emplace_back();
  c.op = "DrawText";
  c.args = {format, color};
  c.rect = rect;
  c.text = std::string(text);
  c.object = this;
  c.state = device_.CurrentDrawState();

  std::int32_t lines = text.empty() ? 0 : 1;
  std::int32_t longest = 0, current = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      longest = std::max(longest, current);
      current = 0;
      if (i + 1 < text.size()) ++lines;
    } else {
      ++current;
    }
  }
  longest = std::max(longest, current);
  const std::int32_t height = lines * LineHeight();
  if (format & DT_CALCRECT) {
    rect.right = rect.left + longest * CharWidth();
    rect.bottom = rect.top + height;
  }
  return height;
}

void RecordingRenderToSurface::BeginScene(const std::shared_ptr<Surface>& surface,
                                          const D3DVIEWPORT& viewport) {
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

RecordingDirect3D::RecordingDirect3D()
    : modes{{640, 480, 60, D3DFMT_R5G6B5},
            {640, 480, 60, D3DFMT_X8R8G8B8},
            {1280, 1024, 60, D3DFMT_X8R8G8B8}} {}

std::uint32_t RecordingDirect3D::GetAdapterModeCount(std::uint32_t adapter) {
  return adapter == 0 ? static_cast<std::uint32_t>(modes.size()) : 0;
}

D3DDISPLAYMODE RecordingDirect3D::EnumAdapterModes(std::uint32_t adapter, std::uint32_t mode) {
  if (adapter != 0 || mode >= modes.size()) throw DeviceError("no such display mode");
  return modes[mode];
}

D3DDISPLAYMODE RecordingDirect3D::GetAdapterDisplayMode(std::uint32_t adapter) {
  if (adapter != 0) throw DeviceError("no such adapter");
  return desktopMode;
}

bool RecordingDirect3D::CheckDeviceType(std::uint32_t adapter, D3DDEVTYPE type, D3DFORMAT, D3DFORMAT,
                                        bool) {
  if (adapter != 0) return false;
  return type == D3DDEVTYPE_HAL ? hardwareAvailable : softwareAvailable;
}

D3DCAPS RecordingDirect3D::GetDeviceCaps(std::uint32_t adapter, D3DDEVTYPE type) {
  return {type, adapter, 4096, 4096, 8, 0xFFFFF, 0xFFFFFF};
}

std::shared_ptr<GraphicsDevice> RecordingDirect3D::CreateDevice(std::uint32_t adapter,
                                                                D3DDEVTYPE type, WindowHandle,
                                                                std::uint32_t behaviorFlags,
                                                                const D3DPRESENT_PARAMETERS& params) {
  createRequests.emplace_back(type, behaviorFlags);
  if (adapter != 0 || !CheckDeviceType(adapter, type, desktopMode.Format, params.BackBufferFormat,
                                       params.Windowed != 0))
    return nullptr;
  auto device = std::make_shared<RecordingDevice>(
      params.BackBufferWidth ? params.BackBufferWidth : clientWidth,
      params.BackBufferHeight ? params.BackBufferHeight : clientHeight);
  device->caps = GetDeviceCaps(adapter, type);
  device->displayMode = desktopMode;
  lastDevice = device;
  return device;
}

}  // namespace rp
