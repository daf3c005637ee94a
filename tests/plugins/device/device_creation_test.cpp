// Creation of Direct3D and the device: version messages, depth format, presentation
// parameters, creation failures and destruction with the device users.
#include <string>
#include <vector>

#include "device_channel_fixture.h"
#include "hux_dx8_d3d_device_use.h"

namespace {

TEST_F(DeviceChannelTest, CreatesWindowedDeviceWithStencilOnTheEngineWindow) {
  Hux_DX8_DirectGraphicsChannel& device = Create();
  ASSERT_NE(device.GetDirect3dDevice(), nullptr);
  EXPECT_STREQ(device.GetChannelName(), "DX8 DirectGraphicsChannel");
  EXPECT_TRUE(capture.Contains(userInfoMessageType, "DirectX 8.1 or better installed"));
  EXPECT_TRUE(device.GetUseStencilBuffer());
  EXPECT_TRUE(device.GetWindowMode());
  EXPECT_EQ(device.GetPresentWindow(), &window);

  ASSERT_EQ(script.createParameters.size(), 1u);
  const D3DPRESENT_PARAMETERS& p = script.createParameters[0];
  D3DDISPLAYMODE desktop{};
  device.GetDirect3d()->GetAdapterDisplayMode(0, &desktop);
  EXPECT_EQ(p.BackBufferWidth, 0u);
  EXPECT_EQ(p.BackBufferHeight, 0u);
  EXPECT_EQ(p.BackBufferFormat, desktop.Format);
  EXPECT_EQ(p.Windowed, 1);
  EXPECT_EQ(p.SwapEffect, D3DSWAPEFFECT_DISCARD);
  EXPECT_EQ(p.EnableAutoDepthStencil, 1);
  EXPECT_EQ(p.AutoDepthStencilFormat, D3DFMT_D24S8);
  EXPECT_EQ(p.hDeviceWindow, &window);

  D3DCAPS8 caps{};
  device.GetDirect3d()->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps);
  DWORD expectedFlags = (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT)
                            ? D3DCREATE_MIXED_VERTEXPROCESSING
                            : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
  EXPECT_EQ(script.createFlags[0], expectedFlags);
  EXPECT_EQ(device.GetDeviceCaps().DevCaps, caps.DevCaps);
}

TEST_F(DeviceChannelTest, WithoutD24S8TheDepthBufferIsD16WithoutStencil) {
  script.refuseD24S8 = true;
  Hux_DX8_DirectGraphicsChannel& device = Create();
  ASSERT_NE(device.GetDirect3dDevice(), nullptr);
  EXPECT_FALSE(device.GetUseStencilBuffer());
  EXPECT_EQ(script.createParameters.at(0).AutoDepthStencilFormat, D3DFMT_D16);
}

struct VersionCase {
  int version;
  int messageType;
  std::string message;
  bool createsDevice;
};

// The error text for a version older than 8.1.
VersionCase Older(int version, const char* name, bool createsDevice) {
  return {version, errorMessageType,
          std::string("DirectX ") + name +
              " installed\n please install DirectX 8.1 for this application to work correctly",
          createsDevice};
}

class VersionTest : public DeviceChannelTest, public testing::WithParamInterface<VersionCase> {};

