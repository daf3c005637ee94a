// Construction, creation of Direct3D and the device, destruction with the device users,
// and the stored settings of the graphics device channel.
#include <string>

#include "device_system.h"
#include "hux_dx8_d3d_device_use.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "runtime/engine_interface.h"

namespace {

// Versions older than 8.1 by their codes; 8.0 is reported but creation goes on.
struct OldVersion {
  int code;
  const char* name;
};
constexpr OldVersion oldVersions[] = {{0x100, "1"}, {0x200, "2"}, {0x300, "3"},
                                      {0x500, "5"}, {0x600, "6"}, {0x601, "6.1"},
                                      {0x700, "7"}, {0x800, "8"}};

const OldVersion* FindOldVersion(int code) {
  for (const OldVersion& version : oldVersions) {
    if (version.code == code) return &version;
  }
  return nullptr;
}

}  // namespace

Hux_DX8_DirectGraphicsChannel::Hux_DX8_DirectGraphicsChannel() {
  SetChannelName("DX8 DirectGraphicsChannel");
  SetChildCreationCount(1);
  ChildCreation textures;
  CopyTextField(textures.linkName, "Textures");
  textures.requestLink = -1;
  textures.createChild = 0;
  textures.declaredLinks = 1;
  SetChildCreateType(textures, 0);
  CreateD3D();
  presentWindow = EngineWindow();
}

Hux_DX8_DirectGraphicsChannel::~Hux_DX8_DirectGraphicsChannel() {
  for (int i = 0; i < GetChildCount(); ++i) {
    // Anything may be linked at the wildcard position; only device users are told.
    if (auto* user = dynamic_cast<Hux_DX8_D3DDeviceUse*>(GetChild(i))) {
      user->InvalidateDeviceObjects();
      user->InvalidateDirectGraphics();
    }
  }
  if (device != nullptr) {
    ULONG left = device->Release();
    device = nullptr;
    if (left > 0 && engineInterface != nullptr) {
      engineInterface->errorMessage("Error d3ddevice still has references!!! : ",
                                    static_cast<int>(left));
    }
  }
  if (direct3d != nullptr) {
    ULONG left = direct3d->Release();
    direct3d = nullptr;
    if (left > 0 && engineInterface != nullptr) {
      engineInterface->errorMessage("Error D3D_ still has references!!! : ",
                                    static_cast<int>(left));
    }
  }
}

HWND Hux_DX8_DirectGraphicsChannel::EngineWindow() {
  return engineInterface != nullptr ? engineInterface->GetWindowHandle() : nullptr;
}

void Hux_DX8_DirectGraphicsChannel::ReleaseDevice() {
  if (device != nullptr) device->Release();
  device = nullptr;
}

void Hux_DX8_DirectGraphicsChannel::ReleaseDirect3D() {
  if (direct3d != nullptr) direct3d->Release();
  direct3d = nullptr;
}

bool Hux_DX8_DirectGraphicsChannel::CreateD3D() {
  if (engineInterface == nullptr) return false;
  ShowErrorMessage& error = engineInterface->errorMessage;
  deviceWindow = EngineWindow();
  int version = CurrentDeviceSystem().GetDirectXVersion();
  if (version == 0) {
    error("No DirectX installed or error getting direct x version");
    return false;
  }
  if (const OldVersion* old = FindOldVersion(version)) {
    std::string text = std::string("DirectX ") + old->name +
                       " installed\n please install DirectX 8.1 for this application to work "
                       "correctly";
    error(text.c_str());
    if (version != 0x800) return false;
  } else if (version == 0x801) {
    engineInterface->userInfoMessage("DirectX 8.1 or better installed");
  } else {
    engineInterface->userInfoMessage("Unknown version of DirectX installed.");
  }

  // A second creation (after a failed one) replaces what the first left behind.
  ReleaseDevice();
  ReleaseDirect3D();
  direct3d = CurrentDeviceSystem().CreateDirect3D(D3D_SDK_VERSION);
  if (direct3d == nullptr) {
    error("ZYL_INIT_ERROR_DDRAWINITERROR!");
    return false;
  }

  D3DDISPLAYMODE desktop = DesktopMode();
  D3DFORMAT depthFormat = ChooseDepthFormat(0, desktop.Format, desktop.Format);
  D3DPRESENT_PARAMETERS parameters{};
  parameters.BackBufferWidth = static_cast<UINT>(backBufferWidth);
  parameters.BackBufferHeight = static_cast<UINT>(backBufferHeight);
  parameters.BackBufferFormat = desktop.Format;
  parameters.Windowed = windowed;
  parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
  parameters.EnableAutoDepthStencil = 1;
  parameters.AutoDepthStencilFormat = depthFormat;
  parameters.hDeviceWindow = deviceWindow;
  presentParameters = parameters;

  HRESULT result = direct3d->CreateDevice(0, deviceType, deviceWindow, VertexProcessingFlags(true),
                                          &presentParameters, &device);
  if (SUCCEEDED(result) && device != nullptr) return SetDeviceStates();
  device = nullptr;
  ReportCreateFailure(result);
  return false;
}

