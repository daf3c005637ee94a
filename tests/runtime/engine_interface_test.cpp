// The minimal engine interface: construction, tree count, group table and flags.
#include "graph/graph_test_support.h"
#include "graph/zyl_channel_group.h"
#include "runtime/channel_list.h"
#include "runtime/engine.h"
#include "runtime/engine_interface_ext.h"

namespace {

TEST(EngineInterface, ConstructionLinksTheParts) {
  EngineInterface engine;
  EXPECT_EQ(engine.selfInterface, &engine);
  ASSERT_NE(engine.extension, nullptr);
  EXPECT_EQ(engine.extension->engineInterface, &engine);
  EXPECT_EQ(engine.engine->engineInterface, &engine);
  ASSERT_NE(engine.engine->uniqueGroup, nullptr);
  ASSERT_NE(engine.extension->GetChannelList(), nullptr);
  EXPECT_EQ(engine.extension->GetChannelList()->engineInterface, &engine);
  EXPECT_TRUE(engine.GetGraphRunning());
  engine.extension->SetGraphRunning(false);
  EXPECT_FALSE(engine.GetGraphRunning());
  EXPECT_FALSE(engine.extension->GetIfTrackChannelCalling());
  EXPECT_EQ(engine.GetWindowHandle(), nullptr);
}

TEST(EngineInterface, TreeCountRunsTo30000ThenZero) {
  EngineInterface engine;
  engine.SetTreeCalculateCount(29999);
  engine.extension->IncreaseTreeCount();
  EXPECT_EQ(engine.GetTreeCalculateCount(), 30000);
  engine.extension->IncreaseTreeCount();
  EXPECT_EQ(engine.GetTreeCalculateCount(), 0);
}

TEST(EngineInterface, GroupTableReusesEmptySlots) {
  EngineInterface engine;
  auto* a = new Zyl_ChannelGroup(&engine);
  auto* b = new Zyl_ChannelGroup(&engine);
  EXPECT_EQ(engine.engine->AddGroup(a), 0);
  EXPECT_EQ(engine.engine->AddGroup(b), 1);
  EXPECT_EQ(b->GetGroupIndex(), 1);
  EXPECT_EQ(engine.GetChannelGroup(1), b);
  engine.DeleteChannelGroup(0);
  EXPECT_EQ(engine.GetChannelGroup(0), nullptr);
  EXPECT_EQ(engine.GetChannelGroupCount(), 2);
  auto* c = new Zyl_ChannelGroup(&engine);
  EXPECT_EQ(engine.engine->AddGroup(c), 0);
  EXPECT_EQ(engine.GetChannelGroup(-1), nullptr);
  EXPECT_EQ(engine.GetChannelGroup(2), nullptr);
}

TEST(EngineInterface, ChannelTakesEngineFromGlobals) {
  EngineInterface engine;
  EngineInterface* previous = globalEngine;
  globalEngine = &engine;
  TestChannel channel;
  globalEngine = previous;
  EXPECT_EQ(channel.engineInterface, &engine);
  EXPECT_EQ(channel.module, globalDllInstance);
}

}  // namespace
