// Tagvault.dll: the library of the file loader type. A library carries one type record, so
// the file saver type lives beside it in 4BB7D53F-C6DA-44A0-A8F9-173EA5B6C72D.dll (folder
// components/tagvault_saver, sharing tag_encoding.h); the catalogue finds both by their GUIDs.
#include <new>

#include "file_loader_channel.h"

extern "C" ChannelType* GetType() {
  static ChannelType type = Hux_FileLoaderChannel::Type();
  return &type;
}

extern "C" DllInterface* InitDLL() { return new (std::nothrow) Hux_FileLoaderChannel(); }
