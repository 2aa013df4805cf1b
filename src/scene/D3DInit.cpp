#include "scene/D3DInit.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "scene/D3DMath.h"
#include "scene/D3DUtil.h"

namespace rp {

D3DDeviceState D3DInit;

namespace {

void ShowMessage(std::string_view text, MessageKind kind, std::string_view title = kAppTitle) {
  if (D3DInit.MessageDialogs != nullptr) {
    D3DInit.MessageDialogs->ShowMessage(text, kind, title);
  } else {
    ConsoleDialogs console;
    console.ShowMessage(text, kind, title);
  }
}

void EndProgram(int status) {
  if (D3DInit.EndProgram) {
    D3DInit.EndProgram(status);
    return;
  }
  std::fflush(nullptr);
  std::_Exit(status);
}

void EnsurePlatformObjects() {
  if (!D3DInit.DirectXObject) {
    if (!D3DInit.CreateDirectX) throw DeviceError("no 3D interface");
    D3DInit.DirectXObject = D3DInit.CreateDirectX();
    if (!D3DInit.DirectXObject) throw DeviceError("the 3D interface is not available");
  }
  if (!D3DInit.Direct3DObject) {
    D3DInit.Direct3DObject = D3DInit.DirectXObject->Direct3DCreate();
    if (!D3DInit.Direct3DObject) throw DeviceError("no Direct3D object");
  }
}

void ReadWindowGeometry(WindowHandle window) {
  const RECT client = D3DInit.DirectXObject->GetClientRect(window);
  D3DInit.ClientWidth = client.right - client.left;
  D3DInit.ClientHeight = client.bottom - client.top;
  D3DInit.WindowRect = D3DInit.DirectXObject->GetWindowRect(window);
}

std::shared_ptr<GraphicsDevice> TryCreateDevice(WindowHandle window) {
  try {
    return D3DInit.Direct3DObject->CreateDevice(D3DInit.AdapterIndex, D3DInit.DeviceType, window,
                                                D3DInit.BehaviorFlags, D3DInit.PresentParams);
  } catch (const std::exception&) {
    return nullptr;
  }
}

void BuildFormatList(std::uint32_t adapter, D3DDEVTYPE type, std::vector<D3DFormatEntry>& list) {
  Direct3D& d3d = *D3DInit.Direct3DObject;
  const std::uint32_t modes = d3d.GetAdapterModeCount(adapter);
  for (std::uint32_t m = 0; m < modes; ++m) {
    const D3DFORMAT format = d3d.EnumAdapterModes(adapter, m).Format;
    bool listed = false;
    for (const auto& e : list) listed = listed || e.Format == format;
    if (listed) continue;
    const bool fullScreen = d3d.CheckDeviceType(adapter, type, format, format, false);
    const bool windowed = d3d.CheckDeviceType(adapter, type, format, format, true);
    if (!fullScreen && !windowed) continue;
    const std::uint32_t flags = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    if (D3DInit.VerifyCallback && !D3DInit.VerifyCallback(d3d.GetDeviceCaps(adapter, type), flags, format))
      continue;
    list.push_back({format, flags, fullScreen, windowed});
  }
}

}  // namespace

bool D3DUtil_Init(WindowHandle window, bool, std::uint32_t adapter, std::uint32_t,
                  D3DDEVTYPE deviceType, const D3DVerifyCallback& callback) {
  try {
    if (!D3DInit.DirectXObject) {
      if (!D3DInit.CreateDirectX) return false;
      D3DInit.DirectXObject = D3DInit.CreateDirectX();
      if (!D3DInit.DirectXObject) return false;
    }
    D3DInit.Direct3DObject = D3DInit.DirectXObject->Direct3DCreate();
    if (!D3DInit.Direct3DObject) return false;
    (void)D3DEnum_BuildAdapterList(callback);
    return D3DUtil_InitInWindow(window, adapter, deviceType);
  } catch (const std::exception&) {
    return false;
  }
}

bool D3DEnum_BuildAdapterList(const D3DVerifyCallback& callback) {
  try {
    D3DInit.VerifyCallback = nullptr;
    D3DInit.AdapterList.clear();
    EnsurePlatformObjects();
    D3DInit.VerifyCallback = callback;
    D3DInit.AdapterCount = D3DInit.Direct3DObject->GetAdapterCount();
    D3DInit.AdapterList.resize(D3DInit.AdapterCount + 1);
    for (std::uint32_t i = 0; i < D3DInit.AdapterCount; ++i) {
      BuildFormatList(i, D3DDEVTYPE_HAL, D3DInit.AdapterList[i].FormatList[0]);
      BuildFormatList(i, D3DDEVTYPE_REF, D3DInit.AdapterList[i].FormatList[1]);
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

std::int64_t D3DEnum_FindBehaviorFlags(std::uint32_t adapter, D3DDEVTYPE type, D3DFORMAT format) {
  if (adapter >= D3DInit.AdapterList.size() || (type != D3DDEVTYPE_HAL && type != D3DDEVTYPE_REF))
    return -1;
  for (const auto& e : D3DInit.AdapterList[adapter].FormatList[type - 1])
    if (e.Format == format) return e.BehaviorFlags;
  return -1;
}

bool D3DUtil_InitInWindow(WindowHandle window, std::uint32_t adapter, D3DDEVTYPE deviceType) {
  EnsurePlatformObjects();
  D3DInit.AdapterIndex = adapter;
  D3DInit.PresentParams.BackBufferCount = 1;
  D3DInit.PresentParams.EnableAutoDepthStencil = 1;
  D3DInit.PresentParams.AutoDepthStencilFormat = D3DFMT_D16;
  D3DInit.PresentParams.hDeviceWindow = window;
  D3DInit.DeviceWindow = window;
  ReadWindowGeometry(window);

  const D3DDISPLAYMODE mode = D3DInit.Direct3DObject->GetAdapterDisplayMode(adapter);
  const std::int64_t flags = D3DEnum_FindBehaviorFlags(adapter, deviceType, mode.Format);
  D3DInit.BehaviorFlags = flags < 1 ? D3DCREATE_SOFTWARE_VERTEXPROCESSING : std::uint32_t(flags);
  D3DInit.PresentParams.BackBufferFormat = mode.Format;
  D3DInit.PresentParams.BackBufferWidth = 0;
  D3DInit.PresentParams.BackBufferHeight = 0;
  D3DInit.PresentParams.Windowed = 1;
  D3DInit.PresentParams.SwapEffect = D3DSWAPEFFECT_DISCARD;
  D3DInit.DeviceType = deviceType;

  D3DInit.Device = TryCreateDevice(window);
  if (!D3DInit.Device && D3DInit.DeviceType == D3DDEVTYPE_HAL) {
    ShowMessage(kNoHardwareMessage, MessageKind::Information);
    D3DInit.DeviceType = D3DDEVTYPE_REF;
    D3DInit.Device = TryCreateDevice(window);
  }
  if (!D3DInit.Device) {
    ShowMessage(kNoDeviceMessage, MessageKind::Error);
    EndProgram(EXIT_FAILURE);
    return false;
  }
  try {
    D3DInit.DeviceCaps = D3DInit.Device->GetDeviceCaps();
  } catch (const std::exception&) {
    // Capabilities are informative only.
  }
  D3DUtil.SceneWorldMatrix = D3DXMatrixIdentity();
  return true;
}

bool D3DUtil_ResizeWindowed(WindowHandle window) {
  D3DPRESENT_PARAMETERS params = D3DInit.PresentParams;
  if (params.Windowed == 0) return false;
  try {
    D3DInit.DeviceWindow = window;
    if (!D3DInit.DirectXObject) throw DeviceError("no 3D interface");
    ReadWindowGeometry(window);
    params.BackBufferWidth = 0;
    params.BackBufferHeight = 0;
    params.hDeviceWindow = window;
    params.Windowed = 1;
    if (!D3DInit.Device || !D3DInit.Device->Reset(params)) throw DeviceError("reset failed");
    D3DInit.PresentParams = params;
    return true;
  } catch (const std::exception&) {
    ShowMessage(kResetFailedMessage, MessageKind::Error, kResetFailedTitle);
    EndProgram(EXIT_FAILURE);
    return false;
  }
}

}  // namespace rp
