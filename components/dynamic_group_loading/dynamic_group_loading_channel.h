// Hux_DynamicGroupLoading: queues requests to load group files and loads them through the
// engine at the start of the next frame (event 0), so no group is loaded while a frame's
// graph is being walked.
#pragma once

#include <string>
#include <vector>

#include "graph/zyl_dynamic_group_loading.h"

class Hux_DynamicGroupLoading : public Zyl_DynamicGroupLoadingChannel {
 public:
  static ChannelType Type();

  Hux_DynamicGroupLoading() = default;
  ~Hux_DynamicGroupLoading() override;

  ChannelType GetChannelType() override;
  void DoEvent(int event, unsigned long data) override;
  void LoadGroupDeferred(const char* path, const char* poolName) override;
  void GroupsReleased() override;
  int GetDeferredCount() override;
  void NoteGroupLoading(const char* poolName) override;

 private:
  struct Request {
    std::string path;
    std::string poolName;
    bool hasPool = false;
  };

  void LoadQueuedGroups();

  std::vector<Request> queue;
  bool listening = false;
};
