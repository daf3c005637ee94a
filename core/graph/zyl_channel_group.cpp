// Zyl_ChannelGroup: channel indices, removal and transfer, start channel, tree count,
// deferred links and release. Parameters are in group_parameters.cpp, public channels in
// group_public_channels.cpp, files in group_file_save.cpp and group_file_load.cpp.
#include "graph/zyl_channel_group.h"

#include "graph/channel_internal.h"
#include "graph/channel_messages.h"
#include "graph/zyl_channel.h"
#include "platform/guid.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"

Zyl_ChannelGroup::Zyl_ChannelGroup(EngineInterface* engine)
    : parameterChannel(engine),
      uniqueGroupGuid(platform::newGuid()),
      engineInterface(engine ? engine : globalEngine) {}

Zyl_ChannelGroup::~Zyl_ChannelGroup() {
  destroying = true;
  Release();
}

EngineInterface* Zyl_ChannelGroup::OwnEngine() const {
  return engineInterface ? engineInterface : globalEngine;
}

void Zyl_ChannelGroup::ReleaseRecords() {
  for (int i = 0; i < channelRequests.GetItemCount(); ++i) {
    delete static_cast<ChannelRequestInfo*>(channelRequests.GetItem(i));
  }
  channelRequests.ReleaseItems();
  for (int i = 0; i < parameters.GetItemCount(); ++i) {
    delete static_cast<ParameterInterfaceInfo*>(parameters.GetItem(i));
  }
  parameters.ReleaseItems();
}

void Zyl_ChannelGroup::Release() {
  for (int i = 0; i < channels.GetItemCount(); ++i) RemoveChannel(i);
  parameterChannel.SetChannel(nullptr);
  startChannel = 0;
  ReleaseRecords();
}

int Zyl_ChannelGroup::GetGroupIndex() { return groupIndex; }
void Zyl_ChannelGroup::SetGroupIndex(int index) { groupIndex = index; }

void Zyl_ChannelGroup::AddChannelRequest(ChannelRequestInfo request) {
  auto* copy = new ChannelRequestInfo(request);
  if (channelRequests.AddItem(copy) < 0) delete copy;
}

void Zyl_ChannelGroup::CheckRequestListForIndex(int index) {
  for (int i = 0; i < channelRequests.GetItemCount();) {
    auto* request = static_cast<ChannelRequestInfo*>(channelRequests.GetItem(i));
    if (request == nullptr) {
      if (EngineInterface* engine = OwnEngine()) {
        engine->errorMessage("BUG: error in channel request list");
      }
      ++i;
      continue;
    }
    if (request->channelIndex == index &&
        channelInternal.CheckChannelRequest(request->requester, request->channelIndex,
                                            request->slot, GetChannel(index),
                                            request->linkPosition)) {
      delete request;
      channelRequests.RemoveItem(i);
      i = 0;
      continue;
    }
    ++i;
  }
}

int Zyl_ChannelGroup::AddChannel(Zyl_Channel* channel) {
  if (channel == nullptr) return -1;
  for (int i = 0; i < channels.GetItemCount(); ++i) {
    if (channels.GetItem(i) == channel) return i;
  }
  const int index = channels.AddItemOrNULL(channel);
  if (index < 0) return -1;
  channelInternal.SetChannelIDIndexNr(channel, index);
  channelInternal.SetChannelGroup(channel, this);
  return index;
}

bool Zyl_ChannelGroup::RemoveChannel(Zyl_Channel* channel) {
  if (channel == nullptr) return false;
  for (int i = 0; i < channels.GetItemCount(); ++i) {
    if (channels.GetItem(i) == channel) return RemoveChannel(i);
  }
  return false;
}

bool Zyl_ChannelGroup::RemoveChannel(int index) {
  auto* channel = static_cast<Zyl_Channel*>(channels.GetItem(index));
  if (channel == nullptr) return false;
  EngineInterface* engine = OwnEngine();
  EngineInterfaceExt* extension = engine ? engine->extension : nullptr;
  if (extension != nullptr) {
    if (IsPublicType(channel->GetChannelInterfaceType())) {
      extension->CheckPublicChannelRemoval(channel, poolNr);
    } else if (channel->GetChannelInterfaceType() == HUX_PUBLICCALL) {
      extension->CheckPublicCallChannelRemoval(channel);
    }
  }
  if (!destroying) {
    for (int i = 0; i < channels.GetItemCount(); ++i) {
      channelInternal.CheckIndexNrRemoval(static_cast<Zyl_Channel*>(channels.GetItem(i)), index);
    }
  }
  // The entry is emptied first so that nothing reaches the channel while it is deleted.
  channels.SetItem(nullptr, index);
  delete channel;
  return true;
}

