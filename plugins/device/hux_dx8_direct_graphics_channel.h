// Hux_DX8_DirectGraphicsChannel: the engine's one Direct3D device as a unique channel:
// creation and recovery, cached state setters, projection and frustum, screen conversions.
#pragma once

#include <cstdint>

#include "d3d8/d3d8.h"
#include "d3dx/d3dx.h"
#include "graph/zyl_channel.h"

// Arguments of the last four-float SetProjectionMatrix made while a device existed.
struct ProjectionInfo {
  float nearPlane;
  float farPlane;
  float projectionScale;
  float zoom;
};

class Hux_DX8_DirectGraphicsChannel : public Zyl_Channel {
 public:
  static constexpr int renderStateCount = 174;
  static constexpr int textureStageCount = 8;
  static constexpr int textureStageStateCount = 30;
  static constexpr int frustumPlaneCount = 6;

  Hux_DX8_DirectGraphicsChannel();
  // Copies would share (and release twice) the device: not copyable.
  Hux_DX8_DirectGraphicsChannel(const Hux_DX8_DirectGraphicsChannel&) = delete;
  Hux_DX8_DirectGraphicsChannel& operator=(const Hux_DX8_DirectGraphicsChannel&) = delete;
  ~Hux_DX8_DirectGraphicsChannel() override;

  // Own virtual operations; other plug-ins call them by slot.
  virtual void SetFullScreenDeviceMode(D3DDISPLAYMODE mode, int adapter,
                                       bool allowHardwareVertexProcessing, bool fullScreen);
  virtual bool CreateD3D();
  virtual IDirect3D8* GetDirect3d();
  virtual IDirect3DDevice8* GetDirect3dDevice();
  virtual void SetProjectionMatrix(D3DXMATRIX& matrix);
  virtual void SetProjectionMatrix(float nearPlane, float farPlane, float scale, float zoom);
  virtual float GetCurrentZoomFactor();
  virtual void SetBackBufferSize(int width, int height);
  virtual int GetBackBufferWidth();
  virtual int GetBackBufferHeight();
  virtual void SetWindowMode(bool windowed);
  virtual bool GetWindowMode();
  virtual bool GetUseStencilBuffer();
  virtual void SetWindowHandle(HWND window);
  virtual bool ResetDevice();
  virtual void InvalidateDeviceObjects();
  virtual bool SetDeviceStates();
  virtual void SetRenderState(D3DRENDERSTATETYPE state, DWORD value);
  virtual D3DXVECTOR3 GetScreenCoordsFromVector(D3DXVECTOR3 position);
  virtual D3DXVECTOR3 GetScreenPresentCoordsFromVector(D3DXVECTOR3 position);
  virtual void GetViewPortScalingMatrix(D3DXMATRIX& matrix);
  virtual RECT GetViewPortRect();
  virtual D3DXVECTOR3 TransformPositionTo3DSpace(D3DXVECTOR3 position);
  virtual D3DVIEWPORT8 GetViewPort();
  virtual void SetViewPort(D3DVIEWPORT8 viewport);
  virtual D3DXMATRIX GetProjectionMatrix();
  virtual D3DXMATRIX GetCameraMatrix();
  virtual D3DXMATRIX GetWorldMatrix();
  virtual void SetDestinationCoords(int x, int y);
  virtual POINT GetDestinationCoords();
  virtual void SetDeviceType(D3DDEVTYPE type);
  virtual D3DDEVTYPE GetDeviceType();
  virtual D3DCAPS8 GetDeviceCaps();
  virtual void CheckDeviceRestore();
  virtual void CalcFrustumPlanes();
  virtual bool CheckAABBVisible(D3DXVECTOR3& min, D3DXVECTOR3& max);
  virtual ProjectionInfo GetProjectionInformation();
  virtual HWND GetPresentWindow();
  virtual void SetPresentWindow(HWND window);
  virtual void SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value);
  virtual D3DXPLANE GetViewFrustumPlane(int index);

 protected:
  IDirect3D8* direct3d = nullptr;
  IDirect3DDevice8* device = nullptr;
  float currentZoomFactor = 1.0f;
  int32_t windowed = 1;
  int32_t backBufferWidth = 0;
  int32_t backBufferHeight = 0;
  D3DPRESENT_PARAMETERS presentParameters{};
  HWND deviceWindow = nullptr;
  int32_t destinationX = 0;
  int32_t destinationY = 0;
  D3DDISPLAYMODE fullScreenMode{};
  D3DDEVTYPE deviceType = D3DDEVTYPE_HAL;
  D3DCAPS8 deviceCaps{};
  uint32_t lastRestoreAttempt = 0;
  RECT savedWindowRect{};
  LONG savedWindowStyle = 0;
  D3DXPLANE frustumPlanes[frustumPlaneCount]{};
  ProjectionInfo projectionInfo{0.4f, 4000.0f, 2.0f, 1.0f};
  HWND presentWindow = nullptr;
  bool useStencilBuffer = false;
  DWORD renderStateCache[renderStateCount]{};
  DWORD textureStageStateCache[textureStageCount][textureStageStateCount]{};

 private:
  HWND EngineWindow();
  // D3DFMT_D24S8 (and the stencil flag) when the adapter takes it with these formats, else D16.
  D3DFORMAT ChooseDepthFormat(UINT adapter, D3DFORMAT adapterFormat, D3DFORMAT targetFormat);
  D3DDISPLAYMODE DesktopMode();
  // Presentation parameters of a reset from the stored sizes, mode and device window.
  D3DPRESENT_PARAMETERS ResetParameters(D3DFORMAT desktopFormat, D3DFORMAT depthFormat);
  DWORD VertexProcessingFlags(bool allowHardware);
  void ReportCreateFailure(HRESULT result);
  void ReleaseDevice();
  void ReleaseDirect3D();
  void DefaultRenderStates();
  void DefaultTextureStageStates();
  void RefillStateCaches();
};
