// Channel groups: index reuse, removal with link clean-up, transfer, lookups, the tree
// count, the start channel, deferred links and release.
#include "graph/channel_internal.h"
#include "graph/zyl_channel_group.h"
#include "graph_test_support.h"
#include "runtime/engine.h"

namespace {

class ChannelGroup : public EngineTest {
 protected:
  TestChannel* Add(Zyl_ChannelGroup& group, const char* name) {
    auto* channel = new TestChannel(nullGuid, nullGuid, name);
    channel->Declare(wildcardGuid, -1);
    group.AddChannel(channel);
    return channel;
  }

  Zyl_ChannelGroup group{&engine};
};

TEST_F(ChannelGroup, IndicesAreReused) {
  TestChannel* a = Add(group, "a");
  TestChannel* b = Add(group, "b");
  TestChannel* c = Add(group, "c");
  EXPECT_EQ(a->GetChannelIDIndexNr(), 0);
  EXPECT_EQ(c->GetChannelIDIndexNr(), 2);
  EXPECT_EQ(b->GetChannelGroup(), &group);
  EXPECT_TRUE(group.RemoveChannel(1));
  EXPECT_EQ(group.GetChannel(1), nullptr);
  TestChannel* d = Add(group, "d");
  EXPECT_EQ(d->GetChannelIDIndexNr(), 1);
  EXPECT_EQ(group.GetChannelCount(), 3);
  EXPECT_EQ(group.AddChannel(d), 1);
  EXPECT_EQ(group.GetChannelCount(), 3);
}

TEST_F(ChannelGroup, RemovalFailsForInvalidEntries) {
  Add(group, "a");
  EXPECT_FALSE(group.RemoveChannel(5));
  EXPECT_FALSE(group.RemoveChannel(-1));
  TestChannel outsider;
  EXPECT_FALSE(group.RemoveChannel(&outsider));
  EXPECT_FALSE(group.RemoveChannel(nullptr));
  EXPECT_EQ(group.AddChannel(nullptr), -1);
}

TEST_F(ChannelGroup, RemovalEmptiesLinksInTheSameGroupOnly) {
  TestChannel* parent = Add(group, "parent");
  TestChannel* child = Add(group, "child");
  parent->SetChild(child, -1, 0);

  Zyl_ChannelGroup other(&engine);
  TestChannel* otherParent = Add(other, "other");  // index 0 in its group
  TestChannel* otherChild = Add(other, "otherChild");  // index 1, like child
  otherParent->SetChild(otherChild, -1, 0);

  EXPECT_TRUE(group.RemoveChannel(child));
  EXPECT_EQ(parent->GetChild(0), nullptr);
  EXPECT_EQ(parent->GetChildCount(), 2);  // the entry stays, empty
  EXPECT_EQ(otherParent->GetChild(0), otherChild);
}

TEST_F(ChannelGroup, TransferKeepsLinks) {
  TestChannel* parent = Add(group, "parent");
  TestChannel* child = Add(group, "child");
  parent->SetChild(child, -1, 0);
  Zyl_ChannelGroup other(&engine);
  Add(other, "first");
  EXPECT_TRUE(group.TransferChannel(1, &other));
  EXPECT_EQ(group.GetChannel(1), nullptr);
  EXPECT_EQ(child->GetChannelGroup(), &other);
  EXPECT_EQ(child->GetChannelIDIndexNr(), 1);
  EXPECT_EQ(parent->GetChild(0), child);
  EXPECT_FALSE(group.TransferChannel(1, &other));
}

TEST_F(ChannelGroup, LookupByNameIgnoresCase) {
  auto* unnamed = new TestChannel;
  group.AddChannel(unnamed);
  TestChannel* light = Add(group, "Light");
  EXPECT_EQ(group.GetChannel("LIGHT"), light);
  EXPECT_EQ(group.GetChannel("Camera"), nullptr);
  EXPECT_EQ(group.GetChannel(static_cast<const char*>(nullptr)), nullptr);
  EXPECT_TRUE(group.GetIfChannelInGroup(light));
  group.SetChannel(light, 5);
  EXPECT_EQ(group.GetChannelCount(), 6);
  EXPECT_EQ(light->GetChannelIDIndexNr(), 1);
  group.SetChannel(nullptr, 5);
}

TEST_F(ChannelGroup, TreeCountWrapsAfter30000) {
  Zyl_ChannelGroup fresh(&engine);
  for (int i = 0; i < 30001; ++i) fresh.IncreaseTreeCount();
  EXPECT_EQ(fresh.GetTreeCalculateCount(), 30000);
  fresh.IncreaseTreeCount();
  EXPECT_EQ(fresh.GetTreeCalculateCount(), 0);
  engine.SetTreeCalculateCount(7);
  EXPECT_EQ(fresh.GetTreeCalculateCount(), 7);
}

TEST_F(ChannelGroup, CallStartChannel) {
  TestChannel* a = Add(group, "a");
  TestChannel* b = Add(group, "b");
  group.SetStartChannel(1);
  group.CallStartChannel();
  EXPECT_EQ(b->computeCount, 1);
  EXPECT_EQ(a->computeCount, 0);
  group.SetStartChannel(-1);
  group.CallStartChannel();
  EXPECT_EQ(a->computeCount, 1);
}

TEST_F(ChannelGroup, EmptyStartEntryOnlyAdvancesTheCount) {
  const int before = group.GetTreeCalculateCount();
  group.SetStartChannel(3);
  group.CallStartChannel();
  EXPECT_EQ(group.GetTreeCalculateCount(), before + 1);
}

TEST_F(ChannelGroup, DeferredLinkCompletesWhenChannelArrives) {
  TestChannel* parent = Add(group, "parent");
  parent->AddPendingLink(1, 0);
  ChannelRequestInfo request;
  request.channelIndex = 1;
  request.slot = 0;
  request.requester = parent;
  request.linkPosition = 0;
  group.AddChannelRequest(request);
  group.CheckRequestListForIndex(1);  // not loaded yet: nothing happens
  EXPECT_TRUE(parent->HasPendingLinks());
  TestChannel* child = Add(group, "child");
  group.CheckRequestListForIndex(1);
  EXPECT_EQ(parent->GetChild(0), child);
  EXPECT_FALSE(parent->HasPendingLinks());
}

TEST_F(ChannelGroup, ParentWindowFallsBackToEngine) {
  auto* window = reinterpret_cast<platform::WindowHandle>(intptr_t{0x10});
  engine.engine->window = window;
  EXPECT_EQ(group.GetParentWindow(), window);
  auto* own = reinterpret_cast<platform::WindowHandle>(intptr_t{0x20});
  group.SetParentWindow(own);
  EXPECT_EQ(group.GetParentWindow(), own);
}

TEST_F(ChannelGroup, ReleaseDeletesChannelsAndKeepsEntries) {
  Add(group, "a");
  Add(group, "b");
  group.SetStartChannel(1);
  group.Release();
  EXPECT_EQ(group.GetChannelCount(), 2);
  EXPECT_EQ(group.GetChannel(0), nullptr);
  EXPECT_EQ(group.GetStartChannel(), 0);
}

TEST_F(ChannelGroup, Accessors) {
  EXPECT_EQ(group.GetGroupIndex(), -1);
  EXPECT_EQ(group.GetPoolNr(), -1);
  EXPECT_EQ(group.GetPoolName(), nullptr);
  group.SetPoolName("Scene");
  group.SetChannelGroupFileName("a.cgr");
  EXPECT_STREQ(group.GetPoolName(), "Scene");
  EXPECT_STREQ(group.GetChannelGroupFileName(), "a.cgr");
  Zyl_ChannelGroup other(&engine);
  EXPECT_FALSE(IsEqualGuid(group.GetUniqueGroupGuid(), other.GetUniqueGroupGuid()));
}

}  // namespace
