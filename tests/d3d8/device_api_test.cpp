// The graphics interface: creation, capabilities, reference counts, state storage and
// defaults, state blocks, resources and locks, argument checks of the draw calls, Reset
// and Present.
#include <gtest/gtest.h>

#include <cstring>

#include "scene_helpers.h"

namespace kelvane::test {

namespace {

class CapturingWindow : public platform::Window {
 public:
  int clientWidth() const override { return 40; }
  int clientHeight() const override { return 30; }
  void present(const uint32_t* pixels, int width, int height, int pitchBytes) override {
    ++presents;
    lastWidth = width;
    lastHeight = height;
    first = pixels[0];
    pitch = pitchBytes;
  }
  int presents = 0, lastWidth = 0, lastHeight = 0, pitch = 0;
  uint32_t first = 0;
};

IDirect3DDevice8* createDevice(IDirect3D8* d3d, HWND window, UINT width, UINT height, BOOL depth = TRUE) {
  D3DPRESENT_PARAMETERS p{};
  p.BackBufferWidth = width;
  p.BackBufferHeight = height;
  p.BackBufferFormat = D3DFMT_X8R8G8B8;
  p.SwapEffect = D3DSWAPEFFECT_DISCARD;
  p.Windowed = TRUE;
  p.EnableAutoDepthStencil = depth;
  p.AutoDepthStencilFormat = D3DFMT_D24S8;
  p.hDeviceWindow = window;
  IDirect3DDevice8* device = nullptr;
  if (FAILED(d3d->CreateDevice(0, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &p, &device)))
    return nullptr;
  return device;
}

}  // namespace

TEST(Direct3D, CreationNeedsTheSdkVersion) {
  EXPECT_EQ(Direct3DCreate8(D3D_SDK_VERSION - 1), nullptr);
  IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
  ASSERT_NE(d3d, nullptr);
  EXPECT_EQ(d3d->AddRef(), 2u);
  EXPECT_EQ(d3d->Release(), 1u);
  EXPECT_EQ(d3d->Release(), 0u);
}

TEST(Direct3D, AdapterFormatsAndCapabilities) {
  IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
  D3DDISPLAYMODE mode{};
  ASSERT_EQ(d3d->GetAdapterDisplayMode(0, &mode), D3D_OK);
  EXPECT_EQ(mode.Format, D3DFMT_X8R8G8B8);
  EXPECT_EQ(d3d->GetAdapterDisplayMode(1, &mode), D3DERR_INVALIDCALL);
  EXPECT_EQ(d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, mode.Format, D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE,
                                   D3DFMT_D24S8), D3D_OK);
  EXPECT_EQ(d3d->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, mode.Format, mode.Format, D3DFMT_D24S8), D3D_OK);
  EXPECT_EQ(d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, mode.Format, D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE,
                                   D3DFMT_A8R8G8B8), D3DERR_NOTAVAILABLE);
  for (D3DFORMAT f : {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_A4R4G4B4, D3DFMT_R5G6B5})
    EXPECT_EQ(d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, mode.Format, 0, D3DRTYPE_TEXTURE, f), D3D_OK) << f;
  D3DCAPS8 caps{};
  ASSERT_EQ(d3d->GetDeviceCaps(0, D3DDEVTYPE_REF, &caps), D3D_OK);
  EXPECT_EQ(caps.DeviceType, D3DDEVTYPE_REF);
  EXPECT_EQ(caps.MaxActiveLights, 8u);
  EXPECT_EQ(caps.MaxTextureBlendStages, 8u);
  EXPECT_GE(caps.MaxTextureWidth, 1024u);
  EXPECT_EQ(caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT, 0u);
  d3d->Release();
}

