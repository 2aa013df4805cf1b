// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/DeviceSetup.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace rp {

void DeviceSetup::ShowMessage(std::string_view text, MessageKind kind, std::string_view title) {
  if (dialogs != nullptr) {
    dialogs->ShowMessage(text, kind, title);
  } else {
    ConsoleDialogs console;
    console.ShowMessage(text, kind, title);
  }
}

void DeviceSetup::EndProgram(int status) {
  if (endProgram) {
    endProgram(status);
    return;
  }
  std::fflush(nullptr);
  std::_Exit(status);
}

std::shared_ptr<GraphicsDevice> DeviceSetup::TryMakeDevice(WindowHandle window) {
  try {
    return makeDevice(window, kind_);
  } catch (const std::exception&) {
    return nullptr;
  }
}

bool DeviceSetup::CreateDeviceForWindow(WindowHandle window) {
  if (!makeDevice) return false;
  kind_ = DeviceKind::Hardware;
  device_ = TryMakeDevice(window);
  if (!device_) {
    if (showNotice) {
      showNotice(kNoHardwareMessage);
    } else {
      ShowMessage(kNoHardwareMessage, MessageKind::Information);
    }
    kind_ = DeviceKind::Software;
    device_ = TryMakeDevice(window);
  }
  if (!device_) {
    ShowMessage(kNoDeviceMessage, MessageKind::Error);
    EndProgram(EXIT_FAILURE);
    return false;
  }
  return true;
}

bool DeviceSetup::RemakeDevice(WindowHandle window) {
  if (!makeDevice) return false;
  std::shared_ptr<GraphicsDevice> device = TryMakeDevice(window);
  if (!device) return false;
  device_ = std::move(device);
  return true;
}

bool DeviceSetup::ResizeToWindow() {
  bool reset = false;
  try {
    reset = device_ && device_->ResetBackBuffer();
  } catch (const std::exception&) {
  }
  if (reset) return true;
  ShowMessage(kResetFailedMessage, MessageKind::Error, kResetFailedTitle);
  EndProgram(EXIT_FAILURE);
  return false;
}

}  // namespace rp
