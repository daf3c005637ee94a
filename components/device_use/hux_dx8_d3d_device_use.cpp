// The device-user base.
#include "hux_dx8_d3d_device_use.h"

#include "base_type_guids.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "runtime/engine_interface.h"

Hux_DX8_D3DDeviceUse::Hux_DX8_D3DDeviceUse() {
  if (engineInterface == nullptr) return;
  // The unique channel of this GUID is always made by the graphics device plug-in.
  graphicsDevice = static_cast<Hux_DX8_DirectGraphicsChannel*>(
      engineInterface->GetUniqueChannel(directGraphicsGuid, nullptr));
}

Hux_DX8_D3DDeviceUse::~Hux_DX8_D3DDeviceUse() = default;

void Hux_DX8_D3DDeviceUse::DoDependencyInit(Zyl_List* dependencies) {
  AddChannelGuidDepend(directGraphicsGuid, dependencies);
}

void Hux_DX8_D3DDeviceUse::InvalidateDeviceObjects() {}

void Hux_DX8_D3DDeviceUse::InvalidateDirectGraphics() { graphicsDevice = nullptr; }
