// Zyl_Channel: construction, names, link declarations, the virtual defaults, the
// once-per-tree-count rule and interface-type changes. Linking is in channel_links.cpp.
#include "graph/zyl_channel.h"

#include "graph/channel_internal.h"
#include "graph/channel_messages.h"
#include "graph/zyl_channel_group.h"
#include "platform/guid.h"
#include "platform/time.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"

Zyl_Channel::Zyl_Channel()
    : callingTime(platform::tickCount()), timeStamp(platform::newGuid().Data1) {}

Zyl_Channel::~Zyl_Channel() {
  // A public call deleted without its group (one its creator owns) may still be waiting.
  if (HasWaitingRequest()) {
    EngineInterface* engine = MessageEngine(this);
    if (engine != nullptr && engine->extension != nullptr) {
      engine->extension->CheckPublicCallChannelRemoval(this);
    }
  }
  SetChildCreationCount(0);
  ReleaseInterfaceRecords();
  ReleasePendingLinks();
  delete pendingCalls;
  delete typeCache;
}

void Zyl_Channel::ReleaseInterfaceRecords() {
  delete parameterInfo;
  parameterInfo = nullptr;
  delete publicCallInfo;
  publicCallInfo = nullptr;
  delete resolvedTargets;
  resolvedTargets = nullptr;
}

bool Zyl_Channel::HasWaitingRequest() const {
  if (pendingCalls == nullptr) return false;
  for (int i = 0; i < pendingCalls->GetItemCount(); ++i) {
    if (pendingCalls->GetItem(i) != nullptr) return true;
  }
  return false;
}

void Zyl_Channel::ReleasePendingLinks() {
  if (pendingLinks == nullptr) return;
  for (int i = 0; i < pendingLinks->GetItemCount(); ++i) {
    delete static_cast<PendingLink*>(pendingLinks->GetItem(i));
  }
  delete pendingLinks;
  pendingLinks = nullptr;
}

void Zyl_Channel::CallChannel() {}
void Zyl_Channel::OneTimeInitialize() {}
void Zyl_Channel::DoEvent(int, unsigned long) {}

ChannelType Zyl_Channel::GetChannelType() {
  if (typeCache == nullptr) {
    EngineInterface* engine = MessageEngine(this);
    ChannelType type;
    if (engine != nullptr && engine->extension != nullptr) {
      type = engine->extension->GetDLLType(module);
    }
    typeCache = new ChannelType(type);
  }
  return *typeCache;
}

const ChannelType& Zyl_Channel::CachedChannelType() {
  if (typeCache == nullptr) {
    // An override may hand out its record without filling the cache.
    ChannelType type = GetChannelType();
    if (typeCache == nullptr) typeCache = new ChannelType(type);
  }
  return *typeCache;
}

Zyl_Channel* Zyl_Channel::GetChannelFromChannel(Zyl_Channel*, ChildInfo*) { return nullptr; }
unsigned long Zyl_Channel::GetTimeStamp() { return timeStamp; }
void Zyl_Channel::SetTimeStamp() { timeStamp += platform::tickCount() + 1; }
void Zyl_Channel::DoDependencyInit(Zyl_List*) {}

void Zyl_Channel::SetChannelName(const char* name) {
  if (name == nullptr) return;
  channelName.SetString(name);
  channelName.SetMaxCars(maxNameLength);
}

void Zyl_Channel::SetChildCreationCount(int) {
  for (int i = 0; i < childCreations.GetItemCount(); ++i) {
    delete static_cast<ChildCreation*>(childCreations.GetItem(i));
  }
  childCreations.ReleaseItems();
  for (int i = 0; i < children.GetItemCount(); ++i) {
    delete static_cast<ChildInfo*>(children.GetItem(i));
  }
  children.ReleaseItems();
  // The fallback position of a public call pointed into the list just freed.
  if (publicCallInfo != nullptr) publicCallInfo->fallbackCreation.childInfo = nullptr;
  unresolvedLinks = false;
}

