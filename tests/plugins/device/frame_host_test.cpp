// The test host's frame bracket around EngineLoop: the frame is cleared before the graph
// runs and presented after it, through the engine's device channel.
#include <cstdlib>
#include <string>

#include "component_test_support.h"
#include "device_channel_fixture.h"
#include "frame_host.h"
#include "graph/zyl_channel_group.h"
#include "hux_dx8_render_channel.h"
#include "runtime/engine.h"

namespace {

constexpr D3DCOLOR clearColor = 0xFF336699;

// A render channel of the start group that notes what it sees while the graph runs.
class WatchingRenderChannel : public Hux_DX8_RenderChannel {
 public:
  void UseDevice(Hux_DX8_DirectGraphicsChannel* device) { graphicsDevice = device; }
  void RenderObjects() override {
    ++renders;
    presentsSeen = window->presentCount();
    IDirect3DDevice8* device = graphicsDevice->GetDirect3dDevice();
    // Inside the scene the render base opened, a second BeginScene fails.
    insideScene = FAILED(device->BeginScene());
  }

  platform::HeadlessWindow* window = nullptr;
  int renders = 0;
  uint64_t presentsSeen = 99;
  bool insideScene = false;
};

class FrameHostTest : public testing::Test {
 protected:
  FrameHostTest() {
    setenv("KELVANE_REGISTRY", (folder.path() / "registry").c_str(), 1);
    control.SetInstallDir(folder.engine().c_str());
    control.SetKelvaneRegKey("Software\\Kelvane\\FrameHost");
  }
  ~FrameHostTest() override { unsetenv("KELVANE_REGISTRY"); }

  TempFolder folder;
  platform::HeadlessWindow window{64, 48};
  MessageCapture capture;
  ScriptedDeviceSystem system;
  EngineControl control;
};

TEST_F(FrameHostTest, ClearsRunsTheGraphAndPresentsThroughTheDevice) {
  ASSERT_TRUE(control.InitEngine(nullptr, "frame-host", &window));
  EngineInterface* engine = control.GetEngineInterface();
  auto* device = ConstructFor<Hux_DX8_DirectGraphicsChannel>(engine);
  ASSERT_NE(device->GetDirect3dDevice(), nullptr);
  engine->engine->uniqueGroup->AddChannel(device);

  Zyl_ChannelGroup* start = engine->CreateNewGroup("Start", false, 0);
  ASSERT_NE(start, nullptr);
  auto* watcher = ConstructFor<WatchingRenderChannel>(engine);
  watcher->window = &window;
  watcher->UseDevice(device);
  start->AddChannel(watcher);

  FrameHost host(control, clearColor);
  EXPECT_EQ(host.FindDevice(), device);
  ASSERT_TRUE(host.RunFrame());
  EXPECT_EQ(watcher->renders, 1);
  EXPECT_EQ(watcher->presentsSeen, 0u);  // not yet presented while the graph ran
  EXPECT_TRUE(watcher->insideScene);
  ASSERT_EQ(window.presentCount(), 1u);
  ASSERT_FALSE(window.lastFrame().empty());
  EXPECT_EQ(window.lastFrame()[0] & 0xFFFFFF, clearColor & 0xFFFFFF);
  // The render base closed the scene it opened.
  EXPECT_TRUE(SUCCEEDED(device->GetDirect3dDevice()->BeginScene()));
  device->GetDirect3dDevice()->EndScene();
}

TEST_F(FrameHostTest, WithoutADeviceTheGraphStillRuns) {
  ASSERT_TRUE(control.InitEngine(nullptr, "frame-host", &window));
  EngineInterface* engine = control.GetEngineInterface();
  ASSERT_NE(engine->CreateNewGroup("Start", false, 0), nullptr);
  FrameHost host(control);
  EXPECT_EQ(host.FindDevice(), nullptr);
  EXPECT_FALSE(host.RunFrame());
  EXPECT_EQ(engine->GetTreeCalculateCount(), 1);
  EXPECT_EQ(window.presentCount(), 0u);
}

}  // namespace
