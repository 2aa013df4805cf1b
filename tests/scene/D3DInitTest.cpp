#include "scene/D3DInit.h"

#include <gtest/gtest.h>

#include "platform/RecordingDirectX.h"
#include "scene/D3DUtil.h"
#include "support/ScriptedDialogs.h"

namespace rp {
namespace {

class D3DInitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    D3DInit = D3DDeviceState{};
    D3DUtil = D3DUtilState{};
    D3DInit.CreateDirectX = [this] { return directX_; };
    D3DInit.MessageDialogs = &dialogs_;
    D3DInit.EndProgram = [this](int status) { endStatus_ = status; };
  }
  void TearDown() override { D3DInit = D3DDeviceState{}; }

  bool Init() { return D3DUtil_Init(window_, true, 0, 0, D3DDEVTYPE_HAL, nullptr); }

  std::shared_ptr<RecordingDirectX> directX_ = std::make_shared<RecordingDirectX>();
  ScriptedDialogs dialogs_;
  int endStatus_ = -1;
  int windowObject_ = 0;
  WindowHandle window_ = &windowObject_;
};

TEST_F(D3DInitTest, HardwareDeviceInTheWindowWithThePresentationParameters) {
  ASSERT_TRUE(Init());
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_EQ(endStatus_, -1);
  EXPECT_EQ(D3DInit.DeviceType, D3DDEVTYPE_HAL);
  EXPECT_EQ(D3DInit.Device, directX_->direct3d->lastDevice);
  EXPECT_EQ(D3DInit.BehaviorFlags, 32u);
  EXPECT_EQ(D3DInit.ClientWidth, 606);
  EXPECT_EQ(D3DInit.ClientHeight, 443);
  EXPECT_EQ(D3DInit.WindowRect.right, 714);
  EXPECT_EQ(D3DInit.DeviceWindow, window_);
  const auto& p = D3DInit.PresentParams;
  EXPECT_EQ(p.BackBufferWidth, 0u);
  EXPECT_EQ(p.BackBufferHeight, 0u);
  EXPECT_EQ(p.BackBufferFormat, D3DFMT_X8R8G8B8);  // the desktop's format
  EXPECT_EQ(p.BackBufferCount, 1u);
  EXPECT_EQ(p.MultiSampleType, 0u);
  EXPECT_EQ(p.SwapEffect, D3DSWAPEFFECT_DISCARD);
  EXPECT_EQ(p.hDeviceWindow, window_);
  EXPECT_EQ(p.Windowed, 1u);
  EXPECT_EQ(p.EnableAutoDepthStencil, 1u);
  EXPECT_EQ(p.AutoDepthStencilFormat, D3DFMT_D16);
  EXPECT_EQ(D3DInit.DeviceCaps.DeviceType, D3DDEVTYPE_HAL);

  // One adapter plus a spare record; each format once, in mode order.
  EXPECT_EQ(D3DInit.AdapterCount, 1u);
  ASSERT_EQ(D3DInit.AdapterList.size(), 2u);
  const auto& hal = D3DInit.AdapterList[0].FormatList[0];
  ASSERT_EQ(hal.size(), 2u);
  EXPECT_EQ(hal[0].Format, D3DFMT_R5G6B5);
  EXPECT_EQ(hal[1].Format, D3DFMT_X8R8G8B8);
  EXPECT_EQ(hal[1].BehaviorFlags, 32u);
  EXPECT_TRUE(hal[1].Windowed);
  EXPECT_EQ(D3DEnum_FindBehaviorFlags(0, D3DDEVTYPE_HAL, D3DFMT_A8R8G8B8), -1);
  ASSERT_EQ(directX_->direct3d->createRequests.size(), 1u);
}

TEST_F(D3DInitTest, WithoutHardwareTheReferenceDeviceIsUsedAfterOneInformationMessage) {
  directX_->direct3d->hardwareAvailable = false;
  ASSERT_TRUE(Init());
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].text, "No hardware support found. Switching to reference rasterizer.");
  EXPECT_EQ(dialogs_.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(dialogs_.messages[0].title, kAppTitle);
  EXPECT_EQ(D3DInit.DeviceType, D3DDEVTYPE_REF);
  ASSERT_TRUE(D3DInit.Device);
  const auto& requests = directX_->direct3d->createRequests;
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].first, D3DDEVTYPE_HAL);
  EXPECT_EQ(requests[1].first, D3DDEVTYPE_REF);
  EXPECT_EQ(requests[1].second, 32u);
  EXPECT_TRUE(D3DInit.AdapterList[0].FormatList[0].empty());
  EXPECT_EQ(D3DEnum_FindBehaviorFlags(0, D3DDEVTYPE_REF, D3DFMT_X8R8G8B8), 32);
  EXPECT_EQ(endStatus_, -1);
}

TEST_F(D3DInitTest, NoDeviceAtAllEndsTheProgramAfterTheErrorMessage) {
  directX_->direct3d->hardwareAvailable = false;
  directX_->direct3d->softwareAvailable = false;
  EXPECT_FALSE(Init());
  ASSERT_EQ(dialogs_.messages.size(), 2u);
  EXPECT_EQ(dialogs_.messages[1].text,
            "No suitable device was found to initialize D3D. Application will now exit.");
  EXPECT_EQ(dialogs_.messages[1].kind, MessageKind::Error);
  EXPECT_NE(endStatus_, -1);
  EXPECT_NE(endStatus_, 0);
  EXPECT_FALSE(D3DInit.Device);
}

TEST_F(D3DInitTest, FailuresBeforeTheDeviceReturnFalseSilently) {
  D3DInit.CreateDirectX = nullptr;
  EXPECT_FALSE(Init());
  D3DInit.CreateDirectX = [this] { return directX_; };
  directX_->available = false;
  EXPECT_FALSE(Init());
  directX_->available = true;
  directX_->windowGone = true;
  EXPECT_FALSE(Init());
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_EQ(endStatus_, -1);
  EXPECT_TRUE(directX_->direct3d->createRequests.empty());
}

TEST_F(D3DInitTest, ResizeResetsTheBackBufferToTheClientSizeOrEndsTheProgram) {
  ASSERT_TRUE(Init());
  auto device = directX_->direct3d->lastDevice;
  directX_->direct3d->clientWidth = 300;
  directX_->direct3d->clientHeight = 200;
  ASSERT_TRUE(D3DUtil_ResizeWindowed(window_));
  EXPECT_EQ(D3DInit.ClientWidth, 300);
  EXPECT_EQ(D3DInit.ClientHeight, 200);
  ASSERT_EQ(device->Count("Reset"), 1u);
  EXPECT_EQ(device->LastResetParams().BackBufferWidth, 0u);
  EXPECT_EQ(device->LastResetParams().Windowed, 1u);
  EXPECT_EQ(device->LastResetParams().AutoDepthStencilFormat, D3DFMT_D16);

  device->resetSucceeds = false;
  EXPECT_FALSE(D3DUtil_ResizeWindowed(window_));
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].text,
            "Could not reset the Direct3D Device.\r\nThis sample will now exit.");
  EXPECT_EQ(dialogs_.messages[0].title, "Failure");
  EXPECT_EQ(dialogs_.messages[0].kind, MessageKind::Error);
  EXPECT_NE(endStatus_, -1);

  // A device that is not windowed is left alone.
  D3DInit.PresentParams.Windowed = 0;
  endStatus_ = -1;
  EXPECT_FALSE(D3DUtil_ResizeWindowed(window_));
  EXPECT_EQ(device->Count("Reset"), 2u);
  EXPECT_EQ(endStatus_, -1);
}

}  // namespace
}  // namespace rp
