// What the graphics device channel asks of the system besides its window: the DirectX
// version and a new Direct3D object. Tests install their own to reach the failure paths.
#pragma once

#include "d3d8/d3d8.h"

class DeviceSystem {
 public:
  virtual ~DeviceSystem() = default;
  // The probe over the platform's answers.
  virtual int GetDirectXVersion();
  // Direct3DCreate8.
  virtual IDirect3D8* CreateDirect3D(UINT sdkVersion);
};

// Installs the system the device channels ask from now on and returns the previous one;
// null restores the default. The caller keeps ownership.
DeviceSystem* SetDeviceSystem(DeviceSystem* system);
DeviceSystem& CurrentDeviceSystem();
