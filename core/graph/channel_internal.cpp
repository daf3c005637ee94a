// ChannelInternal: placing by type, entry removal and renumbering, pending links,
// interface-type records and tree-count settings. Public calls are in public_call_*.cpp,
// unique public names in group_public_channels.cpp, the dependency walk in
// channel_dependency.cpp.
#include "graph/channel_internal.h"

#include "graph/channel_messages.h"
#include "graph/smart_channel.h"
#include "graph/zyl_channel.h"
#include "graph/zyl_channel_group.h"
#include "platform/time.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"

ChannelInternal channelInternal;

namespace {

ChildInfo* EntryAt(const Zyl_List& list, int index) {
  return static_cast<ChildInfo*>(list.GetItem(index));
}

}  // namespace

ChannelInternal::~ChannelInternal() = default;

int ChannelInternal::SetChildByType(Zyl_Channel* ch, Zyl_Channel* child, int slot) {
  if (ch == nullptr || child == nullptr) return -1;
  const ChannelType& type = child->CachedChannelType();
  const int positions = GetChildCreationCount(ch);
  for (int n = 0; n < positions; ++n) {
    ChildCreation* declaration = GetChildCreateType(ch, n);
    if (declaration == nullptr) continue;
    const GUID& accepted = declaration->acceptedType.guid;
    if (!IsEqualGuid(type.guid, accepted) && !IsEqualGuid(type.baseGuid, accepted) &&
        !IsEqualGuid(accepted, wildcardGuid)) {
      continue;
    }
    ChildInfo* head = declaration->childInfo;
    if (head == nullptr) continue;
    if (head->multiLink) {
      if (slot != -1) return ch->SetChild(child, slot, n);
      const int first = head->nodeOffset - head->slot;
      for (int k = 0; k < head->slot; ++k) {
        ChildInfo* entry = EntryAt(ch->children, first + k);
        if (entry != nullptr && entry->child == nullptr) return ch->SetChild(child, k, n);
      }
      return ch->SetChild(child, -1, n);
    }
    if (head->child == nullptr) return ch->SetChild(child, 0, n);
  }
  return -1;
}

void ChannelInternal::RemoveChildPosition(Zyl_Channel* ch, int index) {
  if (ch == nullptr) return;
  ChildInfo* entry = EntryAt(ch->children, index);
  if (entry == nullptr) return;
  entry->child = nullptr;
  if (!entry->fixedEntry) {
    delete entry;
    ch->children.RemoveItem(index);
  }
  RecalculateNodeOffsets(ch);
}

void ChannelInternal::RemoveChild(Zyl_Channel* ch, Zyl_Channel* child) {
  if (ch == nullptr || child == nullptr) return;
  for (int i = 0; i < ch->children.GetItemCount(); ++i) {
    ChildInfo* entry = EntryAt(ch->children, i);
    if (entry == nullptr || entry->child == nullptr) continue;
    if (entry->child == child) {
      entry->child = nullptr;
      continue;
    }
    // Only external children stand for another channel.
    if (!IsExternalType(entry->child->GetChannelInterfaceType())) continue;
    SmartChannel reference(ch->engineInterface);
    reference.SetChannel(entry->child);
    if (reference.GetChannel() == child) entry->child = nullptr;
  }
}

void ChannelInternal::RecalculateNodeOffsets(Zyl_Channel* ch) {
  if (ch == nullptr) return;
  int counter = 0;
  for (int i = 0; i < ch->children.GetItemCount(); ++i) {
    ChildInfo* entry = EntryAt(ch->children, i);
    if (entry == nullptr) continue;
    entry->nodeOffset = i;
    entry->slot = counter;
    counter = entry->multiLink ? 0 : counter + 1;
    if (entry->fixedEntry && !entry->multiLink) {
      entry->slot = 0;
      counter = 0;
    }
  }
}

void ChannelInternal::SortChilderen(Zyl_Channel* ch) {
  if (ch == nullptr) return;
  for (int i = 0; i < ch->children.GetItemCount();) {
    ChildInfo* entry = EntryAt(ch->children, i);
    if (entry != nullptr && entry->child == nullptr && !entry->fixedEntry && !entry->multiLink) {
      RemoveChildPosition(ch, i);
      i = 0;
    } else {
      ++i;
    }
  }
}

