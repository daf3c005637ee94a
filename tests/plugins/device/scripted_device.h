// A Direct3D object and device that forward to the software device while counting calls
// and failing on request, and the device system that hands them to the device channel.
#pragma once

#include <vector>

#include "d3d8/d3d8.h"
#include "device_system.h"

// What the wrappers count and which calls they fail; shared by every object they make.
struct DeviceScript {
  int version = 0x801;
  bool failDirect3D = false;
  bool refuseD24S8 = false;
  int failCreateDevice = 0;  // creations still to fail; -1: all
  HRESULT createDeviceError = D3DERR_NOTAVAILABLE;
  int failReset = 0;  // resets still to fail; -1: all

  int createDeviceCalls = 0;
  int resetCalls = 0;
  int setRenderStateCalls = 0;
  int setTextureStageStateCalls = 0;
  int direct3dCreated = 0;
  int liveDirect3D = 0;
  int liveDevices = 0;
  std::vector<D3DPRESENT_PARAMETERS> createParameters;
  std::vector<DWORD> createFlags;
  std::vector<D3DPRESENT_PARAMETERS> resetParameters;
};

// Wraps the software Direct3D object; devices it creates are wrapped as well.
IDirect3D8* NewScriptedDirect3D(IDirect3D8* inner, DeviceScript& script);

class ScriptedDeviceSystem : public DeviceSystem {
 public:
  ScriptedDeviceSystem() : previous(SetDeviceSystem(this)) {}
  ~ScriptedDeviceSystem() override { SetDeviceSystem(previous); }
  ScriptedDeviceSystem(const ScriptedDeviceSystem&) = delete;
  ScriptedDeviceSystem& operator=(const ScriptedDeviceSystem&) = delete;

  int GetDirectXVersion() override { return script.version; }
  IDirect3D8* CreateDirect3D(UINT sdkVersion) override;

  DeviceScript script;

 private:
  DeviceSystem* previous;
};
