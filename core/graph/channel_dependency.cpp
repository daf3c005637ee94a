// The dependency walk: a channel's type, its base types, the types it creates at run time
// and the libraries it loads, each type listed and walked once.
#include "graph/channel_dependency.h"

#include "graph/channel_internal.h"
#include "graph/channel_messages.h"
#include "graph/zyl_channel.h"
#include "graph/zyl_string.h"
#include "runtime/engine_interface.h"

namespace {

// Walks a temporary channel of `type`; a type that cannot be created is passed over.
void WalkType(Zyl_Channel* owner, const GUID& type, Zyl_List* dependencies) {
  if (IsNullGuid(type)) return;
  EngineInterface* engine = MessageEngine(owner);
  if (engine == nullptr) return;
  Zyl_Channel* temporary = engine->InitChannelFromType(type, nullptr, false);
  if (temporary == nullptr) return;
  channelInternal.GetChannelDepenency(temporary, dependencies);
  delete temporary;
}

}  // namespace

ChannelDependency::~ChannelDependency() {
  for (int i = 0; i < libraries.GetItemCount(); ++i) {
    delete static_cast<Zyl_String*>(libraries.GetItem(i));
  }
}

ChannelDependency* FindChannelDependency(Zyl_List* dependencies, const GUID& type) {
  if (dependencies == nullptr) return nullptr;
  for (int i = 0; i < dependencies->GetItemCount(); ++i) {
    auto* record = static_cast<ChannelDependency*>(dependencies->GetItem(i));
    if (record != nullptr && IsEqualGuid(record->typeGuid, type)) return record;
  }
  return nullptr;
}

void ChannelInternal::GetChannelDepenency(Zyl_Channel* ch, Zyl_List* dependencies) {
  if (ch == nullptr || dependencies == nullptr) return;
  const ChannelType type = ch->CachedChannelType();
  if (FindChannelDependency(dependencies, type.guid) != nullptr) return;
  auto* record = new ChannelDependency(type.guid);
  if (dependencies->AddItem(record) < 0) {
    delete record;
    return;
  }
  if (!IsEqualGuid(type.baseGuid, type.guid)) WalkType(ch, type.baseGuid, dependencies);
  ch->DoDependencyInit(dependencies);
}

void Zyl_Channel::AddChannelGuidDepend(GUID type, Zyl_List* dependencies) {
  if (dependencies == nullptr || FindChannelDependency(dependencies, type) != nullptr) return;
  WalkType(this, type, dependencies);
}

void Zyl_Channel::AddDLLDepend(const char* fileName, Zyl_List* dependencies) {
  if (fileName == nullptr) return;
  ChannelDependency* own = FindChannelDependency(dependencies, CachedChannelType().guid);
  if (own == nullptr) return;
  auto* name = new Zyl_String;
  name->SetString(fileName);
  if (own->libraries.AddItem(name) < 0) delete name;
}
