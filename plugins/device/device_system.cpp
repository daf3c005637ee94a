// The default device system and the installed one.
#include "device_system.h"

#include "directx_probe.h"

namespace {
DeviceSystem defaultSystem;
DeviceSystem* installedSystem = &defaultSystem;
}  // namespace

int DeviceSystem::GetDirectXVersion() { return ProbeDirectXVersion(PlatformProbeSystem()); }

IDirect3D8* DeviceSystem::CreateDirect3D(UINT sdkVersion) { return Direct3DCreate8(sdkVersion); }

DeviceSystem* SetDeviceSystem(DeviceSystem* system) {
  DeviceSystem* previous = installedSystem == &defaultSystem ? nullptr : installedSystem;
  installedSystem = system != nullptr ? system : &defaultSystem;
  return previous;
}

DeviceSystem& CurrentDeviceSystem() { return *installedSystem; }
