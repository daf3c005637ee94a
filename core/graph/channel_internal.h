// Operations on a channel's internals used by the core, the editing tools and a few
// plug-ins. Every operation does nothing (or returns 0, false, null or -1) for a null
// channel. The table order is part of the exported interface.
#pragma once

#include <cstdint>

#include "graph/channel_records.h"

class EngineInterface;
class Zyl_Channel;
class Zyl_ChannelGroup;
class Zyl_List;

class ChannelInternal {
 public:
  virtual ~ChannelInternal();
  virtual int SetChildByType(Zyl_Channel* ch, Zyl_Channel* child, int slot);
  virtual void RemoveChildPosition(Zyl_Channel* ch, int index);
  virtual void RemoveChild(Zyl_Channel* ch, Zyl_Channel* child);
  virtual void RecalculateNodeOffsets(Zyl_Channel* ch);
  virtual void SortChilderen(Zyl_Channel* ch);
  virtual int GetChildCreationCount(Zyl_Channel* ch);
  virtual int GetChildLinkPosition(Zyl_Channel* ch, int index);
  virtual bool CheckChannelRequest(Zyl_Channel* ch, int channelIndex, int slot,
                                   Zyl_Channel* child, int position);
  virtual void SetChannelIDIndexNr(Zyl_Channel* ch, int indexNr);
  virtual void CheckIndexNrRemoval(Zyl_Channel* ch, int indexNr);
  virtual void SetChannelGroup(Zyl_Channel* ch, Zyl_ChannelGroup* group);
  virtual bool GetIfExternalChild(Zyl_Channel* ch, int index);
  virtual bool SetPublicCallInfo(Zyl_Channel* ch, PublicCallInfo info);
  virtual PublicCallInfo GetPublicCallInfo(Zyl_Channel* ch);
  virtual void SetAutoLoadGroup(Zyl_Channel* ch, bool load);
  virtual void SetDynamicAutoLoadGroup(Zyl_Channel* ch, bool load);
  virtual bool GetAutoLoadGroup(Zyl_Channel* ch);
  virtual bool GetDynamicAutoLoadGroup(Zyl_Channel* ch);
  virtual void CheckPublicChannelInstanceRemoval(Zyl_Channel* ch, Zyl_Channel* publicChannel,
                                                 int instance);
  virtual bool CheckPublicChannelRequest(Zyl_Channel* ch, Zyl_Channel* publicChannel,
                                         int instance, const char* poolName);
  virtual void SetRequestedPublicChannelNr(Zyl_Channel* ch, int instance);
  virtual void DoPublicChannelNameCheck(Zyl_Channel* ch);
  virtual ParameterInfo* GetParameterInfo(Zyl_Channel* ch);
  virtual void SetParameterInfo(Zyl_Channel* ch, int parameterIndex);
  virtual void SetParameterInfo(Zyl_Channel* ch, ParameterInfo info);
  virtual int GetChannelGetChildTime(Zyl_Channel* ch);
  virtual void UpdateCallingTime(Zyl_Channel* ch);
  virtual bool GetIgnoreTreeCount(Zyl_Channel* ch);
  virtual void SetIgnoreTreeCount(Zyl_Channel* ch, bool ignore);
  virtual void GetChannelDepenency(Zyl_Channel* ch, Zyl_List* dependencies);
  virtual void ReleaseChilderen(Zyl_Channel* ch);

  ChildInfo* GetChildInfo(Zyl_Channel* ch, int index);
  ChildCreation* GetChildCreateType(Zyl_Channel* ch, int position);
  Zyl_Channel* GetInternalChild(Zyl_Channel* ch, int index);
  Zyl_Channel* GetPublicChannelForPublicCall(Zyl_Channel* ch, bool evaluate);
  void SetTreeCountMode(Zyl_Channel* ch, uint8_t mode);
  uint8_t GetTreeCountMode(Zyl_Channel* ch);
  uint8_t GetTreeRecalculateCount(Zyl_Channel* ch);

 private:
  ChildCreation* PublicCallCreateType(Zyl_Channel* ch, int position);
  void RedistributeUnresolvedLinks(Zyl_Channel* ch);
  // Step of resolving a call whose target is not loaded: a waiting request, an automatic
  // load or a dynamic load; the target when it could be found at once.
  Zyl_Channel* LoadTargetGroup(Zyl_Channel* ch, EngineInterface* engine);
  Zyl_Channel* AutoLoadTargetGroup(Zyl_Channel* ch, EngineInterface* engine);
  bool RegisterPublicCallRequest(Zyl_Channel* ch, EngineInterface* engine);
};

extern ChannelInternal channelInternal;