TEST_P(VersionTest, ReportsTheVersionAndCreatesFromDirectX8On) {
  const VersionCase& c = GetParam();
  script.version = c.version;
  // No restore attempt from the window while the result is checked.
  window.setFocused(false);
  Hux_DX8_DirectGraphicsChannel& device = Create();
  EXPECT_TRUE(capture.Contains(c.messageType, c.message)) << c.message;
  EXPECT_EQ(device.GetDirect3dDevice() != nullptr, c.createsDevice);
  EXPECT_EQ(script.direct3dCreated, c.createsDevice ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, VersionTest,
    testing::Values(
        VersionCase{0, errorMessageType, "No DirectX installed or error getting direct x version",
                    false},
        Older(0x100, "1", false), Older(0x200, "2", false), Older(0x300, "3", false),
        Older(0x500, "5", false), Older(0x600, "6", false), Older(0x601, "6.1", false),
        Older(0x700, "7", false), Older(0x800, "8", true),
        VersionCase{0x801, userInfoMessageType, "DirectX 8.1 or better installed", true},
        VersionCase{0x900, userInfoMessageType, "Unknown version of DirectX installed.", true}));

TEST_F(DeviceChannelTest, MissingDirect3DFailsCreation) {
  script.failDirect3D = true;
  window.setFocused(false);
  Hux_DX8_DirectGraphicsChannel& device = Create();
  EXPECT_TRUE(capture.Contains(errorMessageType, "ZYL_INIT_ERROR_DDRAWINITERROR!"));
  EXPECT_EQ(device.GetDirect3d(), nullptr);
  EXPECT_EQ(device.GetDirect3dDevice(), nullptr);
}

struct CreateFailureCase {
  HRESULT error;
  const char* first;  // null: no text for this code
};

class CreateFailureTest : public DeviceChannelTest,
                          public testing::WithParamInterface<CreateFailureCase> {};

TEST_P(CreateFailureTest, ReportsTheCodeAndTheTriedSizeAndKeepsDirect3D) {
  script.failCreateDevice = -1;
  script.createDeviceError = GetParam().error;
  window.setFocused(false);
  Hux_DX8_DirectGraphicsChannel& device = Create();
  EXPECT_EQ(device.GetDirect3dDevice(), nullptr);
  EXPECT_NE(device.GetDirect3d(), nullptr);
  std::vector<std::string> expected;
  if (GetParam().first != nullptr) expected.push_back(GetParam().first);
  expected.push_back("ZYL_INIT_ERROR_DDRAWINITERROR");
  expected.push_back("hr :  " + std::to_string(GetParam().error));
  expected.push_back("Tried to create a 3d device and failed");
  expected.push_back("Resolution width that was tried :  0");
  expected.push_back("Resolution height that was tried :  0");
  std::vector<std::string> errors;
  for (const auto& [type, text] : capture.messages) {
    if (type == errorMessageType) errors.push_back(text);
  }
  EXPECT_EQ(errors, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, CreateFailureTest,
    testing::Values(CreateFailureCase{D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL "},
                    CreateFailureCase{D3DERR_NOTAVAILABLE, "D3DERR_NOTAVAILABLE"},
                    CreateFailureCase{D3DERR_OUTOFVIDEOMEMORY, "No video memory"},
                    CreateFailureCase{E_FAIL, nullptr}));

// A device user that records what the device channel tells it.
class RecordingUser : public Hux_DX8_D3DDeviceUse {
 public:
  void InvalidateDeviceObjects() override { calls.push_back("objects"); }
  void InvalidateDirectGraphics() override {
    calls.push_back("graphics");
    Hux_DX8_D3DDeviceUse::InvalidateDirectGraphics();
  }
  std::vector<std::string> calls;
};

TEST_F(DeviceChannelTest, ResetAndDestructionReachTheDeviceUsers) {
  Hux_DX8_DirectGraphicsChannel& device = Create();
  std::unique_ptr<RecordingUser> user(ConstructFor<RecordingUser>(&engine));
  TestChannel stranger;  // not a device user: linked at the wildcard position, never told
  ASSERT_GE(device.SetChild(user.get(), -1, 0), 0);
  ASSERT_GE(device.SetChild(&stranger, -1, 0), 0);

  EXPECT_TRUE(device.ResetDevice());
  EXPECT_EQ(user->calls, std::vector<std::string>({"objects"}));

  channel.reset();
  EXPECT_EQ(user->calls, std::vector<std::string>({"objects", "objects", "graphics"}));
  EXPECT_EQ(script.liveDevices, 0);
  EXPECT_EQ(script.liveDirect3D, 0);
}

TEST_F(DeviceChannelTest, DestructionReportsReferencesLeftOnTheDevice) {
  Hux_DX8_DirectGraphicsChannel& device = Create();
  IDirect3DDevice8* held = device.GetDirect3dDevice();
  ASSERT_NE(held, nullptr);
  held->AddRef();
  channel.reset();
  EXPECT_TRUE(capture.Contains(errorMessageType, "Error d3ddevice still has references!!! :  1"));
  EXPECT_FALSE(capture.Contains(errorMessageType, "Error D3D_ still has references!!! :  1"));
  held->Release();
  EXPECT_EQ(script.liveDevices, 0);
}

}  // namespace
