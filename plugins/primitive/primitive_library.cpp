// 3C9E1F52-7A40-4D6B-9E21-0B5F8C7D4E10.dll: the primitive channel.
#include "hux_dx8_primitive.h"
#include "plugin_type.h"

KELVANE_CHANNEL_PLUGIN_EXPORTS(MakeChannelType("DX8 Primitive", primitiveGuid, objectDataGuid),
                               Hux_DX8_Primitive)
