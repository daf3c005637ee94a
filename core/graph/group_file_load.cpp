// Reading a group file into a channel group. Every count is checked against the size of
// the stream before anything grows, and the loader bounds every block by the stream.
#include <string>

#include "graph/channel_internal.h"
#include "graph/record_blocks.h"
#include "graph/record_file_forms.h"
#include "graph/zyl_channel.h"
#include "graph/zyl_channel_group.h"
#include "graph/zyl_file_loader.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"

namespace {

constexpr const char* notAGroupText =
    "The selected file is not a channel group. Most channel group files have the \".cgr\" "
    "extension. It could also be that the file is corrupt.";

// Smallest stored channel slot: the CHIX tag, its size and its value.
constexpr int minimumSlotSize = 12;

}  // namespace

void Zyl_ChannelGroup::ReportLoadFailure(const char* text, const GUID& type) {
  EngineInterface* engine = OwnEngine();
  if (engine == nullptr) return;
  engine->userInfoMessage(
      "Kelvane is forward compatible, this means that it can't load files that have been "
      "created with newer versions of Kelvane.");
  engine->userErrorMessage(
      "A channel (component) is used in this channel group that is not installed in your "
      "version. It could be created in a newer version of Kelvane or with a different set of "
      "components installed. Please contact the creator of the channel group and ask him "
      "about his Kelvane version.");
  engine->errorMessage(text);
  engine->errorMessage(type);
}

bool Zyl_ChannelGroup::LoadChannelSlot(ZylFileLoader& loader, int slot, int count, GUID* lastType) {
  EngineInterface* engine = OwnEngine();
  int32_t index = -1;
  if (LoadInt32Block(loader, "CHIX", &index) != BlockRead::read) {
    if (engine != nullptr) {
      engine->userErrorMessage(notAGroupText);
      engine->errorMessage(
          "Zyl_ChannelGroup::LoadChannelGroup: Couldn't find channel index header");
      engine->errorMessage(*lastType);
      engine->errorMessage("Loader file : ", fileName.GetString() ? fileName.GetString() : "");
    }
    return false;
  }
  if (index == -1) {
    channels.SetItem(nullptr, slot);
    return true;
  }
  // An index outside the stored slots, or one given twice, would grow the list without
  // bound or overwrite a loaded channel.
  if (index < 0 || index >= count || channels.GetItem(index) != nullptr) {
    if (engine != nullptr) {
      engine->errorMessage("Zyl_ChannelGroup::LoadChannelGroup: Invalid channel index:", index);
    }
    return false;
  }

  ChannelType type;
  BlockRead typeRead = LoadGuidBlock(loader, "CHID", &type.guid);
  if (typeRead == BlockRead::read) {
    std::string name;
    BlockRead nameRead = LoadTextBlock(loader, "CHNM", &name);
    if (nameRead == BlockRead::read) CopyTextField(type.name, name.c_str());
    BlockRead versionRead = LoadInt32Block(loader, "CHVE", &type.versionInfo[2]);
    BlockRead baseRead = LoadGuidBlock(loader, "CHBG", &type.baseGuid);
    if (nameRead == BlockRead::bad || versionRead == BlockRead::bad || baseRead == BlockRead::bad) {
      typeRead = BlockRead::bad;
    }
  }
  *lastType = type.guid;
  if (typeRead == BlockRead::bad) {
    ReportLoadFailure("Zyl_ChannelGroup::LoadChannelGroup: Damaged channel type", type.guid);
    return false;
  }

  Zyl_Channel* channel = engine ? engine->InitChannelFromType(type, nullptr, false) : nullptr;
  if (channel == nullptr) {
    ReportLoadFailure("Zyl_ChannelGroup::LoadChannelGroup: Couldn't find channel DLL!", type.guid);
    return false;
  }
  channels.SetItem(channel, index);
  channelInternal.SetChannelIDIndexNr(channel, index);
  channelInternal.SetChannelGroup(channel, this);
  if (!channel->LoadChannel(loader, this)) {
    ReportLoadFailure("Zyl_ChannelGroup::LoadChannelGroup: Couldn't load channel", type.guid);
    return false;
  }
  CheckRequestListForIndex(index);
  return true;
}

