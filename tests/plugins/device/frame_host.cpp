// The frame bracket of the test host.
#include "frame_host.h"

#include "graph/zyl_channel_group.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "runtime/engine.h"
#include "runtime/engine_interface.h"

Hux_DX8_DirectGraphicsChannel* FrameHost::FindDevice() {
  EngineInterface* engine = control_.GetEngineInterface();
  if (engine == nullptr || engine->engine == nullptr) return nullptr;
  Zyl_ChannelGroup* unique = engine->engine->uniqueGroup;
  if (unique == nullptr) return nullptr;
  for (int i = 0; i < unique->GetChannelCount(); ++i) {
    if (auto* device = dynamic_cast<Hux_DX8_DirectGraphicsChannel*>(unique->GetChannel(i))) {
      return device;
    }
  }
  return nullptr;
}

bool FrameHost::RunFrame() {
  Hux_DX8_DirectGraphicsChannel* channel = FindDevice();
  IDirect3DDevice8* device = channel ? channel->GetDirect3dDevice() : nullptr;
  if (device != nullptr) {
    DWORD flags = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER;
    if (channel->GetUseStencilBuffer()) flags |= D3DCLEAR_STENCIL;
    device->Clear(0, nullptr, flags, clearColor_, 1.0f, 0);
  }
  control_.EngineLoop();
  // The graph may have lost or replaced the device: ask again.
  device = channel ? channel->GetDirect3dDevice() : nullptr;
  if (device == nullptr) return false;
  device->Present(nullptr, nullptr, nullptr, nullptr);
  return true;
}
