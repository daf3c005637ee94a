// The project loader over a real install tree: start group path, version and flags, the
// checks and installation of carried channel and support libraries, and damaged files.
#include <filesystem>

#include "platform/files.h"
#include "runtime/channel_list.h"
#include "project_test_support.h"
#include "runtime/project_loader.h"

namespace {

const std::string plainFile = PluginFile(plainPluginGuid);
const char* const replacement = "replacement library bytes";

class ProjectLoaderTest : public ProjectTest {
 protected:
  std::string Channel(const std::string& file) const {
    return ReadBytes(HostPath("channels/" + file));
  }
  const char* StartGroupPath() const { return engine->extension->projectLoader->GetStartGroupPath(); }
};

TEST_F(ProjectLoaderTest, NoPathAndUnreadableFileAreRefused) {
  StartEngine();
  EXPECT_EQ(engine->extension->InitializeKVNFile(nullptr), ProjectLoader::refused);
  EXPECT_TRUE(Reported("There was no filename given"));
  EXPECT_EQ(Load("absent.kvn"), ProjectLoader::refused);
  EXPECT_TRUE(
      Reported("The loader was unable to load the given file:  " + EnginePath("absent.kvn")));
}

TEST_F(ProjectLoaderTest, StartGroupPathFollowsTheProjectFolder) {
  StartEngine();
  WriteProject("p.kvn", "start.cgr", {}, {}, false);
  EXPECT_EQ(Load("p.kvn"), ProjectLoader::loaded);
  EXPECT_EQ(StartGroupPath(), EnginePath("start.cgr"));

  // A bare project name leaves the bare group name.
  const std::string previous = platform::currentDirectory();
  ASSERT_TRUE(platform::setCurrentDirectory(folder.engine()));
  EXPECT_EQ(engine->extension->InitializeKVNFile("p.kvn"), ProjectLoader::loaded);
  platform::setCurrentDirectory(previous);
  EXPECT_STREQ(StartGroupPath(), "start.cgr");
}

TEST_F(ProjectLoaderTest, StartGroupNameOf400BytesIsLeftEmpty) {
  StartEngine();
  // 399 characters and the terminator: 400 bytes, one too many.
  WriteProject("long.kvn", std::string(399, 'a').c_str(), {}, {}, false);
  EXPECT_EQ(Load("long.kvn"), ProjectLoader::loaded);
  EXPECT_EQ(StartGroupPath(), EnginePath("") + "\\");
  EXPECT_EQ(engine->extension->GetKVNStartGroup(), nullptr);

  WriteProject("fits.kvn", std::string(398, 'b').c_str(), {}, {}, false);
  EXPECT_EQ(Load("fits.kvn"), ProjectLoader::loaded);
  const std::string expected = (EnginePath("") + "\\" + std::string(398, 'b')).substr(0, 399);
  EXPECT_EQ(StartGroupPath(), expected);
}

TEST_F(ProjectLoaderTest, RequiredCoreVersionAndKeepRunningFlag) {
  StartEngine();
  WriteProject("new.kvn", "s.cgr", {}, {}, false, EngineInterfaceExt::interfaceID + 1);
  EXPECT_EQ(Load("new.kvn"), ProjectLoader::needsUpdate);
  EXPECT_TRUE(Reported("The version of Corelith is not correct."));

  ZylFileSaver saver(engine.get());
  ASSERT_TRUE(saver.OpenSaveFile(EnginePath("keep.kvn").c_str(), false));
  Block(saver, "KCLV", IntBytes(EngineInterfaceExt::interfaceID));
  saver.SaveTag("KFKR");
  ASSERT_TRUE(saver.CloseSaveFile());
  EXPECT_FALSE(engine->extension->GetIfKeepRunningApplication());
  EXPECT_EQ(Load("keep.kvn"), ProjectLoader::loaded);
  EXPECT_TRUE(engine->extension->GetIfKeepRunningApplication());
}

TEST_F(ProjectLoaderTest, SilentWithoutWriteErrorLog) {
  StartEngine(false);
  WriteProject("new.kvn", "s.cgr", {}, {}, false, EngineInterfaceExt::interfaceID + 1);
  EXPECT_EQ(Load("new.kvn"), ProjectLoader::needsUpdate);
  EXPECT_EQ(Load("absent.kvn"), ProjectLoader::refused);
  for (const auto& [type, text] : capture.messages) EXPECT_NE(type, messageBoxType) << text;
}

TEST_F(ProjectLoaderTest, MissingLibraryIsInstalledFromTheProject) {
  std::filesystem::remove(HostPath("channels/" + plainFile));
  const std::string library = ReadBytes(std::filesystem::path(RUNTIME_TEST_CHANNELS_DIR) / plainFile);
  StartEngine();
  WriteProject("p.kvn", "s.cgr", {{.name = plainFile.c_str(), .library = library}});
  EXPECT_EQ(Load("p.kvn"), ProjectLoader::loaded);
  EXPECT_TRUE(Reported("Channel not found :"));
  EXPECT_EQ(Channel(plainFile), library);

  // Without the carried bytes the project cannot run.
  std::filesystem::remove(HostPath("channels/" + plainFile));
  WriteProject("bare.kvn", "s.cgr", {{}});
  EXPECT_EQ(Load("bare.kvn"), ProjectLoader::needsUpdate);
}

TEST_F(ProjectLoaderTest, CataloguedLibraryGoneFromDiskIsInstalled) {
  const std::string library = Channel(plainFile);
  StartEngine();
  Stop();  // the catalogue file now lists the library
  std::filesystem::remove(HostPath("channels/" + plainFile));
  StartEngine();
  WriteProject("p.kvn", "s.cgr", {{.name = plainFile.c_str(), .library = library}});
  EXPECT_EQ(Load("p.kvn"), ProjectLoader::loaded);
  EXPECT_TRUE(Reported("Channel not found on disk"));
  EXPECT_EQ(Channel(plainFile), library);
}

struct CrcCase {
  const char* crcCheck;   // KvnCrCCheck
  int32_t version[3];     // stored version numbers
  bool matchingCrc;
  bool rewritten;
};

class ChannelLibraryChecks : public ProjectLoaderTest,
                             public ::testing::WithParamInterface<CrcCase> {};

TEST_P(ChannelLibraryChecks, RewriteOnlyWhatIsOutdatedOrDiffers) {
  const CrcCase& c = GetParam();
  StartEngine();
  engine->extension->SetRegData("KvnCrCCheck", c.crcCheck);
  const std::string before = Channel(plainFile);
  const int crc = Crc("channels/" + plainFile);
  ChannelEntry entry{.crc = c.matchingCrc ? crc : crc + 1, .name = plainFile.c_str(),
                     .library = replacement};
  std::copy(c.version, c.version + 3, entry.version);
  WriteProject("p.kvn", "s.cgr", {entry});
  EXPECT_EQ(Load("p.kvn"), ProjectLoader::loaded);
  EXPECT_EQ(Channel(plainFile), c.rewritten ? std::string(replacement) : before);
  if (c.rewritten) {
    const ChannelType recorded = Catalogue().GetChannelType(plainPluginGuid);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(recorded.versionInfo[i], c.version[i]);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChannelLibraryChecks,
    ::testing::Values(CrcCase{"Yes", {1, 41, 1}, true, false},   // same file
                      CrcCase{"Yes", {1, 41, 1}, false, true},   // CRC differs
                      CrcCase{"No", {1, 41, 1}, false, false},   // CRC not compared
                      CrcCase{"no", {1, 41, 1}, false, false},   // in any letter case
                      CrcCase{"Yes", {1, 41, 0}, false, false},  // local one is newer
                      CrcCase{"Yes", {1, 41, 2}, true, true}));  // local one is older

TEST_F(ProjectLoaderTest, EmptyAndUnnamedEntriesArePassedOver) {
  StartEngine();
  ZylFileSaver saver(engine.get());
  ASSERT_TRUE(saver.OpenSaveFile(EnginePath("p.kvn").c_str(), false));
  Block(saver, "KDDC", IntBytes(3));
  saver.SaveTag("KFDB");
  Block(saver, "KNDB", GuidBytes(plainPluginGuid));
  Block(saver, "KNVI", IntBytes(1) + IntBytes(41) + IntBytes(1));
  Block(saver, "KNCR", IntBytes(Crc("channels/" + plainFile)));
  Block(saver, "KDGC", IntBytes(1));
  saver.SaveTag("KDFF");
  ASSERT_TRUE(saver.CloseSaveFile());
  EXPECT_EQ(Load("p.kvn"), ProjectLoader::loaded);
}

TEST_F(ProjectLoaderTest, PathLeavingItsFolderIsRefused) {
  StartEngine();
  for (const char* name : {"..\\evil.dll", "sub/evil.dll", "Z:evil.dll", "..", ""}) {
    SCOPED_TRACE(name);
    WriteProject("p.kvn", "s.cgr", {{.crc = 1, .name = name, .library = replacement}});
    EXPECT_EQ(Load("p.kvn"), ProjectLoader::needsUpdate);
    EXPECT_TRUE(Errored(std::string("ProjectLoader::Load: Refused library name:  ") + name));
    WriteProject("s.kvn", "s.cgr", {}, {{.localName = "a.dll", .name = name, .library = "x"}});
    EXPECT_EQ(Load("s.kvn"), ProjectLoader::needsUpdate);
  }
  EXPECT_FALSE(std::filesystem::exists(HostPath("evil.dll")));
  EXPECT_FALSE(std::filesystem::exists(HostPath("channels/sub")));
  EXPECT_EQ(Channel(plainFile), ReadBytes(std::filesystem::path(RUNTIME_TEST_CHANNELS_DIR) / plainFile));
}

TEST_F(ProjectLoaderTest, FailedInstallKeepsThePreviousFile) {
  StartEngine();
  const std::string before = Channel(plainFile);
  const int crc = Crc("channels/" + plainFile);
  WriteProject("p.kvn", "s.cgr", {{.crc = crc + 1, .name = plainFile.c_str(), .library = replacement}});
  platform::failWholeFileWritesAt(platform::WriteStep::rename);
  EXPECT_EQ(Load("p.kvn"), ProjectLoader::needsUpdate);
  platform::failWholeFileWritesAt(platform::WriteStep::none);
  EXPECT_EQ(Channel(plainFile), before);
}

TEST_F(ProjectLoaderTest, SupportLibrariesAreAlwaysCompared) {
  StartEngine();
  engine->extension->SetRegData("KvnCrCCheck", "No");
  WriteBytes(HostPath("3rd/help.so"), "old helper");
  const int crc = Crc("3rd/help.so");

  WriteProject("same.kvn", "s.cgr", {}, {{"help.so", crc, "help.so", "new helper"}});
  EXPECT_EQ(Load("same.kvn"), ProjectLoader::loaded);
  EXPECT_EQ(ReadBytes(HostPath("3rd/help.so")), "old helper");

  WriteProject("other.kvn", "s.cgr", {}, {{"help.so", crc + 1, "help.so", "new helper"}});
  EXPECT_EQ(Load("other.kvn"), ProjectLoader::loaded);
  EXPECT_TRUE(Reported("Crc error in local dll : "));
  EXPECT_EQ(ReadBytes(HostPath("3rd/help.so")), "new helper");

  WriteProject("absent.kvn", "s.cgr", {}, {{"more.so", 0, "more.so", "more"}});
  EXPECT_EQ(Load("absent.kvn"), ProjectLoader::loaded);
  EXPECT_TRUE(Reported("Can't locate thirth party dll : "));
  EXPECT_EQ(ReadBytes(HostPath("3rd/more.so")), "more");

  WriteProject("uncarried.kvn", "s.cgr", {}, {{"gone.so", 0, nullptr, ""}});
  EXPECT_EQ(Load("uncarried.kvn"), ProjectLoader::needsUpdate);
}

TEST_F(ProjectLoaderTest, SupportSectionNeedsTheChannelSection) {
  StartEngine();
  WriteProject("p.kvn", "s.cgr", {}, {{"gone.so", 0, "gone.so", "bytes"}}, false);
  EXPECT_EQ(Load("p.kvn"), ProjectLoader::loaded);
  EXPECT_FALSE(std::filesystem::exists(HostPath("3rd/gone.so")));
}

// Hand-made damaged files: counts and sizes that do not match the data.
TEST_F(ProjectLoaderTest, DamagedFilesFailWithoutHarm) {
  StartEngine();
  const std::string version = RawBlock("KCLV", IntBytes(EngineInterfaceExt::interfaceID));
  const std::string entry = RawBlock("KNDB", GuidBytes(plainPluginGuid));
  const struct {
    const char* name;
    std::string bytes;
    int result;
  } cases[] = {
      {"huge library count", version + RawBlock("KDDC", IntBytes(0x7FFFFFFF)), ProjectLoader::refused},
      {"huge support count", version + RawBlock("KDDC", IntBytes(0)) + RawBlock("KDGC", IntBytes(1 << 30)),
       ProjectLoader::refused},
      {"short version block", RawBlock("KCLV", "ab"), ProjectLoader::refused},
      {"entry cut after its type", version + RawBlock("KDDC", IntBytes(1)) + entry, ProjectLoader::refused},
      {"short version numbers", version + RawBlock("KDDC", IntBytes(1)) + entry +
                                    RawBlock("KNVI", IntBytes(1)) + RawBlock("KNCR", IntBytes(0)),
       ProjectLoader::refused},
      {"data larger than its size", version + RawBlock("KDDC", IntBytes(1)) + entry +
           RawBlock("KNVI", IntBytes(9) + IntBytes(41) + IntBytes(9)) + RawBlock("KNCR", IntBytes(0)) +
           RawBlock("KCAN", plainFile + '\0') + RawBlock("KCAS", IntBytes(2)) + RawBlock("KCAF", "four"),
       ProjectLoader::needsUpdate},
      {"block running past the end", version + "KSGR" + IntBytes(1000) + "abc", ProjectLoader::loaded},
  };
  const std::string before = Channel(plainFile);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(HostPath("bad.kvn"), c.bytes);
    EXPECT_EQ(Load("bad.kvn"), c.result);
  }
  EXPECT_EQ(Channel(plainFile), before);
}

}  // namespace
