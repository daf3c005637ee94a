// Group files written and read by the staged file components: round trips, empty slots
// and parameters, deferred links, pools, read-only files and failed saves.
#include <filesystem>

#include "group_file_fixture.h"
#include "platform/files.h"

namespace {

ParameterInterfaceInfo Parameter(const char* name, const GUID& guid) {
  ParameterInterfaceInfo info;
  CopyTextField(info.name, name);
  info.guid = guid;
  return info;
}

// Four slots: a node linking forward to the leaf at 3 (in slot 2 of its multi-link
// position) and back to nothing, an empty slot, a parameter channel and a leaf; three
// parameters with an empty one in the middle.
void BuildSampleGroup(Zyl_ChannelGroup& group) {
  TestChannel* node = FileEngine::NewNode("Root");
  group.AddChannel(node);
  group.AddChannel(new TestChannel(leafGuid, nullGuid, "Removed"));
  auto* parameter = new TestChannel(leafGuid, nullGuid, "Argument");
  group.AddChannel(parameter);
  parameter->SetChannelInterfaceType(HUX_PARAMETER);
  channelInternal.SetParameterInfo(parameter, 2);
  auto* leaf = new TestChannel(leafGuid, nullGuid, "Leaf");
  group.AddChannel(leaf);
  node->SetChild(parameter, -1, 0);
  node->SetChild(leaf, 2, 1);
  group.RemoveChannel(1);
  group.SetStartChannel(3);
  group.AddParameterInfo(Parameter("First", leafGuid));
  group.AddParameterInfo(Parameter("Second", nodeGuid));
  group.AddParameterInfo(Parameter("Third", wildcardGuid));
  group.RemoveParameterInfo(1);
  group.SetPoolName("Level");
}

TEST_F(GroupFileTest, SavedLoadedAndSavedAgainIsTheSameFile) {
  Zyl_ChannelGroup original(&engine);
  BuildSampleGroup(original);
  const std::string first = folder.engine("first.cgr");
  ASSERT_TRUE(original.SaveChannelGroup(first.c_str()));
  EXPECT_STREQ(original.GetChannelGroupFileName(), first.c_str());

  Zyl_ChannelGroup loaded(&engine);
  ASSERT_TRUE(loaded.LoadChannelGroupFromFile(first.c_str(), true));
  EXPECT_STREQ(loaded.GetChannelGroupFileName(), first.c_str());
  const std::string second = folder.engine("second.cgr");
  ASSERT_TRUE(loaded.SaveChannelGroup(second.c_str()));
  EXPECT_EQ(folder.read("first.cgr"), folder.read("second.cgr"));
  EXPECT_FALSE(folder.read("first.cgr").empty());
}

TEST_F(GroupFileTest, LoadedGroupHasTheSavedShape) {
  Zyl_ChannelGroup original(&engine);
  BuildSampleGroup(original);
  Zyl_ChannelGroup loaded(&engine);
  ASSERT_TRUE(LoadFromMemory(loaded, SaveToMemory(original)));

  ASSERT_EQ(loaded.GetChannelCount(), 4);
  EXPECT_EQ(loaded.GetChannel(1), nullptr);
  auto* node = static_cast<TestChannel*>(loaded.GetChannel(0));
  ASSERT_NE(node, nullptr);
  EXPECT_STREQ(node->GetChannelName(), "Root");
  EXPECT_EQ(channelInternal.GetInternalChild(node, 0), loaded.GetChannel(2));
  // The forward link to index 3 was deferred and lands in the slot it was saved in.
  EXPECT_EQ(node->GetChildFromLinkPosition(1, 2), loaded.GetChannel(3));
  EXPECT_EQ(node->GetChildFromLinkPosition(1, 0), nullptr);
  EXPECT_FALSE(node->HasPendingLinks());
  EXPECT_EQ(loaded.GetChannel(2)->GetChannelInterfaceType(), HUX_PARAMETER);
  EXPECT_EQ(channelInternal.GetParameterInfo(loaded.GetChannel(2))->parameterIndex, 2);
  EXPECT_EQ(loaded.GetStartChannel(), 3);

  ASSERT_EQ(loaded.GetParameterCount(), 3);
  EXPECT_STREQ(loaded.GetParameterInfo(0).name, "First");
  EXPECT_TRUE(IsEqualGuid(loaded.GetParameterInfo(0).guid, leafGuid));
  EXPECT_STREQ(loaded.GetParameterInfo(1).name, "NoInterface");
  EXPECT_TRUE(IsEqualGuid(loaded.GetParameterInfo(1).guid, nullGuid));
  EXPECT_STREQ(loaded.GetParameterInfo(2).name, "Third");
  EXPECT_STREQ(loaded.GetPoolName(), "Level");
  EXPECT_EQ(loaded.GetPoolNr(), engine.GetHighInstance("Level") + 1);
  EXPECT_TRUE(IsEqualGuid(loaded.GetUniqueGroupGuid(), original.GetUniqueGroupGuid()));
}

TEST_F(GroupFileTest, EmptySlotIsStoredAsMinusOne) {
  Zyl_ChannelGroup group(&engine);
  for (int i = 0; i < 3; ++i) group.AddChannel(new TestChannel(leafGuid));
  group.RemoveChannel(1);
  const std::string bytes = SaveToMemory(group);
  const std::string expectedStart =
      "ZYLG" + IntBlock("CHCO", 3) + IntBlock("CHIX", 0) + Block("CHID", GuidBytes(leafGuid));
  EXPECT_EQ(bytes.substr(0, expectedStart.size()), expectedStart);
  EXPECT_NE(bytes.find(IntBlock("CHIX", -1) + IntBlock("CHIX", 2)), std::string::npos);
}

TEST_F(GroupFileTest, GroupWithoutPoolNameWritesTheDefaultName) {
  Zyl_ChannelGroup group(&engine);
  const std::string bytes = SaveToMemory(group);
  EXPECT_NE(bytes.find(Block("CINA", std::string("No Name Instance\0", 17))), std::string::npos);
}

TEST_F(GroupFileTest, FileWithoutPoolNameKeepsTheEnginesPool) {
  Zyl_ChannelGroup group(&engine);
  group.SetPoolName("Given");
  group.SetPoolNr(4);
  ASSERT_TRUE(LoadFromMemory(group, "ZYLG" + IntBlock("CHCO", 0)));
  EXPECT_STREQ(group.GetPoolName(), "Given");
  EXPECT_EQ(group.GetPoolNr(), 4);
}

TEST_F(GroupFileTest, PoolNameIsIgnoredWithoutSetPool) {
  Zyl_ChannelGroup group(&engine);
  group.SetPoolName("Given");
  ASSERT_TRUE(LoadFromMemory(
      group, "ZYLG" + IntBlock("CHCO", 0) + Block("CINA", std::string("Other\0", 6)), false));
  EXPECT_STREQ(group.GetPoolName(), "Given");
}

TEST_F(GroupFileTest, LoadingReplacesThePreviousContent) {
  Zyl_ChannelGroup group(&engine);
  for (int i = 0; i < 5; ++i) group.AddChannel(new TestChannel(leafGuid));
  group.AddParameterInfo(Parameter("Old", leafGuid));
  ASSERT_TRUE(LoadFromMemory(group, "ZYLG" + IntBlock("CHCO", 1) + IntBlock("CHIX", -1)));
  EXPECT_EQ(group.GetChannelCount(), 1);
  EXPECT_EQ(group.GetParameterCount(), 0);
}

TEST_F(GroupFileTest, BufferWithoutNameIsRefused) {
  Zyl_ChannelGroup group(&engine);
  std::string bytes = "ZYLG" + IntBlock("CHCO", 0);
  EXPECT_FALSE(group.LoadChannelGroupFromBuffer(nullptr, static_cast<int>(bytes.size()),
                                                bytes.data(), true));
}

TEST_F(GroupFileTest, UnreadableFileIsReported) {
  Zyl_ChannelGroup group(&engine);
  const std::string path = folder.engine("absent.cgr");
  EXPECT_FALSE(group.LoadChannelGroupFromFile(path.c_str(), true));
  EXPECT_FALSE(group.LoadChannelGroupFromFile(nullptr, true));
  EXPECT_TRUE(HasMessage(userErrorMessageType,
                         "The following channel group file could not be loaded:  " + path));
}

TEST_F(GroupFileTest, ReadOnlyFileMakesAReadOnlyGroupThatWarnsOnSave) {
  Zyl_ChannelGroup original(&engine);
  BuildSampleGroup(original);
  const std::string path = folder.engine("locked.cgr");
  ASSERT_TRUE(original.SaveChannelGroup(path.c_str()));
  const std::string before = folder.read("locked.cgr");
  std::filesystem::permissions(
      folder.path() / "locked.cgr",
      std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  Zyl_ChannelGroup loaded(&engine);
  ASSERT_TRUE(loaded.LoadChannelGroupFromFile(path.c_str(), true));
  EXPECT_TRUE(loaded.GetReadOnly());

  EXPECT_FALSE(loaded.SaveChannelGroup(path.c_str()));
  EXPECT_TRUE(HasMessage(userWarningMessageType,
                         "This channel group was loaded as a read-only file. The program will try "
                         "to save it, but this might fail:  " +
                             path));
  EXPECT_TRUE(HasMessage(errorMessageType, "Couldn't create channel group file:  " + path));
  EXPECT_EQ(folder.read("locked.cgr"), before);
}

TEST_F(GroupFileTest, FailedWriteKeepsThePreviousFileAndName) {
  Zyl_ChannelGroup group(&engine);
  BuildSampleGroup(group);
  const std::string path = folder.engine("kept.cgr");
  folder.write("kept.cgr", "previous content");
  group.SetChannelGroupFileName("old.cgr");
  for (platform::WriteStep step : {platform::WriteStep::create, platform::WriteStep::write,
                                   platform::WriteStep::flush, platform::WriteStep::rename}) {
    platform::failWholeFileWritesAt(step);
    EXPECT_FALSE(group.SaveChannelGroup(path.c_str()));
    platform::failWholeFileWritesAt(platform::WriteStep::none);
    EXPECT_EQ(folder.read("kept.cgr"), "previous content");
    EXPECT_STREQ(group.GetChannelGroupFileName(), "old.cgr");
  }
  EXPECT_TRUE(HasMessage(errorMessageType, "Couldn't write channel group file: " + path));
}

TEST_F(GroupFileTest, SaverFormWritesIntoAnOpenSaver) {
  Zyl_ChannelGroup group(&engine);
  group.AddChannel(new TestChannel(leafGuid));
  ZylFileSaver saver(&engine);
  saver.OpenMemory();
  EXPECT_TRUE(group.SaveChannelGroup(saver));
  std::string bytes(saver.GetBuffer(), static_cast<size_t>(saver.GetBufferSize()));
  EXPECT_EQ(bytes.substr(0, 4), "ZYLG");
  EXPECT_NE(bytes.find(Block("CGGG", GuidBytes(group.GetUniqueGroupGuid()))), std::string::npos);
}

}  // namespace
