#include "platform/qt/GlDirect3D.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/qt/GlDevice.h"
#include "platform/qt/GlView.h"

namespace rp {
namespace {

std::string RendererOf(QOpenGLContext& context) {
  const auto* s = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
  return s ? s : "";
}

bool IsCoreAtLeast33(const QSurfaceFormat& f) {
  return f.renderableType() == QSurfaceFormat::OpenGL && f.version() >= qMakePair(3, 3);
}

}  // namespace

bool IsSoftwareRenderer(std::string_view renderer) {
  std::string r(renderer);
  std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return std::tolower(c); });
  for (const char* name : {"llvmpipe", "softpipe", "swrast", "software rasterizer"})
    if (r.find(name) != std::string::npos) return true;
  return false;
}

const std::optional<std::string>& GlDirect3D::ProbeRenderer() {
  if (probed_) return renderer_;
  probed_ = true;
  QOpenGLContext context;
  context.setFormat(DeviceSurfaceFormat());
  if (!context.create() || !IsCoreAtLeast33(context.format())) return renderer_;
  QOffscreenSurface surface;
  surface.setFormat(context.format());
  surface.create();
  if (!surface.isValid() || !context.makeCurrent(&surface)) return renderer_;
  renderer_ = RendererOf(context);
  context.doneCurrent();
  return renderer_;
}

std::uint32_t GlDirect3D::GetAdapterModeCount(std::uint32_t adapter) {
  return adapter == 0 && QGuiApplication::primaryScreen() != nullptr ? 1 : 0;
}

D3DDISPLAYMODE GlDirect3D::EnumAdapterModes(std::uint32_t adapter, std::uint32_t mode) {
  if (mode != 0) throw DeviceError("no such display mode");
  return GetAdapterDisplayMode(adapter);
}

D3DDISPLAYMODE GlDirect3D::GetAdapterDisplayMode(std::uint32_t adapter) {
  const QScreen* s = QGuiApplication::primaryScreen();
  if (adapter != 0 || s == nullptr) throw DeviceError("no such adapter");
  return {std::uint32_t(s->size().width()), std::uint32_t(s->size().height()),
          std::uint32_t(std::lround(s->refreshRate())), D3DFMT_X8R8G8B8};
}

bool GlDirect3D::CheckDeviceType(std::uint32_t adapter, D3DDEVTYPE type, D3DFORMAT displayFormat,
                                 D3DFORMAT backBufferFormat, bool windowed) {
  // Full-screen operation is not offered; windows draw in 32-bit colour.
  if (adapter != 0 || !windowed) return false;
  if (displayFormat != D3DFMT_X8R8G8B8 || (backBufferFormat != D3DFMT_X8R8G8B8 &&
                                           backBufferFormat != D3DFMT_A8R8G8B8))
    return false;
  const auto& renderer = ProbeRenderer();
  if (!renderer) return false;
  return type == D3DDEVTYPE_REF || !IsSoftwareRenderer(*renderer);
}

D3DCAPS GlDirect3D::GetDeviceCaps(std::uint32_t adapter, D3DDEVTYPE type) {
  return {type, adapter, 4096, 4096, kMaxLights, 0xFFFFF, 0xFFFFFF};
}

std::shared_ptr<GraphicsDevice> GlDirect3D::CreateDevice(std::uint32_t adapter, D3DDEVTYPE type,
                                                         WindowHandle focusWindow, std::uint32_t,
                                                         const D3DPRESENT_PARAMETERS&) {
  GlView* view = GlView::FromHandle(focusWindow);
  if (adapter != 0 || view == nullptr || !view->EnsureContext()) return nullptr;
  if (!IsCoreAtLeast33(view->context()->format())) return nullptr;
  view->makeCurrent();
  const std::string renderer = RendererOf(*view->context());
  if (type == D3DDEVTYPE_HAL && IsSoftwareRenderer(renderer)) return nullptr;
  try {
    return std::make_shared<GlDevice>(view, type, renderer);
  } catch (const DeviceError&) {
    return nullptr;
  }
}

std::shared_ptr<Direct3D> QtDirectX::Direct3DCreate() {
  if (QGuiApplication::instance() == nullptr) return nullptr;
  return std::make_shared<GlDirect3D>();
}

RECT QtDirectX::GetClientRect(WindowHandle window) {
  if (window == nullptr) throw DeviceError("no window");
  QWidget* w = GlView::FromHandle(window);
  if (w == nullptr) w = static_cast<QWidget*>(window);
  const qreal dpr = w->devicePixelRatioF();
  return {0, 0, std::int32_t(std::lround(w->width() * dpr)),
          std::int32_t(std::lround(w->height() * dpr))};
}

RECT QtDirectX::GetWindowRect(WindowHandle window) {
  if (window == nullptr) throw DeviceError("no window");
  const QRect r = static_cast<QWidget*>(window)->window()->frameGeometry();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace rp
