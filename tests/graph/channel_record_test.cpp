// The base channel record: its blocks, the derived slots, deferred links and the
// messages of an incomplete record.
#include "group_file_fixture.h"

namespace {

class ChannelRecordTest : public GroupFileTest {
 protected:
  std::string SaveRecord(Zyl_Channel& channel) {
    ZylFileSaver saver(&engine);
    saver.OpenMemory();
    channel.SaveChannel(saver);
    return std::string(saver.GetBuffer(), static_cast<size_t>(saver.GetBufferSize()));
  }

  bool LoadRecord(Zyl_Channel& channel, const std::string& bytes, Zyl_ChannelGroup* into) {
    ZylFileLoader loader(&engine);
    std::string copy = bytes;
    loader.SetBuffer(copy.data(), static_cast<int>(copy.size()), true);
    return channel.LoadChannel(loader, into);
  }

  // A group holding a leaf at index 0 and a node at index 1, the node to be loaded.
  void PrepareGroup() {
    leaf = new TestChannel(leafGuid);
    node = FileEngine::NewNode();
    group.AddChannel(leaf);
    group.AddChannel(node);
  }

  Zyl_ChannelGroup group{&engine};
  TestChannel* leaf = nullptr;
  TestChannel* node = nullptr;
};

TEST_F(ChannelRecordTest, RecordHoldsTheBaseBlocksInOrder) {
  PrepareGroup();
  node->SetChannelName("n");
  channelInternal.SetIgnoreTreeCount(node, true);
  node->SetChild(leaf, -1, 0);
  const std::string expected = Block("CHIC", std::string(1, '\1')) +
                               Block("CHNA", std::string("n\0", 2)) + IntBlock("CHIT", 0) +
                               IntBlock("CHLC", 2) + IntBlock("CHLI", 0) + IntBlock("CHUL", 0) +
                               IntBlock("CHRP", 0) + IntBlock("CHLI", -1) + IntBlock("CHUL", 1);
  EXPECT_EQ(SaveRecord(*node), expected);
}

TEST_F(ChannelRecordTest, NamelessChannelIsStoredAsOneBlank) {
  PrepareGroup();
  const std::string record = SaveRecord(*leaf);
  EXPECT_NE(record.find(Block("CHNA", std::string(" \0", 2))), std::string::npos);
  TestChannel loaded(leafGuid, nullGuid, "before");
  ASSERT_TRUE(LoadRecord(loaded, record, &group));
  EXPECT_STREQ(loaded.GetChannelName(), " ");
}

TEST_F(ChannelRecordTest, SlotWithoutStoredSlotIsRecordMinusPosition) {
  PrepareGroup();
  const std::string record = Block("CHNA", std::string("n\0", 2)) + IntBlock("CHLC", 3) +
                             IntBlock("CHLI", -1) + IntBlock("CHUL", 1) + IntBlock("CHLI", -1) +
                             IntBlock("CHUL", 1) + IntBlock("CHLI", 0) + IntBlock("CHUL", 1);
  ASSERT_TRUE(LoadRecord(*node, record, &group));
  EXPECT_EQ(node->GetChildFromLinkPosition(1, 1), leaf);
  EXPECT_EQ(node->GetChildFromLinkPosition(1, 0), nullptr);
}

TEST_F(ChannelRecordTest, LinkToLaterChannelWaitsForIt) {
  node = FileEngine::NewNode();
  group.AddChannel(node);
  const std::string record = Block("CHNA", std::string("n\0", 2)) + IntBlock("CHLC", 1) +
                             IntBlock("CHLI", 1) + IntBlock("CHUL", 1) + IntBlock("CHRP", 2);
  ASSERT_TRUE(LoadRecord(*node, record, &group));
  EXPECT_TRUE(node->HasPendingLinks());
  leaf = new TestChannel(leafGuid);
  group.AddChannel(leaf);
  group.CheckRequestListForIndex(1);
  EXPECT_FALSE(node->HasPendingLinks());
  EXPECT_EQ(node->GetChildFromLinkPosition(1, 2), leaf);
}

TEST_F(ChannelRecordTest, ParameterChannelKeepsItsIndex) {
  PrepareGroup();
  leaf->SetChannelInterfaceType(HUX_PARAMETER);
  channelInternal.SetParameterInfo(leaf, 3);
  const std::string record = SaveRecord(*leaf);
  EXPECT_NE(record.find(IntBlock("CEXI", 3)), std::string::npos);
  TestChannel loaded(leafGuid);
  ASSERT_TRUE(LoadRecord(loaded, record, &group));
  EXPECT_EQ(loaded.GetChannelInterfaceType(), HUX_PARAMETER);
  ASSERT_NE(channelInternal.GetParameterInfo(&loaded), nullptr);
  EXPECT_EQ(channelInternal.GetParameterInfo(&loaded)->parameterIndex, 3);
}

TEST_F(ChannelRecordTest, RecordWithoutInterfaceTypeKeepsTheConstructorsChoice) {
  PrepareGroup();
  TestChannel loaded(leafGuid);
  loaded.SetChannelInterfaceType(HUX_CUSTOMCHANNELGET);
  ASSERT_TRUE(
      LoadRecord(loaded, Block("CHNA", std::string("n\0", 2)) + IntBlock("CHLC", 0), &group));
  EXPECT_EQ(loaded.GetChannelInterfaceType(), HUX_CUSTOMCHANNELGET);
}

TEST_F(ChannelRecordTest, PublicCallRoundTripsItsTarget) {
  PrepareGroup();
  leaf->SetChannelInterfaceType(HUX_PUBLICCALL);
  PublicCallInfo info;
  CopyTextField(info.targetName, "Door");
  CopyTextField(info.targetPool, "Rooms");
  info.instanceNr = 4;
  channelInternal.SetPublicCallInfo(leaf, info);
  channelInternal.SetTreeCountMode(leaf, 0);
  TestChannel loaded(leafGuid);
  ASSERT_TRUE(LoadRecord(loaded, SaveRecord(*leaf), &group));
  PublicCallInfo back = channelInternal.GetPublicCallInfo(&loaded);
  EXPECT_STREQ(back.targetName, "Door");
  EXPECT_STREQ(back.targetPool, "Rooms");
  EXPECT_EQ(back.instanceNr, 4);
  EXPECT_EQ(channelInternal.GetTreeCountMode(&loaded), 0);
}

TEST_F(ChannelRecordTest, PublicCallWithoutTreeCountModeGetsOne) {
  PrepareGroup();
  TestChannel loaded(leafGuid);
  channelInternal.SetTreeCountMode(&loaded, 0);
  ASSERT_TRUE(LoadRecord(
      loaded, Block("CHNA", std::string("n\0", 2)) + IntBlock("CHIT", 2) + IntBlock("CHLC", 0),
      &group));
  EXPECT_EQ(channelInternal.GetTreeCountMode(&loaded), 1);
  EXPECT_STREQ(channelInternal.GetPublicCallInfo(&loaded).targetPool, "No Pool");
}

struct BadRecord {
  const char* label;
  std::string bytes;
  std::vector<std::string> messages;  // the error messages expected, in order
};

TEST_F(ChannelRecordTest, IncompleteRecordsFailWithTheirMessages) {
  const std::string name = Block("CHNA", std::string("n\0", 2));
  const std::vector<BadRecord> cases = {
      {"no name", IntBlock("CHLC", 0), {"Couldn't find channel name header"}},
      {"no link count", name, {"Couldn't find channel linkcount header"}},
      {"link missing",
       name + IntBlock("CHLC", 2) + IntBlock("CHLI", -1),
       {"Couldn't find channel links header", "2.", "n"}},
      {"link count beyond the data",
       name + IntBlock("CHLC", 0x7FFFFFFF),
       {"Zyl_Channel::LoadChannel: Link count exceeds the file: 2147483647"}},
      {"negative link count",
       name + IntBlock("CHLC", -1),
       {"Zyl_Channel::LoadChannel: Link count exceeds the file: -1"}},
      {"unknown interface type",
       name + IntBlock("CHIT", 9) + IntBlock("CHLC", 0),
       {"Zyl_Channel::LoadChannel: Damaged block CHIT"}},
      {"public call record of the wrong size",
       name + IntBlock("CHIT", 2) + Block("CHES", std::string(10, 'x')) + IntBlock("CHLC", 0),
       {"Zyl_Channel::LoadChannel: Damaged block CHES"}},
      {"name block running past the end",
       "CHNA" + Size32(1000) + "abc",
       {"Zyl_Channel::LoadChannel: Damaged block CHNA"}},
  };
  for (const BadRecord& bad : cases) {
    SCOPED_TRACE(bad.label);
    capture.messages.clear();
    TestChannel channel(leafGuid);
    EXPECT_FALSE(LoadRecord(channel, bad.bytes, &group));
    std::vector<std::string> errors;
    for (const auto& [type, text] : capture.messages) {
      if (type == errorMessageType) errors.push_back(text);
    }
    ASSERT_GE(errors.size(), bad.messages.size());
    // The loader component may report first; the record's own messages come last.
    EXPECT_EQ(std::vector<std::string>(errors.end() - static_cast<long>(bad.messages.size()),
                                       errors.end()),
              bad.messages);
  }
}

TEST_F(ChannelRecordTest, RecordWithoutGroupIsRefused) {
  TestChannel channel(leafGuid);
  EXPECT_FALSE(
      LoadRecord(channel, Block("CHNA", std::string("n\0", 2)) + IntBlock("CHLC", 0), nullptr));
  EXPECT_TRUE(HasMessage(errorMessageType, "Group is NULL"));
}

TEST_F(ChannelRecordTest, NameWithoutTerminatorIsTakenWhole) {
  PrepareGroup();
  TestChannel loaded(leafGuid);
  ASSERT_TRUE(LoadRecord(loaded, Block("CHNA", "abc") + IntBlock("CHLC", 0), &group));
  EXPECT_STREQ(loaded.GetChannelName(), "abc");
}

}  // namespace

namespace {

TEST_F(ChannelRecordTest, UnresolvedPublicCallStoresItsFlatLinks) {
  PrepareGroup();
  auto* call = new TestChannel(leafGuid, nullGuid, "c");
  group.AddChannel(call);
  call->SetChannelInterfaceType(HUX_PUBLICCALL);
  auto* other = new TestChannel(leafGuid);
  group.AddChannel(other);
  call->SetChild(leaf, -1, 0);
  call->SetChild(other, -1, 2);
  const std::string record = SaveRecord(*call);
  const std::string links = IntBlock("CHLC", 3) + IntBlock("CHLI", 0) + IntBlock("CHUL", 0) +
                            IntBlock("CHRP", 0) + IntBlock("CHLI", -1) + IntBlock("CHUL", 0) +
                            IntBlock("CHLI", 3) + IntBlock("CHUL", 2) + IntBlock("CHRP", 0);
  ASSERT_GE(record.size(), links.size());
  EXPECT_EQ(record.substr(record.size() - links.size()), links);
}

}  // namespace
