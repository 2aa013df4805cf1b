// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot/DeviceSetup.h"
#include "support/RecordingDevice.h"
#include "support/ScriptedDialogs.h"

namespace rp {
namespace {

// A platform whose hardware and software devices can each be switched off.
class DeviceSetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setup_.makeDevice = [this](WindowHandle window, DeviceKind kind) -> std::shared_ptr<GraphicsDevice> {
      requests_.push_back(kind);
      windows_.push_back(window);
      if (!(kind == DeviceKind::Hardware ? hardware_ : software_)) return nullptr;
      device_ = std::make_shared<RecordingDevice>();
      return device_;
    };
    setup_.dialogs = &dialogs_;
    setup_.endProgram = [this](int status) { endStatus_ = status; };
  }

  DeviceSetup setup_;
  ScriptedDialogs dialogs_;
  bool hardware_ = true, software_ = true;
  std::vector<DeviceKind> requests_;
  std::vector<WindowHandle> windows_;
  std::shared_ptr<RecordingDevice> device_;
  int endStatus_ = -1;
  int windowObject_ = 0;
  WindowHandle window_ = &windowObject_;
};

TEST_F(DeviceSetupTest, HardwareDeviceInTheWindow) {
  ASSERT_TRUE(setup_.CreateDeviceForWindow(window_));
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_EQ(endStatus_, -1);
  EXPECT_EQ(setup_.Kind(), DeviceKind::Hardware);
  EXPECT_EQ(setup_.Device(), device_);
  EXPECT_EQ(requests_, std::vector<DeviceKind>{DeviceKind::Hardware});
  EXPECT_EQ(windows_, std::vector<WindowHandle>{window_});
}

TEST_F(DeviceSetupTest, WithoutHardwareTheSoftwareDeviceIsUsedAfterOneInformationMessage) {
  hardware_ = false;
  ASSERT_TRUE(setup_.CreateDeviceForWindow(window_));
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].text, "No hardware support found. Switching to reference rasterizer.");
  EXPECT_EQ(dialogs_.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(dialogs_.messages[0].title, kAppTitle);
  EXPECT_EQ(setup_.Kind(), DeviceKind::Software);
  ASSERT_TRUE(setup_.Device());
  EXPECT_EQ(requests_, (std::vector<DeviceKind>{DeviceKind::Hardware, DeviceKind::Software}));
  EXPECT_EQ(endStatus_, -1);
}

TEST_F(DeviceSetupTest, TheSoftwareRendererNoteGoesToTheWindowsLineWhenItHasOne) {
  hardware_ = false;
  std::vector<std::string> notes;
  setup_.showNotice = [&notes](std::string_view text) { notes.emplace_back(text); };
  ASSERT_TRUE(setup_.CreateDeviceForWindow(window_));
  EXPECT_TRUE(dialogs_.messages.empty()) << "no box to dismiss";
  EXPECT_EQ(notes, std::vector<std::string>{std::string(kNoHardwareMessage)});
  EXPECT_EQ(setup_.Kind(), DeviceKind::Software);
}

TEST_F(DeviceSetupTest, NoDeviceAtAllEndsTheProgramAfterTheErrorMessage) {
  hardware_ = false;
  software_ = false;
  EXPECT_FALSE(setup_.CreateDeviceForWindow(window_));
  ASSERT_EQ(dialogs_.messages.size(), 2u);
  EXPECT_EQ(dialogs_.messages[1].text, "No suitable device was found to initialize D3D. Application will now exit.");
  EXPECT_EQ(dialogs_.messages[1].kind, MessageKind::Error);
  EXPECT_NE(endStatus_, -1);
  EXPECT_NE(endStatus_, 0);
  EXPECT_FALSE(setup_.Device());
}

TEST_F(DeviceSetupTest, AFailingMakerCountsAsNoDeviceAndNoMakerFailsSilently) {
  setup_.makeDevice = [](WindowHandle, DeviceKind) -> std::shared_ptr<GraphicsDevice> {
    throw DeviceError("no context");
  };
  EXPECT_FALSE(setup_.CreateDeviceForWindow(window_));
  EXPECT_EQ(dialogs_.messages.size(), 2u);
  EXPECT_NE(endStatus_, -1);

  DeviceSetup bare;
  bare.endProgram = [](int) { FAIL() << "nothing to end for"; };
  EXPECT_FALSE(bare.CreateDeviceForWindow(window_));
}

TEST_F(DeviceSetupTest, ResizeResetsTheBackBufferOrEndsTheProgram) {
  ASSERT_TRUE(setup_.CreateDeviceForWindow(window_));
  ASSERT_TRUE(setup_.ResizeToWindow());
  EXPECT_EQ(device_->Count("ResetBackBuffer"), 1u);
  EXPECT_EQ(endStatus_, -1);

  device_->resetSucceeds = false;
  EXPECT_FALSE(setup_.ResizeToWindow());
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].text, "Could not reset the Direct3D Device.\r\nThis sample will now exit.");
  EXPECT_EQ(dialogs_.messages[0].title, "Failure");
  EXPECT_EQ(dialogs_.messages[0].kind, MessageKind::Error);
  EXPECT_NE(endStatus_, -1);
}

}  // namespace
}  // namespace rp
