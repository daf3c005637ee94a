// The saver never destroys the previous file: it writes a temporary file and renames it.
#include "platform/files.h"
#include "tagvault_fixture.h"

namespace {

TEST_F(TagvaultTest, FailedSaveKeepsThePreviousFile) {
  folder.write("channel.lst", "previous");
  const std::string path = folder.engine("channel.lst");
  for (platform::WriteStep step : {platform::WriteStep::create, platform::WriteStep::write,
                                   platform::WriteStep::rename}) {
    ASSERT_TRUE(saver->OpenSaveFile(path.c_str(), false));
    saver->SaveTag("CLCC");
    platform::failWholeFileWritesAt(step);
    EXPECT_FALSE(saver->CloseSaveFile());
    platform::failWholeFileWritesAt(platform::WriteStep::none);
    EXPECT_EQ(folder.read("channel.lst"), "previous");
  }
  EXPECT_TRUE(capture.Contains(errorMessageType,
                               "Hux_FileSaverChannel::CloseSaveFile: Error writing file: " + path));
}

TEST_F(TagvaultTest, OpenFailsWhereNoFileCanBeCreated) {
  EXPECT_FALSE(saver->OpenSaveFile(folder.engine("missing\\a.lst").c_str(), false));
  EXPECT_FALSE(saver->OpenSaveFile(nullptr, false));
  EXPECT_FALSE(saver->OpenSaveFile("", false));
  EXPECT_FALSE(saver->OpenSaveFile(folder.engine().c_str(), false));  // a folder
  EXPECT_EQ(saver->SaveTag("CLCC"), 0);  // nothing open
  EXPECT_FALSE(saver->CloseSaveFile());
}

TEST_F(TagvaultTest, AppendKeepsTheEarlierContent) {
  folder.write("log.bin", "ab");
  ASSERT_TRUE(saver->OpenSaveFile(folder.engine("log.bin").c_str(), true));
  saver->SaveDataToFile("cd", 2);
  ASSERT_TRUE(saver->CloseSaveFile());
  EXPECT_EQ(folder.read("log.bin"), "abcd");
}

TEST_F(TagvaultTest, ShortTagsAndOversizedSizesAreNotWritten) {
  ASSERT_TRUE(saver->OpenMemory());
  EXPECT_EQ(saver->SaveTag("AB"), 0);
  EXPECT_EQ(saver->SaveTag(nullptr), 0);
  EXPECT_EQ(saver->SaveBlockSize(0x100000000ul), 0);
  EXPECT_EQ(saver->SaveDataToFile(nullptr, 4), 0);
  EXPECT_EQ(saver->GetBufferSize(), 0);
}

}  // namespace
