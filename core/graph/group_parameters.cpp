// Group parameters: the declared parameter records of a group and the public call whose
// arguments the group's parameter channels currently stand for.
#include "graph/channel_internal.h"
#include "graph/zyl_channel.h"
#include "graph/zyl_channel_group.h"
#include "graph/zyl_string.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"

Zyl_Channel* Zyl_ChannelGroup::GetParameterChannel(int index) {
  Zyl_Channel* call = parameterChannel.GetInternalChannel();
  return call != nullptr ? call->GetChild(index) : nullptr;
}

void Zyl_ChannelGroup::SetParameterChannel(Zyl_Channel* channel) {
  parameterChannel.SetChannel(channel);
}

int Zyl_ChannelGroup::GetParameterCount() { return parameters.GetItemCount(); }

ParameterInterfaceInfo Zyl_ChannelGroup::GetParameterInfo(int index) {
  auto* record = static_cast<ParameterInterfaceInfo*>(parameters.GetItem(index));
  return record != nullptr ? *record : ParameterInterfaceInfo{};
}

void Zyl_ChannelGroup::SetParameterInfo(ParameterInterfaceInfo info, int index) {
  if (index < 0) return;
  auto* record = static_cast<ParameterInterfaceInfo*>(parameters.GetItem(index));
  if (record == nullptr) {
    record = new ParameterInterfaceInfo;
    parameters.SetItem(record, index);
    if (parameters.GetItem(index) != record) {
      delete record;
      return;
    }
  }
  record->guid = info.guid;
  CopyTextField(record->name, info.name);
}

int Zyl_ChannelGroup::AddParameterInfo(ParameterInterfaceInfo info) {
  int index = 0;
  while (index < parameters.GetItemCount() && parameters.GetItem(index) != nullptr) ++index;
  SetParameterInfo(info, index);
  return parameters.GetItem(index) != nullptr ? index : -1;
}

void Zyl_ChannelGroup::RemoveParameterInfo(int index) {
  auto* record = static_cast<ParameterInterfaceInfo*>(parameters.GetItem(index));
  if (record == nullptr) return;
  delete record;
  if (index == parameters.GetItemCount() - 1) {
    parameters.RemoveItem(index);
  } else {
    parameters.SetItem(nullptr, index);
  }
  // Public calls into this pool, in every group, rebuild their positions from the new list.
  EngineInterface* engine = OwnEngine();
  if (engine != nullptr && engine->extension != nullptr) {
    engine->extension->CheckInterfaceChange(poolName.GetString());
  }
}

void Zyl_ChannelGroup::CheckInterfaceChange(const char* pool) {
  if (pool == nullptr) return;
  for (int i = 0; i < channels.GetItemCount(); ++i) {
    auto* channel = static_cast<Zyl_Channel*>(channels.GetItem(i));
    if (channel == nullptr || channel->GetChannelInterfaceType() != HUX_PUBLICCALL) continue;
    PublicCallInfo info = channelInternal.GetPublicCallInfo(channel);
    if (!TextEqualIgnoringCase(info.targetPool, pool)) continue;
    channel->SetChildCreationCount(0);
    channel->RemoveChildren();
  }
}
