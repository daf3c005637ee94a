// The channel catalogue: channel.lst in its block format (round trip, foreign install
// directories, damaged files), the scan and the rule that an unchanged folder loads nothing.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>

#include "plugin_test_support.h"
#include "runtime/channel_list.h"

namespace {

using ChannelCatalogue = PluginTest;

std::string Int32(int32_t value) {
  std::string bytes(4, '\0');
  std::memcpy(bytes.data(), &value, 4);  // little-endian host
  return bytes;
}

std::string Block(const char* tag, const std::string& data) {
  return std::string(tag, 4) + Int32(static_cast<int32_t>(data.size())) + data;
}

std::string TypeRecord(const GUID& type, const char* name) {
  ChannelType record;
  record.guid = type;
  std::strcpy(record.name, name);
  return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

std::string InstallDirBlock(const std::string& dir) {
  std::string data(260, '\0');
  data.replace(0, dir.size(), dir);
  return Block("CHDI", data);
}

// A channel.lst with one entry at `position` for the plain plug-in.
std::string OneEntryList(int32_t position, const std::string& path, const std::string& dir) {
  return Block("CLCC", Int32(1)) + Block("CHIX", Int32(position)) +
         Block("CHTY", TypeRecord(plainPluginGuid, "Test Plain")) +
         Block("CHFN", path + std::string(1, '\0')) + InstallDirBlock(dir);
}

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
  return text;
}
std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

TEST_F(ChannelCatalogue, RoundTripKeepsPositionsAndGaps) {
  StageComponents();
  Stage({PluginFile(plainPluginGuid)});
  Start();
  ChannelList& list = Catalogue();
  ChannelListItem* plain = list.GetItem(plainPluginGuid);
  ASSERT_NE(plain, nullptr);
  ASSERT_LT(list.GetItemCount(), 7);
  list.items.SetItem(nullptr, plain->index);
  plain->index = 7;
  list.items.SetItem(plain, 7);
  auto* pathless = new ChannelListItem;
  pathless->type.guid = absentPluginGuid;
  ASSERT_TRUE(list.AddItem(pathless));
  const int pathlessPosition = pathless->index;
  ASSERT_TRUE(list.SaveChannelList());

  list.Release();
  ASSERT_TRUE(list.LoadChannelList());
  EXPECT_EQ(list.GetItemCount(), 8);
  ChannelListItem* loaded = list.GetItem(7);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->index, 7);
  EXPECT_TRUE(IsEqualGuid(loaded->type.guid, plainPluginGuid));
  EXPECT_STREQ(loaded->type.name, "Test Plain");
  EXPECT_EQ(std::string(loaded->fileName.GetString()), ChannelPath(PluginFile(plainPluginGuid)));
  EXPECT_TRUE(loaded->onDisk);
  EXPECT_FALSE(loaded->typeVerified);
  EXPECT_EQ(loaded->module, nullptr);
  ChannelListItem* saveError = list.GetItem(pathlessPosition);
  ASSERT_NE(saveError, nullptr);
  EXPECT_STREQ(saveError->fileName.GetString(), "Save Error");
  EXPECT_FALSE(saveError->onDisk);
  for (int i = 0; i < 7; ++i) {
    if (ChannelListItem* item = list.GetItem(i)) {
      EXPECT_EQ(item->index, i);
    }
  }
}

TEST_F(ChannelCatalogue, GapBelowAStoredPositionStaysEmpty) {
  StageComponents();
  Start();
  folder.write("channel.lst", OneEntryList(7, "channels\\absent.dll", InstallDir()));
  ChannelList& list = Catalogue();
  list.Release();
  ASSERT_TRUE(list.LoadChannelList());
  EXPECT_EQ(list.GetItemCount(), 8);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(list.GetItem(i), nullptr) << i;
  ASSERT_NE(list.GetItem(7), nullptr);
  EXPECT_FALSE(list.GetItem(7)->onDisk);  // relative to the install directory, and absent
  EXPECT_FALSE(list.GetOnDisk(plainPluginGuid));
  EXPECT_TRUE(IsEqualGuid(list.GetChannelType(plainPluginGuid).guid, plainPluginGuid));
  EXPECT_TRUE(IsNullGuid(list.GetChannelType(absentPluginGuid).guid));
}

TEST_F(ChannelCatalogue, ListOfAnotherInstallDirectoryIsDiscardedInAnyLetterCase) {
  StageComponents();
  Start();
  const std::string own = InstallDir();
  const struct {
    std::string writtenFor;
    bool kept;
  } cases[] = {
      {own, true},
      {Upper(own), true},
      {Lower(own), true},
      {own + "x", false},
      {Upper(own + "x"), false},
      {Lower(own + "x"), false},
  };
  ChannelList& list = Catalogue();
  for (const auto& c : cases) {
    folder.write("channel.lst", OneEntryList(0, "channels\\a.dll", c.writtenFor));
    list.Release();
    EXPECT_EQ(list.LoadChannelList(), c.kept) << c.writtenFor;
    EXPECT_EQ(list.GetItemCount(), c.kept ? 1 : 0) << c.writtenFor;
  }
}

