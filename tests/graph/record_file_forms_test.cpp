// Record defaults and the little-endian file forms of the stored records.
#include <cstring>
#include <vector>

#include "graph/record_file_forms.h"
#include "graph_test_support.h"

namespace {

TEST(ChannelRecords, Defaults) {
  ChannelType type;
  EXPECT_TRUE(IsNullGuid(type.guid));
  EXPECT_EQ(type.versionInfo[0], 1);
  EXPECT_EQ(type.versionInfo[1], 41);
  EXPECT_EQ(type.versionInfo[2], 1);

  ChildCreation creation;
  EXPECT_TRUE(IsEqualGuid(creation.acceptedType.guid, wildcardGuid));
  EXPECT_TRUE(IsEqualGuid(creation.acceptedType.baseGuid, wildcardGuid));
  EXPECT_EQ(creation.requestLink, -1);
  EXPECT_EQ(creation.declaredLinks, 1);
  EXPECT_EQ(creation.childInfo, nullptr);

  ChildInfo info;
  EXPECT_EQ(info.linkPosition, -1);
  EXPECT_EQ(info.child, nullptr);

  PublicCallInfo call;
  EXPECT_STREQ(call.targetName, "No Name");
  EXPECT_STREQ(call.targetPool, "No Pool");
  EXPECT_STREQ(call.targetFile, "No File");
  EXPECT_EQ(call.autoLoadGroup, 1);
  EXPECT_EQ(call.dynamicAutoLoadGroup, 0);
  EXPECT_EQ(call.fallbackCreation.requestLink, -1);
}

uint32_t ReadU32(const std::vector<uint8_t>& bytes, size_t offset) {
  return uint32_t{bytes[offset]} | uint32_t{bytes[offset + 1]} << 8 |
         uint32_t{bytes[offset + 2]} << 16 | uint32_t{bytes[offset + 3]} << 24;
}

TEST(PublicCallInfoFile, LayoutIsLittleEndianWithZeroedRuntimeWord) {
  PublicCallInfo info;
  CopyTextField(info.targetName, "Render");
  info.instanceNr = 0x01020304;
  info.dynamicAutoLoadGroup = 1;
  info.fallbackCreation.acceptedType.guid = matrixGuid;
  info.fallbackCreation.declaredLinks = 2;
  ChildInfo head;
  info.fallbackCreation.childInfo = &head;

  std::vector<uint8_t> bytes(publicCallInfoFileSize, 0xCD);
  PublicCallInfoToFile(info, bytes.data());
  EXPECT_EQ(std::memcmp(bytes.data(), "Render\0\0", 8), 0);
  EXPECT_EQ(bytes[79], 0);
  EXPECT_EQ(std::memcmp(bytes.data() + 80, "No Pool", 8), 0);
  EXPECT_EQ(std::memcmp(bytes.data() + 160, "No File", 8), 0);
  EXPECT_EQ(ReadU32(bytes, 420), 0x01020304u);
  EXPECT_EQ(bytes[424], 1);
  EXPECT_EQ(bytes[425], 0);
  EXPECT_EQ(ReadU32(bytes, 428), 1u);
  EXPECT_EQ(ReadU32(bytes, 432 + 80), matrixGuid.Data1);
  EXPECT_EQ(ReadU32(bytes, 432 + 132), 0xFFFFFFFFu);  // requestLink -1
  EXPECT_EQ(ReadU32(bytes, 432 + 256), 0u);          // childInfo
  EXPECT_EQ(ReadU32(bytes, 432 + 260), 2u);
}

TEST(PublicCallInfoFile, RoundTripIgnoresChildInfoWord) {
  PublicCallInfo info;
  CopyTextField(info.targetPool, "Scene");
  CopyTextField(info.fallbackCreation.linkName, "Objects");
  info.autoLoadGroup = 0;
  std::vector<uint8_t> bytes(publicCallInfoFileSize);
  PublicCallInfoToFile(info, bytes.data());
  bytes[432 + 256] = 0x78;  // a stale pointer word in a foreign file

  PublicCallInfo back;
  ASSERT_TRUE(PublicCallInfoFromFile(bytes.data(), bytes.size(), &back));
  EXPECT_STREQ(back.targetPool, "Scene");
  EXPECT_STREQ(back.targetName, "No Name");
  EXPECT_EQ(back.autoLoadGroup, 0);
  EXPECT_STREQ(back.fallbackCreation.linkName, "Objects");
  EXPECT_EQ(back.fallbackCreation.childInfo, nullptr);
  EXPECT_TRUE(IsEqualGuid(back.fallbackCreation.acceptedType.guid, wildcardGuid));
}

TEST(PublicCallInfoFile, RejectsWrongSizeAndTerminatesTexts) {
  std::vector<uint8_t> bytes(publicCallInfoFileSize, 'A');
  PublicCallInfo info;
  EXPECT_FALSE(PublicCallInfoFromFile(bytes.data(), bytes.size() - 1, &info));
  EXPECT_STREQ(info.targetName, "No Name");
  ASSERT_TRUE(PublicCallInfoFromFile(bytes.data(), bytes.size(), &info));
  EXPECT_EQ(std::strlen(info.targetName), 79u);
  EXPECT_EQ(std::strlen(info.targetFile), 259u);
  EXPECT_EQ(std::strlen(info.fallbackCreation.linkName), 101u);
}

TEST(ParameterInterfaceInfoFile, RoundTrip) {
  ParameterInterfaceInfo info;
  CopyTextField(info.name, "Camera");
  info.guid = floatGuid;
  std::vector<uint8_t> bytes(parameterInterfaceInfoFileSize);
  ParameterInterfaceInfoToFile(info, bytes.data());
  EXPECT_EQ(ReadU32(bytes, 40), floatGuid.Data1);
  ParameterInterfaceInfo back;
  EXPECT_FALSE(ParameterInterfaceInfoFromFile(bytes.data(), 55, &back));
  ASSERT_TRUE(ParameterInterfaceInfoFromFile(bytes.data(), bytes.size(), &back));
  EXPECT_STREQ(back.name, "Camera");
  EXPECT_TRUE(IsEqualGuid(back.guid, floatGuid));
}

TEST(CopyTextField, CutsAndZeroFills) {
  char field[4] = {'x', 'x', 'x', 'x'};
  CopyTextField(field, "abcdef");
  EXPECT_STREQ(field, "abc");
  CopyTextField(field, "a");
  EXPECT_EQ(field[2], '\0');
  CopyTextField(field, nullptr);
  EXPECT_EQ(field[0], '\0');
}

}  // namespace
