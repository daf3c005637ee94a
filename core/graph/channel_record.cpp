// The base channel record every channel writes before its own blocks: flags, name,
// interface type, public-call or parameter data and the links, with deferred links to
// channels of the group that are loaded later.
#include <string>

#include "graph/channel_internal.h"
#include "graph/channel_messages.h"
#include "graph/record_blocks.h"
#include "graph/record_file_forms.h"
#include "graph/zyl_channel.h"
#include "graph/zyl_channel_group.h"
#include "graph/zyl_file_loader.h"
#include "graph/zyl_file_saver.h"
#include "runtime/engine_interface.h"
#include "runtime/path_find.h"

namespace {

// Smallest stored link record: the CHLI tag, its size and its value.
constexpr int minimumLinkRecordSize = 12;

bool LoadsAutomatically(const PublicCallInfo& info) {
  return info.autoLoadGroup != 0 || info.dynamicAutoLoadGroup != 0;
}

}  // namespace

bool Zyl_Channel::SaveChannel(ZylFileSaver& saver) {
  if (interfaceType == HUX_PUBLICCALL && publicCallInfo != nullptr &&
      LoadsAutomatically(*publicCallInfo) && channelGroup != nullptr &&
      channelGroup->GetChannelGroupFileName() != nullptr) {
    // The target's file is stored relative to this group's file, so both can move together.
    Zyl_Channel* target = channelInternal.GetPublicChannelForPublicCall(this, false);
    Zyl_ChannelGroup* targetGroup = target ? target->GetChannelGroup() : nullptr;
    const char* targetFile = targetGroup ? targetGroup->GetChannelGroupFileName() : nullptr;
    if (targetFile != nullptr && targetFile[0] != '\0') {
      FilePathFind paths;
      paths.SetSourcePath(channelGroup->GetChannelGroupFileName());
      CopyTextField(publicCallInfo->targetFile, paths.GetValidRelativeDir(targetFile));
    }
  }

  const uint8_t ignore = ignoreTreeCount ? 1 : 0;
  SaveBlock(saver, "CHIC", &ignore, 1);
  const char* name = channelName.GetString();
  SaveTextBlock(saver, "CHNA", name != nullptr && name[0] != '\0' ? name : " ");
  SaveInt32Block(saver, "CHIT", interfaceType);
  if (interfaceType == HUX_PUBLICCALL && publicCallInfo != nullptr) {
    uint8_t record[publicCallInfoFileSize];
    PublicCallInfoToFile(*publicCallInfo, record);
    SaveBlock(saver, "CHES", record, sizeof record);
    SaveBlock(saver, "CHTM", &treeCountMode, 1);
  } else if (interfaceType == HUX_PARAMETER && parameterInfo != nullptr) {
    SaveInt32Block(saver, "CEXI", parameterInfo->parameterIndex);
  }

  // While unresolved, the trailing head of the fallback position is left out.
  int count = children.GetItemCount();
  if (unresolvedLinks && count > 0) --count;
  SaveInt32Block(saver, "CHLC", count);
  for (int i = 0; i < count; ++i) {
    auto* entry = static_cast<ChildInfo*>(children.GetItem(i));
    if (entry != nullptr && entry->child != nullptr) {
      SaveInt32Block(saver, "CHLI", entry->child->channelIDIndexNr);
      SaveInt32Block(saver, "CHUL", unresolvedLinks ? i : entry->linkPosition);
      SaveInt32Block(saver, "CHRP", unresolvedLinks ? 0 : entry->slot);
    } else {
      SaveInt32Block(saver, "CHLI", -1);
      if (entry != nullptr) SaveInt32Block(saver, "CHUL", entry->linkPosition);
    }
  }
  return true;
}