bool Zyl_ChannelGroup::TransferChannel(int index, Zyl_ChannelGroup* other) {
  auto* channel = static_cast<Zyl_Channel*>(channels.GetItem(index));
  if (channel == nullptr || other == nullptr || other == this) return false;
  if (other->AddChannel(channel) < 0) return false;
  channels.SetItem(nullptr, index);
  return true;
}

int Zyl_ChannelGroup::GetChannelCount() { return channels.GetItemCount(); }

Zyl_Channel* Zyl_ChannelGroup::GetChannel(const char* name) {
  if (name == nullptr) return nullptr;
  for (int i = 0; i < channels.GetItemCount(); ++i) {
    auto* channel = static_cast<Zyl_Channel*>(channels.GetItem(i));
    if (channel == nullptr || channel->GetChannelName() == nullptr) continue;
    if (TextEqualIgnoringCase(channel->GetChannelName(), name)) return channel;
  }
  return nullptr;
}

Zyl_Channel* Zyl_ChannelGroup::GetChannel(int index) {
  return static_cast<Zyl_Channel*>(channels.GetItem(index));
}

void Zyl_ChannelGroup::SetChannel(Zyl_Channel* channel, int index) {
  channels.SetItem(channel, index);
}

const char* Zyl_ChannelGroup::GetChannelGroupFileName() { return fileName.GetString(); }

bool Zyl_ChannelGroup::GetIfChannelInGroup(Zyl_Channel* channel) {
  if (channel == nullptr) return false;
  for (int i = 0; i < channels.GetItemCount(); ++i) {
    if (channels.GetItem(i) == channel) return true;
  }
  return false;
}

void Zyl_ChannelGroup::CheckPublicChannelRemoval(Zyl_Channel* publicChannel, int instance) {
  for (int i = 0; i < channels.GetItemCount(); ++i) {
    channelInternal.CheckPublicChannelInstanceRemoval(
        static_cast<Zyl_Channel*>(channels.GetItem(i)), publicChannel, instance);
  }
}

void Zyl_ChannelGroup::CallStartChannel() {
  IncreaseTreeCount();
  Zyl_Channel* start = GetChannel(startChannel == -1 ? 0 : startChannel);
  if (start != nullptr) start->CallChannel();
}

void Zyl_ChannelGroup::SetStartChannel(int index) { startChannel = index; }
int Zyl_ChannelGroup::GetStartChannel() { return startChannel; }
int Zyl_ChannelGroup::GetPoolNr() { return poolNr; }
void Zyl_ChannelGroup::SetPoolNr(int instance) { poolNr = instance; }
const char* Zyl_ChannelGroup::GetPoolName() { return poolName.GetString(); }
void Zyl_ChannelGroup::SetPoolName(const char* name) { poolName.SetString(name); }

GUID Zyl_ChannelGroup::GetUniqueGroupGuid() { return uniqueGroupGuid; }
void Zyl_ChannelGroup::SetChannelGroupFileName(const char* path) { fileName.SetString(path); }
bool Zyl_ChannelGroup::GetIfArrayGroup() { return arrayGroup; }
void Zyl_ChannelGroup::SetIfArrayGroup(bool isArray) { arrayGroup = isArray; }

platform::WindowHandle Zyl_ChannelGroup::GetParentWindow() {
  if (parentWindow != nullptr) return parentWindow;
  EngineInterface* engine = OwnEngine();
  return engine ? engine->GetWindowHandle() : nullptr;
}

void Zyl_ChannelGroup::SetParentWindow(platform::WindowHandle window) { parentWindow = window; }
bool Zyl_ChannelGroup::GetReadOnly() { return readOnly; }
void Zyl_ChannelGroup::SetReadOnly(bool value) { readOnly = value; }

int Zyl_ChannelGroup::GetTreeCalculateCount() {
  EngineInterface* engine = OwnEngine();
  return (engine ? engine->GetTreeCalculateCount() : 0) + treeCount;
}

void Zyl_ChannelGroup::IncreaseTreeCount() {
  treeCount = treeCount > maxTreeCount - 1 ? 0 : treeCount + 1;
}
