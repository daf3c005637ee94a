// The base class of every node of the channel graph: type record, link declarations,
// the child list and the once-per-tree-count evaluation rule.
#pragma once

#include <cstdint>

#include "graph/channel_records.h"
#include "graph/zyl_list.h"
#include "graph/zyl_string.h"
#include "runtime/dll_interface.h"

class ZylFileLoader;
class ZylFileSaver;
class Zyl_ChannelGroup;

// Interface types, the value of GetChannelInterfaceType.
inline constexpr int HUX_NORMALCHANNEL = 0;
inline constexpr int HUX_PUBLICCHANNEL = 1;
inline constexpr int HUX_PUBLICCALL = 2;
inline constexpr int HUX_PARAMETER = 3;
inline constexpr int HUX_CUSTOMCHANNELGET = 4;
inline constexpr int HUX_PUBLICCUSTOMCHANNELGET = 5;

// A link read from a file whose child is not loaded yet.
struct PendingLink {
  int32_t channelIndex = -1;
  int32_t slot = 0;
};

class Zyl_Channel : public DllInterface {
 public:
  // Longest channel name; longer names are cut.
  static constexpr int maxNameLength = 500;
  // Highest slot number a link may ask for in a multi-link position.
  static constexpr int maxLinkSlot = 65535;

  Zyl_Channel();
  Zyl_Channel(const Zyl_Channel&) = delete;
  Zyl_Channel& operator=(const Zyl_Channel&) = delete;

  // Virtual operations, in the slot order plug-ins override them by.
  ~Zyl_Channel() override;
  virtual void CallChannel();
  virtual void OneTimeInitialize();
  virtual void DoEvent(int event, unsigned long data);
  virtual ChannelType GetChannelType();
  virtual bool SaveChannel(ZylFileSaver& saver);
  virtual bool LoadChannel(ZylFileLoader& loader, Zyl_ChannelGroup* group);
  virtual void SetChannelInterfaceType(int type);
  virtual Zyl_Channel* GetChannelFromChannel(Zyl_Channel* parent, ChildInfo* entry);
  virtual unsigned long GetTimeStamp();
  virtual void SetTimeStamp();
  virtual void DoDependencyInit(Zyl_List* dependencies);

  void SetChannelName(const char* name);
  const char* GetChannelName() const { return channelName.GetString(); }
  Zyl_ChannelGroup* GetChannelGroup() const { return channelGroup; }
  int GetChannelInterfaceType() const { return interfaceType; }
  int GetChannelIDIndexNr() const { return channelIDIndexNr; }

  void SetChildCreationCount(int count);
  void SetChildCreateType(ChildCreation declaration, int position);
  int SetChild(Zyl_Channel* child, int slot, int position);
  Zyl_Channel* GetChild(int index);
  int GetChildCount() const { return children.GetItemCount(); }
  Zyl_Channel* GetChildFromLinkPosition(int position, int n);
  int GetChildLinkPositionCount(int position);
  Zyl_Channel* GetChildFromLinkGuid(GUID type, int n);
  int GetChildTypeCount(GUID type);
  void RemoveChild(int index);
  void RemoveChildren();

  void AddChannelGuidDepend(GUID type, Zyl_List* dependencies);
  void AddDLLDepend(const char* fileName, Zyl_List* dependencies);

  // The cached type record; filled from GetChannelType on first use.
  const ChannelType& CachedChannelType();

 protected:
  // True when the channel must compute now, false when it already did in this tree count.
  bool CheckRenderCount();

  ChannelType* typeCache = nullptr;
  int32_t lastTreeCount = -1;
  int32_t channelIDIndexNr = -1;
  int32_t interfaceType = HUX_NORMALCHANNEL;
  PublicCallInfo* publicCallInfo = nullptr;
  ParameterInfo* parameterInfo = nullptr;
  Zyl_List children;        // owned ChildInfo*
  Zyl_List childCreations;  // owned ChildCreation*, indexed by position
  Zyl_List* pendingLinks = nullptr;     // owned PendingLink*
  Zyl_List* pendingCalls = nullptr;     // marks per pool instance
  Zyl_List* resolvedTargets = nullptr;  // Zyl_Channel* per pool instance, not owned
  Zyl_String channelName;
  Zyl_ChannelGroup* channelGroup = nullptr;
  bool unresolvedLinks = false;
  uint32_t callingTime = 0;
  bool ignoreTreeCount = false;
  uint32_t timeStamp = 0;
  bool dynamicLoadPending = false;
  uint8_t treeCountMode = 1;
  uint8_t treeRecalculateCount = 0;

 private:
  friend class ChannelInternal;

  int LinkIntoPosition(Zyl_Channel* child, int slot, int position);
  void ReleaseInterfaceRecords();
  void ReleasePendingLinks();
  bool HasWaitingRequest() const;
};
