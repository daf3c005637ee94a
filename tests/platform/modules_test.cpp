// Libraries load by bare name through the search path: the earlier folder wins, a name found
// nowhere fails with a number and the loader's text.
#include "platform/modules.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/paths.h"
#include "support/temp_folder.h"

namespace {

const std::string firstFolder = platform::toEnginePath(TWIN_FOLDERS "/folder1");
const std::string secondFolder = platform::toEnginePath(TWIN_FOLDERS "/folder2");

class Modules : public testing::Test {
 protected:
  void SetUp() override { previousPath_ = platform::environmentPath(); }
  void TearDown() override { platform::setEnvironmentPath(previousPath_); }

  // Which copy of Twin.dll a bare-name load finds with this search path.
  static int FolderOfTwin(const std::string& searchPath, const char* name = "Twin.dll") {
    platform::setEnvironmentPath(searchPath);
    platform::ModuleHandle module = platform::loadModule(name);
    if (!module) return 0;
    auto twinFolder = reinterpret_cast<int (*)()>(platform::moduleSymbol(module, "TwinFolder"));
    int folder = twinFolder ? twinFolder() : -1;
    EXPECT_TRUE(platform::freeModule(module));
    return folder;
  }

 private:
  std::string previousPath_;
};

TEST_F(Modules, EarlierSearchFolderWins) {
  EXPECT_EQ(FolderOfTwin(firstFolder + ";" + secondFolder), 1);
  EXPECT_EQ(FolderOfTwin(secondFolder + ";" + firstFolder), 2);
  EXPECT_EQ(FolderOfTwin(";Z:\\no\\such\\folder;;" + secondFolder + ";"), 2);
}

TEST_F(Modules, BareNameLoadsWhateverTheCurrentDirectory) {
  std::string previous = platform::currentDirectory();
  ASSERT_TRUE(platform::setCurrentDirectory("Z:\\"));
  EXPECT_EQ(FolderOfTwin(firstFolder), 1);
  ASSERT_TRUE(platform::setCurrentDirectory(firstFolder));
  EXPECT_EQ(FolderOfTwin(secondFolder), 2);
  ASSERT_TRUE(platform::setCurrentDirectory(previous));
}

TEST_F(Modules, NameMatchesIgnoringLetterCase) {
  EXPECT_EQ(FolderOfTwin(firstFolder, "TWIN.DLL"), 1);
}

TEST_F(Modules, PathWithFolderLoadsFromThere) {
  platform::setEnvironmentPath(firstFolder);
  platform::ModuleHandle module = platform::loadModule(secondFolder + "\\twin.DLL");
  ASSERT_NE(module, nullptr) << platform::lastModuleErrorText();
  auto twinFolder = reinterpret_cast<int (*)()>(platform::moduleSymbol(module, "TwinFolder"));
  ASSERT_NE(twinFolder, nullptr);
  EXPECT_EQ(twinFolder(), 2);
  EXPECT_TRUE(platform::freeModule(module));
}

TEST_F(Modules, NameFoundNowhereFailsWithNumberAndText) {
  platform::setEnvironmentPath(firstFolder + ";" + secondFolder);
  EXPECT_EQ(platform::loadModule("DDRAW.DLL"), nullptr);
  EXPECT_EQ(platform::lastError(), platform::errorModuleNotFound);
  EXPECT_NE(platform::lastModuleErrorText().find("DDRAW.DLL"), std::string::npos)
      << platform::lastModuleErrorText();
  EXPECT_EQ(platform::loadModule("Z:\\no\\such\\folder\\Twin.dll"), nullptr);
  EXPECT_EQ(platform::lastError(), platform::errorModuleNotFound);
  EXPECT_EQ(platform::loadModule("C:\\Windows\\Twin.dll"), nullptr);
  EXPECT_EQ(platform::lastError(), platform::errorModuleNotFound);
}

TEST_F(Modules, NeededLibrariesComeFromTheSearchPath) {
  platform::setEnvironmentPath(firstFolder);
  EXPECT_EQ(platform::loadModule("Needy.dll"), nullptr);
  EXPECT_EQ(platform::lastError(), platform::errorModuleNotFound);
  EXPECT_NE(platform::lastModuleErrorText().find("Helper.dll"), std::string::npos)
      << platform::lastModuleErrorText();
  platform::setEnvironmentPath(firstFolder + ";" + secondFolder);
  platform::ModuleHandle module = platform::loadModule("Needy.dll");
  ASSERT_NE(module, nullptr) << platform::lastModuleErrorText();
  auto needyValue = reinterpret_cast<int (*)()>(platform::moduleSymbol(module, "NeedyValue"));
  ASSERT_NE(needyValue, nullptr);
  EXPECT_EQ(needyValue(), 43);
  EXPECT_TRUE(platform::freeModule(module));
}

TEST_F(Modules, FileThatIsNoLibraryIsABadFormat) {
  TempFolder folder;
  folder.write("Fake.dll", "not a library");
  platform::setEnvironmentPath(folder.engine());
  EXPECT_EQ(platform::loadModule("Fake.dll"), nullptr);
  EXPECT_EQ(platform::lastError(), platform::errorBadExecutableFormat)
      << platform::lastModuleErrorText();
  EXPECT_FALSE(platform::lastModuleErrorText().empty());
}

TEST_F(Modules, MissingSymbolAndUnknownHandles) {
  platform::setEnvironmentPath(firstFolder);
  platform::ModuleHandle module = platform::loadModule("Twin.dll");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(platform::moduleSymbol(module, "InitDLL"), nullptr);
  EXPECT_EQ(platform::lastError(), platform::errorProcedureNotFound);
  EXPECT_TRUE(platform::freeModule(module));
  EXPECT_FALSE(platform::freeModule(module));  // already released
  EXPECT_FALSE(platform::freeModule(nullptr));
  EXPECT_EQ(platform::moduleSymbol(nullptr, "TwinFolder"), nullptr);
}

TEST_F(Modules, LoadingTwiceGivesTheSameCountedHandle) {
  platform::setEnvironmentPath(firstFolder);
  platform::ModuleHandle first = platform::loadModule("Twin.dll");
  platform::ModuleHandle second = platform::loadModule(firstFolder + "\\Twin.dll");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  EXPECT_TRUE(platform::freeModule(first));
  EXPECT_NE(platform::moduleSymbol(second, "TwinFolder"), nullptr);  // one load still held
  EXPECT_TRUE(platform::freeModule(second));
}

}  // namespace
