// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Device set-up: makes the 3D device on the plot window and keeps its back
// buffer matched to the window. When no hardware device can be made it
// falls back to the software renderer and says so once; when no device at
// all can be made, or a resize cannot reset the device, it tells the user
// and ends the program.

#include <functional>
#include <memory>
#include <string_view>

#include "base/Dialogs.h"
#include "base/TranslatableText.h"
#include "scene/GraphicsDevice.h"

namespace rp {

inline constexpr std::string_view kNoHardwareMessage =
    QT_TRANSLATE_NOOP("returnplot", "No hardware support found. Switching to reference rasterizer.");
inline constexpr std::string_view kNoDeviceMessage =
    "No suitable device was found to initialize D3D. Application will now exit.";
inline constexpr std::string_view kResetFailedMessage =
    "Could not reset the Direct3D Device.\r\nThis sample will now exit.";
inline constexpr std::string_view kResetFailedTitle = "Failure";

// Makes a device of the kind on the window; nullptr (or an exception) when
// it cannot.
using DeviceMaker = std::function<std::shared_ptr<GraphicsDevice>(WindowHandle, DeviceKind)>;

class DeviceSetup {
 public:
  // --- how the set-up reaches the platform (set before CreateDeviceForWindow) ---
  DeviceMaker makeDevice;
  // Where the messages go; nullptr: one line each on stderr.
  Dialogs* dialogs = nullptr;
  // Where the note of the software renderer goes when set (a line in the
  // window rather than a box to dismiss at every start); else to `dialogs`.
  std::function<void(std::string_view)> showNotice;
  // Ends the program at once with the status; by default without any
  // clean-up (std::_Exit). Tests record the call instead.
  std::function<void(int)> endProgram;

  // A hardware device on the window, else a software one. False without a
  // way to make devices; when neither kind can be made, the user is told and
  // the program ends (false if it goes on).
  bool CreateDeviceForWindow(WindowHandle window);

  // A new device of the same kind on the window, after the old one was lost,
  // without a word; false (the old device kept) when none can be made.
  bool RemakeDevice(WindowHandle window);

  // Resets the back buffer to the window's client size. A failed reset
  // tells the user and ends the program (false if it goes on).
  bool ResizeToWindow();

  const std::shared_ptr<GraphicsDevice>& Device() const { return device_; }
  DeviceKind Kind() const { return kind_; }

 private:
  void ShowMessage(std::string_view text, MessageKind kind, std::string_view title = kAppTitle);
  void EndProgram(int status);
  std::shared_ptr<GraphicsDevice> TryMakeDevice(WindowHandle window);

  std::shared_ptr<GraphicsDevice> device_;
  DeviceKind kind_ = DeviceKind::Hardware;
};

}  // namespace rp
