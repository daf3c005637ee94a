// The per-user store: missing keys, non-string values, stored sizes, a corrupt file and
// atomic replacement when a write fails.
#include "platform/registry.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "platform/files.h"
#include "support/temp_folder.h"

namespace {

const char* const key = "Software\\Kelvane\\Player";

class Registry : public testing::Test {
 protected:
  void SetUp() override {
    store_ = (folder_.path() / "config" / "registry").string();
    setenv("KELVANE_REGISTRY", store_.c_str(), 1);
    platform::setRegistryReporter([this](const std::string& text) { reports_.push_back(text); });
  }
  void TearDown() override {
    platform::setRegistryReporter(nullptr);
    platform::failWholeFileWritesAt(platform::WriteStep::none);
    unsetenv("KELVANE_REGISTRY");
  }

  std::optional<std::string> GetString(std::string_view keyPath, std::string_view name) {
    std::optional<platform::RegistryValue> value = platform::registryGetValue(keyPath, name);
    if (!value || value->kind != platform::RegistryKind::string) return std::nullopt;
    return value->data;
  }

  TempFolder folder_;
  std::string store_;
  std::vector<std::string> reports_;
};

TEST_F(Registry, StoreFileComesFromTheEnvironment) {
  EXPECT_EQ(platform::registryFilePath(), store_);
}

TEST_F(Registry, MissingKeyAndMissingValue) {
  EXPECT_FALSE(platform::registryKeyExists(key));
  EXPECT_FALSE(platform::registryGetValue(key, "WriteErrorLog"));
  ASSERT_TRUE(platform::registrySetString(key, "WriteErrorLog", "No"));
  EXPECT_TRUE(platform::registryKeyExists(key));
  EXPECT_TRUE(platform::registryKeyExists("software\\kelvane"));  // a parent
  EXPECT_FALSE(platform::registryGetValue(key, "KvnCrCCheck"));
  EXPECT_FALSE(platform::registryGetValue("Software\\Other", "WriteErrorLog"));
}

TEST_F(Registry, StringsRoundTripWithNamesIgnoringCase) {
  const std::string texts[] = {"No", "", "a \"quoted\" \\ path]\r\n\ttab", std::string(2000, 'x'),
                               std::string("nul\0inside", 10)};
  for (const std::string& text : texts) {
    ASSERT_TRUE(platform::registrySetString(key, "Value", text));
    EXPECT_EQ(GetString("SOFTWARE\\kelvane\\player", "VALUE"), text);
    // The stored size is the text's own length: no terminator is added.
    EXPECT_EQ(platform::registryGetValue(key, "value")->data.size(), text.size());
  }
}

TEST_F(Registry, ValueOfAnotherKindIsNotAString) {
  platform::RegistryValue number{platform::RegistryKind::dword, std::string("\x2a\0\0\x01", 4)};
  ASSERT_TRUE(platform::registrySetValue(key, "Frames", number));
  platform::RegistryValue bytes{platform::RegistryKind::binary, std::string("\x00\xff\x10", 3)};
  ASSERT_TRUE(platform::registrySetValue(key, "Blob", bytes));
  std::optional<platform::RegistryValue> readNumber = platform::registryGetValue(key, "Frames");
  ASSERT_TRUE(readNumber);
  EXPECT_EQ(readNumber->kind, platform::RegistryKind::dword);
  EXPECT_EQ(readNumber->data, number.data);
  EXPECT_EQ(platform::registryGetValue(key, "Blob")->data, bytes.data);
  EXPECT_NE(folder_.read("config/registry").find("\"Frames\"=dword:0100002a"), std::string::npos);
  EXPECT_FALSE(platform::registrySetValue(key, "Short", {platform::RegistryKind::dword, "ab"}));
}

TEST_F(Registry, EmptyKeyPathIsTheUserRoot) {
  EXPECT_TRUE(platform::registryKeyExists(""));
  ASSERT_TRUE(platform::registrySetString("", "Top", "1"));
  EXPECT_EQ(GetString("", "Top"), "1");
  EXPECT_FALSE(platform::registryGetValue(key, "Top"));
}

TEST_F(Registry, CorruptFileIsReportedOnceReadAsEmptyAndKept) {
  const std::string corrupt[] = {"garbage line\n", "\"Value\"=string:\"orphan\"\n",
                                 "[Key]\n\"Value\"=string:\"unterminated\n",
                                 "[Key]\n\"Value\"=dword:12\n", "[Key]\n\"V\"=float:1\n",
                                 "[Key\n", "[Key]\n\"V\"=string:\"bad \\q escape\"\n"};
  for (const std::string& text : corrupt) {
    reports_.clear();
    folder_.write("config/registry", text);
    std::filesystem::remove(store_ + ".corrupt");
    EXPECT_FALSE(platform::registryKeyExists("Key")) << text;
    EXPECT_FALSE(platform::registryGetValue("Key", "Value")) << text;
    ASSERT_TRUE(platform::registrySetString("Key", "Fresh", "1")) << text;
    EXPECT_EQ(GetString("Key", "Fresh"), "1");
    EXPECT_EQ(folder_.read("config/registry.corrupt"), text);
    EXPECT_EQ(reports_.size(), 1u) << text;
  }
}

TEST_F(Registry, CorruptReportNamesTheFileAndLine) {
  folder_.write("config/registry", "; comment\n\n[Key]\nbroken\n");
  reports_.clear();
  platform::registryGetValue("Key", "A");
  platform::registryGetValue("Key", "B");
  ASSERT_EQ(reports_.size(), 1u);
  EXPECT_NE(reports_[0].find(store_), std::string::npos) << reports_[0];
  EXPECT_NE(reports_[0].find("line 4"), std::string::npos) << reports_[0];
}

TEST_F(Registry, FailedWriteLeavesThePreviousStore) {
  ASSERT_TRUE(platform::registrySetString(key, "WriteErrorLog", "No"));
  std::string before = folder_.read("config/registry");
  for (platform::WriteStep step : {platform::WriteStep::create, platform::WriteStep::write,
                                   platform::WriteStep::flush, platform::WriteStep::rename}) {
    platform::failWholeFileWritesAt(step);
    EXPECT_FALSE(platform::registrySetString(key, "WriteErrorLog", "Yes"));
    platform::failWholeFileWritesAt(platform::WriteStep::none);
    EXPECT_EQ(folder_.read("config/registry"), before);
    EXPECT_EQ(GetString(key, "WriteErrorLog"), "No");
    size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path() / "config"))
      entries += entry.is_regular_file();
    EXPECT_EQ(entries, 1u) << "a temporary file was left behind";
  }
}

}  // namespace
