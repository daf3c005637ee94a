// Resolution of public calls: the target public channel of a pool instance, waiting
// requests, and loading the target group on demand (at once or through the dynamic group
// loading channel).
#include <cstring>
#include <string>

#include "graph/channel_internal.h"
#include "graph/channel_messages.h"
#include "graph/zyl_channel.h"
#include "graph/zyl_channel_group.h"
#include "graph/zyl_dynamic_group_loading.h"
#include "runtime/engine.h"
#include "runtime/engine_interface.h"
#include "runtime/engine_interface_ext.h"
#include "runtime/path_find.h"

namespace {

// Highest pool instance a public call may ask for: instances index per-call lists, and an
// instance number read from a file must not make them grow without bound.
constexpr int maxPoolInstance = 65535;

bool SameBaseType(Zyl_Channel* a, Zyl_Channel* b) {
  return IsEqualGuid(a->CachedChannelType().baseGuid, b->CachedChannelType().baseGuid);
}

bool HasTargetFile(const PublicCallInfo& info) { return std::strlen(info.targetFile) >= 2; }

Zyl_DynamicGroupLoadingChannel* DynamicLoader(EngineInterface* engine) {
  return dynamic_cast<Zyl_DynamicGroupLoadingChannel*>(
      engine->GetUniqueChannel(dynamicGroupLoadingTypeGuid, nullptr));
}

// The full path of the call's target file, resolved against the file of the call's group;
// false when the call has a group that was never saved (nothing to resolve against).
bool TargetFilePath(Zyl_Channel* call, const PublicCallInfo& info, std::string* path) {
  FilePathFind paths;
  if (Zyl_ChannelGroup* group = call->GetChannelGroup()) {
    const char* ownFile = group->GetChannelGroupFileName();
    if (ownFile == nullptr || ownFile[0] == '\0') return false;
    paths.SetSourcePath(ownFile);
  }
  const char* full = paths.GetCorrectFilePath(info.targetFile);
  *path = full != nullptr ? full : "";
  return true;
}

void ReportMissingTarget(EngineInterface* engine, Zyl_Channel* call, const PublicCallInfo& info) {
  engine->errorMessage("Zyl_Channel::GetPublicChannelForPublicCall error looking for channel");
  const char* name = call->GetChannelName();
  engine->errorMessage(name != nullptr ? name : "",
                       " : is a public channel looking for a non existing channel");
  if (Zyl_ChannelGroup* group = call->GetChannelGroup()) {
    if (const char* pool = group->GetPoolName()) engine->errorMessage("Original Poolname : ", pool);
    if (const char* file = group->GetChannelGroupFileName()) {
      engine->errorMessage("Original Filename : ", file);
    }
  }
  engine->errorMessage("Target Filename : ", info.targetFile);
  engine->errorMessage("Non existing channel : ", info.targetName);
  engine->errorMessage("Target Poolname : ", info.targetPool);
  engine->errorMessage("Target Filename : ", info.targetFile);
  engine->errorMessage("Autoload turned off");
  engine->errorMessage(
      "Reason for error might be that the target public channel has been renamed or deleted "
      "but the group still exists!!");
}

// Looks the target up among the loaded groups; a target of another base type is refused.
Zyl_Channel* FindTarget(EngineInterface* engine, Zyl_Channel* call, PublicCallInfo* info,
                        bool* refused) {
  Zyl_Channel* target = engine->extension->GetPublicChannel(info);
  *refused = target != nullptr && !SameBaseType(target, call);
  return *refused ? nullptr : target;
}

}  // namespace

Zyl_Channel* ChannelInternal::GetPublicChannelForPublicCall(Zyl_Channel* ch, bool evaluate) {
  if (ch == nullptr || ch->publicCallInfo == nullptr) return nullptr;
  PublicCallInfo& info = *ch->publicCallInfo;
  const int n = info.instanceNr;
  if (n < 0 || n > maxPoolInstance) return nullptr;
  if (ch->resolvedTargets == nullptr) ch->resolvedTargets = new Zyl_List;

  auto* target = static_cast<Zyl_Channel*>(ch->resolvedTargets->GetItem(n));
  if (target == nullptr) {
    if (ch->pendingCalls != nullptr && ch->pendingCalls->GetItem(n) != nullptr) return nullptr;
    EngineInterface* engine = MessageEngine(ch);
    if (engine == nullptr || engine->extension == nullptr) return nullptr;
    bool refused = false;
    target = FindTarget(engine, ch, &info, &refused);
    if (refused) return nullptr;
    if (target == nullptr) target = LoadTargetGroup(ch, engine);
    if (target == nullptr) return nullptr;
    ch->resolvedTargets->SetItem(target, n);
  }

  ch->dynamicLoadPending = false;
  if (evaluate) {
    if (Zyl_ChannelGroup* group = target->GetChannelGroup()) {
      const bool hasEntries = ch->GetChildCount() > 0;
      if (ch->treeCountMode == 2 || (ch->treeCountMode == 1 && hasEntries)) {
        group->IncreaseTreeCount();
      }
      group->SetParameterChannel(hasEntries ? ch : nullptr);
    }
  }
  if (target->GetChannelInterfaceType() == HUX_PUBLICCUSTOMCHANNELGET) {
    return target->GetChannelFromChannel(nullptr, nullptr);
  }
  return target;
}

