// E5FB1973-0A1E-48E4-AC3D-5B7283940561.dll: the float value library.
#include "base_type_guids.h"
#include "hux_float_channel.h"
#include "plugin_type.h"

KELVANE_CHANNEL_PLUGIN_EXPORTS(MakeChannelType("Value", floatValueGuid, floatValueGuid),
                               Hux_FloatConstant)
