// 2B8E5A17-C3D4-4F69-A0B1-7E6D5C4B3A29.dll: the PNG texture channel.
#include "hux_dx8_texture_channel.h"
#include "plugin_type.h"

KELVANE_CHANNEL_PLUGIN_EXPORTS(MakeChannelType("DX8 Texture", textureChannelGuid, textureChannelGuid),
                               Hux_DX8_TextureChannel)
