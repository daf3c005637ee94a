// Streams that lie about their sizes or end early: every read fails cleanly and no read
// leaves the buffer or its destination.
#include "tagvault_fixture.h"

namespace {

const char* const noBlock =
    "Hux_FileLoaderChannel::CopyTagDataToPointer: No data block at the reading position";
const char* const tooLarge =
    "Hux_FileLoaderChannel::CopyTagDataToPointer: Data block larger than its destination";

struct Corrupt {
  const char* what;
  std::string bytes;
  const char* message;
};

class CorruptStreamTest : public TagvaultTest, public testing::WithParamInterface<Corrupt> {};

TEST_P(CorruptStreamTest, TaggedBlockIsRefused) {
  const Corrupt& c = GetParam();
  Read(c.bytes);
  ASSERT_TRUE(loader->GetInfoIfTag("CHIX")) << c.what;
  const char* position = loader->GetBuffer();
  EXPECT_EQ(loader->GetSizeDataBlock(false), 0u) << c.what;
  EXPECT_EQ(loader->GetSizeDataBlock(true), 0u) << c.what;
  int32_t destination[2] = {0x5A5A5A5A, 0x5A5A5A5A};
  EXPECT_FALSE(loader->CopyTagDataToPointer(&destination[0], 4)) << c.what;
  EXPECT_TRUE(capture.Contains(errorMessageType, c.message)) << c.what;
  EXPECT_EQ(destination[1], 0x5A5A5A5A);
  EXPECT_EQ(loader->GetBuffer(), position) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Streams, CorruptStreamTest,
    testing::Values(Corrupt{"size past the end", "CHIX" + Size32(5) + "abcd", noBlock},
                    Corrupt{"huge size", "CHIX" + Size32(0xFFFFFFFFu) + "abcd", noBlock},
                    Corrupt{"truncated size", "CHIX" + std::string("\4\0", 2), noBlock},
                    Corrupt{"no size at all", "CHIX", noBlock}));

TEST_F(TagvaultTest, BlockLargerThanDestinationFailsAndStays) {
  Read("CHIX" + Size32(8) + "abcdefgh");
  ASSERT_TRUE(loader->GetInfoIfTag("CHIX"));
  EXPECT_EQ(loader->GetSizeDataBlock(false), 8u);
  char small[4] = {'-', '-', '-', '-'};
  EXPECT_FALSE(loader->CopyTagDataToPointer(small, sizeof small));
  EXPECT_TRUE(capture.Contains(errorMessageType, tooLarge));
  EXPECT_EQ(small[0], '-');
  char large[8];
  EXPECT_TRUE(loader->CopyTagDataToPointer(large, sizeof large));
  EXPECT_EQ(std::string(large, 8), "abcdefgh");
}

TEST_F(TagvaultTest, BadHeadersAreNoHeaders) {
  const std::string bad[] = {
      "ZMTF" + Size32(16) + std::string(8, '\0'),  // GUID cut short
      "ZMT",                                       // tag cut short
      "ZMTF",                                      // no size
      "ZYLG" + Size32(0),                          // another tag
      "",
  };
  for (const std::string& bytes : bad) {
    Read(bytes);
    const char* start = loader->GetBuffer();
    EXPECT_FALSE(loader->CheckHeader("ZMTF", false)) << bytes.size();
    EXPECT_FALSE(loader->CheckHeader("ZMTF", true)) << bytes.size();
    EXPECT_EQ(loader->GetBuffer(), start);
  }
}

TEST_F(TagvaultTest, UntaggedReadOfGarbageIsNoBlock) {
  // Neither a fitting size nor a printable tag with a fitting size.
  Read(std::string("\x01\x02\x03\x04\x05\x06", 6));
  char destination[16];
  EXPECT_FALSE(loader->CopyTagDataToPointer(destination, sizeof destination));
  EXPECT_EQ(loader->GetSizeDataBlock(true), 0u);
  Read("TAGX" + Size32(100) + "short");
  EXPECT_FALSE(loader->CopyTagDataToPointer(destination, sizeof destination));
}

TEST_F(TagvaultTest, PositionStaysInsideTheBuffer) {
  Read("CHIX" + Size32(0));
  const char* start = loader->GetBuffer();
  loader->AddBufferPos(1000);
  EXPECT_TRUE(loader->GetIfEndOfFile());
  EXPECT_EQ(loader->GetBuffer(), start + loader->GetBufferSize());
  EXPECT_FALSE(loader->GetInfoIfTag("CHIX"));
  loader->AddBufferPos(-1000);
  EXPECT_TRUE(loader->GetInfoIfTag("CHIX"));
  loader->SetBuffer(nullptr, 10, false);
  EXPECT_EQ(loader->GetBufferSize(), 0);
  EXPECT_EQ(loader->GetBuffer(), nullptr);
  EXPECT_FALSE(loader->GetInfoIfTag("CHIX"));
  char destination[4];
  EXPECT_FALSE(loader->CopyTagDataToPointer(destination, sizeof destination));
}

}  // namespace
