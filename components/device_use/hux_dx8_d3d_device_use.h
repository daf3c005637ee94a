// Hux_DX8_D3DDeviceUse: the base of channels that hold Direct3D resources, exported for
// the deriving plug-ins. It fetches the engine's unique graphics device channel.
#pragma once

#include <cstdint>

#include "graph/zyl_channel.h"

class Hux_DX8_DirectGraphicsChannel;

class Hux_DX8_D3DDeviceUse : public Zyl_Channel {
 public:
  // Takes the unique device channel of the engine (null when it cannot be had) and
  // registers with it as a device user; the destructor unregisters.
  Hux_DX8_D3DDeviceUse();
  ~Hux_DX8_D3DDeviceUse() override;

  // Declares the dependency on the graphics device type.
  void DoDependencyInit(Zyl_List* dependencies) override;

  // Releases the channel's device resources; they are rebuilt on next use.
  virtual void InvalidateDeviceObjects();
  // The device channel is going away: forget it.
  virtual void InvalidateDirectGraphics();

 protected:
  Hux_DX8_DirectGraphicsChannel* graphicsDevice = nullptr;
  int32_t deviceUseFlags = 0;  // deriving classes only copy it
};

// The channel InitDLL creates: a device user holding nothing.
class Hux_DX8_PlainDeviceUse : public Hux_DX8_D3DDeviceUse {};
