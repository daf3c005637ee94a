// ProjectLoader: the blocks of a project file in their fixed order, the checks of the
// carried libraries against the installation, and their installation. Every block is
// checked against its destination and every count against the file before it is used.
#include "runtime/project_loader.h"

#include <strings.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "graph/zyl_channel.h"
#include "graph/zyl_file_loader.h"
#include "graph/zyl_file_saver.h"
#include "runtime/channel_list.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"
#include "runtime/project_loader_channels.h"

namespace {

enum class Block { absent, read, bad };

// A flag block: a tag alone or with an empty data block.
bool ReadFlag(ZylFileLoader& loader, const char* tag) {
  if (!loader.GetInfoIfTag(tag)) return false;
  loader.SkipCurrentTag();
  return true;
}

// The current block, which must hold exactly `size` bytes.
Block CopyExact(ZylFileLoader& loader, void* destination, unsigned long size) {
  if (loader.GetSizeDataBlock(false) != size) return Block::bad;
  return loader.CopyTagDataToPointer(destination, size) ? Block::read : Block::bad;
}

Block ReadExact(ZylFileLoader& loader, const char* tag, void* destination, unsigned long size) {
  if (!loader.GetInfoIfTag(tag)) return Block::absent;
  return CopyExact(loader, destination, size);
}

int32_t FromLittleEndian(const uint8_t* bytes) {
  return static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) |
                              static_cast<uint32_t>(bytes[1]) << 8 |
                              static_cast<uint32_t>(bytes[2]) << 16 |
                              static_cast<uint32_t>(bytes[3]) << 24);
}

Block ReadInt(ZylFileLoader& loader, const char* tag, int32_t* value) {
  uint8_t bytes[4];
  Block block = ReadExact(loader, tag, bytes, sizeof bytes);
  if (block == Block::read) *value = FromLittleEndian(bytes);
  return block;
}

// A zero-terminated text shorter than `size`; a longer block is bad and not consumed.
Block ReadText(ZylFileLoader& loader, const char* tag, char* text, int size) {
  if (!loader.GetInfoIfTag(tag)) return Block::absent;
  const unsigned long length = loader.GetSizeDataBlock(false);
  if (length >= static_cast<unsigned long>(size)) return Block::bad;
  std::memset(text, 0, static_cast<size_t>(size));
  return loader.CopyTagDataToPointer(text, length) ? Block::read : Block::bad;
}

// A file name that stays in the folder it is put in: no separators, drive or dots only.
bool IsBareFileName(const char* name) {
  if (name[0] == '\0' || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
    return false;
  }
  return std::strpbrk(name, "\\/:") == nullptr;
}

// A library file carried by an entry: bytes inside the loader's buffer.
struct CarriedLibrary {
  const char* data = nullptr;
  int32_t size = 0;
};

// The size block and the data block that follow a library name. The data must be exactly
// as large as the size says, otherwise nothing is carried.
Block ReadCarried(ZylFileLoader& loader, const char* sizeTag, const char* dataTag,
                  CarriedLibrary* carried) {
  int32_t size = 0;
  if (ReadInt(loader, sizeTag, &size) == Block::bad) return Block::bad;
  if (!loader.GetInfoIfTag(dataTag)) return Block::read;
  const unsigned long stored = loader.GetSizeDataBlock(true);
  const char* data = loader.GetBuffer();
  if (stored == 0 || data == nullptr || size <= 0 || stored != static_cast<unsigned long>(size)) {
    return Block::bad;
  }
  loader.AddBufferPos(size);
  carried->data = data;
  carried->size = size;
  return Block::read;
}

}  // namespace

ProjectLoader::ProjectLoader(EngineInterface* engine) : engineInterface(engine) {}

ProjectLoader::~ProjectLoader() = default;

const char* ProjectLoader::GetStartGroupPath() { return startGroupPath; }

bool ProjectLoader::ReadRegistrySwitch(const char* value, const char* expected) {
  char text[nameSize] = {};
  EngineInterfaceExt* extension = engineInterface->extension;
  if (extension == nullptr || !extension->GetRegData(value, text, nameSize - 1)) return false;
  return strcasecmp(text, expected) == 0;
}

void ProjectLoader::Report(const char* text) {
  if (report) engineInterface->messageBox(text);
}

void ProjectLoader::Report(const char* text, const char* detail) {
  if (report) engineInterface->messageBox(text, detail);
}

void ProjectLoader::Report(const char* text, const GUID& type) {
  if (!report) return;
  engineInterface->messageBox(text);
  engineInterface->messageBox(type);
}

