// F61D3B95-2C30-4A06-8E5F-7D9405162783.dll: the surface component.
#include "hux_dx8_surface_channel.h"
#include "plugin_type.h"

KELVANE_CHANNEL_PLUGIN_EXPORTS(MakeChannelType("DX8 Surface", surfaceChannelGuid, surfaceChannelGuid),
                               Hux_DX8_SurfaceChannel)
