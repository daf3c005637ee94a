// The group table and its pools: instance numbering, replacement, the array and non-array
// rules, the first-letter case rule, lookups and the refusals of LoadChannelGroup.
#include "graph/graph_test_support.h"
#include "graph/zyl_channel_group.h"

namespace {

using EngineGroups = EngineTest;

const char* const nonArrayClash = "Engine::CreateNewGroup non array group created with same name";
const char* const poolExists = "Engine::LoadChannelGroup Pool name already exists";
const char* const arraysOnly = "Arrays can only be made trough CreateGroup (Array_LoadGroup)";
const char* const nonArrayPool =
    "Engine::LoadChannelGroup wanted to load a channel group in a non array pool";
const char* const loadError = "Engine::LoadChannelGroup: Error loading channel group";

TEST_F(EngineGroups, ArrayInstancesCountUpFromZero) {
  for (int expected = 0; expected < 3; ++expected) {
    Zyl_ChannelGroup* group = engine.CreateNewGroup("P", true, -1);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetPoolNr(), expected);
    EXPECT_EQ(group->GetGroupIndex(), expected);
    EXPECT_STREQ(group->GetPoolName(), "P");
    EXPECT_TRUE(group->GetIfArrayGroup());
  }
  EXPECT_EQ(engine.GetHighInstance("P"), 2);
  EXPECT_EQ(engine.GetHighInstance("Q"), -1);
  EXPECT_EQ(engine.GetHighInstance(nullptr), 0);
  EXPECT_EQ(engine.GetPoolGroup("p", 1), engine.GetChannelGroup(1));
  EXPECT_EQ(engine.GetPoolGroup(nullptr, 0), nullptr);
}

TEST_F(EngineGroups, EmptyPoolNameGivesNoGroup) {
  EXPECT_EQ(engine.CreateNewGroup(nullptr, true, -1), nullptr);
  EXPECT_EQ(engine.CreateNewGroup("", true, -1), nullptr);
  EXPECT_EQ(engine.GetChannelGroupCount(), 0);
}

TEST_F(EngineGroups, NonArrayGroupOfAnExistingPoolIsRefused) {
  ASSERT_NE(engine.CreateNewGroup("P", false, -1), nullptr);
  EXPECT_EQ(engine.CreateNewGroup("P", false, -1), nullptr);
  EXPECT_TRUE(capture.Contains(errorMessageType, nonArrayClash));
  EXPECT_EQ(engine.GetChannelGroupCount(), 1);
}

TEST_F(EngineGroups, ExplicitInstanceReplacesTheOldGroup) {
  engine.CreateNewGroup("P", true, -1);
  Zyl_ChannelGroup* old = engine.CreateNewGroup("P", true, -1);
  engine.CreateNewGroup("P", true, -1);
  old->SetChannelGroupFileName("marker");
  Zyl_ChannelGroup* replacement = engine.CreateNewGroup("P", true, 1);
  ASSERT_NE(replacement, nullptr);
  EXPECT_EQ(replacement->GetGroupIndex(), 1);  // the slot the old group left
  EXPECT_EQ(replacement->GetPoolNr(), 1);
  EXPECT_EQ(engine.GetChannelGroupCount(), 3);
  EXPECT_EQ(engine.GetChannelGroup("marker", 1), nullptr);
  EXPECT_EQ(engine.GetPoolGroup("P", 1), replacement);
}

TEST_F(EngineGroups, RefusedReplacementKeepsTheOldGroup) {
  Zyl_ChannelGroup* first = engine.CreateNewGroup("P", true, 2);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(engine.CreateNewGroup("P", false, 2), nullptr);
  EXPECT_TRUE(capture.Contains(errorMessageType, nonArrayClash));
  EXPECT_EQ(engine.GetPoolGroup("P", 2), first);
}

TEST_F(EngineGroups, ArrayOfAGroupLoadedUnderThePoolNameIsRefused) {
  Zyl_ChannelGroup* loaded = engine.CreateNewGroup("Other", false, 0);
  loaded->SetChannelGroupFileName("P");
  EXPECT_EQ(engine.CreateNewGroup("P", true, 1), nullptr);
  EXPECT_TRUE(capture.Contains(
      errorMessageType, "Engine::CreateNewGroup wanted to create an array of a non array group!"));
  loaded->SetIfArrayGroup(true);
  EXPECT_NE(engine.CreateNewGroup("P", true, 1), nullptr);
}

TEST_F(EngineGroups, FirstLetterCaseSeparatesPools) {
  engine.CreateNewGroup("pool", true, -1);
  engine.CreateNewGroup("pool", true, -1);
  // "Pool" is a pool of its own; "pOOL" shares the first letter and so the pool.
  EXPECT_EQ(engine.GetHighInstance("Pool"), -1);
  EXPECT_EQ(engine.GetHighInstance("pOOL"), 1);
  EXPECT_EQ(engine.CreateNewGroup("Pool", false, -1)->GetPoolNr(), 0);
  EXPECT_EQ(engine.CreateNewGroup("pOOL", true, -1)->GetPoolNr(), 2);
  // The lookup by pool name ignores case throughout.
  EXPECT_NE(engine.GetPoolGroup("POOL", 1), nullptr);
}

