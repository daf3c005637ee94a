// 950C2A84-1B2F-49F5-BD4E-6C8394051672.dll: the render base library.
#include "base_type_guids.h"
#include "hux_dx8_render_channel.h"
#include "plugin_type.h"

KELVANE_CHANNEL_PLUGIN_EXPORTS(MakeChannelType("DX8 RenderChannel", renderBaseGuid, renderBaseGuid),
                               Hux_DX8_PlainRenderChannel)
