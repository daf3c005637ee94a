// The forwarding, counting and failing wrappers of the scripted device.
#include "scripted_device.h"

namespace {

bool TakeFailure(int& remaining) {
  if (remaining == 0) return false;
  if (remaining > 0) --remaining;
  return true;
}

class ScriptedDevice final : public IDirect3DDevice8 {
 public:
  ScriptedDevice(IDirect3DDevice8* inner, DeviceScript& script) : inner_(inner), script_(script) {
    ++script_.liveDevices;
  }

  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    ULONG left = --references_;
    if (left == 0) {
      inner_->Release();
      --script_.liveDevices;
      delete this;
    }
    return left;
  }
  HRESULT TestCooperativeLevel() override { return inner_->TestCooperativeLevel(); }
  HRESULT GetDirect3D(IDirect3D8** d) override { return inner_->GetDirect3D(d); }
  HRESULT GetDeviceCaps(D3DCAPS8* c) override { return inner_->GetDeviceCaps(c); }
  HRESULT GetDisplayMode(D3DDISPLAYMODE* m) override { return inner_->GetDisplayMode(m); }
  HRESULT GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* p) override {
    return inner_->GetCreationParameters(p);
  }
  BOOL ShowCursor(BOOL show) override { return inner_->ShowCursor(show); }
  HRESULT Reset(D3DPRESENT_PARAMETERS* p) override {
    ++script_.resetCalls;
    script_.resetParameters.push_back(*p);
    if (TakeFailure(script_.failReset)) return D3DERR_DEVICELOST;
    return inner_->Reset(p);
  }
  HRESULT Present(const RECT* s, const RECT* d, HWND w, const void* r) override {
    return inner_->Present(s, d, w, r);
  }
  HRESULT CreateTexture(UINT w, UINT h, UINT l, DWORD u, D3DFORMAT f, D3DPOOL p,
                        IDirect3DTexture8** t) override {
    return inner_->CreateTexture(w, h, l, u, f, p, t);
  }
  HRESULT CreateVertexBuffer(UINT l, DWORD u, DWORD f, D3DPOOL p,
                             IDirect3DVertexBuffer8** b) override {
    return inner_->CreateVertexBuffer(l, u, f, p, b);
  }
  HRESULT CreateIndexBuffer(UINT l, DWORD u, D3DFORMAT f, D3DPOOL p,
                            IDirect3DIndexBuffer8** b) override {
    return inner_->CreateIndexBuffer(l, u, f, p, b);
  }
  HRESULT CreateImageSurface(UINT w, UINT h, D3DFORMAT f, IDirect3DSurface8** s) override {
    return inner_->CreateImageSurface(w, h, f, s);
  }
  HRESULT GetFrontBuffer(IDirect3DSurface8* s) override { return inner_->GetFrontBuffer(s); }
  HRESULT BeginScene() override { return inner_->BeginScene(); }
  HRESULT EndScene() override { return inner_->EndScene(); }
  HRESULT Clear(DWORD n, const D3DRECT* r, DWORD f, D3DCOLOR c, float z, DWORD s) override {
    return inner_->Clear(n, r, f, c, z, s);
  }
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE s, const D3DMATRIX* m) override {
    return inner_->SetTransform(s, m);
  }
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE s, D3DMATRIX* m) override {
    return inner_->GetTransform(s, m);
  }
  HRESULT MultiplyTransform(D3DTRANSFORMSTATETYPE s, const D3DMATRIX* m) override {
    return inner_->MultiplyTransform(s, m);
  }
  HRESULT SetViewport(const D3DVIEWPORT8* v) override { return inner_->SetViewport(v); }
  HRESULT GetViewport(D3DVIEWPORT8* v) override { return inner_->GetViewport(v); }
  HRESULT SetMaterial(const D3DMATERIAL8* m) override { return inner_->SetMaterial(m); }
  HRESULT GetMaterial(D3DMATERIAL8* m) override { return inner_->GetMaterial(m); }
  HRESULT SetLight(DWORD i, const D3DLIGHT8* l) override { return inner_->SetLight(i, l); }
  HRESULT GetLight(DWORD i, D3DLIGHT8* l) override { return inner_->GetLight(i, l); }
  HRESULT LightEnable(DWORD i, BOOL e) override { return inner_->LightEnable(i, e); }
  HRESULT GetLightEnable(DWORD i, BOOL* e) override { return inner_->GetLightEnable(i, e); }
  HRESULT SetRenderState(D3DRENDERSTATETYPE s, DWORD v) override {
    ++script_.setRenderStateCalls;
    return inner_->SetRenderState(s, v);
  }
  HRESULT GetRenderState(D3DRENDERSTATETYPE s, DWORD* v) override {
    return inner_->GetRenderState(s, v);
  }
  HRESULT BeginStateBlock() override { return inner_->BeginStateBlock(); }
  HRESULT EndStateBlock(DWORD* t) override { return inner_->EndStateBlock(t); }
  HRESULT ApplyStateBlock(DWORD t) override { return inner_->ApplyStateBlock(t); }
  HRESULT CaptureStateBlock(DWORD t) override { return inner_->CaptureStateBlock(t); }
  HRESULT DeleteStateBlock(DWORD t) override { return inner_->DeleteStateBlock(t); }
  HRESULT CreateStateBlock(D3DSTATEBLOCKTYPE y, DWORD* t) override {
    return inner_->CreateStateBlock(y, t);
  }
  HRESULT GetTexture(DWORD s, IDirect3DTexture8** t) override { return inner_->GetTexture(s, t); }
  HRESULT SetTexture(DWORD s, IDirect3DTexture8* t) override { return inner_->SetTexture(s, t); }
  HRESULT GetTextureStageState(DWORD s, D3DTEXTURESTAGESTATETYPE t, DWORD* v) override {
    return inner_->GetTextureStageState(s, t, v);
  }
  HRESULT SetTextureStageState(DWORD s, D3DTEXTURESTAGESTATETYPE t, DWORD v) override {
    ++script_.setTextureStageStateCalls;
    return inner_->SetTextureStageState(s, t, v);
  }
  HRESULT DrawPrimitive(D3DPRIMITIVETYPE t, UINT s, UINT n) override {
    return inner_->DrawPrimitive(t, s, n);
  }
  HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE t, UINT m, UINT v, UINT s, UINT n) override {
    return inner_->DrawIndexedPrimitive(t, m, v, s, n);
  }
  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE t, UINT n, const void* v, UINT s) override {
    return inner_->DrawPrimitiveUP(t, n, v, s);
  }
  HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE t, UINT m, UINT v, UINT n, const void* i,
                                 D3DFORMAT f, const void* d, UINT s) override {
    return inner_->DrawIndexedPrimitiveUP(t, m, v, n, i, f, d, s);
  }
  HRESULT SetVertexShader(DWORD h) override { return inner_->SetVertexShader(h); }
  HRESULT GetVertexShader(DWORD* h) override { return inner_->GetVertexShader(h); }
  HRESULT SetStreamSource(UINT n, IDirect3DVertexBuffer8* b, UINT s) override {
    return inner_->SetStreamSource(n, b, s);
  }
  HRESULT GetStreamSource(UINT n, IDirect3DVertexBuffer8** b, UINT* s) override {
    return inner_->GetStreamSource(n, b, s);
  }
  HRESULT SetIndices(IDirect3DIndexBuffer8* b, UINT v) override { return inner_->SetIndices(b, v); }
  HRESULT GetIndices(IDirect3DIndexBuffer8** b, UINT* v) override {
    return inner_->GetIndices(b, v);
  }

 private:
  ~ScriptedDevice() = default;

  IDirect3DDevice8* inner_;
  DeviceScript& script_;
  ULONG references_ = 1;
};