TEST(Device, ReferenceCountsOfDeviceAndResources) {
  IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
  IDirect3DDevice8* device = createDevice(d3d, nullptr, 32, 32);
  ASSERT_NE(device, nullptr);
  IDirect3DTexture8* texture = nullptr;
  ASSERT_EQ(device->CreateTexture(8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
  ASSERT_EQ(device->SetTexture(0, texture), D3D_OK);
  EXPECT_EQ(texture->Release(), 1u) << "the device holds the bound texture";
  IDirect3DTexture8* bound = nullptr;
  ASSERT_EQ(device->GetTexture(0, &bound), D3D_OK);
  EXPECT_EQ(bound, texture);
  EXPECT_EQ(bound->Release(), 1u);
  device->SetTexture(0, nullptr);
  IDirect3DDevice8* owner = nullptr;
  IDirect3D8* parent = nullptr;
  ASSERT_EQ(device->GetDirect3D(&parent), D3D_OK);
  EXPECT_EQ(parent, d3d);
  EXPECT_EQ(parent->Release(), 2u) << "the device holds the Direct3D object";
  EXPECT_EQ(device->AddRef(), 2u);
  EXPECT_EQ(device->Release(), 1u);
  IDirect3DVertexBuffer8* vb = nullptr;
  ASSERT_EQ(device->CreateVertexBuffer(64, D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT, &vb), D3D_OK);
  ASSERT_EQ(vb->GetDevice(&owner), D3D_OK);
  EXPECT_EQ(owner, device);
  owner->Release();
  EXPECT_EQ(device->Release(), 0u);
  EXPECT_EQ(vb->GetDevice(&owner), D3DERR_INVALIDCALL) << "resources outlive their device safely";
  EXPECT_EQ(vb->Release(), 0u);
  EXPECT_EQ(d3d->Release(), 0u);
}

class DeviceTest : public ::testing::Test {
 protected:
  TestDevice device{32, 32};
};

TEST_F(DeviceTest, EveryDefinedRenderStateReadsBackAndKeepsItsValue) {
  int defined = 0;
  for (DWORD s = 0; s < 180; ++s) {
    DWORD v = 0;
    const HRESULT read = device->GetRenderState(static_cast<D3DRENDERSTATETYPE>(s), &v);
    if (FAILED(read)) {
      EXPECT_EQ(device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(s), 1), D3DERR_INVALIDCALL) << s;
      continue;
    }
    ++defined;
    ASSERT_EQ(device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(s), v ^ 0x5A), D3D_OK);
    DWORD back = 0;
    device->GetRenderState(static_cast<D3DRENDERSTATETYPE>(s), &back);
    EXPECT_EQ(back, v ^ 0x5A) << s;
  }
  EXPECT_EQ(defined, 76) << "D3DRS_ZENABLE .. D3DRS_POSITIONORDER (75) and D3DRS_NORMALORDER";
}

TEST_F(DeviceTest, RenderStateDefaults) {
  const std::pair<D3DRENDERSTATETYPE, DWORD> defaults[] = {
      {D3DRS_ZENABLE, D3DZB_TRUE},  // a depth buffer was asked for
      {D3DRS_FILLMODE, D3DFILL_SOLID},
      {D3DRS_CULLMODE, D3DCULL_CCW},
      {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},
      {D3DRS_ALPHAFUNC, D3DCMP_ALWAYS},
      {D3DRS_SRCBLEND, D3DBLEND_ONE},
      {D3DRS_DESTBLEND, D3DBLEND_ZERO},
      {D3DRS_LIGHTING, TRUE},
      {D3DRS_FOGEND, floatBits(1.0f)},
      {D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1},
      {D3DRS_COLORWRITEENABLE, 0xF},
  };
  for (const auto& [state, value] : defaults) {
    DWORD v = 0;
    ASSERT_EQ(device->GetRenderState(state, &v), D3D_OK);
    EXPECT_EQ(v, value) << state;
  }
}

TEST_F(DeviceTest, TextureStageStatesAndDefaults) {
  for (DWORD stage = 0; stage < 8; ++stage)
    for (DWORD type = 1; type <= 28; ++type) {
      DWORD v = 0;
      const HRESULT hr = device->GetTextureStageState(stage, static_cast<D3DTEXTURESTAGESTATETYPE>(type), &v);
      EXPECT_EQ(hr, type == 12 ? D3DERR_INVALIDCALL : D3D_OK) << stage << " " << type;
    }
  DWORD v = 0;
  EXPECT_EQ(device->GetTextureStageState(8, D3DTSS_COLOROP, &v), D3DERR_INVALIDCALL);
  device->GetTextureStageState(3, D3DTSS_TEXCOORDINDEX, &v);
  EXPECT_EQ(v, 3u);
  device->GetTextureStageState(0, D3DTSS_COLOROP, &v);
  EXPECT_EQ(v, static_cast<DWORD>(D3DTOP_MODULATE));
  device->GetTextureStageState(1, D3DTSS_COLOROP, &v);
  EXPECT_EQ(v, static_cast<DWORD>(D3DTOP_DISABLE));
}

