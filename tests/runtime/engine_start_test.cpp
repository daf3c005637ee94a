// Engine start and release, the window handle, registry access and the debug slots.
#include <cstring>
#include <string>

#include "graph/graph_test_support.h"
#include "graph/zyl_channel_group.h"
#include "platform/headless_window.h"
#include "platform/modules.h"
#include "platform/registry.h"
#include "runtime/channel_list.h"
#include "runtime/runtime_test_support.h"
#include "runtime/show_debug.h"

namespace {

class EngineStart : public RuntimeTest {
 protected:
  EngineStart() : previousPath(platform::environmentPath()) {}
  ~EngineStart() override { platform::setEnvironmentPath(previousPath); }

  EngineInterface engine;
  MessageCapture capture;
  std::string previousPath;
};

TEST_F(EngineStart, StartExtendsTheSearchPathOnce) {
  platform::setEnvironmentPath("Z:\\usr\\lib");
  engine.extension->SetInstallDir("Z:\\opt\\kv");
  ASSERT_TRUE(engine.extension->InitEngine(nullptr, "Player"));
  EXPECT_EQ(platform::environmentPath(), "Z:\\opt\\kv\\channels;Z:\\opt\\kv\\3rd;Z:\\usr\\lib");
  EXPECT_STREQ(engine.engine->channelList->channelDir, "Z:\\opt\\kv\\channels");
  EXPECT_STREQ(engine.GetEngineClassName(), "Player");
  EXPECT_STREQ(engine.GetInstallDir(), "Z:\\opt\\kv");

  EngineInterface second;
  second.extension->SetInstallDir("Z:\\opt\\kv");
  ASSERT_TRUE(second.extension->InitEngine(nullptr, nullptr));
  EXPECT_EQ(platform::environmentPath(), "Z:\\opt\\kv\\channels;Z:\\opt\\kv\\3rd;Z:\\usr\\lib");
}

TEST_F(EngineStart, TextsAreCutAtTheirLimits) {
  const std::string longText(700, 'x');
  engine.extension->SetInstallDir(longText.c_str());
  engine.extension->SetKelvaneRegKey(longText.c_str());
  engine.extension->InitEngine(nullptr, longText.c_str());
  EXPECT_EQ(std::strlen(engine.GetInstallDir()), 299u);
  EXPECT_EQ(std::strlen(engine.engine->regKey), 299u);
  EXPECT_EQ(std::strlen(engine.GetEngineClassName()), 259u);
  engine.extension->SetInstallDir(nullptr);
  EXPECT_EQ(std::strlen(engine.GetInstallDir()), 299u);
}

TEST_F(EngineStart, StartClearsTheDebugSlots) {
  engine.extension->DebugOut("before", 4);
  ASSERT_TRUE(engine.extension->InitEngine(nullptr, nullptr));
  EXPECT_STREQ(engine.extension->GetDebug(4), "");
}

TEST_F(EngineStart, NullWindowKeepsThePreviousOne) {
  platform::HeadlessWindow window(64, 48);
  engine.extension->SetWindowHandle(&window);
  engine.extension->SetWindowHandle(nullptr);
  EXPECT_EQ(engine.GetWindowHandle(), &window);
}

TEST_F(EngineStart, ReleaseReportsLibrariesAndStopsEvents) {
  ASSERT_TRUE(engine.extension->InitEngine(nullptr, nullptr));
  engine.CreateNewGroup("P", true, -1);
  engine.extension->Release();
  EXPECT_TRUE(capture.Contains(errorMessageType, "Libraries loaded :  0"));
  EXPECT_EQ(engine.extension->GetCurrentEvent(), Engine::releasedEvent);
  EXPECT_EQ(engine.GetChannelGroup(0), nullptr);
  EXPECT_EQ(engine.engine->channelList, nullptr);
  EXPECT_EQ(engine.engine->uniqueGroup, nullptr);
  EXPECT_EQ(engine.LoadChannelGroup("a.cgr", nullptr), nullptr);
}

TEST_F(EngineStart, UpdateChannelTreeCallsTheStartGroupWithoutAFrame) {
  Zyl_ChannelGroup* group = engine.CreateNewGroup("Start", false, 0);
  auto* channel = new TestChannel;
  group->AddChannel(channel);
  engine.SetTreeCalculateCount(7);
  engine.extension->UpdateChannelTree();
  EXPECT_EQ(channel->computeCount, 1);
  EXPECT_EQ(engine.GetTreeCalculateCount(), 7);
  engine.extension->SetStartGroup(3);
  engine.extension->UpdateChannelTree();
  EXPECT_EQ(channel->computeCount, 1);
}

TEST_F(EngineStart, RegistryValuesRoundTrip) {
  engine.extension->SetKelvaneRegKey("Software\\Kelvane\\Player");
  ASSERT_TRUE(engine.extension->SetRegData("Greeting", "hello"));
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  ASSERT_TRUE(engine.extension->GetRegData("Greeting", buffer, 6));
  EXPECT_STREQ(buffer, "hello");
  EXPECT_FALSE(engine.extension->GetRegData("Missing", buffer, sizeof buffer));
}

TEST_F(EngineStart, EmptyKeyIsTheUserRoot) {
  ASSERT_TRUE(engine.extension->SetRegData("Top", "1"));
  EXPECT_TRUE(platform::registryGetValue("", "Top").has_value());
  char buffer[2] = {};
  EXPECT_TRUE(engine.extension->GetRegData("Top", buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "1");
}

TEST_F(EngineStart, RegistryReadFailures) {
  const std::string key = "Software\\Kelvane";
  engine.extension->SetKelvaneRegKey(key.c_str());
  char buffer[1300];
  // The stored size counts the terminator: "hello" needs 6.
  ASSERT_TRUE(engine.extension->SetRegData("Greeting", "hello"));
  EXPECT_FALSE(engine.extension->GetRegData("Greeting", buffer, 5));
  ASSERT_TRUE(platform::registrySetValue(key, "Count",
                                         {platform::RegistryKind::dword, std::string(4, '\1')}));
  EXPECT_FALSE(engine.extension->GetRegData("Count", buffer, sizeof buffer));
  const std::string huge(1250, 'h');
  ASSERT_TRUE(engine.extension->SetRegData("Huge", huge.c_str()));
  EXPECT_FALSE(engine.extension->GetRegData("Huge", buffer, sizeof buffer));
  engine.extension->SetKelvaneRegKey("Software\\Absent");
  EXPECT_FALSE(engine.extension->GetRegData("Greeting", buffer, sizeof buffer));
}

TEST_F(EngineStart, DebugSlotLimits) {
  EngineInterfaceExt& extension = *engine.extension;
  extension.DebugOut("kept", 9);
  extension.DebugOut("dropped", 10);
  extension.DebugOut("dropped", -1);
  extension.DebugOut(std::string(290, 'a').c_str(), 9);
  EXPECT_STREQ(extension.GetDebug(9), "kept");
  extension.DebugOut(std::string(289, 'a').c_str(), 9);
  EXPECT_EQ(std::strlen(extension.GetDebug(9)), 289u);
  EXPECT_EQ(extension.GetDebug(-1), nullptr);
  EXPECT_EQ(extension.GetDebug(10), nullptr);
}

struct ShowDebugCase {
  void (*write)(ShowDebug&);
  const char* expected;  // null: the slot keeps "old"
};

TEST_F(EngineStart, ShowDebugForms) {
  const ShowDebugCase cases[] = {
      {[](ShowDebug& d) { d("text", 0); }, "text"},
      {[](ShowDebug& d) { d(3.14159265f, 0); }, "3.141592741"},
      {[](ShowDebug& d) { d(42, 0); }, "42."},
      {[](ShowDebug& d) { d(7u, 0); }, "7."},
      {[](ShowDebug& d) { d(0.5, 0); }, "0.5"},
      {[](ShowDebug& d) { d("x=", 3, 0); }, "x=3"},
      {[](ShowDebug& d) { d("y=", 2.5f, 0); }, "y=2.5"},
      {[](ShowDebug& d) { d("a", "b", 0); }, "ab"},
      {[](ShowDebug& d) { d(static_cast<const char*>(nullptr), 3, 0); }, nullptr},
      {[](ShowDebug& d) { d(std::string(351, 'x').c_str(), 3, 0); }, nullptr},
      {[](ShowDebug& d) { d(std::string(351, 'x').c_str(), 1.0f, 0); }, nullptr},
      {[](ShowDebug& d) { d("a", static_cast<const char*>(nullptr), 0); }, nullptr},
      {[](ShowDebug& d) { d(std::string(200, 'a').c_str(), std::string(200, 'b').c_str(), 0); },
       nullptr},
  };
  ShowDebug show(&engine);
  for (const ShowDebugCase& c : cases) {
    engine.extension->DebugOut("old", 0);
    c.write(show);
    EXPECT_STREQ(engine.extension->GetDebug(0), c.expected ? c.expected : "old") << c.expected;
  }
  ShowDebug unbound;
  unbound("ignored", 0);
}

}  // namespace