class ScriptedDirect3D final : public IDirect3D8 {
 public:
  ScriptedDirect3D(IDirect3D8* inner, DeviceScript& script) : inner_(inner), script_(script) {
    ++script_.liveDirect3D;
  }

  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    ULONG left = --references_;
    if (left == 0) {
      inner_->Release();
      --script_.liveDirect3D;
      delete this;
    }
    return left;
  }
  UINT GetAdapterCount() override { return inner_->GetAdapterCount(); }
  UINT GetAdapterModeCount(UINT a) override { return inner_->GetAdapterModeCount(a); }
  HRESULT EnumAdapterModes(UINT a, UINT m, D3DDISPLAYMODE* d) override {
    return inner_->EnumAdapterModes(a, m, d);
  }
  HRESULT GetAdapterDisplayMode(UINT a, D3DDISPLAYMODE* m) override {
    return inner_->GetAdapterDisplayMode(a, m);
  }
  HRESULT CheckDeviceType(UINT a, D3DDEVTYPE t, D3DFORMAT d, D3DFORMAT b, BOOL w) override {
    return inner_->CheckDeviceType(a, t, d, b, w);
  }
  HRESULT CheckDeviceFormat(UINT a, D3DDEVTYPE t, D3DFORMAT f, DWORD u, D3DRESOURCETYPE r,
                            D3DFORMAT c) override {
    if (script_.refuseD24S8 && c == D3DFMT_D24S8) return D3DERR_NOTAVAILABLE;
    return inner_->CheckDeviceFormat(a, t, f, u, r, c);
  }
  HRESULT CheckDepthStencilMatch(UINT a, D3DDEVTYPE t, D3DFORMAT f, D3DFORMAT r,
                                 D3DFORMAT d) override {
    return inner_->CheckDepthStencilMatch(a, t, f, r, d);
  }
  HRESULT GetDeviceCaps(UINT a, D3DDEVTYPE t, D3DCAPS8* c) override {
    return inner_->GetDeviceCaps(a, t, c);
  }
  HRESULT CreateDevice(UINT a, D3DDEVTYPE t, HWND w, DWORD f, D3DPRESENT_PARAMETERS* p,
                       IDirect3DDevice8** d) override {
    ++script_.createDeviceCalls;
    script_.createParameters.push_back(*p);
    script_.createFlags.push_back(f);
    if (TakeFailure(script_.failCreateDevice)) return script_.createDeviceError;
    IDirect3DDevice8* inner = nullptr;
    HRESULT result = inner_->CreateDevice(a, t, w, f, p, &inner);
    if (FAILED(result)) return result;
    *d = new ScriptedDevice(inner, script_);
    return result;
  }

 private:
  ~ScriptedDirect3D() = default;

  IDirect3D8* inner_;
  DeviceScript& script_;
  ULONG references_ = 1;
};

}  // namespace

IDirect3D8* NewScriptedDirect3D(IDirect3D8* inner, DeviceScript& script) {
  return inner != nullptr ? new ScriptedDirect3D(inner, script) : nullptr;
}

IDirect3D8* ScriptedDeviceSystem::CreateDirect3D(UINT sdkVersion) {
  if (script.failDirect3D) return nullptr;
  ++script.direct3dCreated;
  return NewScriptedDirect3D(Direct3DCreate8(sdkVersion), script);
}
