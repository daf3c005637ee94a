// An engine started over the staged channels folder with a headless window, for tests of
// the geometry channels (texture, surface, primitive) made through InitChannelFromType.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "base_type_guids.h"
#include "component_test_support.h"
#include "graph/graph_test_support.h"
#include "graph/zyl_channel_group.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "platform/headless_window.h"
#include "runtime/engine_control.h"

class StagedEngineFixture : public testing::Test {
 protected:
  explicit StagedEngineFixture(int width = 96, int height = 64) : window(width, height) {
    setenv("KELVANE_REGISTRY", (folder.path() / "registry").c_str(), 1);
    std::filesystem::create_directory_symlink(KELVANE_STAGE_DIR "/channels",
                                              folder.path() / "channels");
    control.SetInstallDir(folder.engine().c_str());
    control.SetKelvaneRegKey("Software\\Kelvane\\GeometryTests");
  }
  ~StagedEngineFixture() override { unsetenv("KELVANE_REGISTRY"); }

  void SetUp() override {
    ASSERT_TRUE(control.InitEngine(nullptr, "geometry-tests", &window));
    engine = control.GetEngineInterface();
    ASSERT_NE(engine, nullptr);
    device = dynamic_cast<Hux_DX8_DirectGraphicsChannel*>(
        engine->GetUniqueChannel(directGraphicsGuid, nullptr));
    ASSERT_NE(device, nullptr);
    ASSERT_NE(device->GetDirect3dDevice(), nullptr);
    group = engine->CreateNewGroup("Geometry", false, 0);
    ASSERT_NE(group, nullptr);
  }

  // A channel of the type in the test group, as its class (null when it is not one).
  template <class Channel>
  Channel* Make(const GUID& type) {
    return dynamic_cast<Channel*>(engine->InitChannelFromType(type, group, true));
  }

  // The first channel of the class in `loaded`.
  template <class Channel>
  static Channel* FindIn(Zyl_ChannelGroup* loaded) {
    for (int i = 0; i < loaded->GetChannelCount(); ++i) {
      if (auto* channel = dynamic_cast<Channel*>(loaded->GetChannel(i))) return channel;
    }
    return nullptr;
  }

  ScratchFolder folder;
  platform::HeadlessWindow window;
  MessageCapture capture;
  EngineControl control;
  EngineInterface* engine = nullptr;
  Hux_DX8_DirectGraphicsChannel* device = nullptr;
  Zyl_ChannelGroup* group = nullptr;
};
