// Zyl_Channel linking and child lookup: SetChild with its position and slot rules,
// GetChild with the resolution of external children, and the lookups built on them.
#include "graph/channel_internal.h"
#include "graph/channel_messages.h"
#include "graph/zyl_channel.h"
#include "graph/zyl_channel_group.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"

namespace {

bool AcceptsType(const ChildCreation& declaration, const ChannelType& type) {
  const GUID& accepted = declaration.acceptedType.guid;
  return IsEqualGuid(type.baseGuid, accepted) || IsEqualGuid(type.guid, accepted) ||
         IsEqualGuid(accepted, wildcardGuid);
}

bool IsTracking(Zyl_Channel* channel) {
  EngineInterface* engine = MessageEngine(channel);
  return engine != nullptr && engine->extension != nullptr &&
         engine->extension->GetIfTrackChannelCalling();
}

}  // namespace

int Zyl_Channel::SetChild(Zyl_Channel* child, int slot, int position) {
  if (child == nullptr || child == this) return -1;
  if (interfaceType == HUX_PUBLICCUSTOMCHANNELGET && child->interfaceType != HUX_NORMALCHANNEL &&
      child->interfaceType != HUX_PUBLICCHANNEL) {
    ReportUserInfo(this, "Public custom channel get can only link normal and public channels");
    return -1;
  }
  if (slot < -1) {
    ReportUserInfo(this, "Zyl_Channel::SetChild targetChannel<-1 is out of range");
    // Taken as "no slot": a negative slot would address another position's entries.
    slot = -1;
  }
  if (slot > maxLinkSlot) {
    // Each missing slot becomes an entry; a slot read from a damaged file must not
    // make the list grow without bound.
    ReportUserInfo(this, "Zyl_Channel::SetChild targetChannel is out of range", slot);
    return -1;
  }
  if (interfaceType == HUX_PUBLICCALL &&
      channelInternal.GetPublicChannelForPublicCall(this, false) == nullptr) {
    channelInternal.GetChildCreateType(this, 0);
    if (unresolvedLinks) {
      // Unresolved calls keep one flat list: the requested position becomes the slot.
      slot = position;
      position = 0;
    }
  }
  if (position < -1 || position >= channelInternal.GetChildCreationCount(this)) {
    return channelInternal.SetChildByType(this, child, -1);
  }
  if (position == -1) return channelInternal.SetChildByType(this, child, slot);
  return LinkIntoPosition(child, slot, position);
}

int Zyl_Channel::LinkIntoPosition(Zyl_Channel* child, int slot, int position) {
  ChildCreation* declaration = channelInternal.GetChildCreateType(this, position);
  if (declaration == nullptr) {
    ReportUserInfo(this, "Zyl_Channel::SetChild childCreation==NULL for this target type");
    return -1;
  }
  if (!AcceptsType(*declaration, child->CachedChannelType())) {
    ReportUserInfo(this,
                   "This channel was unable to be linked. The type of the channel was not "
                   "accepted at this link position");
    return -1;
  }
  ChildInfo* head = declaration->childInfo;
  if (head == nullptr) {
    ReportUserInfo(this, "Zyl_Channel::SetChild childCreation->childInfo==NULL group not found?");
    return -1;
  }
  if (!head->multiLink) {
    head->child = child;
    return position;
  }
  const int headSlot = head->slot;
  if (slot != -1 && slot < headSlot) {
    const int index = head->nodeOffset - headSlot + slot;
    auto* entry = static_cast<ChildInfo*>(children.GetItem(index));
    if (entry == nullptr) {
      ReportUserInfo(this, "Zyl_Channel::SetChild invalid targetChannel");
      if (EngineInterface* engine = MessageEngine(this)) {
        engine->userInfoMessage(child->GetChannelName());
        engine->userInfoMessage(slot);
        engine->userInfoMessage(position);
        engine->userInfoMessage(GetChildCount());
        engine->userInfoMessage(GetChannelName());
      }
      return -1;
    }
    entry->child = child;
    return index;
  }
  // Empty slots up to the requested one go in front of the head; the list is renumbered
  // once, so a large slot from a file costs one pass, not one pass per slot.
  const int headIndex = head->nodeOffset;
  for (int missing = slot - headSlot; missing > 0; --missing) {
    auto* empty = new ChildInfo;
    empty->linkPosition = position;
    if (!children.InsertItem(empty, headIndex)) {
      delete empty;
      channelInternal.RecalculateNodeOffsets(this);
      return -1;
    }
  }
  channelInternal.RecalculateNodeOffsets(this);
  auto* entry = new ChildInfo;
  entry->child = child;
  entry->linkPosition = position;
  const int index = head->nodeOffset;
  if (!children.InsertItem(entry, index)) {
    delete entry;
    return -1;
  }
  channelInternal.RecalculateNodeOffsets(this);
  return index;
}