TEST_F(DeviceTest, TransformsIncludingTextureMatrices) {
  for (DWORD t : {static_cast<DWORD>(D3DTS_WORLD), static_cast<DWORD>(D3DTS_VIEW), static_cast<DWORD>(D3DTS_PROJECTION),
                  static_cast<DWORD>(D3DTS_TEXTURE0), static_cast<DWORD>(D3DTS_TEXTURE7)}) {
    const D3DMATRIX m = translation(1.0f, 2.0f, static_cast<float>(t));
    ASSERT_EQ(device->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(t), &m), D3D_OK) << t;
    D3DMATRIX back{};
    ASSERT_EQ(device->GetTransform(static_cast<D3DTRANSFORMSTATETYPE>(t), &back), D3D_OK);
    EXPECT_EQ(std::memcmp(&m, &back, sizeof m), 0) << t;
  }
  const D3DMATRIX m = identity();
  EXPECT_EQ(device->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(5), &m), D3DERR_INVALIDCALL);
}

TEST_F(DeviceTest, ViewportMustLieInTheBackBuffer) {
  D3DVIEWPORT8 vp{};
  ASSERT_EQ(device->GetViewport(&vp), D3D_OK);
  EXPECT_EQ(vp.Width, 32u);
  EXPECT_EQ(vp.MaxZ, 1.0f);
  const D3DVIEWPORT8 inside{8, 8, 24, 24, 0.0f, 1.0f}, outside{8, 8, 25, 24, 0.0f, 1.0f},
      badDepth{0, 0, 8, 8, 0.0f, 2.0f};
  EXPECT_EQ(device->SetViewport(&inside), D3D_OK);
  EXPECT_EQ(device->SetViewport(&outside), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->SetViewport(&badDepth), D3DERR_INVALIDCALL);
}

TEST_F(DeviceTest, LightsAndMaterial) {
  const D3DLIGHT8 light = pointLight({1, 2, 3}, {1, 0, 0, 1}, 10.0f, 1, 0, 0);
  ASSERT_EQ(device->SetLight(2, &light), D3D_OK);
  D3DLIGHT8 back{};
  ASSERT_EQ(device->GetLight(2, &back), D3D_OK);
  EXPECT_EQ(back.Position.z, 3.0f);
  BOOL enabled = TRUE;
  ASSERT_EQ(device->GetLightEnable(2, &enabled), D3D_OK);
  EXPECT_FALSE(enabled);
  // Enabling a light never set gives it the default white directional light.
  ASSERT_EQ(device->LightEnable(5, TRUE), D3D_OK);
  ASSERT_EQ(device->GetLight(5, &back), D3D_OK);
  EXPECT_EQ(back.Type, D3DLIGHT_DIRECTIONAL);
  EXPECT_EQ(back.Direction.z, 1.0f);
  D3DLIGHT8 invalid = light;
  invalid.Type = static_cast<D3DLIGHTTYPE>(7);
  EXPECT_EQ(device->SetLight(0, &invalid), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->GetLight(100, &back), D3DERR_INVALIDCALL);
  const D3DMATERIAL8 m = material({0.5f, 0.5f, 0.5f, 1}, {1, 1, 1, 1});
  ASSERT_EQ(device->SetMaterial(&m), D3D_OK);
  D3DMATERIAL8 mb{};
  device->GetMaterial(&mb);
  EXPECT_EQ(mb.Diffuse.r, 0.5f);
}

