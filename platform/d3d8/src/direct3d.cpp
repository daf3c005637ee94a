// The Direct3D object: one adapter with the software device behind both device types.
#include <atomic>

#include "caps.h"
#include "d3d8/d3d8.h"
#include "device.h"
#include "pixel_format.h"

namespace d3d8sw {

namespace {

bool knownType(D3DDEVTYPE type) { return type == D3DDEVTYPE_HAL || type == D3DDEVTYPE_REF; }
bool backBufferFormat(D3DFORMAT f) { return f == D3DFMT_X8R8G8B8 || f == D3DFMT_A8R8G8B8; }

class Direct3D final : public IDirect3D8 {
 public:
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  UINT GetAdapterCount() override { return 1; }
  UINT GetAdapterModeCount(UINT adapter) override { return adapter == 0 ? 1 : 0; }
  HRESULT EnumAdapterModes(UINT adapter, UINT mode, D3DDISPLAYMODE* displayMode) override {
    if (adapter != 0 || mode != 0 || !displayMode) return D3DERR_INVALIDCALL;
    *displayMode = desktopMode();
    return D3D_OK;
  }
  HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override {
    if (adapter != 0 || !mode) return D3DERR_INVALIDCALL;
    *mode = desktopMode();
    return D3D_OK;
  }
  HRESULT CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT displayFormat, D3DFORMAT backBuffer,
                          BOOL windowed) override {
    if (adapter != 0 || !knownType(type)) return D3DERR_INVALIDCALL;
    return backBufferFormat(displayFormat) && backBufferFormat(backBuffer) ? D3D_OK : D3DERR_NOTAVAILABLE;
  }
  HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                            D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) override {
    if (adapter != 0 || !knownType(type)) return D3DERR_INVALIDCALL;
    if (!backBufferFormat(adapterFormat)) return D3DERR_NOTAVAILABLE;
    if (usage & D3DUSAGE_DEPTHSTENCIL)
      return resourceType == D3DRTYPE_SURFACE && isDepthFormat(checkFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
    if (usage & D3DUSAGE_RENDERTARGET)
      return resourceType == D3DRTYPE_SURFACE && backBufferFormat(checkFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
    if (resourceType == D3DRTYPE_TEXTURE || resourceType == D3DRTYPE_SURFACE)
      return colorFormatBytes(checkFormat) > 0 ? D3D_OK : D3DERR_NOTAVAILABLE;
    return D3DERR_NOTAVAILABLE;
  }
  HRESULT CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                 D3DFORMAT renderTarget, D3DFORMAT depthStencil) override {
    if (adapter != 0 || !knownType(type)) return D3DERR_INVALIDCALL;
    return backBufferFormat(renderTarget) && isDepthFormat(depthStencil) ? D3D_OK : D3DERR_NOTAVAILABLE;
  }
  HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS8* caps) override {
    if (adapter != 0 || !knownType(type) || !caps) return D3DERR_INVALIDCALL;
    fillCaps(type, adapter, caps);
    return D3D_OK;
  }
  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD flags,
                       D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice8** device) override {
    if (!device) return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (adapter != 0 || !knownType(type) || !parameters) return D3DERR_INVALIDCALL;
    auto* created = new Device(this, adapter, type, focusWindow, flags);
    const HRESULT result = created->initialise(parameters);
    if (FAILED(result)) {
      created->Release();
      return result;
    }
    *device = created;
    return D3D_OK;
  }

 private:
  ~Direct3D() = default;
  std::atomic<ULONG> references_{1};
};

}  // namespace

}  // namespace d3d8sw

extern "C" IDirect3D8* Direct3DCreate8(UINT sdkVersion) {
  if (sdkVersion != D3D_SDK_VERSION) return nullptr;
  return new d3d8sw::Direct3D();
}
