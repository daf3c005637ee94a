// The library of the file dialog type.
#include <new>

#include "file_dialog_channel.h"

extern "C" ChannelType* GetType() {
  static ChannelType type = Hux_FileDialogChannel::Type();
  return &type;
}

extern "C" DllInterface* InitDLL() { return new (std::nothrow) Hux_FileDialogChannel(); }
