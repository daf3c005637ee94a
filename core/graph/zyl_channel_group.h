// A set of channels saved together: fixed channel indices with reuse of empty entries,
// removal with link clean-up, the start channel and the group's own tree count.
#pragma once

#include <cstdint>

#include "graph/channel_records.h"
#include "graph/smart_channel.h"
#include "graph/zyl_list.h"
#include "graph/zyl_string.h"
#include "platform/window.h"

class EngineInterface;
class ZylFileLoader;
class ZylFileSaver;
class Zyl_Channel;

class Zyl_ChannelGroup {
 public:
  // Highest group tree count; the next step starts again at 0.
  static constexpr int maxTreeCount = 30000;

  explicit Zyl_ChannelGroup(EngineInterface* engine = nullptr);
  Zyl_ChannelGroup(const Zyl_ChannelGroup&) = delete;
  Zyl_ChannelGroup& operator=(const Zyl_ChannelGroup&) = delete;

  // Virtual operations, in the slot order callers outside the core use.
  virtual ~Zyl_ChannelGroup();
  virtual void Release();
  virtual bool SaveChannelGroup(ZylFileSaver& saver);
  virtual bool SaveChannelGroup(const char* path);
  virtual bool LoadChannelGroupFromFile(const char* path, bool setPool);
  virtual bool LoadChannelGroupFromBuffer(const char* name, int size, char* data, bool setPool);
  virtual bool LoadChannelGroup(ZylFileLoader& loader, bool setPool);
  virtual int GetGroupIndex();
  virtual void SetGroupIndex(int index);
  virtual void AddChannelRequest(ChannelRequestInfo request);
  virtual void CheckPublicChannels();
  virtual void CheckRequestListForIndex(int index);
  virtual int AddChannel(Zyl_Channel* channel);
  virtual bool RemoveChannel(Zyl_Channel* channel);
  virtual bool RemoveChannel(int index);
  virtual bool TransferChannel(int index, Zyl_ChannelGroup* other);
  virtual int GetChannelCount();
  virtual Zyl_Channel* GetChannel(const char* name);
  virtual Zyl_Channel* GetChannel(int index);
  virtual void SetChannel(Zyl_Channel* channel, int index);
  virtual const char* GetChannelGroupFileName();
  virtual bool GetIfChannelInGroup(Zyl_Channel* channel);
  virtual Zyl_Channel* GetPublicChannel(PublicCallInfo* info);
  virtual void CheckPublicChannelRemoval(Zyl_Channel* publicChannel, int instance);
  virtual void CallStartChannel();
  virtual void SetStartChannel(int index);
  virtual int GetStartChannel();
  virtual int GetPoolNr();
  virtual void SetPoolNr(int instance);
  virtual const char* GetPoolName();
  virtual void SetPoolName(const char* name);
  virtual Zyl_Channel* GetParameterChannel(int index);
  virtual void SetParameterChannel(Zyl_Channel* channel);
  virtual int GetParameterCount();
  virtual ParameterInterfaceInfo GetParameterInfo(int index);
  virtual void SetParameterInfo(ParameterInterfaceInfo info, int index);
  virtual int AddParameterInfo(ParameterInterfaceInfo info);
  virtual void RemoveParameterInfo(int index);
  virtual bool CheckDuplicatePublicChannelName(Zyl_Channel* channel);
  virtual void CheckInterfaceChange(const char* poolName);
  virtual GUID GetUniqueGroupGuid();
  virtual void SetChannelGroupFileName(const char* path);
  virtual bool GetIfArrayGroup();
  virtual void SetIfArrayGroup(bool isArray);
  virtual platform::WindowHandle GetParentWindow();
  virtual void SetParentWindow(platform::WindowHandle window);
  virtual bool GetReadOnly();
  virtual void SetReadOnly(bool readOnly);

  // The count channels of this group compare against: engine count plus the group's own.
  int GetTreeCalculateCount();
  void IncreaseTreeCount();

 private:
  void ReleaseRecords();
  // Writes the whole file and closes the saver; false when the file could not be written.
  bool WriteGroupFile(ZylFileSaver& saver);
  bool LoadChannelSlot(ZylFileLoader& loader, int slot, int count, GUID* lastType);
  void ReportLoadFailure(const char* text, const GUID& type);
  EngineInterface* OwnEngine() const;

  bool readOnly = false;
  Zyl_List channels;         // owned Zyl_Channel*, indexed by channelIDIndexNr
  Zyl_List channelRequests;  // owned ChannelRequestInfo*
  Zyl_String fileName;
  Zyl_String poolName;
  int32_t groupIndex = -1;
  int32_t startChannel = 0;
  int32_t poolNr = -1;
  SmartChannel parameterChannel;
  Zyl_List parameters;  // owned ParameterInterfaceInfo*
  int32_t treeCount = -1;
  GUID uniqueGroupGuid;
  bool arrayGroup = false;
  bool destroying = false;
  EngineInterface* engineInterface;
  platform::WindowHandle parentWindow = nullptr;
};