TEST_F(EngineGroups, InstanceMinusTwoTakesTheFirstEmptySlot) {
  for (int i = 0; i < 3; ++i) engine.CreateNewGroup("P", true, -1);
  EXPECT_EQ(engine.CreateNewGroup("Q", true, -2)->GetPoolNr(), 0);
  engine.DeleteChannelGroup(1);
  Zyl_ChannelGroup* group = engine.CreateNewGroup("P", true, -2);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->GetPoolNr(), 1);
  EXPECT_EQ(group->GetGroupIndex(), 1);
}

TEST_F(EngineGroups, DeletedSlotStaysCountedAndIsReused) {
  for (int i = 0; i < 3; ++i) engine.CreateNewGroup("P", true, -1);
  engine.DeleteChannelGroup(1);
  engine.DeleteChannelGroup(1);
  EXPECT_EQ(engine.GetChannelGroupCount(), 3);
  EXPECT_EQ(engine.GetChannelGroup(1), nullptr);
  EXPECT_EQ(engine.CreateNewGroup("R", false, 0)->GetGroupIndex(), 1);
}

TEST_F(EngineGroups, GroupByFileNameAndInstance) {
  Zyl_ChannelGroup* group = engine.CreateNewGroup("P", true, 0);
  group->SetChannelGroupFileName("Shared\\Scene.cgr");
  EXPECT_EQ(engine.GetChannelGroup("shared\\scene.CGR", 0), group);
  EXPECT_EQ(engine.GetChannelGroup("shared\\scene.cgr", 1), nullptr);
  EXPECT_EQ(engine.GetChannelGroup(static_cast<const char*>(nullptr), 0), nullptr);
}

TEST_F(EngineGroups, ReleaseGroupsEmptiesTheTable) {
  for (int i = 0; i < 3; ++i) engine.CreateNewGroup("P", true, -1);
  engine.extension->ReleaseGroups();
  EXPECT_EQ(engine.GetChannelGroupCount(), 0);
  EXPECT_EQ(engine.CreateNewGroup("P", true, -1)->GetGroupIndex(), 0);
}

TEST_F(EngineGroups, LoadRefusedBeforeEngineStart) {
  EXPECT_EQ(engine.LoadChannelGroup("a.cgr", nullptr), nullptr);
  EXPECT_TRUE(capture.messages.empty());
}

struct LoadRefusal {
  bool existingIsArray;
  std::vector<std::string> messages;
};

TEST_F(EngineGroups, LoadIntoAnExistingPoolIsRefused) {
  const LoadRefusal cases[] = {
      {true, {poolExists, arraysOnly}},
      {false, {nonArrayPool}},
  };
  engine.engine->initialized = true;
  for (const LoadRefusal& c : cases) {
    engine.extension->ReleaseGroups();
    capture.messages.clear();
    engine.CreateNewGroup("pool", c.existingIsArray, 0);
    EXPECT_EQ(engine.LoadChannelGroup("p.cgr", "pOOL"), nullptr);
    ASSERT_EQ(capture.messages.size(), c.messages.size());
    for (size_t i = 0; i < c.messages.size(); ++i) {
      EXPECT_EQ(capture.messages[i].second, c.messages[i]);
    }
    EXPECT_EQ(engine.GetChannelGroupCount(), 1);
  }
}

TEST_F(EngineGroups, PoolWithAnUnnumberedGroupIsRefusedSilently) {
  engine.engine->initialized = true;
  auto* group = new Zyl_ChannelGroup(&engine);
  group->SetPoolName("P");
  engine.engine->AddGroup(group);
  EXPECT_EQ(engine.LoadChannelGroup("p.cgr", "P"), nullptr);
  EXPECT_TRUE(capture.messages.empty());
}

TEST_F(EngineGroups, FailedLoadFreesItsSlot) {
  engine.engine->initialized = true;
  // A group of "pool" does not stand in the way of "Pool".
  engine.CreateNewGroup("pool", false, 0);
  EXPECT_EQ(engine.LoadChannelGroup("missing.cgr", "Pool"), nullptr);
  EXPECT_TRUE(capture.Contains(errorMessageType, loadError));
  EXPECT_EQ(engine.GetChannelGroup(1), nullptr);
  EXPECT_EQ(engine.LoadChannelGroup("missing.cgr", nullptr), nullptr);
  EXPECT_EQ(engine.CreateNewGroup("Next", false, 0)->GetGroupIndex(), 1);
}

}  // namespace
