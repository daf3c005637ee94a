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
  // Registered at the device's "Textures" link, so that a reset or the device's end
  // reaches this channel.
  if (graphicsDevice != nullptr) graphicsDevice->SetChild(this, -1, 0);
}

Hux_DX8_D3DDeviceUse::~Hux_DX8_D3DDeviceUse() {
  if (graphicsDevice == nullptr) return;
  for (int i = 0; i < graphicsDevice->GetChildCount(); ++i) {
    if (graphicsDevice->GetChild(i) == this) graphicsDevice->RemoveChild(i);
  }
}

void Hux_DX8_D3DDeviceUse::DoDependencyInit(Zyl_List* dependencies) {
  AddChannelGuidDepend(directGraphicsGuid, dependencies);
}

void Hux_DX8_D3DDeviceUse::InvalidateDeviceObjects() {}

void Hux_DX8_D3DDeviceUse::InvalidateDirectGraphics() { graphicsDevice = nullptr; }
