// The internal engine state behind EngineInterface: the group table with its pools, the
// unique group, the catalogue, the registry key, the install directory, events, requests,
// worker threads and the loaded plug-in libraries.
#pragma once

#include <cstdint>

#include "graph/channel_records.h"
#include "graph/zyl_list.h"
#include "platform/window.h"
#include "runtime/dll_interface.h"

class ChannelList;
class EngineInterface;
class Zyl_Channel;
class Zyl_ChannelGroup;
class Zyl_Tread;

// The last window message, as event 1 hands it to its channels.
struct WindowMessage {
  uint32_t message = 0;
  uint32_t wParam = 0;
  int32_t lParam = 0;
};

// A channel registered for an event (owned by the engine's event list).
struct EventRecord {
  Zyl_Channel* channel = nullptr;
  int32_t event = 0;
};

// A public call channel waiting for a public channel of a pool instance (owned by the
// engine's request list).
struct EngineChannelRequest {
  Zyl_Channel* channel = nullptr;
  int32_t instance = 0;
};

class Engine {
 public:
  // Highest tree count; the next step starts again at 0.
  static constexpr int maxTreeCount = 30000;
  // currentEvent once the engine is released: no event is dispatched any more.
  static constexpr int releasedEvent = -3;
  // Unique-channel names are kept and compared as their last this many characters.
  static constexpr size_t maxUniqueNameLength = 59;

  Engine() = default;
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // Virtual operations, in slot order.
  virtual ~Engine();
  virtual const char* GetInstallDir();
  virtual Zyl_ChannelGroup* CreateNewGroup(const char* poolName, bool isArray, int instance);
  virtual void DeleteChannelGroup(int index);
  virtual int GetChannelGroupCount();
  virtual void ReleaseGroups();
  virtual void CheckPublicChannelRemoval(Zyl_Channel* channel, int instance);
  virtual void CheckPublicCallChannelRemoval(Zyl_Channel* channel);
  virtual void CheckInterfaceChange(const char* poolName);
  virtual Zyl_Channel* GetPublicChannel(PublicCallInfo* info);
  virtual bool AddChannelRequest(int instance, Zyl_Channel* channel);
  virtual void CheckChannelRequest(Zyl_ChannelGroup* group, int instance, Zyl_Channel* candidate);
  virtual platform::WindowHandle GetWindowHandle();
  virtual void SetWindowHandle(platform::WindowHandle handle);
  virtual void SetEngineInterface(EngineInterface* owner);
  virtual bool SetRegData(const char* valueName, const char* text);
  virtual bool GetRegData(const char* valueName, char* buffer, int maxLength);
  virtual Zyl_Tread* GetNewTread();
  virtual void KillTread(Zyl_Tread* thread);
  virtual Zyl_Tread* GetTreadFromID(int id);
  virtual int GetCurrentEvent();
  virtual void DispatchEvent(int event, unsigned long parameter);
  virtual void AddChannelToEvent(Zyl_Channel* channel, int event);
  virtual void RemoveChannelFromEvent(Zyl_Channel* channel, int event);
  virtual void ProcessWindowMessage(uint32_t message, uint32_t wParam, int32_t lParam);
  virtual void SetStartGroup(int index);
  virtual int GetStartGroup();

  bool InitEngine(HINSTANCE module, const char* commandLineText);
  void Release();
  void IncreaseTreeCount();
  void UpdateChannelTree();

  // Group table and pools.
  // Puts the group into the first empty slot (or appends it), tells it its index and
  // takes ownership; -1 when the table could not grow.
  int AddGroup(Zyl_ChannelGroup* group);
  Zyl_ChannelGroup* GetChannelGroup(int index) const;
  Zyl_ChannelGroup* GetChannelGroup(const char* fileName, int instance) const;
  Zyl_ChannelGroup* GetPoolGroup(const char* poolName, int instance) const;
  Zyl_ChannelGroup* LoadChannelGroup(const char* fileName, const char* poolName);
  int GetHighInstance(const char* poolName) const;

  // The shared channel of the type (with that name, case-insensitive), created on first use.
  Zyl_Channel* GetUniqueChannel(GUID type, const char* name);

  void SetInstallDir(const char* text);
  void SetKelvaneRegKey(const char* text);

  Zyl_ChannelGroup* uniqueGroup = nullptr;
  Zyl_List groups;
  int treeCount = 0;
  ChannelList* channelList = nullptr;
  platform::WindowHandle window = nullptr;
  Zyl_List requests;  // owned EngineChannelRequest*, positions may be empty
  char commandLine[260] = {};
  HINSTANCE instance = nullptr;
  char installDir[300] = {};
  char regKey[300] = {};
  EngineInterface* engineInterface = nullptr;
  bool initialized = false;
  Zyl_List threads;  // owned Zyl_Tread*
  Zyl_List modules;  // HINSTANCE of every successful plug-in load
  Zyl_List events;   // owned EventRecord*
  int currentEvent = -1;
  WindowMessage windowMessage;
  int startGroupIndex = 0;

 private:
  // Reports through the engine interface's error message object.
  void Report(const char* text) const;
  void DeleteAllGroups();
  void FreeRequests();
  void FreeEvents();
  void ExitThreads();
  void CloseThreads();
  void FreeModules();
  // One more than the highest instance of the pool (0 for a new pool); with
  // `stopAtEmptySlot` an empty slot ends the scan and its index is the answer.
  int NextPoolInstance(const char* poolName, bool stopAtEmptySlot) const;
};

// Pool-name match: identical first characters, the whole names equal ignoring case.
bool PoolNamesMatch(const char* a, const char* b);