bool Zyl_Channel::LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group) {
  delete parameterInfo;
  parameterInfo = nullptr;
  delete publicCallInfo;
  publicCallInfo = nullptr;
  if (group == nullptr) {
    ReportError(this, "Group is NULL");
    return false;
  }
  EngineInterface* engine = MessageEngine(this);
  auto corrupt = [&](const char* tag) {
    if (engine != nullptr) engine->errorMessage("Zyl_Channel::LoadChannel: Damaged block", tag);
    return false;
  };

  uint8_t ignore = 0;
  BlockRead read = LoadExactBlock(loader, "CHIC", &ignore, 1);
  if (read == BlockRead::bad) return corrupt("CHIC");
  if (read == BlockRead::read) ignoreTreeCount = ignore != 0;

  std::string name;
  read = LoadTextBlock(loader, "CHNA", &name);
  if (read == BlockRead::bad) return corrupt("CHNA");
  if (read == BlockRead::missing) {
    ReportError(this, "Couldn't find channel name header");
    return false;
  }
  if (!name.empty()) SetChannelName(name.c_str());

  int32_t type = interfaceType;
  read = LoadInt32Block(loader, "CHIT", &type);
  if (read == BlockRead::bad || type < HUX_NORMALCHANNEL || type > HUX_PUBLICCUSTOMCHANNELGET) {
    return corrupt("CHIT");
  }
  interfaceType = type;

  if (interfaceType == HUX_PUBLICCALL) {
    channelInternal.ReleaseChilderen(this);
    publicCallInfo = new PublicCallInfo;
    uint8_t record[publicCallInfoFileSize];
    read = LoadExactBlock(loader, "CHES", record, sizeof record);
    if (read == BlockRead::bad) return corrupt("CHES");
    if (read == BlockRead::read) PublicCallInfoFromFile(record, sizeof record, publicCallInfo);
    uint8_t mode = 1;
    if (LoadExactBlock(loader, "CHTM", &mode, 1) == BlockRead::bad) return corrupt("CHTM");
    treeCountMode = mode;
  } else if (interfaceType == HUX_PARAMETER) {
    channelInternal.ReleaseChilderen(this);
    parameterInfo = new ParameterInfo;
    if (LoadInt32Block(loader, "CEXI", &parameterInfo->parameterIndex) == BlockRead::bad) {
      return corrupt("CEXI");
    }
  }

  int32_t count = 0;
  read = LoadInt32Block(loader, "CHLC", &count);
  if (read == BlockRead::bad) return corrupt("CHLC");
  if (read == BlockRead::missing) {
    ReportError(this, "Couldn't find channel linkcount header");
    return false;
  }
  if (count < 0 || count > loader.GetBufferSize() / minimumLinkRecordSize) {
    if (engine != nullptr) {
      engine->errorMessage("Zyl_Channel::LoadChannel: Link count exceeds the file:", count);
    }
    return false;
  }

  for (int c = 0; c < count; ++c) {
    int32_t index = -1;
    read = LoadInt32Block(loader, "CHLI", &index);
    if (read == BlockRead::bad) return corrupt("CHLI");
    if (read == BlockRead::missing) {
      if (engine != nullptr) {
        engine->errorMessage("Couldn't find channel links header");
        engine->errorMessage(count);
        engine->errorMessage(GetChannelName() ? GetChannelName() : "");
      }
      return false;
    }
    int32_t position = -1;
    if (LoadInt32Block(loader, "CHUL", &position) == BlockRead::bad) return corrupt("CHUL");
    int32_t slot = c - position;
    if (LoadInt32Block(loader, "CHRP", &slot) == BlockRead::bad) return corrupt("CHRP");

    if (index == -1) continue;  // empty slots are not restored
    if (Zyl_Channel* child = group->GetChannel(index)) {
      SetChild(child, slot, position);
      continue;
    }
    group->AddChannelRequest(ChannelRequestInfo{index, slot, this, position});
    if (pendingLinks == nullptr) pendingLinks = new Zyl_List;
    auto* pending = new PendingLink{index, slot};
    if (pendingLinks->AddItem(pending) < 0) delete pending;
  }
  return true;
}
