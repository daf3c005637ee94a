// Hux_DX8_RenderChannel: the base of channels that draw, exported for the deriving
// plug-ins. Evaluation brackets RenderObjects with a scene when none is open.
#pragma once

#include <cstdint>

#include "graph/zyl_channel.h"

class Hux_DX8_DirectGraphicsChannel;

// What a render channel does when evaluated.
inline constexpr int32_t renderCameraAndObjects = 0;
inline constexpr int32_t renderObjectsOnly = 1;
inline constexpr int32_t renderCameraOnly = 2;
inline constexpr int32_t renderNothing = 3;

class Hux_DX8_RenderChannel : public Zyl_Channel {
 public:
  // Takes the unique device channel of the engine (null when it cannot be had).
  Hux_DX8_RenderChannel();
  ~Hux_DX8_RenderChannel() override;

  // Once per tree count: opens the scene when none is open, calls RenderObjects and
  // closes the scene it opened.
  void CallChannel() override;
  void DoDependencyInit(Zyl_List* dependencies) override;

  virtual void RenderObjects();
  virtual void SetRuntimeFunctionType(int type);
  virtual int GetRuntimeFunctionType();

 protected:
  Hux_DX8_DirectGraphicsChannel* graphicsDevice = nullptr;
  int32_t runtimeFunctionType = renderCameraAndObjects;
};

// The channel InitDLL creates: a render channel that draws nothing of its own.
class Hux_DX8_PlainRenderChannel : public Hux_DX8_RenderChannel {};
