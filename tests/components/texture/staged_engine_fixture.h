// An engine started over the staged channels folder with a headless window, for tests of
// the geometry channels (texture, surface, primitive) made through InitChannelFromType.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "base_type_guids.h"
#include "component_test_support.h"
#include "fixed_block.h"
#include "graph/zyl_file_loader.h"
#include "graph/zyl_file_saver.h"
#include "golden.h"
#include "graph/graph_test_support.h"
#include "graph/zyl_channel_group.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "platform/headless_window.h"
#include "runtime/engine_control.h"
#include "runtime/engine_interface_ext.h"

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

  // View identity and an orthographic projection of `width` x `height` units about the
  // origin (depth 0.1 to 20), frustum planes updated; lit by no light, so a lit vertex has
  // its material's emissive colour and diffuse alpha.
  void UseOrthoView(float width, float height) {
    IDirect3DDevice8* d3d = device->GetDirect3dDevice();
    D3DXMATRIX view, projection;
    D3DXMatrixIdentity(&view);
    d3d->SetTransform(D3DTS_VIEW, &view);
    D3DXMatrixOrthoLH(&projection, width, height, 0.1f, 20.0f);
    device->SetProjectionMatrix(projection);
    device->CalcFrustumPlanes();
    d3d->SetRenderState(D3DRS_LIGHTING, TRUE);
    d3d->SetRenderState(D3DRS_AMBIENT, 0);
  }

  // One frame as the engine runs it: the tree count advances (so every channel computes
  // afresh), then clears to `clear`, runs `draw` inside a scene and presents; the frame.
  kelvane::test::Image DrawFrame(const std::function<void()>& draw, D3DCOLOR clear) {
    engine->extension->IncreaseTreeCount();
    IDirect3DDevice8* d3d = device->GetDirect3dDevice();
    d3d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, clear, 1.0f, 0);
    d3d->BeginScene();
    draw();
    d3d->EndScene();
    d3d->Present(nullptr, nullptr, nullptr, nullptr);
    return kelvane::test::Image{window.lastFrameWidth(), window.lastFrameHeight(), window.lastFrame()};
  }

  // Loads `channel` from a record of the common channel record and one block `tag` of
  // `size` zero bytes.
  bool LoadWithBlock(Zyl_Channel& channel, const char* tag, unsigned long size) {
    ZylFileSaver saver(engine);
    saver.OpenMemory();
    channel.Zyl_Channel::SaveChannel(saver);
    std::string data(size, '\0');
    SaveFixedBlock(saver, tag, data.data(), size);
    std::string bytes(saver.GetBuffer(), static_cast<size_t>(saver.GetBufferSize()));
    ZylFileLoader loader(engine);
    loader.SetBuffer(bytes.data(), static_cast<int>(bytes.size()), true);
    return channel.LoadChannel(loader, group);
  }

  TempFolder folder;
  platform::HeadlessWindow window;
  MessageCapture capture;
  EngineControl control;
  EngineInterface* engine = nullptr;
  Hux_DX8_DirectGraphicsChannel* device = nullptr;
  Zyl_ChannelGroup* group = nullptr;
};
