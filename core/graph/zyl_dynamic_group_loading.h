// The operations of the dynamic group loading component channel, as the core calls them.
// The component lives in a plug-in library the core never links against; it derives from
// this class and is reached as the unique channel of its type.
#pragma once

#include "graph/zyl_channel.h"

inline constexpr GUID dynamicGroupLoadingTypeGuid{
    0xEBA6C42E, 0xB5C9, 0x439F, {0x97, 0xE8, 0x06, 0x2D, 0x94, 0xA5, 0xB6, 0x1C}};

// Loads group files on request at a later, safe moment (the start of the next frame),
// through the engine's usual load path.
class Zyl_DynamicGroupLoadingChannel : public Zyl_Channel {
 public:
  ~Zyl_DynamicGroupLoadingChannel() override;
  // Queues the group file `path` (a full path) to be loaded into the pool `poolName`.
  virtual void LoadGroupDeferred(const char* path, const char* poolName) = 0;
  // All groups of the engine are gone: queued requests are dropped.
  virtual void GroupsReleased() = 0;
  // Number of requests still queued.
  virtual int GetDeferredCount() = 0;
  // The engine is about to load the pool's group itself: a queued request for it is dropped.
  virtual void NoteGroupLoading(const char* poolName) = 0;
};
