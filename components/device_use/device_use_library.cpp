// 73C8E640-D7EB-45B1-B90A-28495061723E.dll: the device-user base library.
#include "base_type_guids.h"
#include "hux_dx8_d3d_device_use.h"
#include "plugin_type.h"

KELVANE_CHANNEL_PLUGIN_EXPORTS(MakeChannelType("DX8 D3DDeviceUse", deviceUseGuid, deviceUseGuid),
                               Hux_DX8_PlainDeviceUse)