TEST_F(DeviceTest, RecordingAStateBlockLeavesTheDeviceAlone) {
  device->SetRenderState(D3DRS_ALPHAREF, 1);
  ASSERT_EQ(device->BeginStateBlock(), D3D_OK);
  EXPECT_EQ(device->BeginStateBlock(), D3DERR_INVALIDCALL);
  device->SetRenderState(D3DRS_ALPHAREF, 8);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_ADD);
  DWORD token = 0;
  ASSERT_EQ(device->EndStateBlock(&token), D3D_OK);
  EXPECT_NE(token, 0u);
  DWORD v = 0;
  device->GetRenderState(D3DRS_ALPHAREF, &v);
  EXPECT_EQ(v, 1u);
  ASSERT_EQ(device->ApplyStateBlock(token), D3D_OK);
  device->GetRenderState(D3DRS_ALPHAREF, &v);
  EXPECT_EQ(v, 8u);
  device->GetTextureStageState(0, D3DTSS_COLOROP, &v);
  EXPECT_EQ(v, static_cast<DWORD>(D3DTOP_ADD));
  // Capture takes the current values of exactly the recorded states.
  device->SetRenderState(D3DRS_ALPHAREF, 20);
  device->SetRenderState(D3DRS_FOGENABLE, TRUE);
  ASSERT_EQ(device->CaptureStateBlock(token), D3D_OK);
  device->SetRenderState(D3DRS_ALPHAREF, 30);
  device->SetRenderState(D3DRS_FOGENABLE, FALSE);
  device->ApplyStateBlock(token);
  device->GetRenderState(D3DRS_ALPHAREF, &v);
  EXPECT_EQ(v, 20u);
  device->GetRenderState(D3DRS_FOGENABLE, &v);
  EXPECT_EQ(v, static_cast<DWORD>(FALSE));
  ASSERT_EQ(device->DeleteStateBlock(token), D3D_OK);
  EXPECT_EQ(device->ApplyStateBlock(token), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->DeleteStateBlock(token), D3DERR_INVALIDCALL);
}

TEST_F(DeviceTest, CreatedStateBlockRestoresEverything) {
  DWORD token = 0;
  ASSERT_EQ(device->CreateStateBlock(D3DSBT_ALL, &token), D3D_OK);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  const D3DMATRIX m = translation(1, 2, 3);
  device->SetTransform(D3DTS_VIEW, &m);
  device->ApplyStateBlock(token);
  DWORD v = 0;
  device->GetRenderState(D3DRS_CULLMODE, &v);
  EXPECT_EQ(v, static_cast<DWORD>(D3DCULL_CCW));
  D3DMATRIX view{};
  device->GetTransform(D3DTS_VIEW, &view);
  EXPECT_EQ(view._41, 0.0f);
  device->DeleteStateBlock(token);
}

