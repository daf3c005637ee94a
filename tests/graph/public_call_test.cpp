// Public calls: finding the target by pool name, pool instance and channel name, the base
// type rule, waiting requests, target removal, tree-count modes and parameter channels.
#include "public_call_support.h"

namespace {

struct TargetCase {
  const char* name;
  const char* pool;
  int instance;
  int expected;  // index of the public channel found, -1 for none
};

TEST_F(PublicCallTest, TargetIsFoundByPoolNameInstanceAndChannelName) {
  Zyl_ChannelGroup* first = Group("SCENE", 0);
  Zyl_ChannelGroup* second = Group("SCENE", 1);
  Zyl_Channel* targets[] = {AddPublic(first, "render"), AddPublic(second, "render")};
  Zyl_ChannelGroup* caller = Group("Main");
  const TargetCase cases[] = {
      {"Render", "Scene", 0, 0}, {"RENDER", "scene", 1, 1}, {"Render", "Scene", 2, -1},
      {"Render", "Other", 0, -1}, {"Rend", "Scene", 0, -1},
  };
  for (const TargetCase& c : cases) {
    Zyl_Channel* call = AddCall(caller, c.name, c.pool, c.instance);
    EXPECT_EQ(Resolve(call), c.expected < 0 ? nullptr : targets[c.expected])
        << c.name << " " << c.pool << " " << c.instance;
  }
}

TEST_F(PublicCallTest, TargetOfInstanceOneIsNotFoundForInstanceZero) {
  AddPublic(Group("SCENE", 1), "render");
  EXPECT_EQ(Resolve(AddCall(Group("Main"), "Render", "Scene", 0)), nullptr);
}

TEST_F(PublicCallTest, TargetOfAnotherBaseTypeIsNeverUsed) {
  AddPublic(Group("Scene"), "Render", floatGuid);
  Zyl_Channel* call = AddCall(Group("Main"), "Render", "Scene");
  EXPECT_EQ(Resolve(call), nullptr);
  EXPECT_EQ(RequestCount(), 0);
}

TEST_F(PublicCallTest, ChannelsWithoutNameOrNotPublicAreNotTargets) {
  Zyl_ChannelGroup* scene = Group("Scene");
  auto* plain = new TestChannel(derivedMatrixGuid, matrixGuid, "Render");
  scene->AddChannel(plain);
  AddPublic(scene, nullptr);
  EXPECT_EQ(Resolve(AddCall(Group("Main"), "Render", "Scene")), nullptr);
}

TEST_F(PublicCallTest, WaitingCallResolvesWhenTheTargetGroupOffersItsPublicChannels) {
  Zyl_Channel* call = AddCall(Group("Main"), "Render", "Scene");
  EXPECT_EQ(Resolve(call), nullptr);
  EXPECT_EQ(Resolve(call), nullptr);
  EXPECT_EQ(RequestCount(), 1);  // registered once, not again per request

  Zyl_ChannelGroup* scene = Group("Scene");
  Zyl_Channel* target = AddPublic(scene, "Render");
  scene->CheckPublicChannels();
  EXPECT_EQ(RequestCount(), 0);
  EXPECT_EQ(Resolve(call), target);
}

struct OfferCase {
  const char* pool;
  const char* name;
  GUID base;
  int instance;
  bool accepted;
};

TEST_F(PublicCallTest, WaitingCallAcceptsOnlyAMatchingOffer) {
  const OfferCase cases[] = {
      {"Scene", "Render", matrixGuid, 0, true},  {"SCENE", "RENDER", matrixGuid, 0, true},
      {"scene", "Render", matrixGuid, 0, false}, {"Scene", "render", matrixGuid, 0, false},
      {"Scene", "Render", floatGuid, 0, false},  {"Scene", "Render", matrixGuid, 1, false},
      {"Scenes", "Render", matrixGuid, 0, false},
  };
  Zyl_ChannelGroup* caller = Group("Main");
  for (const OfferCase& c : cases) {
    Zyl_Channel* call = AddCall(caller, "Render", "Scene");
    ASSERT_EQ(Resolve(call), nullptr);
    TestChannel offered(derivedMatrixGuid, c.base, c.name);
    EXPECT_EQ(channelInternal.CheckPublicChannelRequest(call, &offered, c.instance, c.pool),
              c.accepted)
        << c.pool << " " << c.name << " " << c.instance;
    // An accepted offer is kept; a second one finds the instance no longer waiting.
    EXPECT_FALSE(channelInternal.CheckPublicChannelRequest(call, &offered, c.instance, c.pool));
    if (c.accepted) {
      EXPECT_EQ(Resolve(call), &offered);
    }
    caller->RemoveChannel(call);
  }
}

TEST_F(PublicCallTest, RemovedOrNoLongerPublicTargetIsForgotten) {
  Zyl_ChannelGroup* scene = Group("Scene");
  Zyl_Channel* target = AddPublic(scene, "Render");
  Zyl_Channel* other = AddPublic(scene, "Camera");
  Zyl_ChannelGroup* caller = Group("Main");
  Zyl_Channel* renderCall = AddCall(caller, "Render", "Scene");
  Zyl_Channel* cameraCall = AddCall(caller, "Camera", "Scene");
  ASSERT_EQ(Resolve(renderCall), target);
  ASSERT_EQ(Resolve(cameraCall), other);

  scene->RemoveChannel(target);
  other->SetChannelInterfaceType(HUX_NORMALCHANNEL);
  EXPECT_EQ(Resolve(renderCall), nullptr);
  EXPECT_EQ(Resolve(cameraCall), nullptr);
}

class CustomGetChannel : public TestChannel {
 public:
  using TestChannel::TestChannel;
  Zyl_Channel* GetChannelFromChannel(Zyl_Channel*, ChildInfo*) override { return &handedOut; }
  TestChannel handedOut{derivedMatrixGuid, matrixGuid, "Inner"};
};

TEST_F(PublicCallTest, PublicCustomGetTargetHandsOutItsChannel) {
  Zyl_ChannelGroup* scene = Group("Scene");
  auto* target = new CustomGetChannel(derivedMatrixGuid, matrixGuid, "Render");
  scene->AddChannel(target);
  target->SetChannelInterfaceType(HUX_PUBLICCUSTOMCHANNELGET);
  EXPECT_EQ(Resolve(AddCall(Group("Main"), "Render", "Scene")), &target->handedOut);
}

struct TreeCountCase {
  uint8_t mode;
  bool withArgument;
  int advance;  // per evaluation
};

TEST_F(PublicCallTest, TreeCountModeDecidesWhetherTheTargetGroupAdvances) {
  const TreeCountCase cases[] = {{0, true, 0}, {1, false, 0}, {1, true, 1}, {2, false, 1}};
  for (const TreeCountCase& c : cases) {
    engine.extension->ReleaseGroups();
    Zyl_ChannelGroup* scene = Group("Scene");
    scene->AddParameterInfo(Parameter("Value"));
    AddPublic(scene, "Render");
    Zyl_ChannelGroup* caller = Group("Main");
    auto* parent = new TestChannel(nullGuid, nullGuid, "Parent");
    parent->Declare(wildcardGuid, 0);
    caller->AddChannel(parent);
    TestChannel* call = AddCall(caller, "Render", "Scene");
    channelInternal.SetTreeCountMode(call, c.mode);
    parent->SetChild(call, 0, 0);
    auto* argument = new TestChannel(floatGuid, floatGuid, "Argument");
    caller->AddChannel(argument);
    if (c.withArgument) {
      ASSERT_EQ(call->SetChild(argument, 0, 0), 0);
    }
    // A stale caller must not survive an evaluation without arguments.
    scene->SetParameterChannel(call);

    const int before = scene->GetTreeCalculateCount();
    parent->GetChild(0);
    parent->GetChild(0);
    EXPECT_EQ(scene->GetTreeCalculateCount() - before, 2 * c.advance) << int(c.mode);
    EXPECT_EQ(scene->GetParameterChannel(0), c.withArgument ? argument : nullptr) << int(c.mode);
  }
}

TEST_F(PublicCallTest, ChangingTheTargetDropsTheResolutionAndTheRequest) {
  Zyl_ChannelGroup* scene = Group("Scene");
  Zyl_Channel* render = AddPublic(scene, "Render");
  Zyl_Channel* call = AddCall(Group("Main"), "Camera", "Scene");
  ASSERT_EQ(Resolve(call), nullptr);
  ASSERT_EQ(RequestCount(), 1);

  PublicCallInfo info = channelInternal.GetPublicCallInfo(call);
  CopyTextField(info.targetName, "Render");
  ASSERT_TRUE(channelInternal.SetPublicCallInfo(call, info));
  EXPECT_EQ(RequestCount(), 0);
  EXPECT_EQ(Resolve(call), render);
}

TEST_F(PublicCallTest, DeletedCallLeavesNoWaitingRequestBehind) {
  Zyl_ChannelGroup* caller = Group("Main");
  Zyl_Channel* call = AddCall(caller, "Render", "Scene");
  ASSERT_EQ(Resolve(call), nullptr);
  channelInternal.SetRequestedPublicChannelNr(call, 1);
  ASSERT_EQ(Resolve(call), nullptr);
  ASSERT_EQ(RequestCount(), 2);
  caller->RemoveChannel(call);
  EXPECT_EQ(RequestCount(), 0);

  auto* loose = new TestChannel(derivedMatrixGuid, matrixGuid, "Loose");
  loose->SetChannelInterfaceType(HUX_PUBLICCALL);
  channelInternal.SetAutoLoadGroup(loose, false);
  ASSERT_EQ(Resolve(loose), nullptr);
  ASSERT_EQ(RequestCount(), 1);
  delete loose;
  EXPECT_EQ(RequestCount(), 0);
  // Offering a public channel afterwards reaches no deleted call.
  Zyl_ChannelGroup* scene = Group("Scene");
  AddPublic(scene, "Render");
  scene->CheckPublicChannels();
}

TEST_F(PublicCallTest, InstanceOutOfRangeNeverResolvesNorWaits) {
  Zyl_ChannelGroup* caller = Group("Main");
  for (int instance : {-1, 1 << 30}) {
    Zyl_Channel* call = AddCall(caller, "Render", "Scene", instance);
    EXPECT_EQ(Resolve(call), nullptr);
    EXPECT_FALSE(channelInternal.CheckPublicChannelRequest(call, call, instance, "Scene"));
  }
  EXPECT_EQ(RequestCount(), 0);
}

}  // namespace
