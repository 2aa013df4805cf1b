#include "scene/D3DUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/RecordingDirectX.h"
#include "scene/D3DInit.h"
#include "scene/D3DMath.h"

namespace rp {
namespace {

class D3DUtilTest : public ::testing::Test {
 protected:
  void SetUp() override {
    D3DInit = D3DDeviceState{};
    D3DUtil = D3DUtilState{};
    device_ = std::make_shared<RecordingDevice>();
    D3DInit.Device = device_;
  }
  void TearDown() override {
    D3DInit = D3DDeviceState{};
    D3DUtil = D3DUtilState{};
  }
  std::shared_ptr<RecordingDevice> device_;
};

// Pixel offset from the viewport centre of a point, through the scene's view
// and projection.
D3DVECTOR ToPixels(const D3DVECTOR& p, float width, float height) {
  const D3DVIEWPORT vp{0, 0, std::uint32_t(width), std::uint32_t(height), 0, 1};
  D3DVECTOR s = D3DXVec3Project(p, vp, D3DUtil.SceneProjectionMatrix, D3DUtil.SceneViewMatrix,
                                D3DXMatrixIdentity());
  return {s.x - width / 2, s.y - height / 2, s.z};
}

TEST_F(D3DUtilTest, SceneDefaultsGiveAnUndistortedProjectionTheLightMaterialAndStates) {
  D3DInit.ClientWidth = 0;
  D3DInit.ClientHeight = 300;
  D3DUtil_ApplySceneDefaults();
  EXPECT_FLOAT_EQ(D3DUtil.AspectRatio, 1.0f);
  D3DInit.ClientWidth = 400;
  D3DUtil_ApplySceneDefaults();
  EXPECT_FLOAT_EQ(D3DUtil.AspectRatio, 0.75f);
  EXPECT_FLOAT_EQ(D3DUtil.FieldOfView, 0.785375f);
  EXPECT_FLOAT_EQ(D3DUtil.NearPlane, 1.0f);
  EXPECT_FLOAT_EQ(D3DUtil.FarPlane, 3000.0f);

  // A unit step right and a unit step up cover the same number of pixels on
  // a 400 x 300 client: circles stay round.
  const D3DVECTOR right = ToPixels({1, 0, 0}, 400, 300), up = ToPixels({0, 1, 0}, 400, 300);
  EXPECT_NEAR(right.x, -up.y, 1e-3);
  EXPECT_GT(right.x, 0);
  // The camera 20 in front of the origin: the vertical field of view spans
  // 2 x 20 x tan(fov / 2) units over the 300 rows.
  EXPECT_NEAR(-up.y, 300 / (2 * 20 * std::tan(0.785375 / 2)), 1e-2);
  // The device got the same matrices.
  const auto& last = *device_->Calls("SetTransform").front();
  EXPECT_EQ(last.args[0], D3DTS_PROJECTION);
  EXPECT_EQ(device_->GetTransform(D3DTS_PROJECTION).m[0][0], D3DUtil.SceneProjectionMatrix.m[0][0]);
  EXPECT_TRUE(D3DXMatrixIsIdentity(device_->GetTransform(D3DTS_WORLD)));

  ASSERT_TRUE(device_->LightEnabled(0));
  const D3DLIGHT& l = *device_->Light(0);
  EXPECT_EQ(l.Type, D3DLIGHT_DIRECTIONAL);
  EXPECT_NEAR(l.Direction.x, -0.57735f, 1e-5);
  EXPECT_NEAR(l.Direction.z, -0.57735f, 1e-5);
  EXPECT_FLOAT_EQ(l.Diffuse.g, 1.0f);
  EXPECT_FLOAT_EQ(l.Ambient.r, 0.1f);
  EXPECT_FLOAT_EQ(l.Specular.r, 0.0f);
  EXPECT_FLOAT_EQ(l.Range, 10000.0f);
  const D3DMATERIAL m = device_->GetMaterial();
  EXPECT_FLOAT_EQ(m.Diffuse.r, 0.5f);
  EXPECT_FLOAT_EQ(m.Ambient.b, 0.2f);
  EXPECT_FLOAT_EQ(m.Power, 10.0f);
  EXPECT_EQ(device_->GetRenderState(D3DRS_AMBIENT), 0x10101010u);
  EXPECT_EQ(device_->GetRenderState(D3DRS_LIGHTING), 1u);
  EXPECT_EQ(device_->GetRenderState(D3DRS_ZENABLE), 1u);
  EXPECT_EQ(device_->GetRenderState(D3DRS_CLIPPING), 1u);
  EXPECT_EQ(device_->GetRenderState(D3DRS_SHADEMODE), std::uint32_t(D3DSHADE_GOURAUD));
}

TEST_F(D3DUtilTest, CameraClearAndPresent) {
  D3DUtil_LookAt({0, 5, -20}, {0, 0, 0}, {0, 1, 0});
  // The eye maps to the origin of view space, the target straight ahead.
  const D3DVECTOR eye = D3DXVec3TransformCoord({0, 5, -20}, device_->GetTransform(D3DTS_VIEW));
  const D3DVECTOR target = D3DXVec3TransformCoord({0, 0, 0}, D3DUtil.SceneViewMatrix);
  EXPECT_NEAR(D3DXVec3Length(eye), 0, 1e-4);
  EXPECT_NEAR(target.x, 0, 1e-4);
  EXPECT_NEAR(target.y, 0, 1e-4);
  EXPECT_NEAR(target.z, std::sqrt(425.0f), 1e-3);

  D3DUtil_ClearView(std::int32_t(0xFF303030u));
  const auto& clear = *device_->Calls("Clear").back();
  EXPECT_EQ(clear.args, (std::vector<std::uint32_t>{3, 0xFF303030u, 0}));
  EXPECT_FLOAT_EQ(clear.values[0], 1.0f);

  device_->presentFails = true;
  int window = 0;
  EXPECT_NO_THROW(D3DUtil_PresentView(&window));
  EXPECT_EQ(device_->Calls("Present").back()->object, &window);

  D3DInit.Device.reset();
  EXPECT_THROW(D3DUtil_ApplySceneDefaults(), DeviceError);
  EXPECT_THROW(D3DUtil_ClearView(0), DeviceError);
  EXPECT_NO_THROW(D3DUtil_PresentView(nullptr));
}

TEST_F(D3DUtilTest, TexturesLoadFromTheMediaFolderOnceUnderTheirName) {
  const auto dir = std::filesystem::temp_directory_path() / "rp_d3dutil_media";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "pic.bmp") << "x";
  D3DUtil_UseMediaFolder(dir.string() + "/");
  EXPECT_EQ(D3DUtil.MediaPath, dir.string() + "/");

  EXPECT_EQ(D3DUtil_LoadTexture(device_.get(), ""), nullptr);
  EXPECT_EQ(D3DUtil_LoadTexture(device_.get(), "missing.bmp"), nullptr);
  EXPECT_EQ(device_->Calls("CreateTextureFromFile").back()->text, dir.string() + "/missing.bmp");
  auto first = D3DUtil_LoadTexture(device_.get(), "pic.bmp");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(D3DUtil_LoadTexture(device_.get(), "pic.bmp"), first);
  EXPECT_EQ(device_->Count("CreateTextureFromFile"), 2u);
  ASSERT_EQ(D3DUtil.TextureCache.size(), 1u);
  // A name that exists as given is read as given.
  const std::string full = (dir / "pic.bmp").string();
  EXPECT_NE(D3DUtil_LoadTexture(device_.get(), full), nullptr);
  EXPECT_EQ(device_->Calls("CreateTextureFromFile").back()->text, full);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace rp
