// Group parameters: the record list with reuse of empty entries, parameter resolution
// through the calling public call, and interface changes dropping public-call links.
#include "group_file_fixture.h"

namespace {

ParameterInterfaceInfo Parameter(const char* name) {
  ParameterInterfaceInfo info;
  CopyTextField(info.name, name);
  info.guid = leafGuid;
  return info;
}

// An extension that tells every registered group about an interface change, as the
// engine's broadcast does.
class BroadcastExtension : public EngineInterfaceExt {
 public:
  void CheckInterfaceChange(const char* poolName) override {
    ++calls;
    for (Zyl_ChannelGroup* group : groups) group->CheckInterfaceChange(poolName);
  }
  std::vector<Zyl_ChannelGroup*> groups;
  int calls = 0;
};

class GroupParametersTest : public GroupFileTest {
 protected:
  GroupParametersTest() {
    extension->SetEngineInterface(&engine);
    delete engine.extension;
    engine.extension = extension;
  }

  // A public call into `pool` in `group`, holding one flat link to a leaf.
  TestChannel* AddPublicCall(Zyl_ChannelGroup& group, const char* pool) {
    auto* call = new TestChannel(leafGuid);
    group.AddChannel(call);
    call->SetChannelInterfaceType(HUX_PUBLICCALL);
    PublicCallInfo info;
    CopyTextField(info.targetPool, pool);
    channelInternal.SetPublicCallInfo(call, info);
    auto* argument = new TestChannel(leafGuid);
    group.AddChannel(argument);
    call->SetChild(argument, -1, 0);
    return call;
  }

  BroadcastExtension* extension = new BroadcastExtension;
  Zyl_ChannelGroup group{&engine};
};

TEST_F(GroupParametersTest, RemovedMiddleParameterLeavesAHoleThatAddFills) {
  for (const char* name : {"a", "b", "c"}) group.AddParameterInfo(Parameter(name));
  group.RemoveParameterInfo(1);
  EXPECT_EQ(group.GetParameterCount(), 3);
  EXPECT_TRUE(IsEqualGuid(group.GetParameterInfo(1).guid, nullGuid));
  EXPECT_EQ(group.AddParameterInfo(Parameter("d")), 1);
  EXPECT_STREQ(group.GetParameterInfo(1).name, "d");
}

TEST_F(GroupParametersTest, RemovingTheLastParameterShortensTheList) {
  group.AddParameterInfo(Parameter("a"));
  group.AddParameterInfo(Parameter("b"));
  group.RemoveParameterInfo(1);
  EXPECT_EQ(group.GetParameterCount(), 1);
  EXPECT_EQ(extension->calls, 1);
}

TEST_F(GroupParametersTest, SetGrowsTheListAndCutsLongNames) {
  ParameterInterfaceInfo info;
  std::memset(info.name, 'x', sizeof info.name);  // no terminator
  info.guid = nodeGuid;
  group.SetParameterInfo(info, 2);
  EXPECT_EQ(group.GetParameterCount(), 3);
  EXPECT_EQ(std::strlen(group.GetParameterInfo(2).name), sizeof info.name - 1);
  EXPECT_TRUE(IsEqualGuid(group.GetParameterInfo(2).guid, nodeGuid));
  EXPECT_TRUE(IsEqualGuid(group.GetParameterInfo(0).guid, nullGuid));
  EXPECT_TRUE(IsEqualGuid(group.GetParameterInfo(-1).guid, nullGuid));
}

TEST_F(GroupParametersTest, ParameterChannelWithoutCallerResolvesToNull) {
  auto* user = FileEngine::NewNode();
  auto* parameter = new TestChannel(leafGuid);
  group.AddChannel(user);
  group.AddChannel(parameter);
  parameter->SetChannelInterfaceType(HUX_PARAMETER);
  user->SetChild(parameter, -1, 0);
  EXPECT_EQ(group.GetParameterChannel(0), nullptr);
  EXPECT_EQ(user->GetChild(0), nullptr);
}

struct ArgumentCase {
  const char* label;
  GUID parameterType;
  GUID argumentType;
  GUID argumentBase;
  bool accepted;
};

TEST_F(GroupParametersTest, ParameterResolvesToTheCallersArgumentByType) {
  const std::vector<ArgumentCase> cases = {
      {"same base type", leafGuid, matrixGuid, leafGuid, true},
      {"other type", leafGuid, leafGuid, floatGuid, false},
      {"wildcard parameter", wildcardGuid, floatGuid, floatGuid, true},
  };
  for (const ArgumentCase& c : cases) {
    SCOPED_TRACE(c.label);
    Zyl_ChannelGroup target(&engine);
    auto* user = FileEngine::NewNode();
    auto* parameter = new TestChannel(c.parameterType);
    target.AddChannel(user);
    target.AddChannel(parameter);
    parameter->SetChannelInterfaceType(HUX_PARAMETER);
    channelInternal.SetParameterInfo(parameter, 0);
    user->SetChild(parameter, -1, 0);

    TestChannel caller(leafGuid);
    caller.Declare(wildcardGuid, 0);
    TestChannel argument(c.argumentType, c.argumentBase);
    caller.SetChild(&argument, -1, 0);
    target.SetParameterChannel(&caller);
    EXPECT_EQ(target.GetParameterChannel(0), &argument);
    EXPECT_EQ(user->GetChild(0), c.accepted ? &argument : nullptr);
    target.SetParameterChannel(nullptr);
    EXPECT_EQ(user->GetChild(0), nullptr);
  }
}

TEST_F(GroupParametersTest, RemovingAParameterDropsPublicCallLinksInEveryGroup) {
  group.SetPoolName("Rooms");
  group.AddParameterInfo(Parameter("a"));
  Zyl_ChannelGroup first(&engine);
  Zyl_ChannelGroup second(&engine);
  extension->groups = {&group, &first, &second};
  TestChannel* intoRooms = AddPublicCall(first, "ROOMS");
  TestChannel* alsoIntoRooms = AddPublicCall(second, "rooms");
  TestChannel* elsewhere = AddPublicCall(second, "Halls");
  ASSERT_GT(intoRooms->GetChildCount(), 0);
  ASSERT_GT(elsewhere->GetChildCount(), 0);
  group.RemoveParameterInfo(0);
  EXPECT_EQ(intoRooms->GetChildCount(), 0);
  EXPECT_EQ(alsoIntoRooms->GetChildCount(), 0);
  EXPECT_GT(elsewhere->GetChildCount(), 0);
}

TEST_F(GroupParametersTest, InterfaceChangeWithoutPoolDoesNothing) {
  TestChannel* call = AddPublicCall(group, "No Pool");
  const int links = call->GetChildCount();
  group.CheckInterfaceChange(nullptr);
  EXPECT_EQ(call->GetChildCount(), links);
}

}  // namespace
