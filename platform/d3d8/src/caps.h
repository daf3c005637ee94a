// The capabilities the software device reports, the same for the Direct3D object and
// the device.
#pragma once

#include "d3d8/d3d8caps.h"

namespace d3d8sw {

void fillCaps(D3DDEVTYPE type, UINT adapter, D3DCAPS8* caps);

// The one display mode the adapter reports.
D3DDISPLAYMODE desktopMode();

}  // namespace d3d8sw
