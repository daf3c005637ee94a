// The zlib file translator: compressed group and project files load transparently, both
// TranslateFile forms, and damaged containers fail with a message instead of loading.
#include <cstring>

#include "graph/zyl_file_channels.h"
#include "project_test_support.h"
#include "runtime/project_loader.h"

namespace {

// Offsets in a container written by the translator: ZMTF block, ZLSZ block, ZLDT block.
constexpr size_t sizeValueAt = 24 + 8;
constexpr size_t compressedAt = 24 + 12 + 8;

class TranslationTest : public ProjectTest {
 protected:
  TranslationTest() {
    StartEngine();
    WriteStartGroup("s.cgr");
    original = ReadBytes(HostPath("s.cgr"));
    Compress("s.cgr");
    compressed = ReadBytes(HostPath("s.cgr"));
  }

  std::string original;
  std::string compressed;
};

TEST_F(TranslationTest, CompressedGroupLoadsTransparently) {
  ASSERT_EQ(compressed.substr(0, 4), "ZMTF");
  ASSERT_NE(compressed, original);
  Zyl_ChannelGroup* group = engine->LoadChannelGroup(EnginePath("s.cgr").c_str(), nullptr);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->GetChannelCount(), 1);
  ASSERT_NE(group->GetChannel(0), nullptr);
  EXPECT_TRUE(IsEqualGuid(group->GetChannel(0)->GetChannelType().guid, plainPluginGuid));
}

TEST_F(TranslationTest, CompressedProjectLoadsTransparently) {
  WriteProject("p.kvn", "s.cgr", {}, {}, false);
  Compress("p.kvn");
  EXPECT_EQ(Load("p.kvn"), ProjectLoader::loaded);
  EXPECT_EQ(engine->extension->projectLoader->GetStartGroupPath(), EnginePath("s.cgr"));
  EXPECT_NE(engine->extension->GetKVNStartGroup(), nullptr);
}

TEST_F(TranslationTest, FileLoaderChannelGetsTheTranslatedBuffer) {
  Zyl_Channel* channel = engine->InitChannelFromType(fileLoaderTypeGuid, nullptr, false);
  auto* loader = dynamic_cast<Zyl_FileLoaderChannel*>(channel);
  ASSERT_NE(loader, nullptr);
  ASSERT_TRUE(loader->LoadFile(EnginePath("s.cgr").c_str()));
  // The component's class derives from Zyl_FileLoaderChannel alone.
  engine->extension->TranslateFile(reinterpret_cast<Hux_FileLoaderChannel*>(loader));
  ASSERT_EQ(loader->GetBufferSize(), static_cast<int>(original.size()));
  EXPECT_EQ(std::memcmp(loader->GetBuffer(), original.data(), original.size()), 0);
  delete loader;
}

TEST_F(TranslationTest, DamagedContainersFailWithAMessage) {
  std::string flipped = compressed;
  flipped[compressedAt + (compressed.size() - compressedAt) / 2] ^= 0x5A;
  std::string tooLarge = compressed;
  tooLarge.replace(sizeValueAt, 4, IntBytes(256 * 1024 * 1024 + 1));
  std::string tooSmall = compressed;
  tooSmall.replace(sizeValueAt, 4, IntBytes(static_cast<int32_t>(original.size()) - 1));
  const GUID unknown = MakeTestPluginGuid(0x0000A0EE);
  const struct {
    const char* name;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"flipped byte", flipped, "Hux_ZlibTranslatorChannel::TranslateFile: Corrupt compressed data"},
      {"cut stream", compressed.substr(0, compressed.size() - 8),
       "Hux_ZlibTranslatorChannel::TranslateFile: No data block"},
      {"declared size too large", tooLarge, "Hux_ZlibTranslatorChannel::TranslateFile: Size out of range"},
      {"declared size too small", tooSmall,
       "Hux_ZlibTranslatorChannel::TranslateFile: Corrupt compressed data"},
      {"no size block", compressed.substr(0, 24), "Hux_ZlibTranslatorChannel::TranslateFile: No size block"},
      {"unknown translator", RawBlock("ZMTF", GuidBytes(unknown)) + compressed.substr(24),
       "EngineInterfaceExt::TranslateFile: No file translator of type"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    capture.messages.clear();
    WriteBytes(HostPath("bad.cgr"), c.bytes);
    EXPECT_EQ(engine->LoadChannelGroup(EnginePath("bad.cgr").c_str(), nullptr), nullptr);
    EXPECT_TRUE(Errored(c.message));
    EXPECT_EQ(Load("bad.cgr"), ProjectLoader::refused);
  }
}

}  // namespace