void Hux_DX8_DirectGraphicsChannel::ReportCreateFailure(HRESULT result) {
  ShowErrorMessage& error = engineInterface->errorMessage;
  if (result == D3DERR_INVALIDCALL) error("D3DERR_INVALIDCALL ");
  if (result == D3DERR_NOTAVAILABLE) error("D3DERR_NOTAVAILABLE");
  if (result == D3DERR_OUTOFVIDEOMEMORY) error("No video memory");
  error("ZYL_INIT_ERROR_DDRAWINITERROR");
  error("hr : ", static_cast<int>(result));
  error("Tried to create a 3d device and failed");
  error("Resolution width that was tried : ", backBufferWidth);
  error("Resolution height that was tried : ", backBufferHeight);
}

D3DDISPLAYMODE Hux_DX8_DirectGraphicsChannel::DesktopMode() {
  D3DDISPLAYMODE mode{};
  if (direct3d != nullptr) direct3d->GetAdapterDisplayMode(0, &mode);
  return mode;
}

D3DFORMAT Hux_DX8_DirectGraphicsChannel::ChooseDepthFormat(UINT adapter, D3DFORMAT adapterFormat,
                                                           D3DFORMAT targetFormat) {
  useStencilBuffer =
      direct3d != nullptr &&
      SUCCEEDED(direct3d->CheckDeviceFormat(adapter, deviceType, adapterFormat,
                                            D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE,
                                            D3DFMT_D24S8)) &&
      SUCCEEDED(direct3d->CheckDepthStencilMatch(adapter, deviceType, adapterFormat, targetFormat,
                                                 D3DFMT_D24S8));
  return useStencilBuffer ? D3DFMT_D24S8 : D3DFMT_D16;
}

DWORD Hux_DX8_DirectGraphicsChannel::VertexProcessingFlags(bool allowHardware) {
  D3DCAPS8 caps{};
  if (direct3d != nullptr) direct3d->GetDeviceCaps(0, deviceType, &caps);
  if (allowHardware && (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0) {
    return D3DCREATE_MIXED_VERTEXPROCESSING;
  }
  return D3DCREATE_SOFTWARE_VERTEXPROCESSING;
}

IDirect3D8* Hux_DX8_DirectGraphicsChannel::GetDirect3d() { return direct3d; }

IDirect3DDevice8* Hux_DX8_DirectGraphicsChannel::GetDirect3dDevice() {
  if (device == nullptr) CheckDeviceRestore();
  return device;
}

float Hux_DX8_DirectGraphicsChannel::GetCurrentZoomFactor() { return currentZoomFactor; }

void Hux_DX8_DirectGraphicsChannel::SetBackBufferSize(int width, int height) {
  if (backBufferWidth >= width && backBufferHeight >= height) return;
  if (backBufferWidth < width) backBufferWidth = width;
  if (backBufferHeight < height) backBufferHeight = height;
  ResetDevice();
}

int Hux_DX8_DirectGraphicsChannel::GetBackBufferWidth() { return backBufferWidth; }
int Hux_DX8_DirectGraphicsChannel::GetBackBufferHeight() { return backBufferHeight; }

void Hux_DX8_DirectGraphicsChannel::SetWindowMode(bool windowedMode) {
  windowed = windowedMode ? 1 : 0;
  ResetDevice();
}

bool Hux_DX8_DirectGraphicsChannel::GetWindowMode() { return windowed == 1; }
bool Hux_DX8_DirectGraphicsChannel::GetUseStencilBuffer() { return useStencilBuffer; }

void Hux_DX8_DirectGraphicsChannel::SetWindowHandle(HWND window) {
  deviceWindow = window;
  ResetDevice();
}

void Hux_DX8_DirectGraphicsChannel::InvalidateDeviceObjects() {
  for (int i = 0; i < GetChildCount(); ++i) {
    if (auto* user = dynamic_cast<Hux_DX8_D3DDeviceUse*>(GetChild(i))) {
      user->InvalidateDeviceObjects();
    }
  }
}

void Hux_DX8_DirectGraphicsChannel::SetDestinationCoords(int x, int y) {
  destinationX = x;
  destinationY = y;
}

POINT Hux_DX8_DirectGraphicsChannel::GetDestinationCoords() { return {destinationX, destinationY}; }

void Hux_DX8_DirectGraphicsChannel::SetDeviceType(D3DDEVTYPE type) { deviceType = type; }
D3DDEVTYPE Hux_DX8_DirectGraphicsChannel::GetDeviceType() { return deviceType; }
D3DCAPS8 Hux_DX8_DirectGraphicsChannel::GetDeviceCaps() { return deviceCaps; }
ProjectionInfo Hux_DX8_DirectGraphicsChannel::GetProjectionInformation() { return projectionInfo; }
HWND Hux_DX8_DirectGraphicsChannel::GetPresentWindow() { return presentWindow; }
void Hux_DX8_DirectGraphicsChannel::SetPresentWindow(HWND window) { presentWindow = window; }