TEST_F(DeviceTest, TexturesOfEachFormatWithMipChains) {
  const std::pair<D3DFORMAT, int> formats[] = {
      {D3DFMT_A8R8G8B8, 4}, {D3DFMT_X8R8G8B8, 4}, {D3DFMT_A4R4G4B4, 2}, {D3DFMT_R5G6B5, 2}};
  for (const auto& [format, bytes] : formats) {
    IDirect3DTexture8* t = nullptr;
    ASSERT_EQ(device->CreateTexture(256, 64, 0, 0, format, D3DPOOL_MANAGED, &t), D3D_OK) << format;
    EXPECT_EQ(t->GetLevelCount(), 9u);
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(t->GetLevelDesc(8, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, 1u);
    EXPECT_EQ(desc.Format, format);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(t->LockRect(0, &locked, nullptr, 0), D3D_OK);
    EXPECT_EQ(locked.Pitch, 256 * bytes);
    EXPECT_EQ(t->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL) << "already locked";
    EXPECT_EQ(t->UnlockRect(0), D3D_OK);
    const RECT outside{0, 0, 300, 10};
    EXPECT_EQ(t->LockRect(0, &locked, &outside, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(t->GetLevelDesc(9, &desc), D3DERR_INVALIDCALL);
    t->Release();
  }
  IDirect3DTexture8* t = nullptr;
  EXPECT_EQ(device->CreateTexture(8, 8, 5, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &t), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->CreateTexture(0, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &t), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->CreateTexture(8, 8, 1, 0, D3DFMT_D24S8, D3DPOOL_MANAGED, &t), D3DERR_INVALIDCALL);
}

TEST_F(DeviceTest, BufferLocksStayInsideTheBuffer) {
  IDirect3DVertexBuffer8* vb = nullptr;
  ASSERT_EQ(device->CreateVertexBuffer(100, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT, &vb), D3D_OK);
  BYTE* data = nullptr;
  EXPECT_EQ(vb->Lock(0, 0, &data, D3DLOCK_DISCARD), D3D_OK);
  EXPECT_EQ(vb->Unlock(), D3D_OK);
  EXPECT_EQ(vb->Unlock(), D3DERR_INVALIDCALL);
  EXPECT_EQ(vb->Lock(90, 10, &data, 0), D3D_OK);
  vb->Unlock();
  EXPECT_EQ(vb->Lock(90, 11, &data, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(vb->Lock(101, 0, &data, 0), D3DERR_INVALIDCALL);
  D3DVERTEXBUFFER_DESC desc{};
  vb->GetDesc(&desc);
  EXPECT_EQ(desc.Size, 100u);
  EXPECT_EQ(desc.Pool, D3DPOOL_DEFAULT);
  vb->Release();
  IDirect3DIndexBuffer8* ib = nullptr;
  EXPECT_EQ(device->CreateIndexBuffer(12, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &ib), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->CreateVertexBuffer(0, 0, 0, D3DPOOL_DEFAULT, &vb), D3DERR_INVALIDCALL);
}

TEST_F(DeviceTest, DrawCallsCheckTheirArguments) {
  const ScreenVertex quad[4] = {{0, 0, 0.5f, 1, 0xFFFFFFFF, 0, 0}, {8, 0, 0.5f, 1, 0xFFFFFFFF, 0, 0},
                                {0, 8, 0.5f, 1, 0xFFFFFFFF, 0, 0}, {8, 8, 0.5f, 1, 0xFFFFFFFF, 0, 0}};
  device->SetVertexShader(kScreenVertexFvf);
  EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex)), D3DERR_INVALIDCALL)
      << "outside BeginScene/EndScene";
  ASSERT_EQ(device->BeginScene(), D3D_OK);
  EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, 8), D3DERR_INVALIDCALL) << "stride too small";
  EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL) << "no stream";
  EXPECT_EQ(device->DrawPrimitiveUP(static_cast<D3DPRIMITIVETYPE>(9), 1, quad, sizeof(ScreenVertex)),
            D3DERR_INVALIDCALL);

  IDirect3DVertexBuffer8* vb = nullptr;
  ASSERT_EQ(device->CreateVertexBuffer(sizeof quad, 0, kScreenVertexFvf, D3DPOOL_MANAGED, &vb), D3D_OK);
  BYTE* data = nullptr;
  vb->Lock(0, 0, &data, 0);
  std::memcpy(data, quad, sizeof quad);
  vb->Unlock();
  device->SetStreamSource(0, vb, sizeof(ScreenVertex));
  EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3D_OK);
  EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 1, 2), D3DERR_INVALIDCALL) << "reads past the buffer";
  EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 0x7FFFFFFF), D3DERR_INVALIDCALL);

  IDirect3DIndexBuffer8* ib = nullptr;
  ASSERT_EQ(device->CreateIndexBuffer(12, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &ib), D3D_OK);
  const uint16_t indices[6] = {0, 1, 2, 2, 1, 4};  // index 4 does not exist
  ib->Lock(0, 0, &data, 0);
  std::memcpy(data, indices, sizeof indices);
  ib->Unlock();
  device->SetIndices(ib, 0);
  EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 1), D3D_OK);
  EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 2), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 4, 1), D3DERR_INVALIDCALL) << "past the indices";
  device->SetIndices(ib, 2);
  EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 1), D3DERR_INVALIDCALL) << "base vertex";
  EXPECT_EQ(device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, 4, 2, indices, D3DFMT_INDEX16, quad,
                                           sizeof(ScreenVertex)),
            D3DERR_INVALIDCALL);
  device->SetIndices(nullptr, 0);
  device->SetStreamSource(0, nullptr, 0);
  ib->Release();
  vb->Release();
  EXPECT_EQ(device->EndScene(), D3D_OK);
}

TEST_F(DeviceTest, NullPathChecksCallsButDrawsNothing) {
  ASSERT_TRUE(d3d8sw::SetRasterOptions(device.get(), {d3d8sw::RasterPath::None, 1}));
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  device->BeginScene();
  baseStates(device.get());
  EXPECT_EQ(drawQuad(device.get(), 0, 0, 32, 32, 0.5f, 0xFFFFFFFF), D3D_OK);
  const ScreenVertex one[1] = {{0, 0, 0.5f, 1, 0xFFFFFFFF, 0, 0}};
  EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, one, 4), D3DERR_INVALIDCALL);
  device->EndScene();
  EXPECT_EQ(device.capture().at(16, 16) & 0xFFFFFF, 0u);
}