bool Zyl_ChannelGroup::LoadChannelGroup(ZylFileLoader& loader, bool setPool) {
  EngineInterface* engine = OwnEngine();
  readOnly = (loader.GetAttributes() & 1) != 0;
  Release();
  channels.ReleaseItems();  // the loaded group holds exactly the stored slots

  if (loader.CheckHeader("ZMTF", false) && engine != nullptr && engine->extension != nullptr) {
    engine->extension->TranslateFile(&loader);
  }
  if (!loader.GetInfoIfTag("ZYLG")) {
    if (engine != nullptr) {
      engine->userErrorMessage(notAGroupText);
      engine->errorMessage("Failed loading channel group, buffersize: ", loader.GetBufferSize());
    }
    return false;
  }
  int32_t environment = 0;
  LoadInt32Block(loader, "ENVR", &environment);

  int32_t count = 0;
  if (LoadInt32Block(loader, "CHCO", &count) != BlockRead::read) {
    if (engine != nullptr) engine->errorMessage("Zyl_ChannelGroup::LoadChannelGroup: No itemcount");
    return false;
  }
  if (count < 0 || count > loader.GetBufferSize() / minimumSlotSize) {
    if (engine != nullptr) {
      engine->errorMessage("Zyl_ChannelGroup::LoadChannelGroup: Channel count exceeds the file:",
                           count);
    }
    return false;
  }
  GUID lastType = nullGuid;
  for (int i = 0; i < count; ++i) {
    if (!LoadChannelSlot(loader, i, count, &lastType)) return false;
  }

  LoadInt32Block(loader, "CHSC", &startChannel);
  int32_t parameterCount = 0;
  if (LoadInt32Block(loader, "CGIC", &parameterCount) == BlockRead::bad) parameterCount = -1;
  const bool parameterBlock = loader.GetInfoIfTag("CGII");
  const unsigned long blockSize = parameterBlock ? loader.GetSizeDataBlock(true) : 0;
  const unsigned long needed = parameterCount < 0 ? 0
                                                  : static_cast<unsigned long>(parameterCount) *
                                                        parameterInterfaceInfoFileSize;
  if (parameterCount < 0 || (parameterBlock && needed > blockSize)) {
    if (engine != nullptr) {
      engine->errorMessage("Zyl_ChannelGroup::LoadChannelGroup: Parameter count exceeds its block:",
                           parameterCount);
    }
    return false;
  }
  if (parameterBlock) {
    for (int i = 0; i < parameterCount; ++i) {
      ParameterInterfaceInfo info;
      ParameterInterfaceInfoFromFile(reinterpret_cast<const uint8_t*>(loader.GetBuffer()),
                                     parameterInterfaceInfoFileSize, &info);
      SetParameterInfo(info, i);
      loader.AddBufferPos(static_cast<int>(parameterInterfaceInfoFileSize));
    }
    loader.AddBufferPos(static_cast<int>(blockSize - needed));
  }

  std::string pool;
  if (LoadTextBlock(loader, "CINA", &pool) == BlockRead::read && setPool) {
    SetPoolName(pool.c_str());
    poolNr = engine != nullptr ? engine->GetHighInstance(poolName.GetString()) + 1 : 0;
  }
  LoadGuidBlock(loader, "CGGG", &uniqueGroupGuid);

  for (int i = 0; i < channelRequests.GetItemCount(); ++i) {
    delete static_cast<ChannelRequestInfo*>(channelRequests.GetItem(i));
  }
  channelRequests.ReleaseItems();
  return true;
}

bool Zyl_ChannelGroup::LoadChannelGroupFromFile(const char* path, bool setPool) {
  if (path == nullptr) return false;
  EngineInterface* engine = OwnEngine();
  ZylFileLoader loader(engine);
  if (!loader.LoadFile(path)) {
    if (engine != nullptr) {
      engine->userErrorMessage("The following channel group file could not be loaded: ", path);
    }
    return false;
  }
  fileName.SetString(path);
  return LoadChannelGroup(loader, setPool);
}

bool Zyl_ChannelGroup::LoadChannelGroupFromBuffer(const char* name, int size, char* data,
                                                  bool setPool) {
  if (name == nullptr) return false;
  ZylFileLoader loader(OwnEngine());
  loader.SetBuffer(data, size, false);
  fileName.SetString(name);
  return LoadChannelGroup(loader, setPool);
}
