// The internal engine state behind EngineInterface: for now the group table, the tree
// count and the window. Catalogue, events, requests, threads and modules join it later.
#pragma once

#include "graph/zyl_list.h"
#include "platform/window.h"
#include "runtime/dll_interface.h"

class EngineInterface;
class Zyl_ChannelGroup;

class Engine {
 public:
  // Highest tree count; the next step starts again at 0.
  static constexpr int maxTreeCount = 30000;

  Engine() = default;
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;
  virtual ~Engine();

  // Puts the group into the first empty slot (or appends it), tells it its index and
  // takes ownership; -1 when the table could not grow.
  int AddGroup(Zyl_ChannelGroup* group);
  Zyl_ChannelGroup* GetChannelGroup(int index) const;
  void DeleteChannelGroup(int index);
  int GetChannelGroupCount() const { return groups.GetItemCount(); }
  void IncreaseTreeCount();

  Zyl_List groups;
  int treeCount = 0;
  platform::WindowHandle window = nullptr;
  char commandLine[260] = {};
  HINSTANCE instance = nullptr;
  char installDir[300] = {};
  EngineInterface* engineInterface = nullptr;
};
