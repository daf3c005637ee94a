// The extended engine interface used by the runtime itself, hosts and tools: engine start
// and release, the frame, the debug slots, registry access and the operations of plug-in
// loading, events, requests, project files and threads. Each forwards to the engine.
#pragma once

#include <cstdint>

#include "graph/channel_records.h"
#include "platform/window.h"
#include "runtime/dll_interface.h"

class ChannelList;
class Engine;
class EngineInterface;
class Hux_FileLoaderChannel;
class ProjectLoader;
class Zyl_Channel;
class Zyl_ChannelGroup;
class Zyl_Tread;
class ZylFileLoader;

class EngineInterfaceExt {
 public:
  // The core version that project files are compared with.
  static constexpr int interfaceID = 100005;
  static constexpr int debugSlotCount = 10;
  static constexpr int debugTextSize = 300;
  // Texts of this length or longer do not fit a debug slot.
  static constexpr int maxDebugTextLength = 290;

  EngineInterfaceExt() = default;
  EngineInterfaceExt(const EngineInterfaceExt&) = delete;
  EngineInterfaceExt& operator=(const EngineInterfaceExt&) = delete;

  // Virtual operations, in slot order.
  virtual ~EngineInterfaceExt();
  virtual void SetInstallDir(const char* text);
  virtual void ProcessWindowMessage(uint32_t message, uint32_t wParam, int32_t lParam);
  virtual int GetInterfaceID();
  virtual bool InitEngine(HINSTANCE module, const char* commandLineText);
  virtual void UpdateChannelTree();
  virtual void ReleaseGroups();
  // Public calls of every group forget the public channel for that pool instance.
  virtual void CheckPublicChannelRemoval(Zyl_Channel* channel, int instance);
  virtual void CheckPublicCallChannelRemoval(Zyl_Channel* channel);
  virtual void CheckInterfaceChange(const char* poolName);
  virtual void IncreaseTreeCount();
  virtual Zyl_Channel* GetPublicChannel(PublicCallInfo* info);
  virtual bool AddChannelRequest(int instance, Zyl_Channel* channel);
  virtual void CheckChannelRequest(Zyl_ChannelGroup* group, int instance, Zyl_Channel* candidate);
  virtual DllInterface* GetDLLInstance(const char* path);
  virtual Zyl_Channel* CreateChannelFromDLL(const char* path, Zyl_ChannelGroup* group,
                                            bool createChildren);
  virtual void SetWindowHandle(platform::WindowHandle handle);
  virtual ChannelList* GetChannelList();
  virtual void DebugOut(const char* text, int slot);
  virtual const char* GetDebug(int slot);
  virtual void KillTread(Zyl_Tread* thread);
  virtual void SetIfTrackChannelCalling(bool track);
  virtual void SetGraphRunning(bool running);
  virtual bool GetGraphRunning();
  virtual int InitializeKVNFile(const char* path);
  virtual Zyl_ChannelGroup* GetKVNStartGroup();
  virtual void SetStartGroup(int index);
  virtual int GetStartGroup();
  virtual void Release();
  virtual int GetUniqueChannelCount();
  virtual void SetKelvaneRegKey(const char* text);
  virtual void TranslateFile(Hux_FileLoaderChannel* fileLoaderChannel);
  virtual void TranslateFile(ZylFileLoader* loader);
  virtual bool SetRegData(const char* valueName, const char* text);
  virtual bool GetRegData(const char* valueName, char* buffer, int maxLength);
  virtual Zyl_Tread* GetNewTread();
  virtual Zyl_Tread* GetTreadFromID(int id);
  virtual int GetCurrentEvent();
  virtual bool GetIfKeepRunningApplication();
  virtual void SetIfKeepRunningApplication(bool keepRunning);

  void SetEngineInterface(EngineInterface* owner);
  // The type record of a library file (loaded and freed again); the default record, with
  // the null type GUID, when it cannot be read or is of another interface version.
  ChannelType GetDLLType(const char* path);
  // The type record of a loaded library, which stays loaded.
  ChannelType GetDLLType(HINSTANCE module);
  // The steps after a new channel came out of its library: group, automatic children and
  // OneTimeInitialize.
  Zyl_Channel* CompleteNewChannel(Zyl_Channel* channel, Zyl_ChannelGroup* group,
                                  bool createChildren);
  bool GetIfTrackChannelCalling() const { return trackChannelCalling; }

  bool trackChannelCalling = false;
  bool graphRunning = true;
  ProjectLoader* projectLoader = nullptr;
  EngineInterface* engineInterface = nullptr;
  char debugTexts[debugSlotCount][debugTextSize] = {};
  bool keepRunningApplication = false;

 private:
  Engine* OwnEngine() const;
};
