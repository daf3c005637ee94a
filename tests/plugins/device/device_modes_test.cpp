// Behaviour without a device, back-buffer growth, the full-screen switch and the
// automatic restore.
#include <cmath>

#include "device_channel_fixture.h"
#include "platform/time.h"

namespace {

bool IsIdentity(const D3DXMATRIX& m) { return D3DXMatrixIsIdentity(&m); }

TEST_F(DeviceChannelTest, WithoutADeviceEveryOperationFallsBack) {
  script.failCreateDevice = -1;
  window.setFocused(false);  // keeps the automatic restore away
  Hux_DX8_DirectGraphicsChannel& device = Create();
  ASSERT_EQ(device.GetDirect3dDevice(), nullptr);

  EXPECT_TRUE(IsIdentity(device.GetProjectionMatrix()));
  EXPECT_TRUE(IsIdentity(device.GetCameraMatrix()));
  EXPECT_TRUE(IsIdentity(device.GetWorldMatrix()));
  D3DVIEWPORT8 viewport = device.GetViewPort();
  EXPECT_EQ(viewport.Width + viewport.Height + viewport.X + viewport.Y, 0u);
  EXPECT_EQ(viewport.MinZ, 0.0f);
  EXPECT_EQ(viewport.MaxZ, 0.0f);
  RECT rect = device.GetViewPortRect();
  EXPECT_EQ(rect.left | rect.top | rect.right | rect.bottom, 0);

  D3DXVECTOR3 v(1.5f, -2.0f, 30.0f);
  device.SetDestinationCoords(4, 9);
  for (D3DXVECTOR3 converted :
       {device.GetScreenCoordsFromVector(v), device.GetScreenPresentCoordsFromVector(v),
        device.TransformPositionTo3DSpace(v)}) {
    EXPECT_EQ(converted.x, v.x);
    EXPECT_EQ(converted.y, v.y);
    EXPECT_EQ(converted.z, v.z);
  }
  D3DXMATRIX untouched;
  D3DXMatrixTranslation(&untouched, 1, 2, 3);
  D3DXMATRIX scaling = untouched;
  device.GetViewPortScalingMatrix(scaling);
  EXPECT_EQ(scaling, untouched);

  EXPECT_FALSE(device.SetDeviceStates());
  device.SetRenderState(D3DRS_LIGHTING, 0);
  device.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  D3DXMATRIX projection = untouched;
  device.SetProjectionMatrix(projection);
  device.SetProjectionMatrix(1.0f, 10.0f, 2.0f, 3.0f);
  ProjectionInfo info = device.GetProjectionInformation();
  EXPECT_EQ(info.zoom, 1.0f);  // untouched: no device, no projection
  EXPECT_EQ(script.setRenderStateCalls + script.setTextureStageStateCalls, 0);
}

TEST_F(DeviceChannelTest, BackBufferSizeOnlyGrows) {
  struct Step {
    int width, height;
    int expectedWidth, expectedHeight;
    bool resets;
  };
  const Step steps[] = {
      {100, 50, 100, 50, true},   {80, 40, 100, 50, false},
      {100, 50, 100, 50, false},  {100, 60, 100, 60, true},
      {120, 10, 120, 60, true},   {0, 0, 120, 60, false},
  };
  Hux_DX8_DirectGraphicsChannel& device = Create();
  for (const Step& step : steps) {
    int resetsBefore = script.resetCalls;
    device.SetBackBufferSize(step.width, step.height);
    EXPECT_EQ(device.GetBackBufferWidth(), step.expectedWidth) << step.width << "x" << step.height;
    EXPECT_EQ(device.GetBackBufferHeight(), step.expectedHeight);
    EXPECT_EQ(script.resetCalls - resetsBefore, step.resets ? 1 : 0);
    if (step.resets) {
      EXPECT_EQ(script.resetParameters.back().BackBufferWidth, UINT(step.expectedWidth));
      EXPECT_EQ(script.resetParameters.back().BackBufferHeight, UINT(step.expectedHeight));
    }
  }
  EXPECT_NE(device.GetDirect3dDevice(), nullptr);
}

TEST_F(DeviceChannelTest, WindowModeAndDeviceWindowResetAtOnce) {
  Hux_DX8_DirectGraphicsChannel& device = Create();
  platform::HeadlessWindow other(64, 32);
  device.SetWindowHandle(&other);
  ASSERT_EQ(script.resetCalls, 1);
  EXPECT_EQ(script.resetParameters.back().hDeviceWindow, &other);
  EXPECT_EQ(script.resetParameters.back().Windowed, 1);
  device.SetWindowHandle(&window);
  device.SetWindowMode(true);
  EXPECT_EQ(script.resetCalls, 3);
  EXPECT_TRUE(device.GetWindowMode());
}

TEST_F(DeviceChannelTest, FailedResetRecreatesOrReportsAndDropsTheDevice) {
  Hux_DX8_DirectGraphicsChannel& device = Create();
  script.failReset = 1;  // the retry on a new device succeeds
  EXPECT_TRUE(device.ResetDevice());
  EXPECT_EQ(script.direct3dCreated, 2);
  EXPECT_FALSE(capture.Contains(errorMessageType, "Failed to reset device"));

  script.failReset = -1;
  window.setFocused(false);
  EXPECT_FALSE(device.ResetDevice());
  EXPECT_TRUE(capture.Contains(errorMessageType, "Failed to reset device"));
  EXPECT_EQ(device.GetDirect3dDevice(), nullptr);
  EXPECT_EQ(device.GetDirect3d(), nullptr);
  EXPECT_EQ(script.liveDevices, 0);
  EXPECT_EQ(script.liveDirect3D, 0);
}

struct FullScreenFailure {
  int failures;  // creations that fail after the switch starts
  bool deviceAfter;
};

class FullScreenFailureTest : public DeviceChannelTest,
                              public testing::WithParamInterface<FullScreenFailure> {};

TEST_P(FullScreenFailureTest, LeavesSixHundredFortyByFourHundred) {
  Hux_DX8_DirectGraphicsChannel& device = Create();
  script.failCreateDevice = GetParam().failures;
  window.setFocused(false);
  D3DDISPLAYMODE mode{800, 600, 60, D3DFMT_X8R8G8B8};
  device.SetFullScreenDeviceMode(mode, 0, true, true);
  EXPECT_EQ(device.GetBackBufferWidth(), 640);
  EXPECT_EQ(device.GetBackBufferHeight(), 400);
  EXPECT_EQ(device.GetDirect3dDevice() != nullptr, GetParam().deviceAfter);
  EXPECT_TRUE(capture.Contains(
      errorMessageType,
      "Hux_DX8_DirectGraphicsChannel::SetFullScreenDeviceMode: Failed to create new device"));
  EXPECT_TRUE(capture.Contains(
      errorMessageType,
      "Hux_DX8_DirectGraphicsChannel::SetFullScreenDeviceMode: Out of video memory"));
  ASSERT_EQ(script.createParameters.size(), 3u);
  EXPECT_EQ(script.createParameters[1].BackBufferWidth, 800u);
  EXPECT_EQ(script.createParameters[2].BackBufferWidth, 640u);
  EXPECT_EQ(script.createParameters[2].BackBufferHeight, 400u);
  EXPECT_EQ(script.createParameters[2].Windowed, 0);
  EXPECT_EQ(script.createParameters[2].FullScreen_RefreshRateInHz, 60u);
  EXPECT_FALSE(device.GetWindowMode());
}

INSTANTIATE_TEST_SUITE_P(Retry, FullScreenFailureTest,
                         testing::Values(FullScreenFailure{1, true}, FullScreenFailure{-1, false}));

TEST_F(DeviceChannelTest, FullScreenAndBackRestoresTheWindow) {
  Hux_DX8_DirectGraphicsChannel& device = Create();
  window.setWindowPlacement(30, 20, 200, 150);
  const RECT before = window.windowRect();
  const int32_t styleBefore = window.style();
  D3DDISPLAYMODE mode{800, 600, 75, D3DFMT_X8R8G8B8};
  device.SetFullScreenDeviceMode(mode, 0, false, true);
  ASSERT_NE(device.GetDirect3dDevice(), nullptr);
  EXPECT_EQ(window.style(), platform::stylePopup | platform::styleVisible | platform::styleSysMenu);
  EXPECT_EQ(script.createFlags.back(), D3DCREATE_SOFTWARE_VERTEXPROCESSING);
  EXPECT_EQ(device.GetBackBufferWidth(), 800);

  device.SetFullScreenDeviceMode(mode, 0, true, false);
  ASSERT_NE(device.GetDirect3dDevice(), nullptr);
  EXPECT_TRUE(device.GetWindowMode());
  EXPECT_EQ(window.style(), styleBefore);
  RECT after = window.windowRect();
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
  EXPECT_EQ(device.GetBackBufferWidth(), 0);
  EXPECT_EQ(script.createParameters.back().BackBufferWidth, 0u);
}

// The fixed-step clock makes the restore interval exact; real time comes back afterwards.
class RestoreTest : public DeviceChannelTest {
 protected:
  RestoreTest() { platform::useFixedStepClock(10); }  // 100 ms per step
  ~RestoreTest() override { platform::useFixedStepClock(0); }
  static void Advance(int steps) {
    for (int i = 0; i < steps; ++i) platform::advanceClockStep();
  }
};

TEST_F(RestoreTest, RetriesAtMostOncePerSecondWhileTheWindowIsActive) {
  script.failCreateDevice = -1;
  Advance(11);
  Hux_DX8_DirectGraphicsChannel& device = Create();
  const int afterConstruction = script.createDeviceCalls;

  window.setFocused(false);
  Advance(11);
  EXPECT_EQ(device.GetDirect3dDevice(), nullptr);
  EXPECT_EQ(script.createDeviceCalls, afterConstruction);  // inactive window: no attempt

  window.setFocused(true);
  EXPECT_EQ(device.GetDirect3dDevice(), nullptr);
  EXPECT_EQ(script.createDeviceCalls, afterConstruction + 1);
  Advance(10);  // exactly 1000 ms: not more than the interval
  EXPECT_EQ(device.GetDirect3dDevice(), nullptr);
  EXPECT_EQ(script.createDeviceCalls, afterConstruction + 1);

  script.failCreateDevice = 0;
  Advance(1);
  EXPECT_NE(device.GetDirect3dDevice(), nullptr);
  EXPECT_EQ(script.createDeviceCalls, afterConstruction + 2);
}

}  // namespace
