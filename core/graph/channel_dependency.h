// One record of a dependency walk: a channel type a project needs and the extra libraries
// that type loads. The list of records belongs to whoever started the walk.
#pragma once

#include "graph/zyl_guid.h"
#include "graph/zyl_list.h"

class ChannelDependency {
 public:
  explicit ChannelDependency(GUID type = nullGuid) : typeGuid(type) {}
  ChannelDependency(const ChannelDependency&) = delete;
  ChannelDependency& operator=(const ChannelDependency&) = delete;
  // Frees the library names.
  ~ChannelDependency();

  GUID typeGuid;
  Zyl_List libraries;  // owned Zyl_String*, library file names
};

// The record of `type` in a list of ChannelDependency*, or null.
ChannelDependency* FindChannelDependency(Zyl_List* dependencies, const GUID& type);