int ProjectLoader::Load(const char* path) {
  report = ReadRegistrySwitch("WriteErrorLog", "Yes");
  crcCheck = !ReadRegistrySwitch("KvnCrCCheck", "No");
  if (path == nullptr) {
    Report("There was no filename given");
    return refused;
  }
  std::string folder;
  const char* lastSeparator = std::strrchr(path, '\\');
  if (const char* slash = std::strrchr(path, '/'); slash > lastSeparator) lastSeparator = slash;
  if (lastSeparator != nullptr) {
    folder.assign(path, static_cast<size_t>(lastSeparator - path) + 1);
    folder.resize(std::min<size_t>(folder.size(), startGroupPathSize - 1));
  }

  ZylFileLoader loader(engineInterface);
  if (!loader.LoadFile(path)) {
    Report("The loader was unable to load the given file: ", path);
    return refused;
  }
  if (loader.CheckHeader("ZMTF", false)) {
    engineInterface->extension->TranslateFile(&loader);
    // A translation that failed leaves an empty buffer or the untranslated header.
    loader.ResetPosition();
    if (loader.GetBufferSize() == 0 || loader.CheckHeader("ZMTF", false)) {
      Report("The loader was unable to load the given file: ", path);
      return refused;
    }
  }

  char startGroup[startGroupPathSize] = {};
  if (ReadText(loader, "KSGR", startGroup, startGroupPathSize) == Block::bad) {
    // Too long for a name: the block is passed over and the name stays empty.
    std::memset(startGroup, 0, sizeof startGroup);
    loader.SkipCurrentTag();
  }
  std::snprintf(startGroupPath, sizeof startGroupPath, "%s%s", folder.c_str(), startGroup);

  int32_t requiredVersion = 0;
  if (ReadInt(loader, "KCLV", &requiredVersion) == Block::bad) {
    engineInterface->errorMessage("ProjectLoader::Load: Damaged version block in ", path);
    return refused;
  }
  if (engineInterface->extension->GetInterfaceID() < requiredVersion) {
    Report("The version of Corelith is not correct.");
    return needsUpdate;
  }
  if (ReadFlag(loader, "KFKR")) engineInterface->extension->SetIfKeepRunningApplication(true);

  int32_t libraryCount = 0;
  const Block libraries = ReadInt(loader, "KDDC", &libraryCount);
  if (libraries == Block::absent) return loaded;
  // Every entry takes at least one tag, so a larger count cannot be in the file.
  const int32_t entryLimit = loader.GetBufferSize() / tagLength;
  if (libraries == Block::bad || libraryCount > entryLimit) {
    engineInterface->errorMessage("ProjectLoader::Load: Damaged channel-library section in ", path);
    return refused;
  }
  if (int result = LoadChannelLibraries(loader, libraryCount); result != loaded) return result;

  int32_t supportCount = 0;
  const Block support = ReadInt(loader, "KDGC", &supportCount);
  if (support == Block::absent) return loaded;
  if (support == Block::bad || supportCount > entryLimit) {
    engineInterface->errorMessage("ProjectLoader::Load: Damaged support-library section in ", path);
    return refused;
  }
  return LoadSupportLibraries(loader, supportCount);
}

int ProjectLoader::LoadChannelLibraries(ZylFileLoader& loader, int count) {
  ChannelList* catalogue = engineInterface->extension->GetChannelList();
  const std::string channelsFolder = std::string(engineInterface->GetInstallDir()) + "\\channels\\";
  for (int entry = 0; entry < count; ++entry) {
    if (ReadFlag(loader, "KFDB") || !loader.GetInfoIfTag("KNDB")) continue;
    GUID type = nullGuid;
    uint8_t version[12];
    uint8_t crcBytes[4];
    if (CopyExact(loader, &type, sizeof type) != Block::read ||
        CopyExact(loader, version, sizeof version) != Block::read ||
        CopyExact(loader, crcBytes, sizeof crcBytes) != Block::read) {
      engineInterface->errorMessage("ProjectLoader::Load: Damaged channel-library entry");
      return refused;
    }
    const int32_t stored[3] = {FromLittleEndian(version), FromLittleEndian(version + 4),
                               FromLittleEndian(version + 8)};
    const int32_t storedCrc = FromLittleEndian(crcBytes);
    bool needsInstall = false;

    ChannelListItem* item = catalogue != nullptr ? catalogue->GetItem(type) : nullptr;
    if (item == nullptr) {
      Report("Channel not found :", type);
      needsInstall = true;
    } else if (!catalogue->GetOnDisk(type)) {
      Report("Channel not found on disk", type);
      needsInstall = true;
    }
    delete engineInterface->InitChannelFromType(type, nullptr, false);
    const ChannelType local = catalogue != nullptr ? catalogue->GetChannelType(type) : ChannelType{};
    bool sameVersion = true;
    for (int i = 0; i < 3; ++i) {
      if (local.versionInfo[i] != stored[i]) sameVersion = false;
    }
    for (int i = 0; i < 3; ++i) {
      if (local.versionInfo[i] < stored[i]) {
        Report("Local channel version error", type);
        needsInstall = true;
        break;
      }
    }
    item = catalogue != nullptr ? catalogue->GetItem(type) : nullptr;
    if (crcCheck && sameVersion && item != nullptr && item->fileName.GetString() != nullptr &&
        item->fileName.GetString()[0] != '\0') {
      ZylFileLoader libraryFile(engineInterface);
      if (libraryFile.LoadFile(item->fileName.GetString()) && libraryFile.GetCRC() != storedCrc) {
        Report("Crc error in local version", type);
        needsInstall = true;
      }
    }

    char name[nameSize] = {};
    CarriedLibrary carried;
    const Block nameBlock = ReadText(loader, "KCAN", name, nameSize);
    if (nameBlock == Block::bad || (nameBlock == Block::read && !IsBareFileName(name))) {
      engineInterface->errorMessage("ProjectLoader::Load: Refused library name: ", name);
      return needsUpdate;
    }
    if (nameBlock == Block::read && ReadCarried(loader, "KCAS", "KCAF", &carried) == Block::bad) {
      engineInterface->errorMessage("ProjectLoader::Load: Damaged library data: ", name);
      return needsUpdate;
    }
    if (!needsInstall) continue;
    if (carried.size <= 0) return needsUpdate;
    if (int result = Install(channelsFolder.c_str(), name, carried.data,
                             static_cast<unsigned long>(carried.size));
        result != loaded) {
      return result;
    }
    if (catalogue != nullptr) catalogue->SetVersionInfo(type, stored[0], stored[1], stored[2]);
  }
  return loaded;
}

