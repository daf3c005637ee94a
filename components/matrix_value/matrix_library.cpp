// 84EA0862-F90D-47D3-9B2C-4A6172839450.dll: the matrix value library.
#include "base_type_guids.h"
#include "hux_matrix_channel.h"
#include "plugin_type.h"

KELVANE_CHANNEL_PLUGIN_EXPORTS(MakeChannelType("Matrix", matrixValueGuid, matrixValueGuid),
                               Hux_MatrixConstant)
