// SmartChannel: the reference is handed out only while the same channel is still found
// in the same group slot.
#include "graph/zyl_channel_group.h"
#include "graph_test_support.h"
#include "runtime/engine.h"

namespace {

class SmartChannelTest : public EngineTest {
 protected:
  Zyl_ChannelGroup* NewGroup() {
    auto* group = new Zyl_ChannelGroup(&engine);
    engine.engine->AddGroup(group);
    return group;
  }
};

TEST_F(SmartChannelTest, ValidWhileInPlace) {
  Zyl_ChannelGroup* group = NewGroup();
  auto* channel = new TestChannel;
  group->AddChannel(channel);
  SmartChannel reference(&engine);
  EXPECT_TRUE(reference.SetChannel(channel));
  EXPECT_EQ(reference.GetInternalChannel(), channel);
  EXPECT_EQ(reference.GetChannel(), channel);
  EXPECT_FALSE(reference.SetChannel(nullptr));
  EXPECT_EQ(reference.GetInternalChannel(), nullptr);
}

TEST_F(SmartChannelTest, InvalidWhenAnotherGroupTakesTheSlot) {
  Zyl_ChannelGroup* group = NewGroup();
  auto* channel = new TestChannel;
  group->AddChannel(channel);
  SmartChannel reference(&engine);
  reference.SetChannel(channel);
  const int slot = group->GetGroupIndex();
  engine.DeleteChannelGroup(slot);
  EXPECT_EQ(reference.GetInternalChannel(), nullptr);
  Zyl_ChannelGroup* replacement = NewGroup();
  ASSERT_EQ(replacement->GetGroupIndex(), slot);
  replacement->AddChannel(new TestChannel);
  EXPECT_EQ(reference.GetInternalChannel(), nullptr);
}

TEST_F(SmartChannelTest, InvalidWhenAnotherChannelTakesTheIndex) {
  Zyl_ChannelGroup* group = NewGroup();
  auto* channel = new TestChannel;
  group->AddChannel(channel);
  SmartChannel reference(&engine);
  reference.SetChannel(channel);
  // Moved out (not deleted) so that the new channel cannot reuse its address.
  Zyl_ChannelGroup* elsewhere = NewGroup();
  group->TransferChannel(channel->GetChannelIDIndexNr(), elsewhere);
  group->AddChannel(new TestChannel);
  EXPECT_EQ(reference.GetInternalChannel(), nullptr);
}

TEST_F(SmartChannelTest, ChannelWithoutGroupIsKeptWithoutLocation) {
  TestChannel channel;
  SmartChannel reference;
  EXPECT_FALSE(reference.SetChannel(&channel));
  EXPECT_EQ(reference.GetInternalChannel(), &channel);
  channel.SetChannelInterfaceType(HUX_PARAMETER);
  EXPECT_EQ(reference.GetChannel(), nullptr);
}

TEST_F(SmartChannelTest, CustomGetResolvesThroughTheChannel) {
  class Redirect : public TestChannel {
   public:
    TestChannel target;
    Zyl_Channel* GetChannelFromChannel(Zyl_Channel*, ChildInfo*) override { return &target; }
  };
  Redirect redirect;
  redirect.SetChannelInterfaceType(HUX_CUSTOMCHANNELGET);
  SmartChannel reference;
  reference.SetChannel(&redirect);
  EXPECT_EQ(reference.GetInternalChannel(), &redirect);
  EXPECT_EQ(reference.GetChannel(), &redirect.target);
}

TEST(SmartChannelNoEngine, NothingWithoutAnEngine) {
  TestChannel channel;
  SmartChannel reference;
  reference.SetChannel(&channel);
  EXPECT_EQ(reference.GetInternalChannel(), nullptr);
}

}  // namespace
