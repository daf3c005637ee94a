// FilePathFind: relative and full forms on Windows-form paths, drives and normalization.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "graph/graph_test_support.h"
#include "runtime/path_find.h"

namespace {

struct RoundTrip {
  const char* source;
  const char* target;
  const char* relative;
};

class PathFindTest : public testing::TestWithParam<RoundTrip> {};

TEST_P(PathFindTest, RelativeFormAndBack) {
  const RoundTrip& c = GetParam();
  FilePathFind toRelative;
  toRelative.SetSourcePath(c.source);
  EXPECT_STREQ(toRelative.GetValidRelativeDir(c.target), c.relative);
  FilePathFind toFull;
  toFull.SetSourcePath(c.source);
  EXPECT_STREQ(toFull.GetCompleteFilePath(c.relative), c.target);
  EXPECT_STREQ(toFull.GetCorrectFilePath(c.relative), c.target);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathFindTest,
    testing::Values(RoundTrip{"C:\\proj\\groups\\main.cgr", "C:\\proj\\shared\\a.cgr", "..\\shared\\a.cgr"},
                    RoundTrip{"C:\\proj\\groups\\main.cgr", "C:\\proj\\groups\\sub\\b.cgr", ".\\sub\\b.cgr"},
                    RoundTrip{"C:\\proj\\groups\\main.cgr", "C:\\proj\\groups\\c.cgr", ".\\c.cgr"},
                    RoundTrip{"C:\\a\\b\\c\\main.cgr", "C:\\x\\y.cgr", "..\\..\\..\\x\\y.cgr"}));

TEST(PathFind, SharedFoldersCompareIgnoringCase) {
  FilePathFind find;
  find.SetSourcePath("C:\\Proj\\Groups\\main.cgr");
  EXPECT_STREQ(find.GetValidRelativeDir("C:\\proj\\groups\\d.cgr"), ".\\d.cgr");
}

TEST(PathFind, DifferentDriveKeepsFullPathAndReports) {
  MessageCapture capture;
  EngineInterface engine;
  EngineInterface* previous = globalEngine;
  globalEngine = &engine;
  FilePathFind find;
  globalEngine = previous;
  find.SetSourcePath("C:\\proj\\main.cgr");
  for (const char* target : {"D:\\proj\\a.cgr", "c:\\proj\\a.cgr"}) {
    capture.messages.clear();
    EXPECT_EQ(find.GetValidRelativeDir(target), target);
    EXPECT_TRUE(capture.Contains(errorMessageType, std::string("orgFile :  ") + target));
    EXPECT_TRUE(capture.Contains(errorMessageType, "sourcePath_ :  C:\\proj\\main.cgr"));
    EXPECT_TRUE(capture.Contains(errorMessageType, "Autoload group is on different drive"));
  }
}

TEST(PathFind, StoredPathWithDriveOrNetworkIsUsedUnchanged) {
  FilePathFind find;
  find.SetSourcePath("C:\\proj\\main.cgr");
  for (const char* stored : {"D:\\x\\a.cgr", "..\\x:y.cgr", "\\\\server\\share\\a.cgr", "a\\\\b.cgr"}) {
    EXPECT_EQ(find.GetCorrectFilePath(stored), stored);
  }
  EXPECT_EQ(find.GetCorrectFilePath(nullptr), nullptr);
  EXPECT_EQ(find.GetCompleteFilePath(nullptr), nullptr);
  EXPECT_EQ(find.GetValidRelativeDir(nullptr), nullptr);
}

TEST(PathFind, NormalizationOfSeparators) {
  struct Case {
    const char* in;
    const char* base;
    const char* out;
  };
  const Case cases[] = {
      {"C:\\a//b\\c.cgr", "Z:\\", "C:\\a\\b\\c.cgr"},
      {"C:/a/b/c.cgr", "Z:\\", "C:\\a\\b\\c.cgr"},
      {"C:\\a\\\\\\b.cgr", "Z:\\", "C:\\a\\b.cgr"},
      {"\\\\server\\share", "Z:\\", "\\\\server\\share"},
      {".\\a.cgr", "C:\\base", "C:\\base\\a.cgr"},
      {".", "C:\\base", "C:\\base"},
  };
  FilePathFind find;
  for (const Case& c : cases) {
    char buffer[FilePathFind::sourcePathSize] = {};
    std::strcpy(buffer, c.in);
    find.CreateValidFilePath(buffer, c.base);
    EXPECT_STREQ(buffer, c.out) << c.in;
  }
}

TEST(PathFind, SourcePathIsNormalizedUnlessWebAddress) {
  FilePathFind find;
  find.SetSourcePath("C:\\a//b\\c.cgr");
  EXPECT_STREQ(find.GetSourcePath(), "C:\\a\\b\\c.cgr");
  find.SetSourcePath("http://host//a/b.cgr");
  EXPECT_STREQ(find.GetSourcePath(), "http://host//a/b.cgr");
}

TEST(PathFind, ComponentHelpers) {
  FilePathFind find;
  EXPECT_EQ(find.GetDirCount("C:\\proj\\groups\\main.cgr"), 2);
  EXPECT_EQ(find.GetDirCount("C:\\a\\"), 0);  // a last '\' is not counted
  EXPECT_EQ(find.GetDirCount(nullptr), 0);
  char name[FilePathFind::workSize];
  EXPECT_STREQ(find.GetDirName(name, "C:\\proj\\groups\\main.cgr", 1), "groups");
  EXPECT_EQ(find.GetDirName(name, "C:\\proj\\groups\\main.cgr", 2), nullptr);
  EXPECT_EQ(find.GetBackDirCount("..\\..\\a\\b.cgr"), -2);
  EXPECT_EQ(find.GetBackDirCount("a\\b.cgr"), 0);
  EXPECT_EQ(find.GetDirCountFromBackDir("..\\..\\a\\b\\c.cgr"), 2);
  EXPECT_STREQ(find.GetDirNameFromBackDir(name, "..\\..\\a\\b\\c.cgr", 1), "b");
  EXPECT_EQ(find.GetDirNameFromBackDir(name, "..\\a\\c.cgr", 1), nullptr);
  EXPECT_EQ(find.GetDirShareCount("C:\\a\\B\\c\\x", "C:\\A\\b\\d\\y"), 2);
  EXPECT_EQ(find.GetRelativeDirCount("C:\\a\\x", "C:\\a\\b\\y"), -1);
  EXPECT_TRUE(find.CheckValidDrive("C:\\a", "C:\\b"));
  EXPECT_FALSE(find.CheckValidDrive(".\\a", ".\\b"));
  EXPECT_FALSE(find.CheckValidDrive("c:\\a", "C:\\b"));
  EXPECT_FALSE(find.CheckValidDrive(nullptr, "C:\\b"));
  char path[FilePathFind::workSize] = "C:\\a\\b.cgr";
  EXPECT_STREQ(find.GetFilePath(path), "C:\\a");
  char file[FilePathFind::workSize] = "C:\\a/b.cgr";
  EXPECT_STREQ(find.GetFileName(file), "b.cgr");
  char bare[FilePathFind::workSize] = "b.cgr";
  EXPECT_STREQ(find.GetFileName(bare), "b.cgr");
}

TEST(PathFind, LongPathsAreCutNotOverrun) {
  std::string deep = "C:";
  while (deep.size() < 900) deep += "\\folder";
  deep += "\\a.cgr";
  FilePathFind find;
  find.SetSourcePath(deep.c_str());
  EXPECT_LT(std::strlen(find.GetSourcePath()), static_cast<size_t>(FilePathFind::sourcePathSize));
  const char* full = find.GetCompleteFilePath((std::string("..\\") + deep.substr(3)).c_str());
  ASSERT_NE(full, nullptr);
  EXPECT_LT(std::strlen(full), static_cast<size_t>(FilePathFind::resultSize));
  const char* relative = find.GetValidRelativeDir(deep.c_str());
  ASSERT_NE(relative, nullptr);
  EXPECT_LT(std::strlen(relative), static_cast<size_t>(FilePathFind::resultSize));
}

}  // namespace
