// Recovery and mode changes of the graphics device channel: reset, full-screen switch and
// the automatic restore that device users drive through GetDirect3dDevice.
#include "hux_dx8_direct_graphics_channel.h"
#include "platform/time.h"
#include "platform/window.h"
#include "runtime/engine_interface.h"

namespace {
constexpr uint32_t restoreIntervalMs = 1000;
constexpr int fallbackWidth = 640;
constexpr int fallbackHeight = 400;
constexpr const char* failedToCreateText =
    "Hux_DX8_DirectGraphicsChannel::SetFullScreenDeviceMode: Failed to create new device";
constexpr const char* outOfMemoryText =
    "Hux_DX8_DirectGraphicsChannel::SetFullScreenDeviceMode: Out of video memory";
}  // namespace

D3DPRESENT_PARAMETERS Hux_DX8_DirectGraphicsChannel::ResetParameters(D3DFORMAT desktopFormat,
                                                                     D3DFORMAT depthFormat) {
  D3DPRESENT_PARAMETERS parameters{};
  parameters.BackBufferWidth = static_cast<UINT>(backBufferWidth);
  parameters.BackBufferHeight = static_cast<UINT>(backBufferHeight);
  parameters.Windowed = windowed;
  parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
  parameters.EnableAutoDepthStencil = 1;
  parameters.AutoDepthStencilFormat = depthFormat;
  parameters.hDeviceWindow = deviceWindow;
  if (windowed == 1) {
    parameters.BackBufferFormat = desktopFormat;
  } else {
    parameters.BackBufferFormat = fullScreenMode.Format;
    parameters.FullScreen_RefreshRateInHz = fullScreenMode.RefreshRate;
  }
  return parameters;
}

bool Hux_DX8_DirectGraphicsChannel::ResetDevice() {
  if (device == nullptr || direct3d == nullptr) {
    CreateD3D();
    if (device == nullptr || direct3d == nullptr) return false;
  }
  D3DDISPLAYMODE desktop = DesktopMode();
  D3DFORMAT depthFormat = D3DFMT_D16;
  useStencilBuffer = false;
  if (windowed == 1) {
    depthFormat = ChooseDepthFormat(0, desktop.Format, desktop.Format);
  } else {
    D3DDEVICE_CREATION_PARAMETERS creation{};
    device->GetCreationParameters(&creation);
    depthFormat = ChooseDepthFormat(creation.AdapterOrdinal, fullScreenMode.Format,
                                    fullScreenMode.Format);
  }
  presentParameters = ResetParameters(desktop.Format, depthFormat);
  InvalidateDeviceObjects();
  if (SUCCEEDED(device->Reset(&presentParameters))) return SetDeviceStates();

  // The device is beyond a reset: start again from a new Direct3D object.
  D3DPRESENT_PARAMETERS retry = presentParameters;
  ReleaseDevice();
  ReleaseDirect3D();
  CreateD3D();
  if (device != nullptr && SUCCEEDED(device->Reset(&retry))) {
    presentParameters = retry;
    return SetDeviceStates();
  }
  if (engineInterface != nullptr) engineInterface->errorMessage("Failed to reset device");
  ReleaseDevice();
  ReleaseDirect3D();
  return false;
}

void Hux_DX8_DirectGraphicsChannel::SetFullScreenDeviceMode(D3DDISPLAYMODE mode, int adapter,
                                                            bool allowHardwareVertexProcessing,
                                                            bool fullScreen) {
  if (direct3d == nullptr) {
    CreateD3D();
    if (direct3d == nullptr) return;
  }
  HWND window = EngineWindow();
  if (windowed == 1 && window != nullptr) {
    savedWindowRect = window->windowRect();
    savedWindowStyle = window->style();
  }
  ReleaseDevice();
  windowed = fullScreen ? 0 : 1;
  if (window != nullptr) {
    window->setStyle(windowed == 1 ? savedWindowStyle
                                   : platform::stylePopup | platform::styleVisible |
                                         platform::styleSysMenu);
  }
  fullScreenMode = mode;
  backBufferWidth = static_cast<int32_t>(mode.Width);
  backBufferHeight = static_cast<int32_t>(mode.Height);
  DWORD flags = VertexProcessingFlags(allowHardwareVertexProcessing);
  InvalidateDeviceObjects();

  D3DDISPLAYMODE desktop = DesktopMode();
  useStencilBuffer = false;
  D3DFORMAT depthFormat = windowed == 1
                              ? ChooseDepthFormat(0, desktop.Format, desktop.Format)
                              : ChooseDepthFormat(static_cast<UINT>(adapter), mode.Format,
                                                  mode.Format);
  if (windowed == 1) backBufferWidth = backBufferHeight = 0;
  presentParameters = ResetParameters(desktop.Format, depthFormat);

  HRESULT result = direct3d->CreateDevice(static_cast<UINT>(adapter), deviceType, window, flags,
                                          &presentParameters, &device);
  if (FAILED(result) || device == nullptr) {
    device = nullptr;
    ShowErrorMessage* error = engineInterface ? &engineInterface->errorMessage : nullptr;
    if (error) (*error)(failedToCreateText);
    backBufferWidth = fallbackWidth;
    backBufferHeight = fallbackHeight;
    presentParameters.BackBufferWidth = fallbackWidth;
    presentParameters.BackBufferHeight = fallbackHeight;
    if (FAILED(direct3d->CreateDevice(static_cast<UINT>(adapter), deviceType, window, flags,
                                      &presentParameters, &device))) {
      device = nullptr;
    }
    if (error) (*error)(outOfMemoryText);
  }

  if (windowed == 1 && window != nullptr) {
    if (savedWindowRect.right != 0 && savedWindowRect.bottom != 0) {
      window->setWindowPlacement(savedWindowRect.left, savedWindowRect.top,
                                 savedWindowRect.right - savedWindowRect.left,
                                 savedWindowRect.bottom - savedWindowRect.top);
    } else {
      RECT desktopArea = window->desktopRect();
      window->setWindowPlacement(desktopArea.left, desktopArea.top,
                                 (desktopArea.right - desktopArea.left) / 2,
                                 (desktopArea.bottom - desktopArea.top) / 2);
    }
  }
  SetDeviceStates();
}

void Hux_DX8_DirectGraphicsChannel::CheckDeviceRestore() {
  if (device != nullptr) return;
  if (EngineWindow() != platform::activeWindow()) return;
  uint32_t now = platform::tickCount();
  if (now - lastRestoreAttempt > restoreIntervalMs) {
    lastRestoreAttempt = now;
    ResetDevice();
  }
}
