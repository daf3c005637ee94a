// A graphics device channel made as InitDLL makes it (globalEngine set under the process
// lock) for an engine with a headless window, over the scripted device.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "graph/graph_test_support.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "platform/headless_window.h"
#include "platform/threads.h"
#include "runtime/engine_interface.h"
#include "scripted_device.h"

// Constructs `Channel` for `engine` the way a plug-in's InitDLL runs.
template <class Channel>
Channel* ConstructFor(EngineInterface* engine) {
  platform::ProcessCriticalSection hold;
  HINSTANCE previousInstance = globalDllInstance;
  EngineInterface* previousEngine = globalEngine;
  globalDllInstance = nullptr;
  globalEngine = engine;
  auto* channel = new Channel();
  globalDllInstance = previousInstance;
  globalEngine = previousEngine;
  return channel;
}

class DeviceChannelTest : public testing::Test {
 protected:
  static constexpr int windowWidth = 160;
  static constexpr int windowHeight = 100;

  DeviceChannelTest() { engine.engine->SetWindowHandle(&window); }

  Hux_DX8_DirectGraphicsChannel& Create() {
    channel.reset(ConstructFor<Hux_DX8_DirectGraphicsChannel>(&engine));
    return *channel;
  }

  platform::HeadlessWindow window{windowWidth, windowHeight};
  EngineInterface engine;
  ScriptedDeviceSystem system;
  DeviceScript& script = system.script;
  MessageCapture capture;
  std::unique_ptr<Hux_DX8_DirectGraphicsChannel> channel;
};
