// Engine: the group table, its pools and the group lookups.
#include "graph/zyl_channel_group.h"
#include "graph/zyl_dynamic_group_loading.h"
#include "graph/zyl_string.h"
#include "runtime/engine.h"
#include "runtime/engine_interface.h"

bool PoolNamesMatch(const char* a, const char* b) {
  return a != nullptr && b != nullptr && a[0] == b[0] && TextEqualIgnoringCase(a, b);
}

void Engine::Report(const char* text) const {
  if (engineInterface != nullptr) engineInterface->errorMessage(text);
}

int Engine::AddGroup(Zyl_ChannelGroup* group) {
  if (group == nullptr) return -1;
  const int index = groups.AddItemOrNULL(group);
  if (index >= 0) group->SetGroupIndex(index);
  return index;
}

Zyl_ChannelGroup* Engine::GetChannelGroup(int index) const {
  return static_cast<Zyl_ChannelGroup*>(groups.GetItem(index));
}

int Engine::GetChannelGroupCount() { return groups.GetItemCount(); }

void Engine::DeleteChannelGroup(int index) {
  Zyl_ChannelGroup* group = GetChannelGroup(index);
  if (group == nullptr) return;
  // The slot is emptied first so that lookups during the group's destruction miss it.
  groups.SetItem(nullptr, index);
  delete group;
}

void Engine::DeleteAllGroups() {
  for (int i = 0; i < groups.GetItemCount(); ++i) DeleteChannelGroup(i);
}

Zyl_ChannelGroup* Engine::GetChannelGroup(const char* fileName, int instance) const {
  for (int i = 0; i < groups.GetItemCount(); ++i) {
    Zyl_ChannelGroup* group = GetChannelGroup(i);
    if (group != nullptr && group->GetPoolNr() == instance &&
        TextEqualIgnoringCase(group->GetChannelGroupFileName(), fileName)) {
      return group;
    }
  }
  return nullptr;
}

Zyl_ChannelGroup* Engine::GetPoolGroup(const char* poolName, int instance) const {
  for (int i = 0; i < groups.GetItemCount(); ++i) {
    Zyl_ChannelGroup* group = GetChannelGroup(i);
    if (group != nullptr && group->GetPoolNr() == instance &&
        TextEqualIgnoringCase(group->GetPoolName(), poolName)) {
      return group;
    }
  }
  return nullptr;
}

int Engine::GetHighInstance(const char* poolName) const {
  if (poolName == nullptr) return 0;
  return NextPoolInstance(poolName, false) - 1;
}

int Engine::NextPoolInstance(const char* poolName, bool stopAtEmptySlot) const {
  int highest = -1;
  for (int i = 0; i < groups.GetItemCount(); ++i) {
    Zyl_ChannelGroup* group = GetChannelGroup(i);
    if (group == nullptr) {
      if (stopAtEmptySlot) return i;
      continue;
    }
    if (PoolNamesMatch(group->GetPoolName(), poolName) && group->GetPoolNr() > highest) {
      highest = group->GetPoolNr();
    }
  }
  return highest + 1;
}

Zyl_ChannelGroup* Engine::CreateNewGroup(const char* poolName, bool isArray, int instance) {
  if (poolName == nullptr || poolName[0] == '\0') return nullptr;
  const int n = instance == -1   ? NextPoolInstance(poolName, false)
                : instance == -2 ? NextPoolInstance(poolName, true)
                                 : instance;
  // Both refusals come before an existing instance is replaced, so a refused call never
  // costs the caller the group it already had.
  if (!isArray && n > 0) {
    Report("Engine::CreateNewGroup non array group created with same name");
    return nullptr;
  }
  if (isArray && n > 0) {
    Zyl_ChannelGroup* first = GetChannelGroup(poolName, 0);
    if (first != nullptr && !first->GetIfArrayGroup()) {
      Report("Engine::CreateNewGroup wanted to create an array of a non array group!");
      return nullptr;
    }
  }
  if (instance != -1 && instance != -2) {
    if (Zyl_ChannelGroup* old = GetPoolGroup(poolName, n)) DeleteChannelGroup(old->GetGroupIndex());
  }
  auto* group = new Zyl_ChannelGroup(engineInterface);
  group->SetPoolNr(n);
  group->SetPoolName(poolName);
  group->SetIfArrayGroup(isArray);
  if (AddGroup(group) < 0) {
    delete group;
    return nullptr;
  }
  return group;
}

Zyl_ChannelGroup* Engine::LoadChannelGroup(const char* fileName, const char* poolName) {
  if (!initialized) return nullptr;
  if (poolName != nullptr) {
    int next = 0;
    for (int i = 0; i < groups.GetItemCount(); ++i) {
      Zyl_ChannelGroup* group = GetChannelGroup(i);
      if (group == nullptr || !PoolNamesMatch(group->GetPoolName(), poolName)) continue;
      const int poolInstance = group->GetPoolNr();
      if (poolInstance == -1) return nullptr;
      if (poolInstance < next) continue;
      if (!group->GetIfArrayGroup()) {
        Report("Engine::LoadChannelGroup wanted to load a channel group in a non array pool");
        return nullptr;
      }
      next = poolInstance + 1;
    }
    if (next != 0) {
      Report("Engine::LoadChannelGroup Pool name already exists");
      Report("Arrays can only be made trough CreateGroup (Array_LoadGroup)");
      return nullptr;
    }
  }

  auto* group = new Zyl_ChannelGroup(engineInterface);
  const int index = AddGroup(group);
  if (index < 0) {
    delete group;
    return nullptr;
  }
  if (poolName != nullptr) group->SetPoolName(poolName);
  if (!group->LoadChannelGroupFromFile(fileName, poolName == nullptr)) {
    DeleteChannelGroup(index);
    Report("Engine::LoadChannelGroup: Error loading channel group");
    return nullptr;
  }
  if (poolName != nullptr) {
    group->SetPoolName(poolName);
    group->SetPoolNr(0);
  } else if (group->GetPoolNr() != 0) {
    DeleteChannelGroup(index);
    Report("Engine::LoadChannelGroup Pool name already exists");
    Report("Arrays can only be made trough CreateGroup (Array_LoadGroup)");
    return nullptr;
  }
  group->CheckPublicChannels();
  return group;
}

void Engine::ReleaseGroups() {
  FreeRequests();
  for (int i = 0; i < groups.GetItemCount(); ++i) DeleteChannelGroup(i);
  groups.ClearItems();
  // The dynamic loading channel drops what it queued for the groups just deleted.
  auto* loader = dynamic_cast<Zyl_DynamicGroupLoadingChannel*>(
      GetUniqueChannel(dynamicGroupLoadingTypeGuid, nullptr));
  if (loader != nullptr) loader->GroupsReleased();
}
