// The test host's frame bracket: clear the back buffer, run EngineLoop, present, through
// the engine's graphics device channel when it has one.
#pragma once

#include "d3d8/d3d8.h"
#include "runtime/engine_control.h"

class Hux_DX8_DirectGraphicsChannel;

class FrameHost {
 public:
  explicit FrameHost(EngineControl& control, D3DCOLOR clearColor = 0xFF000000)
      : control_(control), clearColor_(clearColor) {}

  // One frame; false when there was no device to clear and present with.
  bool RunFrame();

  // The device channel among the engine's unique channels, or null; never creates one.
  Hux_DX8_DirectGraphicsChannel* FindDevice();

 private:
  EngineControl& control_;
  D3DCOLOR clearColor_;
};
