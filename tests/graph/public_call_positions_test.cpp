// Link positions of public calls: the flat fallback position while unresolved, one
// position per target parameter once resolved, and interface changes in every group.
#include "public_call_support.h"

namespace {

class PublicCallPositions : public PublicCallTest {
 protected:
  // The pool Scene with three float parameters and its public channel Render.
  Zyl_ChannelGroup* TargetGroup() {
    Zyl_ChannelGroup* scene = Group("Scene");
    scene->AddParameterInfo(Parameter("First"));
    scene->AddParameterInfo(Parameter("Second"));
    scene->AddParameterInfo(Parameter("Third"));
    AddPublic(scene, "Render");
    return scene;
  }

  TestChannel* Argument(Zyl_ChannelGroup* group, const char* name) {
    auto* argument = new TestChannel(floatGuid, floatGuid, name);
    group->AddChannel(argument);
    return argument;
  }
};

TEST_F(PublicCallPositions, UnresolvedCallHasOneFlatPosition) {
  Zyl_ChannelGroup* caller = Group("Main");
  TestChannel* call = AddCall(caller, "Render", "Scene");
  EXPECT_EQ(channelInternal.GetChildCreationCount(call), 1);
  ChildCreation* fallback = channelInternal.GetChildCreateType(call, 5);
  ASSERT_NE(fallback, nullptr);
  EXPECT_EQ(fallback, channelInternal.GetChildCreateType(call, 0));
  EXPECT_TRUE(IsEqualGuid(fallback->acceptedType.guid, wildcardGuid));
  ASSERT_NE(fallback->childInfo, nullptr);
  EXPECT_TRUE(fallback->childInfo->multiLink);
}

TEST_F(PublicCallPositions, LinksMadeWhileUnresolvedMoveToTheirParameterPositions) {
  Zyl_ChannelGroup* caller = Group("Main");
  TestChannel* call = AddCall(caller, "Render", "Scene");
  TestChannel* first = Argument(caller, "A");
  TestChannel* third = Argument(caller, "B");
  call->SetChild(first, 0, 0);
  const int thirdIndex = call->SetChild(third, 0, 2);
  ASSERT_EQ(thirdIndex, 2);
  channelInternal.GetChildInfo(call, thirdIndex)->userValue = 7;
  EXPECT_EQ(call->GetChildCount(), 4);  // A, an empty slot, B and the fallback head

  Zyl_ChannelGroup* scene = TargetGroup();
  scene->CheckPublicChannels();
  ASSERT_EQ(channelInternal.GetChildCreationCount(call), 3);
  ChildCreation* second = channelInternal.GetChildCreateType(call, 1);
  ASSERT_NE(second, nullptr);
  EXPECT_STREQ(second->linkName, "Second");
  EXPECT_EQ(second->requestLink, 1);
  EXPECT_TRUE(IsEqualGuid(second->acceptedType.guid, floatGuid));

  EXPECT_EQ(call->GetChildFromLinkPosition(0, 0), first);
  EXPECT_EQ(call->GetChildFromLinkPosition(1, 0), nullptr);
  EXPECT_EQ(call->GetChildFromLinkPosition(2, 0), third);
  EXPECT_EQ(channelInternal.GetChildLinkPosition(call, 2), 2);
  EXPECT_EQ(channelInternal.GetChildInfo(call, 2)->userValue, 7);
}

TEST_F(PublicCallPositions, RemovedParameterGivesNoPosition) {
  Zyl_ChannelGroup* scene = TargetGroup();
  scene->RemoveParameterInfo(1);
  TestChannel* call = AddCall(Group("Main"), "Render", "Scene");
  EXPECT_EQ(channelInternal.GetChildCreationCount(call), 3);
  EXPECT_NE(channelInternal.GetChildCreateType(call, 0), nullptr);
  EXPECT_EQ(channelInternal.GetChildCreateType(call, 1), nullptr);
  EXPECT_EQ(channelInternal.GetChildCreateType(call, 3), nullptr);
  EXPECT_EQ(channelInternal.GetChildCreateType(call, -1), nullptr);
}

TEST_F(PublicCallPositions, ArgumentOfTheWrongTypeIsRefused) {
  TargetGroup();
  Zyl_ChannelGroup* caller = Group("Main");
  TestChannel* call = AddCall(caller, "Render", "Scene");
  auto* matrix = new TestChannel(derivedMatrixGuid, matrixGuid, "M");
  caller->AddChannel(matrix);
  EXPECT_EQ(call->SetChild(matrix, 0, 1), -1);
  EXPECT_EQ(call->GetChildFromLinkPosition(1, 0), nullptr);
}

TEST_F(PublicCallPositions, RemovingAParameterDropsTheLinksOfCallsInEveryGroup) {
  Zyl_ChannelGroup* scene = TargetGroup();
  Zyl_ChannelGroup* callers[] = {Group("Main"), Group("Menu")};
  Zyl_ChannelGroup* unrelated = Group("Other");
  TestChannel* otherCall = AddCall(unrelated, "Render", "Elsewhere");
  otherCall->SetChild(Argument(unrelated, "C"), 0, 0);
  std::vector<TestChannel*> calls;
  for (Zyl_ChannelGroup* caller : callers) {
    TestChannel* call = AddCall(caller, "Render", "SCENE");
    ASSERT_EQ(call->SetChild(Argument(caller, "A"), 0, 0), 0);
    calls.push_back(call);
  }

  scene->RemoveParameterInfo(2);
  for (TestChannel* call : calls) {
    EXPECT_EQ(call->GetChildCount(), 0);
    // Rebuilt from the changed parameters on next use.
    EXPECT_EQ(channelInternal.GetChildCreationCount(call), 2);
    EXPECT_NE(channelInternal.GetChildCreateType(call, 1), nullptr);
  }
  EXPECT_GT(otherCall->GetChildCount(), 0);
}

}  // namespace
