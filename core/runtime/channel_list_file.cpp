// ChannelList: reading and writing channel.lst (blocks CLCC, then CHIX, CHTY, CHFN per
// entry, then CHDI). The file is untrusted: counts, positions and sizes are checked.
#include <cstring>
#include <string>
#include <vector>

#include "graph/zyl_file_channels.h"
#include "graph/zyl_file_loader.h"
#include "graph/zyl_file_saver.h"
#include "graph/zyl_guid.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "runtime/channel_list.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"

namespace {

constexpr int installDirBlockSize = 260;
constexpr char missingPathText[] = "Save Error";
constexpr int missingPathBlockSize = 20;

std::string CatalogueFilePath(EngineInterface* engine) {
  return std::string(engine->GetInstallDir()) + "\\channel.lst";
}

// Whether the file exists, a relative path counting from the install directory.
bool FileOnDisk(const char* path, const char* installDir) {
  const std::string previous = platform::currentDirectory();
  platform::setCurrentDirectory(installDir);
  const bool exists = platform::fileAttributes(path).has_value();
  platform::setCurrentDirectory(previous);
  return exists;
}

// The current block as a zero-terminated text.
bool ReadTextBlock(ZylFileLoader& reader, std::string& text) {
  const unsigned long size = reader.GetSizeDataBlock(false);
  std::vector<char> data(size + 1, '\0');
  if (!reader.CopyTagDataToPointer(data.data(), size)) return false;
  text.assign(data.data());
  return true;
}

void WriteBlock(ZylFileSaver& saver, const char* tag, const void* data, unsigned long size) {
  saver.SaveTag(tag);
  saver.SaveBlockSize(size);
  saver.SaveDataToFile(data, size);
}

}  // namespace

bool ChannelList::LoadChannelList() {
  if (engineInterface == nullptr) return false;
  const char* installDir = engineInterface->GetInstallDir();
  const std::string readerPath = std::string(installDir) + "\\channels\\Tagvault.dll";
  DllInterface* object = engineInterface->extension->GetDLLInstance(readerPath.c_str());
  auto* component = dynamic_cast<Zyl_FileLoaderChannel*>(object);
  if (component == nullptr) {
    delete object;
    return false;
  }
  ZylFileLoader reader(engineInterface, component);
  if (!reader.LoadFile(CatalogueFilePath(engineInterface).c_str())) return false;

  int32_t count = 0;
  if (reader.GetInfoIfTag("CLCC") && !reader.CopyTagDataToPointer(&count, sizeof count)) {
    count = 0;
  }
  if (count == 0) return true;
  if (count < 0 || count > maxStoredPositions) {
    Report("ChannelList::LoadChannelList: Bad entry count in channel.lst");
    return false;
  }

  bool intact = true;
  for (int32_t n = 0; n < count && intact; ++n) {
    auto* item = new ChannelListItem;
    std::memset(static_cast<void*>(&item->type), 0, sizeof item->type);  // a zeroed record
    if (reader.GetInfoIfTag("CHIX")) intact = reader.CopyTagDataToPointer(&item->index, sizeof item->index);
    if (intact && reader.GetInfoIfTag("CHTY")) {
      intact = reader.CopyTagDataToPointer(&item->type, sizeof item->type);
    }
    if (intact && reader.GetInfoIfTag("CHFN")) {
      std::string path;
      intact = ReadTextBlock(reader, path);
      if (intact) {
        item->fileName.SetString(path.c_str());
        item->onDisk = FileOnDisk(path.c_str(), installDir);
      }
    }
    // A position out of range, taken, or a type listed twice would break the catalogue's
    // invariants: the entry is dropped.
    const bool placeable = intact && item->index >= 0 && item->index < maxStoredPositions &&
                           items.GetItem(item->index) == nullptr &&
                           (IsNullGuid(item->type.guid) || GetItem(item->type.guid) == nullptr);
    if (placeable) {
      items.SetItem(item, item->index);
    } else {
      delete item;
      if (intact) Report("ChannelList::LoadChannelList: Entry of channel.lst dropped");
    }
  }
  if (!intact) {
    Report("ChannelList::LoadChannelList: Damaged channel.lst ignored");
    Release();
    return false;
  }

  if (reader.GetInfoIfTag("CHDI")) {
    std::string writtenFor;
    if (ReadTextBlock(reader, writtenFor) && !TextEqualIgnoringCase(writtenFor.c_str(), installDir)) {
      Release();
      return false;
    }
  }
  return true;
}

bool ChannelList::SaveChannelList() {
  if (engineInterface == nullptr) return false;
  Zyl_Channel* channel = engineInterface->InitChannelFromType(fileSaverTypeGuid, nullptr, false);
  auto* component = dynamic_cast<Zyl_FileSaverChannel*>(channel);
  if (component == nullptr) {
    delete channel;
    return false;
  }
  ZylFileSaver saver(engineInterface, component);
  if (!saver.OpenSaveFile(CatalogueFilePath(engineInterface).c_str(), false)) return false;

  int32_t count = 0;
  for (int i = 0; i < items.GetItemCount(); ++i) count += GetItem(i) != nullptr ? 1 : 0;
  WriteBlock(saver, "CLCC", &count, sizeof count);
  for (int i = 0; i < items.GetItemCount(); ++i) {
    ChannelListItem* item = GetItem(i);
    if (item == nullptr) continue;
    WriteBlock(saver, "CHIX", &item->index, sizeof item->index);
    WriteBlock(saver, "CHTY", &item->type, sizeof item->type);
    const char* path = item->fileName.GetString();
    if (path != nullptr) {
      WriteBlock(saver, "CHFN", path, std::strlen(path) + 1);
    } else {
      char missing[missingPathBlockSize] = {};
      std::memcpy(missing, missingPathText, sizeof missingPathText);
      WriteBlock(saver, "CHFN", missing, sizeof missing);
    }
  }
  char installDir[installDirBlockSize] = {};
  CopyTextField(installDir, engineInterface->GetInstallDir());
  WriteBlock(saver, "CHDI", installDir, sizeof installDir);
  return saver.CloseSaveFile();
}
