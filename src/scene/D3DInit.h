#pragma once
// Device set-up: creates the 3D device on the plot window and keeps its back
// buffer matched to the window's client size. When no hardware device can be
// made it falls back to the reference (software) device and says so once;
// when no device at all can be made, or a resize cannot reset the device,
// it tells the user and ends the program.

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/DirectX.h"
#include "platform/GraphicsDevice.h"

namespace rp {

inline constexpr std::string_view kNoHardwareMessage =
    "No hardware support found. Switching to reference rasterizer.";
inline constexpr std::string_view kNoDeviceMessage =
    "No suitable device was found to initialize D3D. Application will now exit.";
inline constexpr std::string_view kResetFailedMessage =
    "Could not reset the Direct3D Device.\r\nThis sample will now exit.";
inline constexpr std::string_view kResetFailedTitle = "Failure";

// May veto a device format: (capabilities, creation flags, format) -> usable.
using D3DVerifyCallback = std::function<bool(const D3DCAPS&, std::uint32_t, D3DFORMAT)>;

struct D3DFormatEntry {
  D3DFORMAT Format;
  std::uint32_t BehaviorFlags;
  bool FullScreen;
  bool Windowed;
};

struct D3DAdapterRecord {
  // Index 0: the hardware device (type 1), index 1: the reference device.
  std::vector<D3DFormatEntry> FormatList[2];
};

struct D3DDeviceState {
  // --- how the program reaches the platform (set before D3DUtil_Init) ---
  // Makes DirectXObject on first use.
  std::function<std::shared_ptr<DirectX>()> CreateDirectX;
  // Where the three messages go; nullptr: one line each on stderr.
  Dialogs* MessageDialogs = nullptr;
  // Ends the program at once with the status; by default without any
  // clean-up (std::_Exit). Tests record the call instead.
  std::function<void(int)> EndProgram;

  // --- the device state ---
  std::shared_ptr<DirectX> DirectXObject;
  std::shared_ptr<Direct3D> Direct3DObject;
  std::shared_ptr<GraphicsDevice> Device;
  std::uint32_t AdapterIndex = 0;
  std::uint32_t AdapterCount = 0;
  D3DVerifyCallback VerifyCallback;
  D3DCAPS DeviceCaps{};
  D3DDEVTYPE DeviceType = D3DDEVTYPE_HAL;
  std::uint32_t BehaviorFlags = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
  WindowHandle DeviceWindow = nullptr;
  D3DPRESENT_PARAMETERS PresentParams{};
  std::int32_t ClientWidth = 0, ClientHeight = 0;
  RECT WindowRect{};
  std::vector<D3DAdapterRecord> AdapterList;
};

// The one device state of the program.
extern D3DDeviceState D3DInit;

// Creates the platform objects, builds the adapter list and the device in
// the window (windowed is always true and mode is not used). False when the
// platform objects or the window cannot be read; a failed device creation
// shows its message and ends the program.
bool D3DUtil_Init(WindowHandle window, bool windowed, std::uint32_t adapter, std::uint32_t mode,
                  D3DDEVTYPE deviceType, const D3DVerifyCallback& callback);

// Lists, per adapter and device type, the display formats usable full-screen
// or in a window, each with the creation flags 32. False on any failure.
bool D3DEnum_BuildAdapterList(const D3DVerifyCallback& callback);

// The creation flags listed for the format, or -1 when it is not listed.
std::int64_t D3DEnum_FindBehaviorFlags(std::uint32_t adapter, D3DDEVTYPE type, D3DFORMAT format);

// Creates the device in the window; see D3DUtil_Init. Failures before the
// device creation throw.
bool D3DUtil_InitInWindow(WindowHandle window, std::uint32_t adapter, D3DDEVTYPE deviceType);

// Resets the device to the window's client size. False (nothing changed)
// when the device is not windowed; a failed reset shows its message and
// ends the program.
bool D3DUtil_ResizeWindowed(WindowHandle window);

}  // namespace rp
