// Type records of channel plug-ins.
#include "plugin_type.h"

ChannelType MakeChannelType(const char* name, const GUID& guid, const GUID& baseGuid,
                            int32_t reserved) {
  ChannelType type;
  CopyTextField(type.name, name);
  type.guid = guid;
  type.baseGuid = baseGuid;
  type.reserved = reserved;
  return type;
}