int ProjectLoader::LoadSupportLibraries(ZylFileLoader& loader, int count) {
  const std::string supportFolder = std::string(engineInterface->GetInstallDir()) + "\\3rd\\";
  for (int entry = 0; entry < count; ++entry) {
    if (ReadFlag(loader, "KDFF")) continue;
    char localName[nameSize] = {};
    int32_t storedCrc = 0;
    const Block localBlock = ReadText(loader, "KDDF", localName, nameSize);
    if (localBlock == Block::bad || (localBlock == Block::read && !IsBareFileName(localName)) ||
        ReadInt(loader, "KCRC", &storedCrc) == Block::bad) {
      engineInterface->errorMessage("ProjectLoader::Load: Refused support-library name: ",
                                    localName);
      return needsUpdate;
    }
    bool needsInstall = false;
    const std::string localPath = supportFolder + localName;
    ZylFileLoader local(engineInterface);
    if (!local.LoadFile(localPath.c_str())) {
      Report("Can't locate thirth party dll : ", localPath.c_str());
      needsInstall = true;
    }
    if (local.GetCRC() != storedCrc) {
      Report("Crc error in local dll : ", localPath.c_str());
      needsInstall = true;
    }

    char name[nameSize] = {};
    CarriedLibrary carried;
    const Block nameBlock = ReadText(loader, "KDLN", name, nameSize);
    if (nameBlock == Block::bad || (nameBlock == Block::read && !IsBareFileName(name))) {
      engineInterface->errorMessage("ProjectLoader::Load: Refused support-library name: ", name);
      return needsUpdate;
    }
    if (nameBlock == Block::read && ReadCarried(loader, "KDLS", "KDLF", &carried) == Block::bad) {
      engineInterface->errorMessage("ProjectLoader::Load: Damaged library data: ", name);
      return needsUpdate;
    }
    if (!needsInstall) continue;
    if (carried.size <= 0) return needsUpdate;
    if (int result = Install(supportFolder.c_str(), name, carried.data,
                             static_cast<unsigned long>(carried.size));
        result != loaded) {
      return result;
    }
  }
  return loaded;
}

int ProjectLoader::Install(const char* folder, const char* name, const char* data,
                           unsigned long size) {
  const std::string path = std::string(folder) + name;
  ZylFileSaver saver(engineInterface);
  if (!saver.OpenSaveFile(path.c_str(), false)) return needsUpdate;
  // The saver replaces the file only when it is closed whole; a failure keeps the old one.
  if (saver.SaveDataToFile(data, size) != static_cast<int>(size) || !saver.CloseSaveFile()) {
    return needsUpdate;
  }
  return loaded;
}

bool TranslateLoader(EngineInterface* engine, ZylFileLoader& loader) {
  // Bounds headers that translate into further headers.
  constexpr int maxRounds = 8;
  for (int round = 0; loader.CheckHeader("ZMTF", true); ++round) {
    GUID type = nullGuid;
    if (round == maxRounds || CopyExact(loader, &type, sizeof type) != Block::read) {
      engine->errorMessage("EngineInterfaceExt::TranslateFile: Damaged translation header");
      loader.SetBuffer(nullptr, 0, true);
      return false;
    }
    Zyl_Channel* channel = engine->InitChannelFromType(type, nullptr, false);
    auto* translator = dynamic_cast<Zyl_FileTranslatorChannel*>(channel);
    if (translator == nullptr) {
      delete channel;
      engine->errorMessage("EngineInterfaceExt::TranslateFile: No file translator of type");
      engine->errorMessage(type);
      return false;
    }
    const bool translated = translator->TranslateFile(&loader);
    delete translator;
    if (!translated) return false;
  }
  return true;
}

Zyl_FileDialogChannel::~Zyl_FileDialogChannel() = default;
Zyl_FileTranslatorChannel::~Zyl_FileTranslatorChannel() = default;
