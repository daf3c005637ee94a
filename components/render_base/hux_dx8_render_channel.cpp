// The render base.
#include "hux_dx8_render_channel.h"

#include "base_type_guids.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "runtime/engine_interface.h"

Hux_DX8_RenderChannel::Hux_DX8_RenderChannel() {
  if (engineInterface == nullptr) return;
  graphicsDevice = static_cast<Hux_DX8_DirectGraphicsChannel*>(
      engineInterface->GetUniqueChannel(directGraphicsGuid, nullptr));
}

Hux_DX8_RenderChannel::~Hux_DX8_RenderChannel() = default;

void Hux_DX8_RenderChannel::CallChannel() {
  if (!CheckRenderCount()) return;
  IDirect3DDevice8* device = graphicsDevice ? graphicsDevice->GetDirect3dDevice() : nullptr;
  // BeginScene fails while a scene is open: then the opener closes it, not this channel.
  bool opened = device != nullptr && SUCCEEDED(device->BeginScene());
  RenderObjects();
  if (opened) device->EndScene();
}

void Hux_DX8_RenderChannel::DoDependencyInit(Zyl_List* dependencies) {
  AddChannelGuidDepend(directGraphicsGuid, dependencies);
}

void Hux_DX8_RenderChannel::RenderObjects() {}

void Hux_DX8_RenderChannel::SetRuntimeFunctionType(int type) { runtimeFunctionType = type; }

int Hux_DX8_RenderChannel::GetRuntimeFunctionType() { return runtimeFunctionType; }
