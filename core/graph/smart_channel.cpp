// SmartChannel: remembering a channel's location and validating it on every use.
#include "graph/smart_channel.h"

#include "graph/channel_internal.h"
#include "graph/zyl_channel.h"
#include "graph/zyl_channel_group.h"
#include "runtime/engine_interface.h"

SmartChannel::SmartChannel(EngineInterface* engine)
    : groupGuid(nullGuid), engineInterface(engine ? engine : globalEngine) {}

SmartChannel::~SmartChannel() = default;

bool SmartChannel::SetChannel(Zyl_Channel* target) {
  channel = nullptr;
  groupIndex = -1;
  if (target == nullptr) return false;
  channel = target;
  Zyl_ChannelGroup* group = target->GetChannelGroup();
  if (group == nullptr) return false;
  groupGuid = group->GetUniqueGroupGuid();
  groupIndex = group->GetGroupIndex();
  channelIndex = target->GetChannelIDIndexNr();
  return true;
}

Zyl_Channel* SmartChannel::GetInternalChannel() {
  if (channel == nullptr) return nullptr;
  EngineInterface* engine = engineInterface ? engineInterface : globalEngine;
  if (engine == nullptr) return nullptr;
  Zyl_ChannelGroup* group = engine->GetChannelGroup(groupIndex);
  if (group == nullptr) return groupIndex == -1 ? channel : nullptr;
  if (!IsEqualGuid(group->GetUniqueGroupGuid(), groupGuid)) return nullptr;
  return group->GetChannel(channelIndex) == channel ? channel : nullptr;
}

Zyl_Channel* SmartChannel::GetChannel() {
  Zyl_Channel* target = GetInternalChannel();
  if (target == nullptr) return nullptr;
  switch (target->GetChannelInterfaceType()) {
    case HUX_NORMALCHANNEL:
    case HUX_PUBLICCHANNEL:
      return target;
    case HUX_CUSTOMCHANNELGET:
    case HUX_PUBLICCUSTOMCHANNELGET:
      return target->GetChannelFromChannel(nullptr, nullptr);
    case HUX_PUBLICCALL:
      return channelInternal.GetPublicChannelForPublicCall(target, false);
    default:
      return nullptr;
  }
}
