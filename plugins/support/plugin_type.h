// The type record and the two plain exports every channel plug-in carries.
#pragma once

#include <new>

#include "graph/channel_records.h"
#include "runtime/dll_interface.h"

// A type record with interface version 41 (versionInfo 1, 41, 1).
ChannelType MakeChannelType(const char* name, const GUID& guid, const GUID& baseGuid,
                            int32_t reserved = 0);

// Defines GetType (a static record made by `makeType`) and InitDLL (a new `ChannelClass`,
// null when memory runs out) with C linkage, as the engine looks them up.
#define KELVANE_CHANNEL_PLUGIN_EXPORTS(makeType, ChannelClass)                 \
  extern "C" __attribute__((visibility("default"))) ChannelType* GetType() {   \
    static ChannelType type = makeType;                                        \
    return &type;                                                              \
  }                                                                            \
  extern "C" __attribute__((visibility("default"))) DllInterface* InitDLL() {  \
    return new (std::nothrow) ChannelClass();                                  \
  }
