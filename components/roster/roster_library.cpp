// Roster.dll: a service library, not a channel type. Its type record carries the null GUID,
// so the catalogue scan, which reads every library of the channels folder, passes it over.
#include <cstring>
#include <new>

#include "directory_lister.h"
#include "graph/channel_records.h"

extern "C" ChannelType* GetType() {
  static ChannelType type = [] {
    ChannelType record;
    std::strcpy(record.name, "Directory Lister");
    return record;
  }();
  return &type;
}

extern "C" DllInterface* InitDLL() { return new (std::nothrow) Hux_DirectoryLister(); }
