// The engine as channels and plug-ins see it: message objects, the tree count, the group
// table, channels by type, unique channels and events.
#pragma once

#include "graph/channel_records.h"
#include "platform/window.h"
#include "runtime/dll_interface.h"
#include "runtime/messages.h"

class Engine;
class EngineInterfaceExt;
class Zyl_Channel;
class Zyl_ChannelGroup;

class EngineInterface {
 public:
  EngineInterface();
  EngineInterface(const EngineInterface&) = delete;
  EngineInterface& operator=(const EngineInterface&) = delete;
  virtual ~EngineInterface();

  virtual const char* GetInstallDir();
  virtual const char* GetEngineClassName();
  virtual HINSTANCE GetEngineInstance();
  virtual platform::WindowHandle GetWindowHandle();
  virtual int GetTreeCalculateCount();
  virtual void SetTreeCalculateCount(int count);
  virtual Zyl_ChannelGroup* CreateNewGroup(const char* poolName, bool isArray, int instance);
  virtual Zyl_ChannelGroup* GetChannelGroup(const char* fileName, int instance);
  virtual Zyl_ChannelGroup* GetChannelGroup(int index);
  virtual Zyl_ChannelGroup* GetPoolGroup(const char* poolName, int instance);
  virtual Zyl_ChannelGroup* LoadChannelGroup(const char* fileName, const char* poolName);
  virtual int GetHighInstance(const char* poolName);
  virtual void DeleteChannelGroup(int index);
  virtual int GetChannelGroupCount();
  virtual Zyl_Channel* InitChannelFromType(GUID type, Zyl_ChannelGroup* group, bool createChildren);
  virtual Zyl_Channel* InitChannelFromType(ChannelType type, Zyl_ChannelGroup* group,
                                           bool createChildren);
  virtual Zyl_Channel* GetUniqueChannel(GUID type, const char* name);
  virtual Zyl_Channel* GetUniqueChannel(ChannelType type, const char* name);
  virtual void AddChannelToEvent(Zyl_Channel* channel, int event);
  virtual void RemoveChannelFromEvent(Zyl_Channel* channel, int event);
  virtual bool GetGraphRunning();

  ShowDebugMessage debugMessage;
  ShowErrorMessage errorMessage;
  ShowInfoMessage infoMessage;
  ShowMessageBox messageBox;
  ShowUserInfoMessage userInfoMessage;
  ShowUserWarningMessage userWarningMessage;
  ShowUserErrorMessage userErrorMessage;
  EngineInterface* selfInterface = nullptr;
  EngineInterfaceExt* extension = nullptr;
  Engine* engine = nullptr;
};