Zyl_Channel* Zyl_Channel::GetChild(int index) {
  const bool tracking = IsTracking(this);
  if (tracking) channelInternal.UpdateCallingTime(this);
  auto* entry = static_cast<ChildInfo*>(children.GetItem(index));
  if (entry == nullptr || entry->child == nullptr) return nullptr;
  Zyl_Channel* child = entry->child;
  if (tracking) channelInternal.UpdateCallingTime(child);

  Zyl_Channel* result = nullptr;
  switch (child->interfaceType) {
    case HUX_PUBLICCALL:
      result = channelInternal.GetPublicChannelForPublicCall(child, true);
      break;
    case HUX_PARAMETER: {
      if (channelGroup == nullptr || child->parameterInfo == nullptr) return nullptr;
      Zyl_Channel* parameter =
          channelGroup->GetParameterChannel(child->parameterInfo->parameterIndex);
      if (parameter == nullptr) return nullptr;
      const ChannelType& offered = parameter->CachedChannelType();
      const ChannelType& wanted = child->CachedChannelType();
      if (IsEqualGuid(offered.baseGuid, wanted.guid) ||
          IsEqualGuid(offered.baseGuid, wanted.baseGuid) ||
          IsEqualGuid(wanted.guid, wildcardGuid)) {
        result = parameter;
      }
      break;
    }
    case HUX_CUSTOMCHANNELGET:
    case HUX_PUBLICCUSTOMCHANNELGET:
      result = child->GetChannelFromChannel(this, entry);
      break;
    default:
      return child;
  }
  if (tracking && result != nullptr) channelInternal.UpdateCallingTime(result);
  return result;
}

Zyl_Channel* Zyl_Channel::GetChildFromLinkPosition(int position, int n) {
  ChildCreation* declaration = channelInternal.GetChildCreateType(this, position);
  if (declaration == nullptr || declaration->childInfo == nullptr || n < 0) return nullptr;
  const ChildInfo* head = declaration->childInfo;
  if (n > head->slot) return nullptr;
  return GetChild(head->nodeOffset - head->slot + n);
}

int Zyl_Channel::GetChildLinkPositionCount(int position) {
  ChildCreation* declaration = channelInternal.GetChildCreateType(this, position);
  if (declaration == nullptr || declaration->childInfo == nullptr) return 0;
  return declaration->childInfo->slot;
}

Zyl_Channel* Zyl_Channel::GetChildFromLinkGuid(GUID type, int n) {
  int found = 0;
  for (int i = 0; i < children.GetItemCount(); ++i) {
    auto* entry = static_cast<ChildInfo*>(children.GetItem(i));
    if (entry == nullptr || entry->child == nullptr) continue;
    const ChannelType& stored = entry->child->CachedChannelType();
    if (!IsEqualGuid(stored.guid, type) && !IsEqualGuid(stored.baseGuid, type)) continue;
    if (found++ == n) return GetChild(i);
  }
  return nullptr;
}

int Zyl_Channel::GetChildTypeCount(GUID type) {
  int found = 0;
  for (int i = 0; i < children.GetItemCount(); ++i) {
    auto* entry = static_cast<ChildInfo*>(children.GetItem(i));
    if (entry == nullptr || entry->child == nullptr) continue;
    const ChannelType& stored = entry->child->CachedChannelType();
    if (IsEqualGuid(stored.guid, type) || IsEqualGuid(stored.baseGuid, type)) ++found;
  }
  return found;
}

void Zyl_Channel::RemoveChild(int index) {
  if (auto* entry = static_cast<ChildInfo*>(children.GetItem(index))) entry->child = nullptr;
}

void Zyl_Channel::RemoveChildren() {
  for (int i = 0; i < children.GetItemCount();) {
    auto* entry = static_cast<ChildInfo*>(children.GetItem(i));
    if (entry != nullptr) entry->child = nullptr;
    if (entry != nullptr && !entry->fixedEntry) {
      delete entry;
      children.RemoveItem(i);
    } else {
      ++i;
    }
  }
  channelInternal.RecalculateNodeOffsets(this);
}