void Zyl_Channel::SetChildCreateType(ChildCreation declaration, int position) {
  for (int i = 0; i < childCreations.GetItemCount(); ++i) {
    auto* existing = static_cast<ChildCreation*>(childCreations.GetItem(i));
    if (existing != nullptr && existing->requestLink != -1 &&
        existing->requestLink == declaration.requestLink) {
      ReportError(this, "Can't add child creation with the same request link!");
      return;
    }
  }
  if (interfaceType == HUX_PUBLICCALL || position < 0) return;

  auto* created = new ChildCreation;
  created->acceptedType = declaration.acceptedType;
  created->requestLink = declaration.requestLink;
  created->createChild = declaration.createChild;
  CopyTextField(created->linkName, declaration.linkName);
  created->defaultChildGuid = declaration.defaultChildGuid;
  created->declaredLinks = declaration.declaredLinks;
  delete static_cast<ChildCreation*>(childCreations.GetItem(position));
  childCreations.SetItem(created, position);

  auto* head = new ChildInfo;
  head->linkPosition = position;
  head->fixedEntry = 1;
  head->multiLink = declaration.requestLink == -1 ? 1 : 0;
  head->nodeOffset = position;
  auto* replaced = static_cast<ChildInfo*>(children.GetItem(position));
  if (replaced != nullptr) {
    // Another declaration's head may have lived there; it must not keep a freed pointer.
    for (int i = 0; i < childCreations.GetItemCount(); ++i) {
      auto* other = static_cast<ChildCreation*>(childCreations.GetItem(i));
      if (other != nullptr && other->childInfo == replaced) other->childInfo = nullptr;
    }
    delete replaced;
  }
  children.SetItem(head, position);
  created->childInfo = head;
  channelInternal.RecalculateNodeOffsets(this);
}

bool Zyl_Channel::CheckRenderCount() {
  if (ignoreTreeCount) {
    treeRecalculateCount = 0;
    return true;
  }
  int current = 0;
  if (channelGroup != nullptr) {
    current = channelGroup->GetTreeCalculateCount();
  } else if (EngineInterface* engine = MessageEngine(this)) {
    current = engine->GetTreeCalculateCount();
  }
  if (current == lastTreeCount) {
    ++treeRecalculateCount;
    return false;
  }
  lastTreeCount = current;
  treeRecalculateCount = 0;
  return true;
}

void Zyl_Channel::SetChannelInterfaceType(int type) {
  if (interfaceType == HUX_PUBLICCALL) {
    ReportError(this, "Zyl_Channel::SetChannelInterfaceType interface can't be changed HUX_PUBLICCALL");
    return;
  }
  if (interfaceType == HUX_PARAMETER) {
    ReportError(this, "Zyl_Channel::SetChannelInterfaceType interface can't be changed HUX_PARAMETER");
    return;
  }
  if (interfaceType == HUX_CUSTOMCHANNELGET && type != HUX_PUBLICCUSTOMCHANNELGET) {
    ReportError(this,
                "Zyl_Channel::SetChannelInterfaceType interface can't be changed HUX_CUSTOMCHANNELGET");
    return;
  }
  // Any public channel that stops being public is announced, so that no public call keeps
  // a pointer to it that the group would no longer clear on removal.
  if (IsPublicType(interfaceType) && !IsPublicType(type) && channelGroup != nullptr) {
    EngineInterface* engine = MessageEngine(this);
    if (engine != nullptr && engine->extension != nullptr) {
      engine->extension->CheckPublicChannelRemoval(this, channelGroup->GetPoolNr());
    }
  }
  interfaceType = type;
  ReleaseInterfaceRecords();
  if (type == HUX_PUBLICCHANNEL || type == HUX_PUBLICCUSTOMCHANNELGET) {
    channelInternal.DoPublicChannelNameCheck(this);
  } else if (type == HUX_PUBLICCALL) {
    channelInternal.ReleaseChilderen(this);
    publicCallInfo = new PublicCallInfo;
  } else if (type == HUX_PARAMETER) {
    channelInternal.ReleaseChilderen(this);
    parameterInfo = new ParameterInfo;
  }
}
