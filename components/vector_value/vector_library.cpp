// D4D9F751-E8FC-46C2-8A1B-39506172834F.dll: the vector value library.
#include "base_type_guids.h"
#include "hux_vector_channel.h"
#include "plugin_type.h"

KELVANE_CHANNEL_PLUGIN_EXPORTS(MakeChannelType("Value Vector", vectorValueGuid, vectorValueGuid),
                               Hux_VectorConstant)
