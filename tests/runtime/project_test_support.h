// Fixture of the project-file tests: an install tree with the components and the test
// plug-ins, a started engine, and project files written through the engine's own saver.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "graph/zyl_file_loader.h"
#include "graph/zyl_file_saver.h"
#include "graph/zyl_channel_group.h"
#include "plugin_test_support.h"
#include "runtime/project_loader_channels.h"

inline const char* const fileDialogFile = "FCC8E640-D7EB-45B1-B90A-284FB6C7D83E.dll";
inline const char* const translatorFile = "2F8B6D14-3C9A-4E57-A1D0-7B6E5C4F3A29.dll";
inline constexpr GUID translatorGuid{
    0x2F8B6D14, 0x3C9A, 0x4E57, {0xA1, 0xD0, 0x7B, 0x6E, 0x5C, 0x4F, 0x3A, 0x29}};

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// The bytes of a tagged block as the file saver writes them (for hand-made corrupt files).
inline std::string RawBlock(const char* tag, const std::string& data) {
  const auto size = static_cast<uint32_t>(data.size());
  std::string block(tag, 4);
  for (int i = 0; i < 4; ++i) block += static_cast<char>(size >> (8 * i));
  return block + data;
}

inline std::string IntBytes(int32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
  return bytes;
}

inline std::string GuidBytes(const GUID& guid) {
  return std::string(reinterpret_cast<const char*>(&guid), sizeof guid);
}

// One channel-library entry of a project file.
struct ChannelEntry {
  GUID type = plainPluginGuid;
  int32_t version[3] = {1, channelInterfaceVersion, 1};
  int32_t crc = 0;
  const char* name = nullptr;  // KCAN; null: none
  std::string library;         // KCAS / KCAF when a name is given
};

// One support-library entry.
struct SupportEntry {
  const char* localName = nullptr;  // KDDF
  int32_t crc = 0;                  // KCRC
  const char* name = nullptr;       // KDLN
  std::string library;              // KDLS / KDLF
};

class ProjectTest : public PluginTest {
 protected:
  ProjectTest() {
    StageComponents();
    Stage({fileDialogFile, translatorFile, PluginFile(plainPluginGuid)});
    std::filesystem::create_directories(folder.path() / "3rd");
  }

  // Starts the engine; `writeErrorLog` switches the loader's reports.
  EngineInterface& StartEngine(bool writeErrorLog = true) {
    EngineInterface& started = Start();
    started.extension->SetRegData("WriteErrorLog", writeErrorLog ? "Yes" : "No");
    return started;
  }

  std::string EnginePath(const std::string& relative) const { return folder.engine(relative); }
  std::filesystem::path HostPath(const std::string& relative) const {
    return folder.path() / relative;
  }

  // The CRC the file loader computes for a file.
  int Crc(const std::string& relative) {
    ZylFileLoader loader(engine.get());
    EXPECT_TRUE(loader.LoadFile(EnginePath(relative).c_str()));
    return loader.GetCRC();
  }

  // A group file holding one test plug-in channel, written by the engine.
  void WriteStartGroup(const std::string& relative) {
    Zyl_ChannelGroup* group = engine->CreateNewGroup("Written", false, 0);
    ASSERT_NE(group, nullptr);
    ASSERT_NE(engine->InitChannelFromType(plainPluginGuid, group, false), nullptr);
    ASSERT_TRUE(group->SaveChannelGroup(EnginePath(relative).c_str()));
    engine->extension->ReleaseGroups();
  }

  static void Block(ZylFileSaver& saver, const char* tag, const std::string& data) {
    saver.SaveTag(tag);
    saver.SaveBlockSize(data.size());
    saver.SaveDataToFile(data.data(), data.size());
  }
  static void Text(ZylFileSaver& saver, const char* tag, const std::string& text) {
    Block(saver, tag, std::string(text.c_str(), text.size() + 1));
  }

  // Writes a project file through the engine's saver.
  void WriteProject(const std::string& relative, const char* startGroup,
                    std::initializer_list<ChannelEntry> channels = {},
                    std::initializer_list<SupportEntry> support = {}, bool withChannels = true,
                    int32_t requiredVersion = EngineInterfaceExt::interfaceID) {
    ZylFileSaver saver(engine.get());
    ASSERT_TRUE(saver.OpenSaveFile(EnginePath(relative).c_str(), false));
    if (startGroup != nullptr) Text(saver, "KSGR", startGroup);
    Block(saver, "KCLV", IntBytes(requiredVersion));
    if (withChannels) {
      Block(saver, "KDDC", IntBytes(static_cast<int32_t>(channels.size())));
      for (const ChannelEntry& entry : channels) {
        Block(saver, "KNDB", GuidBytes(entry.type));
        Block(saver, "KNVI", IntBytes(entry.version[0]) + IntBytes(entry.version[1]) +
                                 IntBytes(entry.version[2]));
        Block(saver, "KNCR", IntBytes(entry.crc));
        if (entry.name == nullptr) continue;
        Text(saver, "KCAN", entry.name);
        Block(saver, "KCAS", IntBytes(static_cast<int32_t>(entry.library.size())));
        Block(saver, "KCAF", entry.library);
      }
    }
    Block(saver, "KDGC", IntBytes(static_cast<int32_t>(support.size())));
    for (const SupportEntry& entry : support) {
      if (entry.localName != nullptr) Text(saver, "KDDF", entry.localName);
      Block(saver, "KCRC", IntBytes(entry.crc));
      if (entry.name == nullptr) continue;
      Text(saver, "KDLN", entry.name);
      Block(saver, "KDLS", IntBytes(static_cast<int32_t>(entry.library.size())));
      Block(saver, "KDLF", entry.library);
    }
    ASSERT_TRUE(saver.CloseSaveFile());
  }

  // Replaces a file by its compressed form, written by the translator component.
  void Compress(const std::string& relative) {
    const std::string original = ReadBytes(HostPath(relative));
    Zyl_Channel* channel = engine->InitChannelFromType(translatorGuid, nullptr, false);
    auto* translator = dynamic_cast<Zyl_FileTranslatorChannel*>(channel);
    ASSERT_NE(translator, nullptr);
    ZylFileSaver saver(engine.get());
    ASSERT_TRUE(saver.OpenSaveFile(EnginePath(relative).c_str(), false));
    EXPECT_TRUE(translator->WriteTranslated(original.data(), static_cast<int>(original.size()),
                                            &saver));
    delete translator;
  }

  int Load(const std::string& relative) {
    return engine->extension->InitializeKVNFile(EnginePath(relative).c_str());
  }
  // A message of the type that begins with `text` (messages with a value append it).
  bool Shown(int type, const std::string& text) const {
    for (const auto& [shownType, shown] : capture.messages) {
      if (shownType == type && shown.rfind(text, 0) == 0) return true;
    }
    return false;
  }
  bool Reported(const std::string& text) const { return Shown(messageBoxType, text); }
  bool Errored(const std::string& text) const { return Shown(errorMessageType, text); }
};
