// Hand-made damaged group files: each load fails with its messages and never reads
// beyond the data.
#include "group_file_fixture.h"

namespace {

constexpr const char* notAGroup =
    "The selected file is not a channel group. Most channel group files have the \".cgr\" "
    "extension. It could also be that the file is corrupt.";

std::string LeafSlot(int32_t index) {
  return IntBlock("CHIX", index) + Block("CHID", GuidBytes(leafGuid)) +
         Block("CHNA", std::string("a\0", 2)) + IntBlock("CHLC", 0);
}

struct CorruptFile {
  const char* label;
  std::string bytes;
  int messageType;
  std::string message;
};

TEST_F(GroupFileTest, DamagedFilesFailWithTheirMessage) {
  const std::string head = "ZYLG" + IntBlock("CHCO", 1);
  const std::vector<CorruptFile> cases = {
      {"other first tag", "ZYLX" + IntBlock("CHCO", 0), userErrorMessageType, notAGroup},
      {"empty file", "", userErrorMessageType, notAGroup},
      {"no item count", "ZYLG" + IntBlock("CHSC", 0), errorMessageType,
       "Zyl_ChannelGroup::LoadChannelGroup: No itemcount"},
      {"huge item count", "ZYLG" + IntBlock("CHCO", 0x7FFFFFFF), errorMessageType,
       "Zyl_ChannelGroup::LoadChannelGroup: Channel count exceeds the file: 2147483647"},
      {"negative item count", "ZYLG" + IntBlock("CHCO", -5), errorMessageType,
       "Zyl_ChannelGroup::LoadChannelGroup: Channel count exceeds the file: -5"},
      {"item count larger than the slots", "ZYLG" + IntBlock("CHCO", 3) + LeafSlot(0),
       errorMessageType, "Zyl_ChannelGroup::LoadChannelGroup: Couldn't find channel index header"},
      {"slot index out of range", head + LeafSlot(7), errorMessageType,
       "Zyl_ChannelGroup::LoadChannelGroup: Invalid channel index: 7"},
      {"slot index given twice", "ZYLG" + IntBlock("CHCO", 2) + LeafSlot(0) + LeafSlot(0),
       errorMessageType, "Zyl_ChannelGroup::LoadChannelGroup: Invalid channel index: 0"},
      {"type block running past the end", head + IntBlock("CHIX", 0) + "CHID" + Size32(4000),
       errorMessageType, "Zyl_ChannelGroup::LoadChannelGroup: Damaged channel type"},
      {"name block running past the end",
       head + IntBlock("CHIX", 0) + Block("CHID", GuidBytes(leafGuid)) + "CHNA" + Size32(900) +
           "abc",
       errorMessageType, "Zyl_ChannelGroup::LoadChannelGroup: Couldn't load channel"},
      {"huge parameter count",
       "ZYLG" + IntBlock("CHCO", 0) + IntBlock("CGIC", 0x40000000) +
           Block("CGII", std::string(56, '\0')),
       errorMessageType,
       "Zyl_ChannelGroup::LoadChannelGroup: Parameter count exceeds its block: 1073741824"},
      {"parameter count without its block running past the end",
       "ZYLG" + IntBlock("CHCO", 0) + IntBlock("CGIC", 2) + "CGII" + Size32(112) +
           std::string(56, '\0'),
       errorMessageType,
       "Zyl_ChannelGroup::LoadChannelGroup: Parameter count exceeds its block: 2"},
      {"negative parameter count", "ZYLG" + IntBlock("CHCO", 0) + IntBlock("CGIC", -1),
       errorMessageType,
       "Zyl_ChannelGroup::LoadChannelGroup: Parameter count exceeds its block: -1"},
  };
  for (const CorruptFile& bad : cases) {
    SCOPED_TRACE(bad.label);
    capture.messages.clear();
    Zyl_ChannelGroup group(&engine);
    EXPECT_FALSE(LoadFromMemory(group, bad.bytes));
    EXPECT_TRUE(HasMessage(bad.messageType, bad.message));
  }
}

TEST_F(GroupFileTest, OtherFirstTagReportsTheBufferSizeAndLeavesTheGroupEmpty) {
  Zyl_ChannelGroup group(&engine);
  group.AddChannel(new TestChannel(leafGuid));
  const std::string bytes = "ABCD" + IntBlock("CHCO", 0);
  EXPECT_FALSE(LoadFromMemory(group, bytes));
  EXPECT_TRUE(HasMessage(errorMessageType, "Failed loading channel group, buffersize:  16"));
  EXPECT_EQ(group.GetChannel(0), nullptr);
}

TEST_F(GroupFileTest, MissingIndexHeaderNamesTheLastTypeAndTheFile) {
  Zyl_ChannelGroup group(&engine);
  ASSERT_FALSE(LoadFromMemory(group, "ZYLG" + IntBlock("CHCO", 2) + LeafSlot(0)));
  std::vector<std::pair<int, std::string>> expected = {
      {userErrorMessageType, notAGroup},
      {errorMessageType, "Zyl_ChannelGroup::LoadChannelGroup: Couldn't find channel index header"},
      {errorMessageType, "7E2F3041-5B6C-4D7E-9FA0-B1C2D3E4F506"},
      {errorMessageType, "Loader file :  memory.cgr"},
  };
  ASSERT_GE(capture.messages.size(), expected.size());
  EXPECT_EQ(std::vector(capture.messages.end() - 4, capture.messages.end()), expected);
  // The channel loaded before the failure stays in the group.
  EXPECT_NE(group.GetChannel(0), nullptr);
}

TEST_F(GroupFileTest, TypeNotInstalledStopsAtItsSlotWithFourMessages) {
  Zyl_ChannelGroup group(&engine);
  const std::string bytes = "ZYLG" + IntBlock("CHCO", 3) + LeafSlot(0) + IntBlock("CHIX", 1) +
                            Block("CHID", GuidBytes(missingGuid)) + LeafSlot(2);
  ASSERT_FALSE(LoadFromMemory(group, bytes));
  ASSERT_EQ(capture.messages.size(), 4u);
  EXPECT_EQ(capture.messages[0].first, userInfoMessageType);
  EXPECT_EQ(capture.messages[0].second,
            "Kelvane is forward compatible, this means that it can't load files that have been "
            "created with newer versions of Kelvane.");
  EXPECT_EQ(capture.messages[1].first, userErrorMessageType);
  EXPECT_EQ(capture.messages[1].second.rfind("A channel (component) is used in this channel", 0),
            0u);
  EXPECT_EQ(capture.messages[2],
            std::make_pair(int{errorMessageType},
                           std::string("Zyl_ChannelGroup::LoadChannelGroup: Couldn't find "
                                       "channel DLL!")));
  EXPECT_EQ(
      capture.messages[3],
      std::make_pair(int{errorMessageType}, std::string("01234567-89AB-CDEF-0123-456789ABCDEF")));
  EXPECT_NE(group.GetChannel(0), nullptr);
  EXPECT_EQ(group.GetChannel(2), nullptr);
}

TEST_F(GroupFileTest, TypeDetailsAfterTheGuidAreReadAndSkipped) {
  Zyl_ChannelGroup group(&engine);
  const std::string bytes =
      "ZYLG" + Block("ENVR", Size32(0)) + IntBlock("CHCO", 1) + IntBlock("CHIX", 0) +
      Block("CHID", GuidBytes(leafGuid)) + Block("CHNM", std::string("Leaf type\0", 10)) +
      IntBlock("CHVE", 3) + Block("CHBG", GuidBytes(nullGuid)) +
      Block("CHNA", std::string("a\0", 2)) + IntBlock("CHLC", 0) + IntBlock("CHSC", 0);
  ASSERT_TRUE(LoadFromMemory(group, bytes));
  ASSERT_NE(group.GetChannel(0), nullptr);
  EXPECT_STREQ(group.GetChannel(0)->GetChannelName(), "a");
}

TEST_F(GroupFileTest, CompressedHeaderGoesToTheTranslation) {
  class TranslatingExtension : public EngineInterfaceExt {
   public:
    void TranslateFile(ZylFileLoader* loader) override {
      ++calls;
      loader->SetBuffer(translated.data(), static_cast<int>(translated.size()), true);
    }
    std::string translated = "ZYLG" + IntBlock("CHCO", 1) + LeafSlot(0);
    int calls = 0;
  };
  auto* extension = new TranslatingExtension;
  extension->SetEngineInterface(&engine);
  delete engine.extension;
  engine.extension = extension;
  Zyl_ChannelGroup group(&engine);
  ASSERT_TRUE(LoadFromMemory(group, Block("ZMTF", std::string(16, '\x11')) + "payload"));
  EXPECT_EQ(extension->calls, 1);
  EXPECT_NE(group.GetChannel(0), nullptr);
}

}  // namespace
