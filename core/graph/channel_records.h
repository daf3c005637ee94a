// Records exchanged between the core and plug-ins: type records, link declarations,
// child entries, public-call targets, parameters and deferred links.
#pragma once

#include <cstddef>
#include <cstdint>

#include "graph/zyl_guid.h"

class Zyl_Channel;
struct ChildInfo;

// Channel interface version a plug-in must carry in versionInfo[1].
inline constexpr int32_t channelInterfaceVersion = 41;

// Type record of a plug-in; a fixed 132-byte layout shared with separately built plug-ins.
struct ChannelType {
  char name[80] = {};
  GUID guid = nullGuid;
  GUID baseGuid = nullGuid;
  int32_t versionInfo[3] = {1, channelInterfaceVersion, 1};
  int32_t reserved = 0;
  uint8_t reservedFlag = 0;
  uint8_t fill[3] = {};
};
static_assert(sizeof(ChannelType) == 132);
static_assert(offsetof(ChannelType, guid) == 80);
static_assert(offsetof(ChannelType, baseGuid) == 96);
static_assert(offsetof(ChannelType, versionInfo) == 112);
static_assert(offsetof(ChannelType, reserved) == 124);
static_assert(offsetof(ChannelType, reservedFlag) == 128);

// One link-position declaration of a channel.
struct ChildCreation {
  ChildCreation() {
    acceptedType.guid = wildcardGuid;
    acceptedType.baseGuid = wildcardGuid;
  }

  ChannelType acceptedType;
  int32_t requestLink = -1;  // -1: multi-link position
  uint8_t reservedFlag = 0;
  uint8_t createChild = 0;
  char linkName[102] = {};
  GUID defaultChildGuid = nullGuid;
  ChildInfo* childInfo = nullptr;  // head entry in the owner's child list
  int32_t declaredLinks = 1;
};

// One entry of a channel's child list.
struct ChildInfo {
  Zyl_Channel* child = nullptr;
  int32_t linkPosition = -1;
  uint8_t fixedEntry = 0;
  uint8_t multiLink = 0;
  int32_t slot = 0;
  int32_t nodeOffset = 0;
  int32_t userValue = 0;
};

// Target description of a public-call channel.
struct PublicCallInfo {
  PublicCallInfo();

  char targetName[80] = {};
  char targetPool[80] = {};
  char targetFile[260] = {};
  int32_t instanceNr = 0;
  uint8_t autoLoadGroup = 1;
  uint8_t fill[3] = {};
  int32_t dynamicAutoLoadGroup = 0;
  ChildCreation fallbackCreation;
};

struct ParameterInfo {
  int32_t parameterIndex = 0;
};

// One declared parameter of a channel group; a fixed 56-byte layout stored in group files.
struct ParameterInterfaceInfo {
  char name[40] = {};
  GUID guid = nullGuid;
};
static_assert(sizeof(ParameterInterfaceInfo) == 56);
static_assert(offsetof(ParameterInterfaceInfo, guid) == 40);

// A link that waits for a channel of the same group that is not loaded yet.
struct ChannelRequestInfo {
  int32_t channelIndex = -1;
  int32_t slot = 0;
  Zyl_Channel* requester = nullptr;
  int32_t linkPosition = -1;
};

// Copies a zero-terminated text into a fixed field, cut to fit and zero-filled behind.
template <size_t N>
void CopyTextField(char (&field)[N], const char* text) {
  size_t i = 0;
  if (text != nullptr) {
    for (; i + 1 < N && text[i] != '\0'; ++i) field[i] = text[i];
  }
  for (; i < N; ++i) field[i] = '\0';
}
