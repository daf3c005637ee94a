// File queries and whole-file reads and writes on engine paths.
#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/errors.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

std::span<const uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(Files, AttributesFromThePermissions) {
  TempFolder folder;
  folder.write("plain.txt", "x");
  folder.write("locked.txt", "x");
  fs::permissions(folder.path() / "locked.txt",
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::create_directory(folder.path() / "Sub");
  EXPECT_EQ(platform::fileAttributes(folder.engine("plain.txt")), platform::fileAttributeNormal);
  EXPECT_EQ(platform::fileAttributes(folder.engine("locked.txt")), platform::fileAttributeReadOnly);
  EXPECT_EQ(platform::fileAttributes(folder.engine("sub")), platform::fileAttributeDirectory);
  EXPECT_FALSE(platform::fileAttributes(folder.engine("missing.txt")));
  EXPECT_EQ(platform::lastError(), platform::errorFileNotFound);
  EXPECT_TRUE(platform::fileExists(folder.engine("PLAIN.TXT")));
  EXPECT_FALSE(platform::fileExists(folder.engine("missing.txt")));
  EXPECT_FALSE(platform::fileExists("C:\\plain.txt"));
}

TEST(Files, WholeFileWriteReplacesAndReadReturnsIt) {
  TempFolder folder;
  std::string path = folder.engine("data.bin");
  const std::string contents[] = {"first", std::string("\0\1\2", 3), ""};
  for (const std::string& content : contents) {
    ASSERT_TRUE(platform::writeWholeFile(path, Bytes(content)));
    std::optional<std::vector<uint8_t>> read = platform::readWholeFile(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(std::string(read->begin(), read->end()), content);
  }
  EXPECT_FALSE(platform::readWholeFile(folder.engine("missing.bin")));
  EXPECT_FALSE(platform::readWholeFile(folder.engine()));  // a folder
  EXPECT_FALSE(platform::writeWholeFile(folder.engine("no\\folder\\x.bin"), Bytes("x")));
}

TEST(Files, WriteKeepsThePermissionsOfTheReplacedFile) {
  TempFolder folder;
  folder.write("shared.txt", "old");
  fs::permissions(folder.path() / "shared.txt", fs::perms::owner_read | fs::perms::owner_write |
                                                    fs::perms::group_read | fs::perms::group_write);
  ASSERT_TRUE(platform::writeWholeFile(folder.engine("shared.txt"), Bytes("new")));
  EXPECT_EQ(fs::status(folder.path() / "shared.txt").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::group_write);
}

TEST(Files, FailedWriteAtAnyStepKeepsThePreviousFile) {
  TempFolder folder;
  folder.write("keep.txt", "previous");
  for (platform::WriteStep step : {platform::WriteStep::create, platform::WriteStep::write,
                                   platform::WriteStep::flush, platform::WriteStep::rename}) {
    platform::failWholeFileWritesAt(step);
    EXPECT_FALSE(platform::writeWholeFile(folder.engine("keep.txt"), Bytes("replacement")));
    platform::failWholeFileWritesAt(platform::WriteStep::none);
    EXPECT_EQ(folder.read("keep.txt"), "previous");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
  }
}

TEST(Files, AppendCreatesThenExtends) {
  TempFolder folder;
  ASSERT_TRUE(platform::appendToFile(folder.engine("error.log"), Bytes("one\r\n")));
  ASSERT_TRUE(platform::appendToFile(folder.engine("ERROR.LOG"), Bytes("two\r\n")));
  EXPECT_EQ(folder.read("error.log"), "one\r\ntwo\r\n");
}

TEST(Files, ListingSeparatesFilesAndFolders) {
  TempFolder folder;
  folder.write("b.dll", "");
  folder.write("A.DLL", "");
  folder.write("Sub/inner.dll", "");
  std::optional<platform::DirectoryListing> listing = platform::listDirectory(folder.engine());
  ASSERT_TRUE(listing);
  EXPECT_EQ(listing->files, (std::vector<std::string>{"A.DLL", "b.dll"}));
  EXPECT_EQ(listing->folders, (std::vector<std::string>{"Sub"}));
  EXPECT_FALSE(platform::listDirectory(folder.engine("missing")));
}

}  // namespace
