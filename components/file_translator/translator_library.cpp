// The library of the zlib file translator type.
#include <new>

#include "zlib_translator_channel.h"

extern "C" ChannelType* GetType() {
  static ChannelType type = Hux_ZlibTranslatorChannel::Type();
  return &type;
}

extern "C" DllInterface* InitDLL() { return new (std::nothrow) Hux_ZlibTranslatorChannel(); }