TEST_F(ChannelCatalogue, DamagedListsFailWithoutHarm) {
  StageComponents();
  Start();
  const std::string dir = InstallDirBlock(InstallDir());
  const std::string entry = Block("CHIX", Int32(0)) + Block("CHTY", TypeRecord(plainPluginGuid, "P"));
  const struct {
    const char* what;
    std::string content;
  } cases[] = {
      {"negative count", Block("CLCC", Int32(-1)) + dir},
      {"huge count", Block("CLCC", Int32(0x7FFFFFFF)) + entry + dir},
      {"negative position", Block("CLCC", Int32(1)) + Block("CHIX", Int32(-5)) + dir},
      {"huge position", Block("CLCC", Int32(1)) + Block("CHIX", Int32(0x7FFFFFF0)) + dir},
      {"oversized type record", Block("CLCC", Int32(1)) + Block("CHTY", std::string(500, 'x')) + dir},
      {"block past the end", Block("CLCC", Int32(1)) + "CHFN" + Int32(1000) + "abc"},
  };
  ChannelList& list = Catalogue();
  for (const auto& c : cases) {
    folder.write("channel.lst", c.content);
    list.Release();
    list.LoadChannelList();
    EXPECT_EQ(list.GetItem(0x7FFFFFF0), nullptr) << c.what;
    EXPECT_LE(list.GetItemCount(), 1) << c.what;
  }
}

TEST_F(ChannelCatalogue, SecondStartOverAnUnchangedFolderLoadsNoPlugin) {
  StageComponents();
  Stage({PluginFile(plainPluginGuid), PluginFile(parentPluginGuid), "sub/" + PluginFile(nestedPluginGuid)});
  Start();
  ASSERT_NE(Catalogue().GetItem(plainPluginGuid), nullptr);
  Stop();
  ASSERT_GT(LogLines(), 0);  // the first scan read every plug-in
  ASSERT_TRUE(std::filesystem::exists(folder.path() / "channel.lst"));

  std::filesystem::remove(folder.path() / "plugin.log");
  EngineInterface& second = Start();
  EXPECT_EQ(LogLines(), 0);
  ChannelListItem* plain = Catalogue().GetItem(plainPluginGuid);
  ASSERT_NE(plain, nullptr);
  EXPECT_FALSE(plain->typeVerified);
  ASSERT_NE(Catalogue().GetItem(nestedPluginGuid), nullptr);
  // The first instance verifies the entry.
  Zyl_Channel* channel = second.InitChannelFromType(plainPluginGuid, nullptr, false);
  ASSERT_NE(channel, nullptr);
  EXPECT_TRUE(plain->typeVerified);
  delete channel;
}

TEST_F(ChannelCatalogue, DeletedLibraryStaysAsNotOnDiskAndKeepsItsType) {
  StageComponents();
  Stage({PluginFile(plainPluginGuid)});
  Start();
  Stop();
  std::filesystem::remove(folder.path() / "channels" / PluginFile(plainPluginGuid));
  StageAs(PluginFile(plainPluginGuid), "sub/Copy.dll");  // the same type in another file
  EngineInterface& second = Start();
  ChannelListItem* plain = Catalogue().GetItem(plainPluginGuid);
  ASSERT_NE(plain, nullptr);
  EXPECT_FALSE(plain->onDisk);
  EXPECT_EQ(std::string(plain->fileName.GetString()), ChannelPath(PluginFile(plainPluginGuid)));
  EXPECT_EQ(second.InitChannelFromType(plainPluginGuid, nullptr, false), nullptr);
  for (int i = 0; i < Catalogue().GetItemCount(); ++i) {
    if (ChannelListItem* item = Catalogue().GetItem(i)) {
      EXPECT_EQ(std::string(item->fileName.GetString()).find("Copy.dll"), std::string::npos);
    }
  }
  Stop();
  Start();
  EXPECT_NE(Catalogue().GetItem(plainPluginGuid), nullptr);  // written back on exit
}

TEST_F(ChannelCatalogue, AddItemFromFileAddsOrUpdatesInPlace) {
  StageComponents();
  Stage({PluginFile(plainPluginGuid), PluginFile(oldPluginGuid)});
  Start();
  ChannelList& list = Catalogue();
  ChannelListItem* scanned = list.GetItem(plainPluginGuid);
  ASSERT_NE(scanned, nullptr);
  const int position = scanned->index;
  scanned->onDisk = false;
  const std::string path = ChannelPath(PluginFile(plainPluginGuid));
  EXPECT_EQ(list.AddItemFromFile(path.c_str()), scanned);
  EXPECT_EQ(scanned->index, position);
  EXPECT_TRUE(scanned->onDisk);
  capture.messages.clear();
  EXPECT_EQ(list.AddItemFromFile(ChannelPath(PluginFile(oldPluginGuid)).c_str()), nullptr);
  EXPECT_TRUE(capture.Contains(errorMessageType,
      "ChannelList::AddItemFromFile: Could not get the channeltype from the downloaded channel"));
}

TEST_F(ChannelCatalogue, VersionInfoAndDuplicateTypes) {
  ChannelList list(nullptr);
  auto* first = new ChannelListItem;
  first->type.guid = plainPluginGuid;
  auto* twin = new ChannelListItem;
  twin->type.guid = plainPluginGuid;
  ASSERT_TRUE(list.AddItem(first));
  EXPECT_FALSE(list.AddItem(twin));
  delete twin;
  list.SetVersionInfo(plainPluginGuid, 3, 41, 7);
  EXPECT_EQ(list.GetChannelType(plainPluginGuid).versionInfo[2], 7);
  list.SetVersionInfo(absentPluginGuid, 9, 9, 9);  // no entry, no effect
  EXPECT_EQ(list.GetItem(1), nullptr);
  EXPECT_EQ(list.GetItem(-1), nullptr);
}

TEST(Char2Hex, DigitsTimesPowersOfSixteen) {
  ChannelList list(nullptr);
  const struct {
    char c;
    int power;
    uint32_t value;
  } cases[] = {{'B', 1, 176}, {'b', 1, 0}, {'0', 3, 0}, {'9', 0, 9}, {'F', 2, 3840}, {'A', 0, 10}, {'G', 1, 0}};
  for (const auto& c : cases) EXPECT_EQ(list.Char2Hex(c.c, c.power), c.value) << c.c << c.power;
}

}  // namespace
