// The directory lister of Roster.dll as the catalogue scan uses it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "component_test_support.h"
#include "graph/zyl_file_lister.h"
#include "graph/zyl_guid.h"

namespace {

class RosterTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(library.module, nullptr) << platform::lastModuleErrorText();
    lister.reset(library.Create<Zyl_DirectoryLister>(&engine));
    ASSERT_NE(lister, nullptr);
  }
  void TearDown() override { lister.reset(); }

  EngineInterface engine;
  StagedLibrary library{"Roster.dll"};
  std::unique_ptr<Zyl_DirectoryLister> lister;
  TempFolder folder;
};

TEST_F(RosterTest, ServiceLibraryCarriesNoChannelType) {
  EXPECT_TRUE(IsNullGuid(library.Type().guid));
  EXPECT_EQ(lister->engineInterface, &engine);
  EXPECT_EQ(lister->module, library.module);
}

TEST_F(RosterTest, ListsFilesByExtensionAndAllSubfolders) {
  folder.write("b.dll", "x");
  folder.write("A.DLL", "x");
  folder.write("notes.txt", "x");
  folder.write("dll", "x");  // no extension at all
  folder.write("sub/inner.dll", "x");
  std::filesystem::create_directories(folder.path() / "empty");
  lister->SetExtensionFilter("DLL");
  ASSERT_TRUE(lister->ListDirectory((folder.engine() + "\\*.*").c_str()));
  ASSERT_EQ(lister->GetFileCount(), 2);
  EXPECT_STREQ(lister->GetFileName(0), "A.DLL");
  EXPECT_STREQ(lister->GetFileName(1), "b.dll");
  EXPECT_EQ(lister->GetFileName(2), nullptr);
  EXPECT_EQ(lister->GetFileName(-1), nullptr);
  ASSERT_EQ(lister->GetDirCount(), 2);
  EXPECT_STREQ(lister->GetDirName(0), "empty");
  EXPECT_STREQ(lister->GetDirName(1), "sub");
  EXPECT_EQ(lister->GetDirName(2), nullptr);
}

TEST_F(RosterTest, PatternSelectsNamesAndMissingFolderFails) {
  folder.write("alpha.dll", "x");
  folder.write("beta.dll", "x");
  folder.write("Another.txt", "x");
  lister->SetExtensionFilter(nullptr);
  ASSERT_TRUE(lister->ListDirectory((folder.engine() + "\\a*").c_str()));
  ASSERT_EQ(lister->GetFileCount(), 2);
  EXPECT_STREQ(lister->GetFileName(0), "Another.txt");
  EXPECT_STREQ(lister->GetFileName(1), "alpha.dll");
  ASSERT_TRUE(lister->ListDirectory((folder.engine() + "\\?eta.*").c_str()));
  EXPECT_EQ(lister->GetFileCount(), 1);
  EXPECT_FALSE(lister->ListDirectory((folder.engine("missing") + "\\*.*").c_str()));
  EXPECT_EQ(lister->GetFileCount(), 0);
  EXPECT_EQ(lister->GetDirCount(), 0);
  EXPECT_FALSE(lister->ListDirectory(nullptr));
}

}  // namespace
