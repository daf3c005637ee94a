// The extended engine interface used by the runtime itself, hosts and tools. Only the
// operations the channel graph needs so far exist; the runtime inserts the others into
// their slots as it grows.
#pragma once

#include "graph/channel_records.h"
#include "runtime/dll_interface.h"

class EngineInterface;
class ProjectLoader;
class Zyl_Channel;

class EngineInterfaceExt {
 public:
  EngineInterfaceExt() = default;
  EngineInterfaceExt(const EngineInterfaceExt&) = delete;
  EngineInterfaceExt& operator=(const EngineInterfaceExt&) = delete;
  virtual ~EngineInterfaceExt();

  // Public calls of every group forget the public channel for that pool instance.
  virtual void CheckPublicChannelRemoval(Zyl_Channel* channel, int instance);
  // Drops the engine's waiting requests of a public call (requests arrive later).
  virtual void CheckPublicCallChannelRemoval(Zyl_Channel* channel);
  // Advances the engine's tree count and the unique group's (events arrive later).
  virtual void IncreaseTreeCount();
  virtual void SetIfTrackChannelCalling(bool track);
  virtual void SetGraphRunning(bool running);
  virtual bool GetGraphRunning();

  void SetEngineInterface(EngineInterface* owner) { engineInterface = owner; }
  // The type record of a loaded library; the default record until plug-in loading exists.
  ChannelType GetDLLType(HINSTANCE module);
  bool GetIfTrackChannelCalling() const { return trackChannelCalling; }

  bool trackChannelCalling = false;
  bool graphRunning = true;
  ProjectLoader* projectLoader = nullptr;
  EngineInterface* engineInterface = nullptr;
  char debugTexts[10][300] = {};
  bool keepRunningApplication = false;
};
