// 4BB7D53F-C6DA-44A0-A8F9-173EA5B6C72D.dll: the library of the file saver type, named after
// its GUID like every channel library; it stands beside Tagvault.dll, which carries the
// loader type, because a library has one type record.
#include <new>

#include "file_saver_channel.h"

extern "C" ChannelType* GetType() {
  static ChannelType type = Hux_FileSaverChannel::Type();
  return &type;
}

extern "C" DllInterface* InitDLL() { return new (std::nothrow) Hux_FileSaverChannel(); }
