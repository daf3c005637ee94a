// Link positions of a public call: one flat fallback position while the target is
// unresolved, one position per parameter of the target group once it resolves.
#include <vector>

#include "graph/channel_internal.h"
#include "graph/zyl_channel.h"
#include "graph/zyl_channel_group.h"

namespace {

ChildInfo* EntryAt(const Zyl_List& list, int index) {
  return static_cast<ChildInfo*>(list.GetItem(index));
}

}  // namespace

ChildCreation* ChannelInternal::PublicCallCreateType(Zyl_Channel* ch, int position) {
  if (ch->publicCallInfo == nullptr) return nullptr;
  Zyl_Channel* target = GetPublicChannelForPublicCall(ch, false);
  if (target == nullptr) {
    ChildCreation& fallback = ch->publicCallInfo->fallbackCreation;
    if (EntryAt(ch->children, 0) == nullptr) {
      auto* head = new ChildInfo;
      head->linkPosition = 0;
      head->fixedEntry = 1;
      head->multiLink = 1;
      ch->children.SetItem(head, 0);
      RecalculateNodeOffsets(ch);
      ch->unresolvedLinks = true;
      fallback.childInfo = head;
    }
    if (fallback.childInfo == nullptr) fallback.childInfo = EntryAt(ch->children, 0);
    return &fallback;
  }

  if (ch->unresolvedLinks) RedistributeUnresolvedLinks(ch);
  if (position < 0) return nullptr;
  if (auto* existing = static_cast<ChildCreation*>(ch->childCreations.GetItem(position))) {
    return existing;
  }
  Zyl_ChannelGroup* targetGroup = target->GetChannelGroup();
  if (targetGroup == nullptr) return nullptr;
  const ParameterInterfaceInfo parameter = targetGroup->GetParameterInfo(position);
  if (IsNullGuid(parameter.guid)) return nullptr;

  auto* declaration = new ChildCreation;
  declaration->acceptedType.guid = parameter.guid;
  declaration->acceptedType.baseGuid = parameter.guid;
  CopyTextField(declaration->acceptedType.name, parameter.name);
  CopyTextField(declaration->linkName, parameter.name);
  declaration->requestLink = position;
  ChildInfo* head = EntryAt(ch->children, position);
  if (head == nullptr) {
    head = new ChildInfo;
    head->linkPosition = position;
    head->fixedEntry = 1;
    ch->children.SetItem(head, position);
    RecalculateNodeOffsets(ch);
  }
  declaration->childInfo = head;
  ch->childCreations.SetItem(declaration, position);
  return declaration;
}

void ChannelInternal::RedistributeUnresolvedLinks(Zyl_Channel* ch) {
  ch->unresolvedLinks = false;
  // Entry i of the flat list holds the link that was asked for in position i.
  struct Link {
    Zyl_Channel* child;
    int32_t userValue;
  };
  std::vector<Link> links;
  const ChildInfo* fallbackHead = ch->publicCallInfo->fallbackCreation.childInfo;
  for (int i = 0; i < ch->children.GetItemCount(); ++i) {
    ChildInfo* entry = EntryAt(ch->children, i);
    if (entry == fallbackHead) continue;
    links.push_back(entry != nullptr ? Link{entry->child, entry->userValue} : Link{nullptr, 0});
  }
  ReleaseChilderen(ch);
  for (size_t i = 0; i < links.size(); ++i) {
    if (links[i].child == nullptr) continue;
    const int position = static_cast<int>(i);
    const int index = ch->SetChild(links[i].child, position, position);
    if (ChildInfo* entry = EntryAt(ch->children, index)) entry->userValue = links[i].userValue;
  }
}