bool ChannelInternal::RegisterPublicCallRequest(Zyl_Channel* ch, EngineInterface* engine) {
  const int n = ch->publicCallInfo->instanceNr;
  if (!engine->extension->AddChannelRequest(n, ch)) return false;
  if (ch->pendingCalls == nullptr) ch->pendingCalls = new Zyl_List;
  // Any non-null entry marks the instance as waiting.
  ch->pendingCalls->SetItem(ch, n);
  return true;
}

Zyl_Channel* ChannelInternal::LoadTargetGroup(Zyl_Channel* ch, EngineInterface* engine) {
  PublicCallInfo& info = *ch->publicCallInfo;
  const int n = info.instanceNr;
  if (!info.autoLoadGroup) RegisterPublicCallRequest(ch, engine);
  if (info.autoLoadGroup && n == 0) return AutoLoadTargetGroup(ch, engine);

  if (!info.dynamicAutoLoadGroup || n != 0 || ch->dynamicLoadPending || !HasTargetFile(info)) {
    return nullptr;
  }
  std::string path;
  if (!TargetFilePath(ch, info, &path)) return nullptr;
  if (engine->GetPoolGroup(info.targetPool, 0) != nullptr) {
    info.dynamicAutoLoadGroup = 0;
    engine->errorMessage("Error channel not found dissabeling dynamic loading");
    return nullptr;
  }
  if (Zyl_DynamicGroupLoadingChannel* loader = DynamicLoader(engine)) {
    ch->dynamicLoadPending = true;
    loader->LoadGroupDeferred(path.c_str(), info.targetPool);
  } else {
    engine->messageBox("dynamicGroupLoading");
  }
  // The call resolves when the loaded group offers its public channels to the request.
  return nullptr;
}

Zyl_Channel* ChannelInternal::AutoLoadTargetGroup(Zyl_Channel* ch, EngineInterface* engine) {
  PublicCallInfo& info = *ch->publicCallInfo;
  if (ch->pendingCalls != nullptr && ch->pendingCalls->GetItem(0) != nullptr) return nullptr;
  if (!HasTargetFile(info)) return nullptr;
  std::string path;
  if (!TargetFilePath(ch, info, &path)) return nullptr;
  if (engine->GetPoolGroup(info.targetPool, 0) != nullptr) {
    // Reported once: with autoload off, later requests wait for the channel instead.
    ReportMissingTarget(engine, ch, info);
    info.autoLoadGroup = 0;
    return nullptr;
  }
  if (Zyl_DynamicGroupLoadingChannel* loader = DynamicLoader(engine)) {
    loader->NoteGroupLoading(info.targetPool);
  } else {
    engine->messageBox("dynamicGroupLoading");
  }

  bool refused = false;
  if (engine->LoadChannelGroup(path.c_str(), info.targetPool) == nullptr) {
    engine->errorMessage("Couldn't autoload group");
    engine->errorMessage(info.targetFile);
    if (Zyl_ChannelGroup* group = ch->GetChannelGroup()) {
      const char* ownFile = group->GetChannelGroupFileName();
      engine->errorMessage(ownFile != nullptr ? ownFile : "");
    }
    engine->errorMessage(path.c_str());
    info.autoLoadGroup = 0;
    FindTarget(engine, ch, &info, &refused);
    return nullptr;
  }
  Zyl_Channel* target = FindTarget(engine, ch, &info, &refused);
  if (target == nullptr && !refused) RegisterPublicCallRequest(ch, engine);
  return target;
}

bool ChannelInternal::CheckPublicChannelRequest(Zyl_Channel* ch, Zyl_Channel* publicChannel,
                                                int instance, const char* poolName) {
  if (ch == nullptr || publicChannel == nullptr || poolName == nullptr ||
      ch->publicCallInfo == nullptr || ch->pendingCalls == nullptr || instance < 0) {
    return false;
  }
  if (ch->resolvedTargets != nullptr && ch->resolvedTargets->GetItem(instance) != nullptr) {
    return false;
  }
  if (ch->pendingCalls->GetItem(instance) == nullptr) return false;
  const PublicCallInfo& info = *ch->publicCallInfo;
  if (!PoolNamesMatch(poolName, info.targetPool)) return false;
  if (!PoolNamesMatch(publicChannel->GetChannelName(), info.targetName)) return false;
  if (!SameBaseType(publicChannel, ch)) return false;
  if (ch->resolvedTargets == nullptr) ch->resolvedTargets = new Zyl_List;
  ch->resolvedTargets->SetItem(publicChannel, instance);
  ch->pendingCalls->SetItem(nullptr, instance);
  return true;
}