int ChannelInternal::GetChildCreationCount(Zyl_Channel* ch) {
  if (ch == nullptr) return 0;
  if (ch->interfaceType == HUX_PUBLICCALL) {
    Zyl_Channel* target = GetPublicChannelForPublicCall(ch, false);
    if (target == nullptr || target->GetChannelGroup() == nullptr) return 1;
    return target->GetChannelGroup()->GetParameterCount();
  }
  return ch->childCreations.GetItemCount();
}

int ChannelInternal::GetChildLinkPosition(Zyl_Channel* ch, int index) {
  if (ch == nullptr) return -1;
  ChildInfo* entry = EntryAt(ch->children, index);
  return entry ? entry->linkPosition : -1;
}

bool ChannelInternal::CheckChannelRequest(Zyl_Channel* ch, int channelIndex, int slot,
                                          Zyl_Channel* child, int position) {
  // Without the awaited channel the record stays, so a later call can still complete it.
  if (ch == nullptr || child == nullptr || ch->pendingLinks == nullptr) return false;
  Zyl_List* pending = ch->pendingLinks;
  for (int i = 0; i < pending->GetItemCount(); ++i) {
    auto* record = static_cast<PendingLink*>(pending->GetItem(i));
    if (record == nullptr || record->channelIndex != channelIndex || record->slot != slot) {
      continue;
    }
    ch->SetChild(child, position == -1 ? -1 : slot, position);
    delete record;
    pending->RemoveItem(i);
    if (pending->GetItemCount() == 0) {
      delete pending;
      ch->pendingLinks = nullptr;
    }
    return true;
  }
  return false;
}

void ChannelInternal::SetChannelIDIndexNr(Zyl_Channel* ch, int indexNr) {
  if (ch != nullptr) ch->channelIDIndexNr = indexNr;
}

void ChannelInternal::CheckIndexNrRemoval(Zyl_Channel* ch, int indexNr) {
  if (ch == nullptr) return;
  for (int i = 0; i < ch->children.GetItemCount(); ++i) {
    ChildInfo* entry = EntryAt(ch->children, i);
    if (entry != nullptr && entry->child != nullptr &&
        entry->child->GetChannelIDIndexNr() == indexNr) {
      entry->child = nullptr;
    }
  }
}

void ChannelInternal::SetChannelGroup(Zyl_Channel* ch, Zyl_ChannelGroup* group) {
  if (ch != nullptr) ch->channelGroup = group;
}

bool ChannelInternal::GetIfExternalChild(Zyl_Channel* ch, int index) {
  Zyl_Channel* child = GetInternalChild(ch, index);
  return child != nullptr && IsExternalType(child->GetChannelInterfaceType());
}

bool ChannelInternal::SetPublicCallInfo(Zyl_Channel* ch, PublicCallInfo info) {
  if (ch == nullptr || ch->interfaceType != HUX_PUBLICCALL || ch->publicCallInfo == nullptr) {
    return false;
  }
  // The fallback head belongs to this channel's list, not to the caller's copy.
  ChildInfo* fallbackHead = ch->publicCallInfo->fallbackCreation.childInfo;
  *ch->publicCallInfo = info;
  ch->publicCallInfo->fallbackCreation.childInfo = fallbackHead;
  EngineInterface* engine = MessageEngine(ch);
  if (engine != nullptr && engine->extension != nullptr) {
    engine->extension->CheckPublicCallChannelRemoval(ch);
  }
  delete ch->resolvedTargets;
  ch->resolvedTargets = nullptr;
  delete ch->pendingCalls;
  ch->pendingCalls = nullptr;
  return true;
}

PublicCallInfo ChannelInternal::GetPublicCallInfo(Zyl_Channel* ch) {
  PublicCallInfo copy;
  if (ch == nullptr || ch->publicCallInfo == nullptr) return copy;
  copy = *ch->publicCallInfo;
  copy.fallbackCreation = ChildCreation{};
  return copy;
}

void ChannelInternal::SetAutoLoadGroup(Zyl_Channel* ch, bool load) {
  if (ch == nullptr || ch->publicCallInfo == nullptr) return;
  ch->publicCallInfo->autoLoadGroup = load ? 1 : 0;
  if (load) ch->publicCallInfo->dynamicAutoLoadGroup = 0;
}

