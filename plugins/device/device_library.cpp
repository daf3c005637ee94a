// 6A2E4C96-0D3F-4B17-9F60-8A9B0C1D2E54.dll: the graphics device channel.
#include "base_type_guids.h"
#include "hux_dx8_direct_graphics_channel.h"
#include "plugin_type.h"

KELVANE_CHANNEL_PLUGIN_EXPORTS(MakeChannelType("DX8 DirectGraphicsChannel", directGraphicsGuid,
                                               directGraphicsGuid, 1),
                               Hux_DX8_DirectGraphicsChannel)
