// The software device: state, resources, frame buffers and the draw entry points.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <vector>

#include "d3d8/d3d8.h"
#include "d3d8/software_device.h"
#include "limits.h"
#include "pipeline.h"
#include "resources.h"
#include "thread_pool.h"

namespace d3d8sw {

struct LightSlot {
  D3DLIGHT8 light{};
  bool enabled = false;
};

// The state the application sets. Pointers hold one reference each, owned by whoever
// owns the DeviceState (the device or a state block).
struct DeviceState {
  std::array<DWORD, kRenderStateCount> renderStates{};
  std::array<std::array<DWORD, kTextureStageStateCount>, kMaxTextureStages> stageStates{};
  std::array<Texture*, kMaxTextureStages> textures{};
  D3DMATRIX world, view, projection;
  std::array<D3DMATRIX, kMaxTextureStages> textureMatrices;
  D3DMATERIAL8 material{};
  std::vector<LightSlot> lights;
  D3DVIEWPORT8 viewport{};
  DWORD vertexShader = 0;
  VertexBuffer* stream = nullptr;
  UINT streamStride = 0;
  IndexBuffer* indices = nullptr;
  UINT baseVertexIndex = 0;
};

// Which parts of a DeviceState a state block holds.
struct StateMask {
  std::array<bool, kRenderStateCount> renderStates{};
  std::array<std::array<bool, kTextureStageStateCount>, kMaxTextureStages> stageStates{};
  std::array<bool, kMaxTextureStages> textures{};
  bool world = false, view = false, projection = false;
  std::array<bool, kMaxTextureStages> textureMatrices{};
  bool material = false, viewport = false, vertexShader = false, stream = false, indices = false;
  std::vector<bool> lights;        // the light's parameters
  std::vector<bool> lightEnables;  // its enable flag
};

struct StateBlock {
  DeviceState values;
  StateMask mask;
  ~StateBlock();
};

class Device final : public IDirect3DDevice8 {
 public:
  Device(IDirect3D8* direct3d, UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD flags);
  // Sets up the frame buffers; false when the parameters cannot be served.
  HRESULT initialise(D3DPRESENT_PARAMETERS* parameters);

  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT TestCooperativeLevel() override { return D3D_OK; }
  HRESULT GetDirect3D(IDirect3D8** direct3d) override;
  HRESULT GetDeviceCaps(D3DCAPS8* caps) override;
  HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) override;
  HRESULT GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) override;
  BOOL ShowCursor(BOOL show) override;
  HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override;
  HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND destWindowOverride,
                  const void* dirtyRegion) override;
  HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                        D3DPOOL pool, IDirect3DTexture8** texture) override;
  HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                             IDirect3DVertexBuffer8** buffer) override;
  HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                            IDirect3DIndexBuffer8** buffer) override;
  HRESULT CreateImageSurface(UINT width, UINT height, D3DFORMAT format, IDirect3DSurface8** surface) override;
  HRESULT GetFrontBuffer(IDirect3DSurface8* destination) override;
  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  HRESULT Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                DWORD stencil) override;
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
  HRESULT MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
  HRESULT SetViewport(const D3DVIEWPORT8* viewport) override;
  HRESULT GetViewport(D3DVIEWPORT8* viewport) override;
  HRESULT SetMaterial(const D3DMATERIAL8* material) override;
  HRESULT GetMaterial(D3DMATERIAL8* material) override;
  HRESULT SetLight(DWORD index, const D3DLIGHT8* light) override;
  HRESULT GetLight(DWORD index, D3DLIGHT8* light) override;
  HRESULT LightEnable(DWORD index, BOOL enable) override;
  HRESULT GetLightEnable(DWORD index, BOOL* enable) override;
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
  HRESULT BeginStateBlock() override;
  HRESULT EndStateBlock(DWORD* token) override;
  HRESULT ApplyStateBlock(DWORD token) override;
  HRESULT CaptureStateBlock(DWORD token) override;
  HRESULT DeleteStateBlock(DWORD token) override;
  HRESULT CreateStateBlock(D3DSTATEBLOCKTYPE type, DWORD* token) override;
  HRESULT GetTexture(DWORD stage, IDirect3DTexture8** texture) override;
  HRESULT SetTexture(DWORD stage, IDirect3DTexture8* texture) override;
  HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
  HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;
  HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount, UINT startIndex,
                               UINT primitiveCount) override;
  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices,
                          UINT stride) override;
  HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount,
                                 UINT primitiveCount, const void* indices, D3DFORMAT indexFormat,
                                 const void* vertices, UINT stride) override;
  HRESULT SetVertexShader(DWORD handle) override;
  HRESULT GetVertexShader(DWORD* handle) override;
  HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride) override;
  HRESULT GetStreamSource(UINT stream, IDirect3DVertexBuffer8** buffer, UINT* stride) override;
  HRESULT SetIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex) override;
  HRESULT GetIndices(IDirect3DIndexBuffer8** buffer, UINT* baseVertexIndex) override;

  void setRasterOptions(const RasterOptions& options);

 private:
  ~Device();

  // device_state.cpp
  void resetState();
  void releaseStateReferences(DeviceState& state);
  StateBlock* recordingOrNull() { return recording_.get(); }
  void captureInto(StateBlock& block);
  void applyFrom(const StateBlock& block);
  // device_validate.cpp: derives the DrawState from the state; once per draw.
  void validate();
  // device_draw.cpp
  HRESULT draw(D3DPRIMITIVETYPE type, UINT primitiveCount, const uint8_t* vertices, UINT vertexBytes,
               UINT stride, const uint8_t* indices, UINT indexBytes, D3DFORMAT indexFormat,
               UINT baseVertex);
  void rasterCollected();
  void unbindStream(bool indicesToo);
  RenderTarget renderTarget();
  HRESULT createFrameBuffers(const D3DPRESENT_PARAMETERS& parameters);

  std::atomic<ULONG> references_{1};
  IDirect3D8* direct3d_;
  std::shared_ptr<DeviceLink> link_;
  D3DDEVICE_CREATION_PARAMETERS creation_;
  D3DPRESENT_PARAMETERS presentation_{};
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> backBuffer_;
  std::vector<uint32_t> frontBuffer_;
  std::vector<uint32_t> depthBuffer_;
  std::vector<uint8_t> stencilBuffer_;
  int depthBits_ = 0;
  bool inScene_ = false;
  BOOL cursorShown_ = TRUE;

  DeviceState state_;
  std::unique_ptr<StateBlock> recording_;
  std::map<DWORD, std::unique_ptr<StateBlock>> stateBlocks_;
  DWORD nextStateBlock_ = 1;

  enum Dirty : unsigned {
    kDirtyTransforms = 1,
    kDirtyLights = 2,
    kDirtyStages = 4,
    kDirtyRender = 8,
    kDirtyAll = 15,
  };
  unsigned dirty_ = kDirtyAll;
  DrawState drawState_{};

  RasterOptions options_;
  std::unique_ptr<ThreadPool> pool_;
  // Per-draw work areas, kept between draws so that drawing does not allocate.
  std::vector<ClipVertex> clipVertices_;
  std::vector<ScreenVertex> screenVertices_;
  std::vector<uint8_t> vertexDone_;
  std::vector<Triangle> triangles_;
  std::vector<std::vector<float>> scratch_;
  long collectedPixels_ = 0;
};

}  // namespace d3d8sw
