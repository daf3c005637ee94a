// Engine paths map to host paths and back; lookups that miss fall back to letter case.
#include "platform/paths.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace {

struct HostCase {
  const char* engine;
  std::optional<std::string> host;
};

TEST(Paths, EngineToHost) {
  const HostCase cases[] = {
      {"Z:\\home\\a", "/home/a"},
      {"z:\\home\\a\\", "/home/a"},
      {"Z:\\", "/"},
      {"Z:", "."},
      {"..\\shared\\a.cgr", "../shared/a.cgr"},
      {".\\sub\\b.cgr", "./sub/b.cgr"},
      {"Z:/home\\a/b", "/home/a/b"},
      {"Z:\\a\\\\b//c", "/a/b/c"},
      {"\\usr\\lib", "/usr/lib"},
      {"name.txt", "name.txt"},
      {"", "."},
      {"\\\\server\\share\\a", std::nullopt},
      {"//server/share", std::nullopt},
      {"C:\\proj\\a.cgr", std::nullopt},
  };
  for (const HostCase& c : cases) EXPECT_EQ(platform::toHostPath(c.engine), c.host) << c.engine;
}

TEST(Paths, HostToEngine) {
  const std::pair<const char*, const char*> cases[] = {
      {"/home/a", "Z:\\home\\a"}, {"/", "Z:\\"},          {"/a//b/", "Z:\\a\\b"},
      {"a/b", "a\\b"},            {"../x/y", "..\\x\\y"}, {"", "."},
  };
  for (const auto& [host, engine] : cases) EXPECT_EQ(platform::toEnginePath(host), engine) << host;
}

TEST(Paths, AbsolutePathsSurviveTheRoundTrip) {
  for (const char* host : {"/", "/home/user/My Project/main.cgr", "/tmp/a.b.c"})
    EXPECT_EQ(platform::toHostPath(platform::toEnginePath(host)), host);
}

TEST(Paths, MissingComponentsMatchIgnoringLetterCase) {
  TempFolder folder;
  folder.write("Groups/Main.CGR", "x");
  std::string root = folder.path().string();
  EXPECT_EQ(platform::resolveHostPath(folder.engine() + "\\groups\\main.cgr"),
            root + "/Groups/Main.CGR");
  EXPECT_EQ(platform::resolveHostPath(folder.engine() + "\\Groups\\Main.CGR"),
            root + "/Groups/Main.CGR");
  // A file to be created: its folder is found, its own name stays as written.
  EXPECT_EQ(platform::resolveHostPath(folder.engine() + "\\GROUPS\\New.cgr"),
            root + "/Groups/New.cgr");
  EXPECT_EQ(platform::resolveHostPath(folder.engine() + "\\none\\Main.cgr"),
            root + "/none/Main.cgr");
}

TEST(Paths, CurrentDirectoryInEngineForm) {
  TempFolder folder;
  std::string previous = platform::currentDirectory();
  folder.write("Sub/keep", "");
  ASSERT_TRUE(platform::setCurrentDirectory(folder.engine() + "\\sub"));
  EXPECT_EQ(platform::currentDirectory(), folder.engine("Sub"));
  EXPECT_EQ(platform::resolveHostPath("KEEP"), "keep");
  EXPECT_FALSE(platform::setCurrentDirectory(folder.engine() + "\\missing"));
  ASSERT_TRUE(platform::setCurrentDirectory(previous));
  ASSERT_TRUE(platform::setCurrentDirectory("Z:\\"));
  EXPECT_EQ(platform::currentDirectory(), "Z:\\");
  ASSERT_TRUE(platform::setCurrentDirectory(previous));
}

}  // namespace
