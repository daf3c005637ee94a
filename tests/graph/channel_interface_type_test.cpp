// Interface-type changes: one-way types, the records they create, and public calls that
// keep their links flat while unresolved.
#include "graph/channel_internal.h"
#include "graph/zyl_channel_group.h"
#include "graph_test_support.h"
#include "runtime/engine.h"

namespace {

class InterfaceType : public EngineTest {};

struct RefusalCase {
  int from;
  int to;
  const char* message;
};

class InterfaceTypeRefusal : public EngineTest,
                             public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(InterfaceTypeRefusal, KeepsTheType) {
  TestChannel channel;
  channel.SetChannelInterfaceType(GetParam().from);
  channel.SetChannelInterfaceType(GetParam().to);
  EXPECT_EQ(channel.GetChannelInterfaceType(), GetParam().from);
  EXPECT_TRUE(capture.Contains(errorMessageType, GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InterfaceTypeRefusal,
    ::testing::Values(
        RefusalCase{HUX_PUBLICCALL, HUX_NORMALCHANNEL,
                    "Zyl_Channel::SetChannelInterfaceType interface can't be changed HUX_PUBLICCALL"},
        RefusalCase{HUX_PARAMETER, HUX_PUBLICCHANNEL,
                    "Zyl_Channel::SetChannelInterfaceType interface can't be changed HUX_PARAMETER"},
        RefusalCase{HUX_CUSTOMCHANNELGET, HUX_PUBLICCHANNEL,
                    "Zyl_Channel::SetChannelInterfaceType interface can't be changed "
                    "HUX_CUSTOMCHANNELGET"}));

TEST_F(InterfaceType, CustomGetMayBecomePublic) {
  TestChannel channel;
  channel.SetChannelInterfaceType(HUX_CUSTOMCHANNELGET);
  channel.SetChannelInterfaceType(HUX_PUBLICCUSTOMCHANNELGET);
  EXPECT_EQ(channel.GetChannelInterfaceType(), HUX_PUBLICCUSTOMCHANNELGET);
  EXPECT_TRUE(capture.messages.empty());
}

TEST_F(InterfaceType, ParameterGetsRecordAndLosesLinks) {
  TestChannel channel;
  TestChannel child;
  channel.Declare(wildcardGuid, -1);
  channel.SetChild(&child, -1, 0);
  channel.SetChannelInterfaceType(HUX_PARAMETER);
  EXPECT_EQ(channel.GetChildCount(), 0);
  ASSERT_NE(channelInternal.GetParameterInfo(&channel), nullptr);
  EXPECT_EQ(channelInternal.GetParameterInfo(&channel)->parameterIndex, 0);
  channelInternal.SetParameterInfo(&channel, 3);
  EXPECT_EQ(channelInternal.GetParameterInfo(&channel)->parameterIndex, 3);
}

TEST_F(InterfaceType, UnresolvedPublicCallKeepsFlatLinks) {
  TestChannel call;
  call.Declare(matrixGuid, 0);
  call.SetChannelInterfaceType(HUX_PUBLICCALL);
  EXPECT_EQ(call.GetChildCount(), 0);
  EXPECT_EQ(channelInternal.GetChildCreationCount(&call), 1);

  TestChannel a{nullGuid, nullGuid, "a"};
  TestChannel b{nullGuid, nullGuid, "b"};
  // Requested positions become slots of the single fallback position.
  EXPECT_EQ(call.SetChild(&a, -1, 0), 0);
  EXPECT_EQ(call.SetChild(&b, -1, 2), 2);
  EXPECT_EQ(call.GetChildFromLinkPosition(0, 0), &a);
  EXPECT_EQ(call.GetChildFromLinkPosition(0, 2), &b);
  EXPECT_EQ(call.GetChildLinkPositionCount(0), 3);
  // Declarations are refused for public calls.
  ChildCreation declaration;
  call.SetChildCreateType(declaration, 1);
  EXPECT_EQ(channelInternal.GetChildCreationCount(&call), 1);
}

TEST_F(InterfaceType, PublicCallRecordAccessors) {
  TestChannel call;
  EXPECT_FALSE(channelInternal.SetPublicCallInfo(&call, PublicCallInfo{}));
  call.SetChannelInterfaceType(HUX_PUBLICCALL);
  EXPECT_TRUE(channelInternal.GetAutoLoadGroup(&call));
  channelInternal.SetDynamicAutoLoadGroup(&call, true);
  EXPECT_FALSE(channelInternal.GetAutoLoadGroup(&call));
  EXPECT_TRUE(channelInternal.GetDynamicAutoLoadGroup(&call));
  channelInternal.SetAutoLoadGroup(&call, true);
  EXPECT_FALSE(channelInternal.GetDynamicAutoLoadGroup(&call));
  channelInternal.SetAutoLoadGroup(&call, false);
  EXPECT_FALSE(channelInternal.GetAutoLoadGroup(&call));

  PublicCallInfo info;
  CopyTextField(info.targetName, "Render");
  info.fallbackCreation.requestLink = 4;
  ASSERT_TRUE(channelInternal.SetPublicCallInfo(&call, info));
  channelInternal.SetRequestedPublicChannelNr(&call, 2);
  PublicCallInfo copy = channelInternal.GetPublicCallInfo(&call);
  EXPECT_STREQ(copy.targetName, "Render");
  EXPECT_EQ(copy.instanceNr, 2);
  EXPECT_EQ(copy.fallbackCreation.requestLink, -1);
}

TEST_F(InterfaceType, PublicChannelLeavingIsForgottenByCalls) {
  Zyl_ChannelGroup* group = new Zyl_ChannelGroup(&engine);
  engine.engine->AddGroup(group);
  auto* target = new TestChannel;
  group->AddChannel(target);
  target->SetChannelInterfaceType(HUX_PUBLICCUSTOMCHANNELGET);

  // A call that resolved the target for instance 0 (resolution itself comes later).
  class ResolvedCall : public TestChannel {
   public:
    void Resolve(Zyl_Channel* t) {
      resolvedTargets = new Zyl_List;
      resolvedTargets->SetItem(t, 0);
    }
    Zyl_Channel* Resolved() { return static_cast<Zyl_Channel*>(resolvedTargets->GetItem(0)); }
  };
  auto* call = new ResolvedCall;
  group->AddChannel(call);
  call->Resolve(target);
  group->SetPoolNr(0);
  target->SetChannelInterfaceType(HUX_NORMALCHANNEL);
  EXPECT_EQ(call->Resolved(), nullptr);
}

}  // namespace

namespace {

TEST_F(InterfaceType, PublicCustomGetLinksOnlyNormalAndPublicChannels) {
  TestChannel parent;
  parent.Declare(wildcardGuid, -1);
  parent.SetChannelInterfaceType(HUX_CUSTOMCHANNELGET);
  parent.SetChannelInterfaceType(HUX_PUBLICCUSTOMCHANNELGET);
  TestChannel call;
  call.SetChannelInterfaceType(HUX_PUBLICCALL);
  TestChannel normal;
  EXPECT_EQ(parent.SetChild(&call, -1, 0), -1);
  EXPECT_TRUE(capture.Contains(userInfoMessageType,
                               "Public custom channel get can only link normal and public channels"));
  EXPECT_EQ(parent.SetChild(&normal, -1, 0), 0);
}

TEST_F(InterfaceType, TimeStampChangesOnEverySet) {
  TestChannel channel;
  const unsigned long first = channel.GetTimeStamp();
  channel.SetTimeStamp();
  const unsigned long second = channel.GetTimeStamp();
  channel.SetTimeStamp();
  EXPECT_NE(first, second);
  EXPECT_NE(second, channel.GetTimeStamp());
}

TEST_F(InterfaceType, DefaultTypeRecordIsCachedFromTheEngine) {
  class Plain : public Zyl_Channel {};
  Plain channel;
  ChannelType type = channel.GetChannelType();
  EXPECT_TRUE(IsNullGuid(type.guid));
  EXPECT_EQ(type.versionInfo[1], channelInterfaceVersion);
  EXPECT_EQ(&channel.CachedChannelType(), &channel.CachedChannelType());
}

}  // namespace
