// A reference to a channel that survives edits and group reloads: it hands out the
// pointer only while the same channel is still found in the same group slot.
#pragma once

#include <cstdint>

#include "platform/guid.h"

class EngineInterface;
class Zyl_Channel;

class SmartChannel {
 public:
  explicit SmartChannel(EngineInterface* engine = nullptr);
  virtual ~SmartChannel();
  // True when the channel was remembered together with its group's location.
  virtual bool SetChannel(Zyl_Channel* channel);
  virtual Zyl_Channel* GetInternalChannel();
  // The channel the reference stands for, external channels resolved.
  virtual Zyl_Channel* GetChannel();

  GUID groupGuid;
  int32_t groupIndex = -1;
  int32_t channelIndex = -1;
  Zyl_Channel* channel = nullptr;
  EngineInterface* engineInterface;
};