TEST_F(DeviceTest, ClearStaysInsideTheViewportAndRectangles) {
  const D3DVIEWPORT8 vp{8, 8, 16, 16, 0.0f, 1.0f};
  device->SetViewport(&vp);
  ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0), D3D_OK);
  const D3DRECT rect{0, 0, 12, 12};
  ASSERT_EQ(device->Clear(1, &rect, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0), D3D_OK);
  const Image image = device.capture();
  EXPECT_EQ(image.at(7, 7) & 0xFFFFFF, 0u);
  EXPECT_EQ(image.at(8, 8) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(image.at(12, 12) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(image.at(24, 24) & 0xFFFFFF, 0u);
}

TEST(DeviceReset, FailsWhileDefaultPoolResourcesLiveAndRestoresDefaults) {
  IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
  IDirect3DDevice8* device = createDevice(d3d, nullptr, 32, 32);
  ASSERT_NE(device, nullptr);
  IDirect3DVertexBuffer8* vb = nullptr;
  ASSERT_EQ(device->CreateVertexBuffer(64, 0, 0, D3DPOOL_DEFAULT, &vb), D3D_OK);
  device->SetStreamSource(0, vb, 16);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  D3DPRESENT_PARAMETERS p{};
  p.BackBufferWidth = 48;
  p.BackBufferHeight = 16;
  p.BackBufferFormat = D3DFMT_X8R8G8B8;
  p.SwapEffect = D3DSWAPEFFECT_DISCARD;
  p.Windowed = TRUE;
  EXPECT_EQ(device->Reset(&p), D3DERR_INVALIDCALL);
  EXPECT_EQ(vb->Release(), 0u) << "the failed reset dropped the device's binding";
  ASSERT_EQ(device->Reset(&p), D3D_OK);
  DWORD v = 0;
  device->GetRenderState(D3DRS_CULLMODE, &v);
  EXPECT_EQ(v, static_cast<DWORD>(D3DCULL_CCW));
  device->GetRenderState(D3DRS_ZENABLE, &v);
  EXPECT_EQ(v, static_cast<DWORD>(D3DZB_FALSE)) << "no depth buffer after this reset";
  D3DVIEWPORT8 vp{};
  device->GetViewport(&vp);
  EXPECT_EQ(vp.Width, 48u);
  EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
  device->Release();
  d3d->Release();
}

TEST(DevicePresent, ShowsTheBackBufferInTheWindow) {
  CapturingWindow window;
  IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
  // Size 0 in a window: the back buffer takes the window's client size.
  IDirect3DDevice8* device = createDevice(d3d, &window, 0, 0);
  ASSERT_NE(device, nullptr);
  D3DVIEWPORT8 vp{};
  device->GetViewport(&vp);
  EXPECT_EQ(vp.Width, 40u);
  EXPECT_EQ(vp.Height, 30u);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF123456, 1.0f, 0);
  ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  EXPECT_EQ(window.presents, 1);
  EXPECT_EQ(window.lastWidth, 40);
  EXPECT_EQ(window.pitch, 160);
  EXPECT_EQ(window.first & 0xFFFFFF, 0x123456u);
  D3DDEVICE_CREATION_PARAMETERS cp{};
  ASSERT_EQ(device->GetCreationParameters(&cp), D3D_OK);
  EXPECT_EQ(cp.hFocusWindow, &window);
  EXPECT_EQ(cp.BehaviorFlags, D3DCREATE_SOFTWARE_VERTEXPROCESSING);
  EXPECT_EQ(device->ShowCursor(FALSE), TRUE);
  EXPECT_EQ(device->ShowCursor(TRUE), FALSE);
  IDirect3DSurface8* small = nullptr;
  ASSERT_EQ(device->CreateImageSurface(8, 8, D3DFMT_A8R8G8B8, &small), D3D_OK);
  EXPECT_EQ(device->GetFrontBuffer(small), D3DERR_INVALIDCALL) << "the surface must match the frame";
  small->Release();
  device->Release();
  d3d->Release();
}

}  // namespace kelvane::test
