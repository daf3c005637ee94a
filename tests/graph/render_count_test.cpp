// The once-per-tree-count rule: within and across frames, ignoreTreeCount, and a shared
// sub-graph computing once per frame.
#include "graph/channel_internal.h"
#include "graph/zyl_channel_group.h"
#include "graph_test_support.h"
#include "platform/time.h"

namespace {

class RenderCount : public EngineTest {};

TEST_F(RenderCount, OncePerEngineCount) {
  TestChannel channel;
  EXPECT_TRUE(channel.CheckRenderCount());
  EXPECT_FALSE(channel.CheckRenderCount());
  EXPECT_EQ(channelInternal.GetTreeRecalculateCount(&channel), 1);
  engine.extension->IncreaseTreeCount();
  EXPECT_TRUE(channel.CheckRenderCount());
  EXPECT_EQ(channelInternal.GetTreeRecalculateCount(&channel), 0);
}

TEST_F(RenderCount, IgnoreTreeCountAlwaysComputes) {
  TestChannel channel;
  channelInternal.SetIgnoreTreeCount(&channel, true);
  EXPECT_TRUE(channelInternal.GetIgnoreTreeCount(&channel));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(channel.CheckRenderCount());
  EXPECT_EQ(channelInternal.GetTreeRecalculateCount(&channel), 0);
}

TEST_F(RenderCount, RecalculateCountWraps) {
  TestChannel channel;
  channel.CheckRenderCount();
  for (int i = 0; i < 256; ++i) channel.CheckRenderCount();
  EXPECT_EQ(channelInternal.GetTreeRecalculateCount(&channel), 0);
}

TEST_F(RenderCount, GroupCountAdvancesWithinAFrame) {
  Zyl_ChannelGroup group(&engine);
  auto* channel = new TestChannel;
  group.AddChannel(channel);
  engine.extension->IncreaseTreeCount();
  EXPECT_TRUE(channel->CheckRenderCount());
  EXPECT_FALSE(channel->CheckRenderCount());
  group.IncreaseTreeCount();  // what a public call does to evaluate the group again
  EXPECT_TRUE(channel->CheckRenderCount());
}

TEST_F(RenderCount, SharedChildComputesOncePerFrame) {
  Zyl_ChannelGroup group(&engine);
  auto* root = new TestChannel(nullGuid, nullGuid, "root");
  auto* left = new TestChannel(nullGuid, nullGuid, "left");
  auto* right = new TestChannel(nullGuid, nullGuid, "right");
  auto* shared = new TestChannel(nullGuid, nullGuid, "shared");
  for (TestChannel* c : {root, left, right}) c->Declare(wildcardGuid, -1);
  for (TestChannel* c : {root, left, right, shared}) group.AddChannel(c);
  root->SetChild(left, -1, 0);
  root->SetChild(right, -1, 0);
  left->SetChild(shared, -1, 0);
  right->SetChild(shared, -1, 0);

  for (int frame = 1; frame <= 3; ++frame) {
    engine.extension->IncreaseTreeCount();
    group.CallStartChannel();
    EXPECT_EQ(shared->computeCount, frame);
    EXPECT_EQ(channelInternal.GetTreeRecalculateCount(shared), 1);
    EXPECT_EQ(root->computeCount, frame);
  }
}

}  // namespace

namespace {

// With call tracking on, GetChild stamps the parent and the child with the tick count; only
// channels of a group that sits in the engine's table are stamped.
TEST_F(RenderCount, GetChildStampsCallingTimeWhileTracking) {
  platform::useFixedStepClock(100);  // 10 ms a step
  Zyl_ChannelGroup group(&engine);
  group.SetGroupIndex(0);
  auto* parent = new TestChannel;
  auto* child = new TestChannel;
  parent->Declare(wildcardGuid, -1);
  group.AddChannel(parent);
  group.AddChannel(child);
  parent->SetChild(child, -1, 0);
  const int created = channelInternal.GetChannelGetChildTime(child);

  platform::advanceClockStep();
  parent->GetChild(0);  // tracking off: no stamp
  EXPECT_EQ(channelInternal.GetChannelGetChildTime(child), created);

  engine.extension->SetIfTrackChannelCalling(true);
  parent->GetChild(0);
  const int stamped = channelInternal.GetChannelGetChildTime(child);
  EXPECT_EQ(static_cast<uint32_t>(stamped), platform::tickCount());
  EXPECT_EQ(channelInternal.GetChannelGetChildTime(parent), stamped);

  group.SetGroupIndex(-1);  // a group outside the table is not tracked
  platform::advanceClockStep();
  parent->GetChild(0);
  EXPECT_EQ(channelInternal.GetChannelGetChildTime(child), stamped);

  engine.extension->SetIfTrackChannelCalling(false);
  platform::useFixedStepClock(0);
}

}  // namespace
