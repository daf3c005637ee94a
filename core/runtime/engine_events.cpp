// Engine: unique channels, the event table with its dispatch, channel requests and the
// engine side of public-channel bookkeeping.
#include <cstring>
#include <string>

#include "graph/channel_internal.h"
#include "graph/zyl_channel.h"
#include "graph/zyl_channel_group.h"
#include "graph/zyl_guid.h"
#include "graph/zyl_string.h"
#include "runtime/engine.h"
#include "runtime/engine_interface.h"

Zyl_Channel* Engine::GetUniqueChannel(GUID type, const char* name) {
  std::string wanted = name != nullptr ? name : "";
  if (wanted.size() >= maxUniqueNameLength) wanted = wanted.substr(wanted.size() - maxUniqueNameLength);
  const bool named = !wanted.empty();
  if (IsNullGuid(type)) {
    Report("GUID of channel not found!\nCould not add unique channel!");
    return nullptr;
  }
  if (uniqueGroup == nullptr) return nullptr;
  for (int i = 0; i < uniqueGroup->GetChannelCount(); ++i) {
    Zyl_Channel* channel = uniqueGroup->GetChannel(i);
    if (channel == nullptr || !IsEqualGuid(channel->GetChannelType().guid, type)) continue;
    if (!named || TextEqualIgnoringCase(channel->GetChannelName(), wanted.c_str())) return channel;
  }
  Zyl_Channel* channel = engineInterface->InitChannelFromType(type, nullptr, false);
  if (channel == nullptr) return nullptr;
  if (named) channel->SetChannelName(wanted.c_str());
  uniqueGroup->AddChannel(channel);
  return channel;
}

int Engine::GetCurrentEvent() { return currentEvent; }

void Engine::DispatchEvent(int event, unsigned long parameter) {
  if (currentEvent == releasedEvent) return;
  currentEvent = event;
  // The length is read at each step: handlers may register further channels.
  for (int i = 0; i < events.GetItemCount(); ++i) {
    auto* record = static_cast<EventRecord*>(events.GetItem(i));
    if (record != nullptr && record->event == event && record->channel != nullptr) {
      record->channel->DoEvent(event, parameter);
    }
  }
}

void Engine::AddChannelToEvent(Zyl_Channel* channel, int event) {
  if (channel == nullptr || event < 0) return;
  auto* record = new EventRecord{channel, event};
  if (events.AddItem(record) < 0) delete record;
}

void Engine::RemoveChannelFromEvent(Zyl_Channel* channel, int event) {
  if (channel == nullptr) return;
  for (int i = 0; i < events.GetItemCount(); ++i) {
    auto* record = static_cast<EventRecord*>(events.GetItem(i));
    if (record == nullptr || record->channel != channel || record->event != event) continue;
    events.RemoveItem(i);
    delete record;
    i = -1;  // restart from the front
  }
}

void Engine::ProcessWindowMessage(uint32_t message, uint32_t wParam, int32_t lParam) {
  windowMessage = WindowMessage{message, wParam, lParam};
  DispatchEvent(1, reinterpret_cast<unsigned long>(&windowMessage));
}

bool Engine::AddChannelRequest(int instance, Zyl_Channel* channel) {
  auto* record = new EngineChannelRequest{channel, instance};
  if (requests.AddItemOrNULL(record) < 0) delete record;
  return true;
}

void Engine::CheckChannelRequest(Zyl_ChannelGroup* group, int instance, Zyl_Channel* candidate) {
  if (group == nullptr || candidate == nullptr) return;
  for (int i = 0; i < requests.GetItemCount(); ++i) {
    auto* record = static_cast<EngineChannelRequest*>(requests.GetItem(i));
    if (record == nullptr) continue;
    if (channelInternal.CheckPublicChannelRequest(record->channel, candidate, instance,
                                                  group->GetPoolName())) {
      requests.SetItem(nullptr, i);
      delete record;
    }
  }
}

void Engine::CheckPublicCallChannelRemoval(Zyl_Channel* channel) {
  // A call that changed its instance number waits for several instances: every record
  // goes, so that none keeps a pointer to a channel about to be deleted.
  for (int i = 0; i < requests.GetItemCount(); ++i) {
    auto* record = static_cast<EngineChannelRequest*>(requests.GetItem(i));
    if (record != nullptr && record->channel == channel) {
      requests.SetItem(nullptr, i);
      delete record;
    }
  }
}

void Engine::CheckPublicChannelRemoval(Zyl_Channel* channel, int instance) {
  for (int i = 0; i < groups.GetItemCount(); ++i) {
    if (Zyl_ChannelGroup* group = GetChannelGroup(i)) {
      group->CheckPublicChannelRemoval(channel, instance);
    }
  }
}

void Engine::CheckInterfaceChange(const char* poolName) {
  for (int i = 0; i < groups.GetItemCount(); ++i) {
    if (Zyl_ChannelGroup* group = GetChannelGroup(i)) group->CheckInterfaceChange(poolName);
  }
}

Zyl_Channel* Engine::GetPublicChannel(PublicCallInfo* info) {
  if (info == nullptr) return nullptr;
  for (int i = 0; i < groups.GetItemCount(); ++i) {
    Zyl_ChannelGroup* group = GetChannelGroup(i);
    if (group == nullptr || group->GetPoolNr() != info->instanceNr) continue;
    if (Zyl_Channel* channel = group->GetPublicChannel(info)) return channel;
  }
  return nullptr;
}
