// 8E4C2A74-1B06-4E95-B7F8-2D3C4A5B6C32.dll: the object data channel.
#include "object_data_channel.h"
#include "plugin_type.h"

KELVANE_CHANNEL_PLUGIN_EXPORTS(MakeChannelType("DX8 3D ObjectData", objectDataGuid,
                                               objectDataGuid),
                               Hux_DX8_ObjectDataChannel)
