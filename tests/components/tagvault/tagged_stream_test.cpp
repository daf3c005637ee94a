// Tagged streams written by the saver component and read back by the loader component.
#include <cstring>

#include "graph/zyl_file_channels.h"
#include "graph/zyl_guid.h"
#include "tagvault_fixture.h"

namespace {

constexpr GUID translatorGuid{0x01234567, 0x89AB, 0xCDEF, {1, 2, 3, 4, 5, 6, 7, 8}};

TEST_F(TagvaultTest, LibrariesCarryTheirTypes) {
  ChannelType loaderType = loaderLibrary.Type();
  ChannelType saverType = saverLibrary.Type();
  EXPECT_TRUE(IsEqualGuid(loaderType.guid, fileLoaderTypeGuid));
  EXPECT_TRUE(IsEqualGuid(saverType.guid, fileSaverTypeGuid));
  EXPECT_EQ(loaderType.versionInfo[1], 41);
  EXPECT_EQ(saverType.versionInfo[1], 41);
  EXPECT_TRUE(IsEqualGuid(loader->GetLoaderChannel()->GetChannelType().guid, fileLoaderTypeGuid));
  EXPECT_EQ(loader->GetLoaderChannel()->engineInterface, &engine);
}

TEST_F(TagvaultTest, FileRoundTripInEveryReadingForm) {
  const std::string path = folder.engine("stream.bin");
  int32_t count = 3;
  const char name[] = "main group";
  uint8_t key[68];
  for (int i = 0; i < 68; ++i) key[i] = static_cast<uint8_t>(i);
  int32_t records[2][14] = {};
  records[1][0] = 77;

  ASSERT_TRUE(saver->OpenSaveFile(path.c_str(), false));
  EXPECT_STREQ(saver->GetSaveingFileName(), path.c_str());
  EXPECT_EQ(saver->SaveTag("ZMTF"), 4);
  EXPECT_EQ(saver->SaveBlockSize(sizeof translatorGuid), 4);
  EXPECT_EQ(saver->SaveDataToFile(&translatorGuid, sizeof translatorGuid), 16);
  saver->SaveTag("ZYLG");  // stand-alone
  saver->SaveTag("CHCO");
  saver->SaveBlockSize(4);
  saver->SaveDataToFile(&count, 4);
  saver->SaveBlockSize(68);  // a block without tag
  saver->SaveDataToFile(key, 68);
  saver->SaveTag("CINA");
  saver->SaveBlockSize(sizeof name);
  saver->SaveDataToFile(name, sizeof name);
  saver->SaveTag("ANYT");  // read by position whatever its tag
  saver->SaveBlockSize(4);
  saver->SaveDataToFile(&count, 4);
  saver->SaveTag("CGII");
  saver->SaveBlockSize(sizeof records);
  saver->SaveDataToFile(records, sizeof records);
  ASSERT_TRUE(saver->CloseSaveFile());

  ASSERT_TRUE(loader->LoadFile(path.c_str()));
  EXPECT_EQ(loader->GetBufferSize(), static_cast<int>(folder.read("stream.bin").size()));
  EXPECT_FALSE(loader->CheckHeader("ZYLG", false));
  EXPECT_TRUE(loader->CheckHeader("ZMTF", false));
  ASSERT_TRUE(loader->CheckHeader("ZMTF", true));
  GUID guid{};
  ASSERT_TRUE(loader->CopyTagDataToPointer(&guid, sizeof guid));
  EXPECT_TRUE(IsEqualGuid(guid, translatorGuid));
  EXPECT_FALSE(loader->GetInfoIfTag("CHCO"));  // ZYLG comes first: nothing moves
  EXPECT_TRUE(loader->GetInfoIfTag("ZYLG"));
  ASSERT_TRUE(loader->GetInfoIfTag("CHCO"));
  int32_t readCount = 0;
  ASSERT_TRUE(loader->CopyTagDataToPointer(&readCount, sizeof readCount));
  EXPECT_EQ(readCount, 3);
  uint8_t readKey[68] = {};
  ASSERT_TRUE(loader->CopyTagDataToPointer(readKey, sizeof readKey));
  EXPECT_EQ(std::memcmp(readKey, key, 68), 0);
  EXPECT_FALSE(loader->GetInfoIfTag("CHSC"));  // absent optional block
  ASSERT_TRUE(loader->GetInfoIfTag("CINA"));
  EXPECT_EQ(loader->GetSizeDataBlock(false), sizeof name);
  char readName[64] = {};
  ASSERT_TRUE(loader->CopyTagDataToPointer(readName, sizeof readName));
  EXPECT_STREQ(readName, name);
  readCount = 0;
  ASSERT_TRUE(loader->CopyTagDataToPointer(&readCount, sizeof readCount));
  EXPECT_EQ(readCount, 3);
  ASSERT_TRUE(loader->GetInfoIfTag("CGII"));
  ASSERT_EQ(loader->GetSizeDataBlock(true), sizeof records);
  loader->AddBufferPos(56);
  int32_t second = 0;
  std::memcpy(&second, loader->GetBuffer(), 4);
  EXPECT_EQ(second, 77);
  EXPECT_FALSE(loader->GetIfEndOfFile());
  loader->AddBufferPos(56);
  EXPECT_TRUE(loader->GetIfEndOfFile());
  EXPECT_TRUE(capture.messages.empty());
}

TEST_F(TagvaultTest, DataOnlyFileHoldsExactlyThoseBytes) {
  const std::string bytes("\x7f" "ELF\0\1\2", 7);
  ASSERT_TRUE(saver->OpenSaveFile(folder.engine("lib.dll").c_str(), false));
  saver->SaveDataToFile(bytes.data(), bytes.size());
  ASSERT_TRUE(saver->CloseSaveFile());
  EXPECT_EQ(folder.read("lib.dll"), bytes);
}

TEST_F(TagvaultTest, MemoryStreamFeedsALoader) {
  ASSERT_TRUE(saver->OpenMemory());
  saver->SaveTag("KFKR");
  saver->SaveTag("KCLV");
  saver->SaveBlockSize(4);
  int32_t version = 100005;
  saver->SaveDataToFile(&version, 4);
  saver->CloseMemory();
  ASSERT_EQ(saver->GetBufferSize(), 16);
  EXPECT_FALSE(saver->CloseSaveFile());  // nothing opened as a file

  // Read in place from the saver's memory, which stays alive meanwhile.
  loader->SetBuffer(const_cast<char*>(saver->GetBuffer()), saver->GetBufferSize(), false);
  EXPECT_TRUE(loader->GetInfoIfTag("KFKR"));
  ASSERT_TRUE(loader->GetInfoIfTag("KCLV"));
  int32_t readVersion = 0;
  ASSERT_TRUE(loader->CopyTagDataToPointer(&readVersion, 4));
  EXPECT_EQ(readVersion, 100005);
}

TEST_F(TagvaultTest, KeptCopyIsIndependentOfTheSource) {
  std::string bytes = "CHIX" + Size32(4) + std::string("\7\0\0\0", 4);
  loader->SetBuffer(bytes.data(), static_cast<int>(bytes.size()), true);
  bytes[0] = 'X';
  ASSERT_TRUE(loader->GetInfoIfTag("CHIX"));
  // A copy of its own buffer is taken safely too.
  loader->ResetPosition();
  loader->SetBuffer(const_cast<char*>(loader->GetBuffer()), loader->GetBufferSize(), true);
  ASSERT_TRUE(loader->GetInfoIfTag("CHIX"));
  int32_t index = 0;
  ASSERT_TRUE(loader->CopyTagDataToPointer(&index, 4));
  EXPECT_EQ(index, 7);
}

TEST_F(TagvaultTest, CrcKnownValues) {
  struct Case {
    std::string bytes;
    uint32_t crc;
  };
  const Case cases[] = {
      {"", 0x00000000u},
      {"123456789", 0xCBF43926u},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
  };
  for (const Case& c : cases) {
    Read(c.bytes);
    EXPECT_EQ(static_cast<uint32_t>(loader->GetCRC()), c.crc) << c.bytes;
  }
  folder.write("nine.txt", "123456789");
  ASSERT_TRUE(loader->LoadFile(folder.engine("nine.txt").c_str()));
  EXPECT_EQ(static_cast<uint32_t>(loader->GetCRC()), 0xCBF43926u);
}

TEST_F(TagvaultTest, AttributesComeFromTheFile) {
  folder.write("plain.cgr", "ZYLG");
  folder.write("locked.cgr", "ZYLG");
  std::filesystem::permissions(folder.path() / "locked.cgr", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  ASSERT_TRUE(loader->LoadFile(folder.engine("plain.cgr").c_str()));
  EXPECT_EQ(loader->GetAttributes() & 1u, 0u);
  ASSERT_TRUE(loader->LoadFile(folder.engine("locked.cgr").c_str()));
  EXPECT_EQ(loader->GetAttributes() & 1u, 1u);
  EXPECT_FALSE(loader->LoadFile(folder.engine("missing.cgr").c_str()));
  EXPECT_EQ(loader->GetBufferSize(), 0);
  EXPECT_EQ(loader->GetAttributes(), 0u);
  EXPECT_FALSE(loader->LoadFile(nullptr));
}

TEST_F(TagvaultTest, NavigationHelpers) {
  Read("ZYLG" + std::string("CHCO") + Size32(4) + std::string(4, '\0') + "CHSC" + Size32(0));
  char tag[5] = {};
  ASSERT_TRUE(loader->GetTagData(tag));
  EXPECT_STREQ(tag, "ZYLG");
  ASSERT_TRUE(loader->GotoTag("CHSC"));
  EXPECT_TRUE(loader->GetInfoIfTag("CHSC"));
  EXPECT_FALSE(loader->GotoTag("NONE"));
  loader->ResetPosition();
  EXPECT_TRUE(loader->GetInfoIfTag("ZYLG"));
  EXPECT_TRUE(loader->GetInfoIfTag("CHCO"));
  loader->SkipCurrentTag();
  EXPECT_TRUE(loader->GetInfoIfTag("CHSC"));
  EXPECT_TRUE(loader->CopyTagDataToPointer(nullptr, 0));  // an empty block
  EXPECT_TRUE(loader->GetIfEndOfFile());
  EXPECT_FALSE(loader->GetTagData(tag));
}

}  // namespace
