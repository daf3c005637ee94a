// Engine: the group table and the frame tree count.
#include "runtime/engine.h"

#include "graph/zyl_channel_group.h"

Engine::~Engine() {
  for (int i = 0; i < groups.GetItemCount(); ++i) DeleteChannelGroup(i);
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

void Engine::DeleteChannelGroup(int index) {
  Zyl_ChannelGroup* group = GetChannelGroup(index);
  if (group == nullptr) return;
  // The slot is emptied first so that lookups during the group's destruction miss it.
  groups.SetItem(nullptr, index);
  delete group;
}

void Engine::IncreaseTreeCount() { treeCount = treeCount >= maxTreeCount ? 0 : treeCount + 1; }
