// The channel catalogue: the known channel types and the plug-in files they live in. For
// now only the operations the engine start calls exist; the scan, channel.lst and the
// lookups take their places in the table as the catalogue grows.
#pragma once

#include "graph/zyl_list.h"

class EngineInterface;

class ChannelList {
 public:
  explicit ChannelList(EngineInterface* engine);
  ChannelList(const ChannelList&) = delete;
  ChannelList& operator=(const ChannelList&) = delete;

  virtual ~ChannelList();
  // Builds the catalogue at engine start; always true.
  virtual bool CreateChannelList();
  // The folder scanned for plug-ins (at most 259 characters kept; null ignored).
  virtual void SetChannelDir(const char* folder);

  Zyl_List items;
  char channelDir[260] = {};
  EngineInterface* engineInterface;
};
