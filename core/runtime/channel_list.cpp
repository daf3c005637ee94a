// ChannelList: building the catalogue, the scan of the channels folder and the lookups.
#include "runtime/channel_list.h"

#include <string>

#include "graph/zyl_channel.h"
#include "graph/zyl_file_lister.h"
#include "graph/zyl_guid.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"

namespace {

bool SameVersion(const ChannelType& a, const ChannelType& b) {
  return a.versionInfo[0] == b.versionInfo[0] && a.versionInfo[1] == b.versionInfo[1] &&
         a.versionInfo[2] == b.versionInfo[2];
}

}  // namespace

ChannelList::ChannelList(EngineInterface* engine) : engineInterface(engine) {}

ChannelList::~ChannelList() {
  SortChannelList();
  SaveChannelList();
  Release();
}

void ChannelList::Report(const char* text) const {
  if (engineInterface != nullptr) engineInterface->errorMessage(text);
}

bool ChannelList::CreateChannelList() {
  Release();
  LoadChannelList();
  const char* install = engineInterface != nullptr ? engineInterface->GetInstallDir() : "";
  SetChannelDir((std::string(install).substr(0, 260) + "\\channels").c_str());
  AddDirectory(channelDir, -1);
  return true;
}

void ChannelList::SortChannelList() {}

void ChannelList::Release() {
  for (int i = 0; i < items.GetItemCount(); ++i) {
    delete static_cast<ChannelListItem*>(items.GetItem(i));
  }
  items.ClearItems();
}

void ChannelList::AddDirectory(const char* folder, int depth) {
  if (folder == nullptr || engineInterface == nullptr) return;
  EngineInterfaceExt* extension = engineInterface->extension;
  const std::string listerPath = std::string(engineInterface->GetInstallDir()) + "\\channels\\Roster.dll";
  DllInterface* object = extension->GetDLLInstance(listerPath.c_str());
  auto* lister = dynamic_cast<Zyl_DirectoryLister*>(object);
  if (lister == nullptr) {
    delete object;
    return;
  }
  lister->SetExtensionFilter("DLL");
  const std::string base(folder);
  lister->ListDirectory((base + "\\*.*").c_str());

  for (int i = 0; i < lister->GetFileCount(); ++i) {
    const char* name = lister->GetFileName(i);
    if (name == nullptr) continue;
    const std::string path = base + "\\" + name;
    ChannelListItem* known = FindByPath(path.c_str());
    if (known != nullptr && known->onDisk) continue;
    const ChannelType type = extension->GetDLLType(path.c_str());
    if (IsNullGuid(type.guid)) continue;
    auto* item = new ChannelListItem;
    item->type = type;
    item->fileName.SetString(path.c_str());
    item->onDisk = true;
    item->typeVerified = true;
    if (!AddItem(item)) delete item;
  }
  for (int j = 0; j < lister->GetDirCount(); ++j) {
    const char* name = lister->GetDirName(j);
    if (name == nullptr || std::string(name) == "." || std::string(name) == "..") continue;
    AddDirectory((base + "\\" + name).c_str(), depth);
  }
  delete lister;
}

bool ChannelList::AddItem(ChannelListItem* item) {
  if (item == nullptr || GetItem(item->type.guid) != nullptr) return false;
  const int position = items.AddItemOrNULL(item);
  if (position < 0) return false;
  item->index = position;
  return true;
}

ChannelListItem* ChannelList::AddItemFromFile(const char* path) {
  if (engineInterface == nullptr) return nullptr;
  const ChannelType type = engineInterface->extension->GetDLLType(path);
  if (IsNullGuid(type.guid)) {
    Report("ChannelList::AddItemFromFile: Could not get the channeltype from the downloaded channel");
    return nullptr;
  }
  ChannelListItem* existing = GetItem(type.guid);
  ChannelListItem* item = existing != nullptr ? existing : new ChannelListItem;
  item->fileName.SetString(path);
  item->type = type;
  item->onDisk = true;
  item->typeVerified = true;
  if (existing == nullptr && !AddItem(item)) {
    delete item;
    return nullptr;
  }
  return item;
}

ChannelListItem* ChannelList::GetItem(GUID type) {
  for (int i = 0; i < items.GetItemCount(); ++i) {
    auto* item = static_cast<ChannelListItem*>(items.GetItem(i));
    if (item != nullptr && IsEqualGuid(item->type.guid, type)) return item;
  }
  return nullptr;
}

ChannelListItem* ChannelList::GetItem(int position) {
  return static_cast<ChannelListItem*>(items.GetItem(position));
}

int ChannelList::GetItemCount() { return items.GetItemCount(); }

bool ChannelList::GetOnDisk(GUID type) {
  ChannelListItem* item = GetItem(type);
  return item != nullptr && item->onDisk;
}

ChannelType ChannelList::GetChannelType(GUID type) {
  ChannelListItem* item = GetItem(type);
  return item != nullptr ? item->type : ChannelType{};
}

uint32_t ChannelList::Char2Hex(char c, int power) {
  uint32_t digit = 0;
  if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
  if (c >= 'A' && c <= 'F') digit = static_cast<uint32_t>(c - 'A' + 10);
  for (int i = 0; i < power; ++i) digit *= 16;
  return digit;
}

void ChannelList::SetChannelDir(const char* folder) {
  if (folder != nullptr) CopyTextField(channelDir, folder);
}

void ChannelList::CheckChannelUpdate(Zyl_Channel* channel) {
  if (channel == nullptr || engineInterface == nullptr) return;
  const ChannelType type = channel->GetChannelType();
  if (IsNullGuid(type.guid)) return;
  for (int i = 0; i < items.GetItemCount(); ++i) {
    auto* item = static_cast<ChannelListItem*>(items.GetItem(i));
    if (item == nullptr || !IsEqualGuid(item->type.guid, type.guid) ||
        !IsEqualGuid(item->type.baseGuid, type.baseGuid) || SameVersion(item->type, type)) {
      continue;
    }
    item->type = engineInterface->extension->GetDLLType(channel->module);
  }
}

void ChannelList::SetVersionInfo(GUID type, int32_t first, int32_t second, int32_t third) {
  ChannelListItem* item = GetItem(type);
  if (item == nullptr) return;
  item->type.versionInfo[0] = first;
  item->type.versionInfo[1] = second;
  item->type.versionInfo[2] = third;
}

ChannelListItem* ChannelList::FindByPath(const char* path) const {
  for (int i = 0; i < items.GetItemCount(); ++i) {
    auto* item = static_cast<ChannelListItem*>(items.GetItem(i));
    if (item != nullptr && TextEqualIgnoringCase(item->fileName.GetString(), path)) return item;
  }
  return nullptr;
}
