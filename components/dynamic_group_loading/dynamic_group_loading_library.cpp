// EBA6C42E-B5C9-439F-97E8-062D94A5B61C.dll: the library of the dynamic group loading type.
#include <new>

#include "dynamic_group_loading_channel.h"

extern "C" ChannelType* GetType() {
  static ChannelType type = Hux_DynamicGroupLoading::Type();
  return &type;
}

extern "C" DllInterface* InitDLL() { return new (std::nothrow) Hux_DynamicGroupLoading(); }
