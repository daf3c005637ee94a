// Hux_DynamicGroupLoading: the queue of deferred group loads and its processing at the
// frame start.
#include "dynamic_group_loading_channel.h"

#include <cstring>

#include "graph/zyl_string.h"
#include "runtime/engine_interface.h"

namespace {

// The event dispatched at the start of every frame.
constexpr int frameStartEvent = 0;

}  // namespace

ChannelType Hux_DynamicGroupLoading::Type() {
  ChannelType type;
  std::strcpy(type.name, "Dynamic Group Loading");
  type.guid = dynamicGroupLoadingTypeGuid;
  return type;
}

Hux_DynamicGroupLoading::~Hux_DynamicGroupLoading() {
  if (listening && engineInterface != nullptr) {
    engineInterface->RemoveChannelFromEvent(this, frameStartEvent);
  }
}

ChannelType Hux_DynamicGroupLoading::GetChannelType() { return Type(); }

void Hux_DynamicGroupLoading::DoEvent(int event, unsigned long) {
  if (event == frameStartEvent) LoadQueuedGroups();
}

void Hux_DynamicGroupLoading::LoadGroupDeferred(const char* path, const char* poolName) {
  if (path == nullptr || path[0] == '\0' || engineInterface == nullptr) return;
  // One load per pool: a second load of the same pool would only fail.
  for (const Request& queued : queue) {
    if (poolName != nullptr && queued.hasPool &&
        TextEqualIgnoringCase(queued.poolName.c_str(), poolName)) {
      return;
    }
  }
  queue.push_back(Request{path, poolName != nullptr ? poolName : "", poolName != nullptr});
  if (!listening) {
    engineInterface->AddChannelToEvent(this, frameStartEvent);
    listening = true;
  }
}

void Hux_DynamicGroupLoading::GroupsReleased() { queue.clear(); }

int Hux_DynamicGroupLoading::GetDeferredCount() { return static_cast<int>(queue.size()); }

void Hux_DynamicGroupLoading::NoteGroupLoading(const char* poolName) {
  if (poolName == nullptr) return;
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (it->hasPool && TextEqualIgnoringCase(it->poolName.c_str(), poolName)) {
      queue.erase(it);
      return;
    }
  }
}

void Hux_DynamicGroupLoading::LoadQueuedGroups() {
  // Only what was queued before this frame: loading a group may queue further requests
  // (or drop queued ones), which the queue itself keeps for the next frame.
  size_t due = queue.size();
  while (due > 0 && !queue.empty()) {
    --due;
    const Request request = queue.front();
    queue.erase(queue.begin());
    const char* pool = request.hasPool ? request.poolName.c_str() : nullptr;
    if (engineInterface->LoadChannelGroup(request.path.c_str(), pool) == nullptr) {
      engineInterface->errorMessage("Hux_DynamicGroupLoading: Couldn't load group",
                                    request.path.c_str());
    }
  }
}
