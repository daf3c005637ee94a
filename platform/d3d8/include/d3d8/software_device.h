// Options of the software device beyond the graphics interface: which rasteriser runs
// and on how many threads. Tests and benchmarks use them; the engine does not.
#pragma once

#include "d3d8/d3d8.h"

namespace d3d8sw {

enum class RasterPath {
  Optimised,  // banded spans, threads
  Reference,  // one pixel at a time, one thread
  None,       // calls are checked, nothing is drawn: a null device for graph tests
};

// A new device takes its path from $KELVANE_D3D8_RASTER ("optimised", "reference" or
// "none"; optimised when unset).
struct RasterOptions {
  RasterPath path = RasterPath::Optimised;
  int threads = 0;  // 0: $KELVANE_D3D8_THREADS, else the number of processors
};

// False when `device` was not made by this library.
bool SetRasterOptions(IDirect3DDevice8* device, const RasterOptions& options);

}  // namespace d3d8sw