void ChannelInternal::SetDynamicAutoLoadGroup(Zyl_Channel* ch, bool load) {
  if (ch == nullptr || ch->publicCallInfo == nullptr) return;
  ch->publicCallInfo->dynamicAutoLoadGroup = load ? 1 : 0;
  if (load) ch->publicCallInfo->autoLoadGroup = 0;
}

bool ChannelInternal::GetAutoLoadGroup(Zyl_Channel* ch) {
  return ch != nullptr && ch->publicCallInfo != nullptr && ch->publicCallInfo->autoLoadGroup;
}

bool ChannelInternal::GetDynamicAutoLoadGroup(Zyl_Channel* ch) {
  return ch != nullptr && ch->publicCallInfo != nullptr &&
         ch->publicCallInfo->dynamicAutoLoadGroup != 0;
}

void ChannelInternal::CheckPublicChannelInstanceRemoval(Zyl_Channel* ch,
                                                        Zyl_Channel* publicChannel,
                                                        int instance) {
  if (ch == nullptr || ch->resolvedTargets == nullptr) return;
  if (ch->resolvedTargets->GetItem(instance) == publicChannel) {
    ch->resolvedTargets->SetItem(nullptr, instance);
  }
}

void ChannelInternal::SetRequestedPublicChannelNr(Zyl_Channel* ch, int instance) {
  if (ch != nullptr && ch->publicCallInfo != nullptr) ch->publicCallInfo->instanceNr = instance;
}

ParameterInfo* ChannelInternal::GetParameterInfo(Zyl_Channel* ch) {
  return ch ? ch->parameterInfo : nullptr;
}

void ChannelInternal::SetParameterInfo(Zyl_Channel* ch, int parameterIndex) {
  ParameterInfo info;
  info.parameterIndex = parameterIndex;
  SetParameterInfo(ch, info);
}

void ChannelInternal::SetParameterInfo(Zyl_Channel* ch, ParameterInfo info) {
  if (ch != nullptr && ch->parameterInfo != nullptr) *ch->parameterInfo = info;
}

int ChannelInternal::GetChannelGetChildTime(Zyl_Channel* ch) {
  return ch ? static_cast<int>(ch->callingTime) : 0;
}

void ChannelInternal::UpdateCallingTime(Zyl_Channel* ch) {
  if (ch == nullptr || ch->channelGroup == nullptr) return;
  if (ch->channelGroup->GetGroupIndex() != -1) ch->callingTime = platform::tickCount();
}

bool ChannelInternal::GetIgnoreTreeCount(Zyl_Channel* ch) { return ch && ch->ignoreTreeCount; }

void ChannelInternal::SetIgnoreTreeCount(Zyl_Channel* ch, bool ignore) {
  if (ch != nullptr) ch->ignoreTreeCount = ignore;
}

void ChannelInternal::ReleaseChilderen(Zyl_Channel* ch) {
  if (ch == nullptr) return;
  for (int i = 0; i < ch->children.GetItemCount(); ++i) delete EntryAt(ch->children, i);
  ch->children.ReleaseItems();
  ch->SetChildCreationCount(0);
}

ChildInfo* ChannelInternal::GetChildInfo(Zyl_Channel* ch, int index) {
  return ch ? EntryAt(ch->children, index) : nullptr;
}

ChildCreation* ChannelInternal::GetChildCreateType(Zyl_Channel* ch, int position) {
  if (ch == nullptr) return nullptr;
  if (ch->interfaceType == HUX_PUBLICCALL) return PublicCallCreateType(ch, position);
  if (position < 0 || position >= ch->childCreations.GetItemCount()) return nullptr;
  return static_cast<ChildCreation*>(ch->childCreations.GetItem(position));
}

Zyl_Channel* ChannelInternal::GetInternalChild(Zyl_Channel* ch, int index) {
  ChildInfo* entry = GetChildInfo(ch, index);
  return entry ? entry->child : nullptr;
}

void ChannelInternal::SetTreeCountMode(Zyl_Channel* ch, uint8_t mode) {
  if (ch != nullptr) ch->treeCountMode = mode;
}

uint8_t ChannelInternal::GetTreeCountMode(Zyl_Channel* ch) { return ch ? ch->treeCountMode : 0; }

uint8_t ChannelInternal::GetTreeRecalculateCount(Zyl_Channel* ch) {
  return ch ? ch->treeRecalculateCount : 0;
}
